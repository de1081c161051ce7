#include "flow/ajustes_jugadores.h"

#include <cstdlib>

#include "core/codificacion.h"
#include "core/configuracion.h"
#include "core/estado.h"
#include "core/preferencias_propias.h"
#include "flow/arranque.h"

namespace parchis {

const char* const TextoRechazoCliente =
    "Si va a jugar en red,  este  parámetro  solo puede modificarlo  el  Administrador  de  la "
    "partida y Usted  tiene  seleccionado el modo Cliente.";

namespace {

bool EsCliente(const Partida& p) { return p.JugarEnRed && p.ModoRed == 2; }
bool EsAdministrador(const Partida& p) { return p.JugarEnRed && p.ModoRed == 1; }
bool EnJuego(const Partida& p) { return p.PartidaIniciada && p.NumJugada >= 2; }

int Siguiente(int valor, int numValores) { return valor % numValores + 1; }

// Control after a step: a remote seat needs network play, and an
// administrator's own seat 4 is the only one a person plays here.
Entero ControlCorregido(const Partida& p, int puesto, int control) {
    if (control == 3 && !p.JugarEnRed) return 1;
    if (EsAdministrador(p)) {
        if (control == 1 && puesto <= 3) return 2;
        if (control == 2 && puesto == 4) return 1;
    }
    return static_cast<Entero>(control);
}

bool RechazadoEnCliente(AjusteJugador a) {
    switch (a) {
        case AjusteJugador::Sentido: case AjusteJugador::Estado: case AjusteJugador::Control:
        case AjusteJugador::Caracter: case AjusteJugador::Nivel: case AjusteJugador::Pausa:
        case AjusteJugador::Destino:
            return true;
        default:
            return false;
    }
}

// The refusals of a change, with their message; true when refused.
bool Rechaza(const Partida& p, Interfaz& ui, AjusteJugador a, int puesto) {
    if (EsCliente(p) && RechazadoEnCliente(a)) {
        ui.Mensaje(TituloJuegoEnRed, TextoRechazoCliente, 4, 1, 5100);
        return true;
    }
    if (a == AjusteJugador::Tutor && p.JugarEnRed) {
        ui.Mensaje("Partida en red",
                   "Cuando se juega una partida en red  no  puede utilizar el  Tutor  de  Juego  "
                   "ninguno de los jugadores, por tanto, el valor que seleccione en este "
                   "conmutador es intrascendente.",
                   4, 1, 5100);
        return true;
    }
    if (a == AjusteJugador::Estado && puesto == 4 && EsAdministrador(p)) {
        ui.Mensaje(TituloJuegoEnRed,
                   "Si va a jugar en red como Administrador, este jugador no puede estar "
                   "desactivado, ya que es el que está asignado al  Administrador  de la partida.",
                   4, 1, 2123);
        return true;
    }
    return false;
}

Entero Limita(int v, int min, int max) { return static_cast<Entero>(v < min ? min : (v > max ? max : v)); }

// Windows-1252 case mapping of one byte (the code page's letters only).
unsigned char Mayuscula(unsigned char c) {
    if (c >= 'a' && c <= 'z') return c - 32;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;
    if (c == 0x9A || c == 0x9C || c == 0x9E) return c - 16;
    if (c == 0xFF) return 0x9F;
    return c;
}
unsigned char Minuscula(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return c + 32;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
    if (c == 0x8A || c == 0x8C || c == 0x8E) return c + 16;
    if (c == 0x9F) return 0xFF;
    return c;
}

std::string SinBlancos(std::string_view texto) {
    std::string s;
    for (char c : texto)
        if (c != ' ') s += c;
    return s;
}

bool MismoTexto(std::string_view a, std::string_view b) {
    return MinusculasEspanol(QuitaBlancos(a)) == MinusculasEspanol(QuitaBlancos(b));
}

int RemotosEsperados(const Partida& p) {
    int n = 0;
    for (int j = 1; j <= 3; ++j) n += p.Estado[j] == 1 && p.Control[j] == 3;
    return n;
}

void EnviarInstantanea(const Partida& p, Interfaz& ui) { ui.EnviaRed("ZRA3411" + ComponerEstado(p).Linea1, 0); }

void TerminarRed(Partida& p, Interfaz& ui) {
    ui.CierraRed();
    p.JugarEnRed = false;
}

bool Pregunta(Interfaz& ui, const char* titulo, const char* texto, int lineas, int ayuda) {
    return ui.Mensaje(titulo, texto, lineas, 2, ayuda) == Aceptar;
}

void RestauraControles(Partida& p, const CopiaJugadores& c, int hasta) {
    for (int j = 1; j <= hasta; ++j) p.Control[j] = c.Control[j];
}

// Network play switched on or off.
void CambioJugarEnRed(Partida& p, Interfaz& ui, const CopiaJugadores& c) {
    if (!Pregunta(ui, "Jugar en red",
                  "Ha modificado el selector Jugar en red,  por lo  que  se  dará  por finalizada la "
                  "partida actual y comenzará una  nueva partida con el valor seleccionado.  Pulse "
                  "el botón  Aceptar para comenzar la nueva partida.  Si pulsa el botón  Cancelar  "
                  "no se modificará el valor y continuará la partida en juego.",
                  7, 2133)) {
        p.JugarEnRed = c.JugarEnRed;
        p.ModoRed = c.ModoRed;
        RestauraControles(p, c, 3);
        return;
    }
    if (p.JugarEnRed) {
        p.PedirInicioRed = true;
        return;
    }
    TerminarRed(p, ui);
    if (Pregunta(ui, "Restaurar situación anterior",
                 "Ha terminado de jugar en red. ¿Desea volver a la  situación  que  había  antes de "
                 "entrar en red?. Pulse el botón Aceptar para volver a la situación anterior. Pulse  "
                 "Cancelar  si desea iniciar  una  nueva  partida  con los valores actuales.",
                 6, 5100))
        p.PedirRestaurarAnterior = true;
    else
        p.PedirNuevaPartida = true;
}

void CambioModoRed(Partida& p, Interfaz& ui, const CopiaJugadores& c) {
    if (Pregunta(ui, "Modo de juego en red",
                 "Ha modificado el Modo de juego en red, por lo que se dará por finalizada la  "
                 "partida actual y  comenzará  una  nueva  partida con el modo actualmente  "
                 "seleccionado.   Pulse  el  botón Aceptar  para comenzar la nueva  partida.  Si "
                 "pulsa  el  botón  Cancelar  no  se modificará el  Modo  de  juego  en red  y  "
                 "continuará la partida en juego.",
                 8, 2134)) {
        GuardarConfiguracion(p);
        p.PedirInicioRed = p.PedirNuevaPartida = true;
    } else {
        p.ModoRed = c.ModoRed;
        RestauraControles(p, c, 3);
    }
}

// An administrator changed who plays seats 1-3 that were playing.
void CambioControlesRed(Partida& p, Interfaz& ui, const CopiaJugadores& c) {
    bool aRemoto = false;
    std::array<bool, 5> dejaRemoto{};
    for (int j = 1; j <= 3; ++j) {
        if (c.Estado[j] != 1 || p.Control[j] == c.Control[j]) continue;
        aRemoto = aRemoto || p.Control[j] == 3;
        dejaRemoto[j] = c.Control[j] == 3;
    }
    if (aRemoto) {
        const bool pregunta = EnJuego(p) && !p.PedirNuevaPartida;
        if (!pregunta ||
            Pregunta(ui, "Control del juego",
                     "Ha modificado el  Control del juego  de algún jugador, por lo que se dará por "
                     "finalizada la partida actual  y comenzará una nueva partida con el valor "
                     "actualmente seleccionado.  Pulse el  botón  Aceptar   para  comenzar  la "
                     "nueva partida. Si  pulsa  el  botón  Cancelar no se modificará el  Control de "
                     "juego  y continuará la partida actual.",
                     8, 2124))
            p.PedirInicioRed = p.PedirNuevaPartida = true;
        else
            RestauraControles(p, c, 4);
        return;
    }
    if (!(dejaRemoto[1] || dejaRemoto[2] || dejaRemoto[3])) return;
    if (!Pregunta(ui, "Control del juego",
                  "Ha cambiado el  Control  del  juego  de algun jugador pasándolo de Remoto a "
                  "Automático, por lo que se va a proceder a desconectarlo de la partida.   Pulse   "
                  "el   botón   Aceptar  para desconectar  al  jugador.  Si pulsa el  botón "
                  "Cancelar no se modificará el Control de juego y continuará la partida.",
                  7, 2124)) {
        RestauraControles(p, c, 4);
        return;
    }
    // Each seat left by its remote player goes on played by the computer.
    for (int j = 1; j <= 3; ++j)
        if (dejaRemoto[j]) p.Control[j] = 2;
    if (RemotosEsperados(p) == 0)
        TerminarRed(p, ui);
    else
        EnviarInstantanea(p, ui);
}

void CambioEstados(Partida& p, Interfaz& ui, const CopiaJugadores& c) {
    const bool pregunta = p.PartidaIniciada && !p.PedirNuevaPartida && !p.PedirInicioRed;
    if (!pregunta ||
        Pregunta(ui, "Jugadores Activados",
                 "Ha modificado los jugadores activados, por lo que se dará por finalizada  la "
                 "partida actual y comenzará  una   nueva   partida   con  los jugadores "
                 "actualmente seleccionados. Pulse el botón Aceptar para comenzar la nueva "
                 "partida. Si pulsa el  botón Cancelar no se modificarán los  jugadores  "
                 "activados   y   continuará la partida en juego.",
                 8, 2123)) {
        if (p.JugarEnRed) p.PedirInicioRed = true;
        p.PedirNuevaPartida = true;
    } else {
        p.Estado = c.Estado;
    }
}

void CambioDireccionRed(Partida& p, Interfaz& ui, const CopiaJugadores& c) {
    if (Pregunta(ui, "Modo de juego en red",
                 "Ha modificado su Puerto de conexión  o la IP del Administrador,  por  lo  que se "
                 "dará por finalizada la partida actual y comenzará una partida con los nuevos "
                 "datos. Pulse el botón Aceptar  para comenzar la nueva partida.  Si pulsa el botón  "
                 "Cancelar  no  se  modificará ningún dato y continuará la partida en juego.",
                 7, 2127)) {
        p.PedirInicioRed = p.PedirNuevaPartida = true;
    } else {
        p.IPAdministrador = c.IPAdministrador;
        p.MiPuerto = c.MiPuerto;
        p.JugarPorSala = c.JugarPorSala;
        p.ServidorSala = c.ServidorSala;
        p.CodigoSala = c.CodigoSala;
    }
}

// Through a room the administrator's address is not needed: the server's
// is, and a client's code.
bool SalaValida(Partida& p, Interfaz& ui) {
    if (p.ServidorSala.empty()) {
        ui.Mensaje("Servidor de salas",
                   "Para jugar por sala escriba la dirección del servidor de salas, por ejemplo "
                   "salas.ejemplo.org o 203.0.113.5:49930.",
                   3, 1, 2127);
        return false;
    }
    if (EsCliente(p) && p.CodigoSala.size() != LargoCodigoSala) {
        ui.Mensaje("Código de sala",
                   "El código de la sala tiene seis letras o cifras.  Pídaselo al  Administrador "
                   "de la partida: lo ve en su pantalla al abrir la sala.",
                   3, 1, 2127);
        return false;
    }
    return true;
}

void CambioSentido(Partida& p, Interfaz& ui, const CopiaJugadores& c) {
    if (Pregunta(ui, "Sentido del juego",
                 "Ha modificado el valor del selector 'Sentido del juego', por lo que finalizará la "
                 "partida actual y comenzará  una nueva partida con el valor  actualmente  "
                 "seleccionado.  Pulse  el botón Aceptar para comenzar la nueva partida. Si pulsa el "
                 "botón Cancelar  no se modificará el sentido del juego y continuará la partida "
                 "actual.",
                 8, 2128))
        p.PedirNuevaPartida = true;
    else
        p.Sentido = c.Sentido;
}

// What the clients of an administrator must be told again.
bool CambianDatosDeClientes(const Partida& p, const CopiaJugadores& c) {
    if (p.Sentido != c.Sentido || p.PausaEntreJugadas != c.PausaEntreJugadas ||
        p.IndicarDestino != c.IndicarDestino)
        return true;
    for (int j = 1; j <= 4; ++j)
        if (!MismoTexto(p.Nombres[j], c.Nombres[j]) || p.Nivel[j] != c.Nivel[j] ||
            p.Estado[j] != c.Estado[j] || p.Control[j] != c.Control[j] || p.Caracter[j] != c.Caracter[j])
            return true;
    return false;
}

// What the exit check compares, as the record has it now.
CopiaJugadores CopiaDe(const Partida& p) {
    CopiaJugadores c;
    c.Nombres = p.Nombres;
    c.Estado = p.Estado;
    c.Control = p.Control;
    c.Nivel = p.Nivel;
    c.Caracter = p.Caracter;
    c.IPAdministrador = p.IPAdministrador;
    c.MiPuerto = p.MiPuerto;
    c.JugarPorSala = p.JugarPorSala;
    c.ServidorSala = p.ServidorSala;
    c.CodigoSala = p.CodigoSala;
    c.JugarEnRed = p.JugarEnRed;
    c.ModoRed = p.ModoRed;
    c.Sentido = p.Sentido;
    c.PausaEntreJugadas = p.PausaEntreJugadas;
    c.IndicarDestino = p.IndicarDestino;
    c.PuestoMesa = p.PuestoMesa;
    c.Sonido = p.Sonido;
    c.TutorAutomatico = p.TutorAutomatico;
    c.Velocidad = p.Velocidad;
    return c;
}

}  // namespace

CopiaJugadores EmpiezaAjustesJugadores(Partida& p) {
    const CopiaJugadores c = CopiaDe(p);
    if (!p.JugarEnRed) GuardarEstado(p, FicheroAnterior);
    // Network play left on is offered again: the switch is on, and leaving
    // the window starts network play as switching it on by hand would.
    if (p.JugarEnRedRecordado) p.JugarEnRed = true;
    return c;
}

bool CambiaAjusteJugador(Partida& p, Interfaz& ui, AjusteJugador a, int puesto, int valor) {
    if (Rechaza(p, ui, a, puesto)) return false;
    const int j = puesto >= 1 && puesto <= 4 ? puesto : 0;
    switch (a) {
        case AjusteJugador::Estado: p.Estado[j] = static_cast<Entero>(Siguiente(p.Estado[j], 2)); break;
        case AjusteJugador::Control:
            p.Control[j] = ControlCorregido(p, j, Siguiente(p.Control[j], 3));
            break;
        case AjusteJugador::Caracter: p.Caracter[j] = static_cast<Entero>(Siguiente(p.Caracter[j], 3)); break;
        case AjusteJugador::Nivel: p.Nivel[j] = Limita(valor, 0, 100); break;
        case AjusteJugador::Sentido: p.Sentido = static_cast<Entero>(Siguiente(p.Sentido, 2)); break;
        case AjusteJugador::GiraColores: p.PuestoMesa = static_cast<Entero>((p.PuestoMesa + 1) % 4); break;
        case AjusteJugador::Sonido: p.Sonido = !p.Sonido; break;
        case AjusteJugador::Pausa: p.PausaEntreJugadas = !p.PausaEntreJugadas; break;
        case AjusteJugador::Tutor: p.TutorAutomatico = !p.TutorAutomatico; break;
        case AjusteJugador::Destino: p.IndicarDestino = !p.IndicarDestino; break;
        case AjusteJugador::Velocidad: p.Velocidad = Limita(valor, 0, 100); break;
        case AjusteJugador::JugarEnRed: p.JugarEnRed = !p.JugarEnRed; break;
        case AjusteJugador::ModoRed: p.ModoRed = static_cast<Entero>(Siguiente(p.ModoRed, 2)); break;
        case AjusteJugador::MiPuerto: p.MiPuerto = static_cast<Entero>(Siguiente(p.MiPuerto, 3)); break;
        case AjusteJugador::PorSala: p.JugarPorSala = !p.JugarPorSala; break;
    }
    return true;
}

std::string NombreCorregido(std::string_view texto) {
    std::string bytes = Windows1252DesdeUtf8(QuitaBlancosIzquierda(texto));
    if (bytes.size() > LargoNombreJugador) bytes.resize(LargoNombreJugador);
    bool inicio = true;
    for (char& c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        c = static_cast<char>(inicio ? Mayuscula(u) : Minuscula(u));
        inicio = c == ' ';
    }
    return Utf8DesdeWindows1252(bytes);
}

void PonIPAdministrador(Partida& p, std::string_view texto) {
    p.IPAdministrador = PrimerosCaracteres(QuitaBlancos(texto), LargoIP);
}

void PonServidorSala(Partida& p, std::string_view texto) {
    p.ServidorSala = PrimerosCaracteres(SinBlancos(texto), LargoServidorSala);
}

void PonCodigoSala(Partida& p, std::string_view texto) {
    std::string codigo;
    for (const char c : texto)
        if (c != ' ' && c != '-' && codigo.size() < LargoCodigoSala + 1)
            codigo += (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
    p.CodigoSala = codigo;
}

bool DireccionValida(std::string_view ip) {
    const std::string limpia = SinBlancos(ip);
    int partes = 0;
    std::size_t inicio = 0;
    for (;;) {
        const std::size_t punto = limpia.find('.', inicio);
        const std::string parte = limpia.substr(inicio, punto == std::string::npos ? punto : punto - inicio);
        // The value is that of the leading digits, kept small enough to compare.
        long valor = 0;
        for (std::size_t i = 0; i < parte.size() && parte[i] >= '0' && parte[i] <= '9' && valor < 1000; ++i)
            valor = valor * 10 + (parte[i] - '0');
        partes += !parte.empty() && valor < 256;
        if (punto == std::string::npos) break;
        inicio = punto + 1;
    }
    return partes == 4;
}

bool DireccionPrivada(std::string_view ip) {
    const std::string texto(ip);
    const int a = std::atoi(texto.c_str());
    const auto punto = texto.find('.');
    const int b = punto == std::string::npos ? -1 : std::atoi(texto.c_str() + punto + 1);
    return a == 10 || (a == 172 && b >= 16 && b <= 31) || (a == 192 && b == 168);
}

bool SalidaAjustesJugadores(Partida& p, Interfaz& ui, const CopiaJugadores& c) {
    CuentaJugadores(p);
    if (p.NumJugadores < 2) {
        ui.Mensaje("Número de Jugadores",
                   "Ha modificado los jugadores activados, pero debe  haber  como  mínimo   dos   "
                   "jugadores activados para poder jugar una partida.",
                   3, 1, 2123);
        return false;
    }
    if (EsAdministrador(p) && RemotosEsperados(p) == 0) {
        ui.Mensaje("Número de Jugadores en Red",
                   "Tiene activado el selector Jugar en Red y ha seleccionado Administrador en el de  "
                   "Modo de juego en red,  pero  no  ha  seleccionado el valor  Remoto  en el  Control  "
                   "del  Juego de ninguno de los jugadores.  Debe  haber  como  mínimo un jugador "
                   "activado  en  Remoto  para poder jugar una partida en Red.",
                   7, 1, 5100);
        return false;
    }
    if (p.JugarEnRed != c.JugarEnRed) CambioJugarEnRed(p, ui, c);
    if (p.JugarEnRed && p.ModoRed != c.ModoRed && !p.PedirInicioRed) CambioModoRed(p, ui, c);
    if (EsAdministrador(p) && !p.PedirInicioRed) CambioControlesRed(p, ui, c);
    if (p.Estado != c.Estado) CambioEstados(p, ui, c);
    if (p.JugarEnRed && p.JugarPorSala && !SalaValida(p, ui)) return false;
    if (EsCliente(p) && !p.JugarPorSala) {
        p.IPAdministrador = SinBlancos(p.IPAdministrador);
        if (!DireccionValida(p.IPAdministrador)) {
            ui.Mensaje("Dirección IP",
                       "La Dirección IP  del Administrador no tiene el formato previsto.\r\n\r\n"
                       "El número IP se forma con cuatro cifras  de  3  dígitos como máximo cada una "
                       "y separadas por puntos.  Ninguna  de  las cuatro cifras puede superar el "
                       "número 255.",
                       8, 1, 2127);
            return false;
        }
    }
    if (p.JugarEnRed && !p.PedirInicioRed &&
        (!MismoTexto(p.IPAdministrador, c.IPAdministrador) || p.MiPuerto != c.MiPuerto ||
         p.JugarPorSala != c.JugarPorSala || p.ServidorSala != c.ServidorSala || p.CodigoSala != c.CodigoSala))
        CambioDireccionRed(p, ui, c);
    if (p.Sentido != c.Sentido && p.NumJugada >= 2 && !p.PedirNuevaPartida) CambioSentido(p, ui, c);
    CuentaJugadores(p);
    if (p.ModoJuego == 2 && p.NumJugadores != 4) p.ModoJuego = 1;
    // A name left blank would leave the seat nameless in every message, the
    // move list and the history: it keeps the name it had, or its first.
    for (int j = 1; j <= 4; ++j) {
        p.Nombres[j] = QuitaBlancos(p.Nombres[j]);
        if (p.Nombres[j].empty()) p.Nombres[j] = QuitaBlancos(c.Nombres[j]);
        if (p.Nombres[j].empty()) p.Nombres[j] = NombrePorDefecto(j);
    }
    if (p.PuestoMesa != c.PuestoMesa || p.Nombres != c.Nombres || p.Estado != c.Estado) {
        if (p.PartidaIniciada)
            ui.PresentaPartida();
        else
            ui.MuestraTableroVacio();
    }
    if (EsAdministrador(p) && !p.PedirNuevaPartida && CambianDatosDeClientes(p, c))
        EnviarInstantanea(p, ui);
    // A program that ends without its exit (a crash, a lost session) keeps
    // what was changed here.
    if (!(CopiaDe(p) == c)) GuardaAjustes(p);
    // "Jugar en red" and the room server have no place in that file: they
    // go in ours.
    p.JugarEnRedRecordado = p.JugarEnRed;
    if (!p.Carpeta.empty()) EscribeRed(p.Carpeta, p.JugarEnRed, p.JugarPorSala, p.ServidorSala);
    return true;
}

}  // namespace parchis
