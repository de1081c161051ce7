#include "tools/red_texto.h"

#include <QCoreApplication>
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "core/bloqueo.h"
#include "core/codificacion.h"
#include "core/estado.h"
#include "flow/final.h"
#include "flow/jugada.h"
#include "flow/motor.h"
#include "flow/red.h"
#include "flow/sorteo.h"
#include "net/qt/conexiones_qt.h"
#include "net/textos_red.h"
#include "rules/tablero.h"
#include "tools/opciones_red.h"

namespace parchis::texto {

namespace {

std::string CarpetaTemporal;

// How long a dropped client's seat waits for it between games, seconds.
constexpr double EsperaVuelta = 3;

}  // namespace

void PonCarpetaTemporal(const std::string& carpeta) { CarpetaTemporal = carpeta; }

void Abandona(const std::string& motivo) {
    std::cout.flush();
    std::fflush(stdout);
    std::cerr << "parchis-texto: " << motivo << std::endl;
    std::error_code ignorado;
    if (!CarpetaTemporal.empty()) std::filesystem::remove_all(CarpetaTemporal, ignorado);
    std::_Exit(1);
}

InterfazRed::InterfazRed(Partida& p, std::ostream& salida, bool silencioso, bool comprobar,
                         std::uint64_t semilla, double esperaMaxima)
    : InterfazTexto(p, salida, silencioso, comprobar, semilla),
      p_(p),
      salida_(salida),
      silencioso_(silencioso),
      esperaMaxima_(esperaMaxima) {
    despertador_.start(200);
    Noticia();
}

// The engine moved on: the clock of the waits starts again.
void InterfazRed::Cede() {
    InterfazTexto::Cede();
    AtiendeEventos(false);
    Noticia();
}

void InterfazRed::Espera() {
    InterfazTexto::Cede();
    AtiendeEventos(true);
    if (red_) red_->Atiende();
    if (Reloj() - noticia_ > esperaMaxima_)
        Abandona("nada ha llegado de la red en " + std::to_string(int(esperaMaxima_)) + " segundos");
}

void InterfazRed::AtiendeEventos(bool esperar) {
    QCoreApplication::processEvents(esperar ? QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents
                                            : QEventLoop::AllEvents);
}

void InterfazRed::EnviaRed(const std::string& texto, int salvo) {
    if (red_) red_->Envia(texto, salvo);
}

void InterfazRed::CierraRed() {
    if (red_) red_->TerminarRed();
}

// Nobody is there to answer: a dropped client's seat goes on played by the
// computer, an unfinished game is not resumed, and a client whose
// administrator has gone has nothing left to play.
int InterfazRed::Mensaje(const std::string& titulo, const std::string& texto, int lineas, int botones,
                         int ayuda) {
    const int respuesta = InterfazTexto::Mensaje(titulo, texto, lineas, botones, ayuda);
    if (titulo == TituloFinal || titulo == TituloLimite) AlTerminarPartida(titulo == TituloFinal);
    if (titulo == TituloDesconectado) desconectado_ = true;
    if (titulo == TituloDesconectado || titulo == "Continuar partida anterior") return Cancelar;
    if (texto.find("ha rechazado su solicitud") != std::string::npos) rechazado_ = true;
    // A room that refused the code or cannot be reached will not change its mind.
    if (titulo == TituloErrorCliente && texto.find("sala") != std::string::npos) Abandona(texto);
    if (texto.rfind("Se  ha  cortado", 0) == 0)
        Abandona("se ha cortado la comunicación con el Administrador de la partida");
    return respuesta;
}

void InterfazRed::AlTerminarPartida(bool conGanador) {
    salida_ << "Huella: " << HuellaPartida(p_, conGanador ? p_.Turno : 0) << std::endl;
}

// A violation found inside a game run from a socket handler ends the
// program here rather than unwinding through the event dispatch.
void InterfazRed::MuestraJugada(int n, bool adelante) {
    try {
        InterfazTexto::MuestraJugada(n, adelante);
    } catch (const Violacion& v) {
        Abandona("partida " + std::to_string(Datos().Partidas + 1) + ": " + v.what());
    }
}

// A received throw tumbles nine random frames like any other and then shows
// the dice that came: those, the tenth frame, are the ones printed.
bool InterfazRed::TiradaRecibida() const {
    return p_.JugarEnRed && (p_.PartidaIniciada ? EsRemoto(p_) : p_.ModoRed == 2);
}

void InterfazRed::TocaSonido(int n, bool esperar) {
    if (n != 17 || !TiradaRecibida()) return InterfazTexto::TocaSonido(n, esperar);
    if (cuadros_ == 0) cuadros_ = 1;
}

void InterfazRed::DibujaDados(int jugador, int dado1, int dado2) {
    if (cuadros_ == 0) return InterfazTexto::DibujaDados(jugador, dado1, dado2);
    if (++cuadros_ < 10) return;
    cuadros_ = 0;
    if (silencioso_) return;
    salida_ << (p_.PartidaIniciada ? "  dados de " : "Sorteo: ") << NombreDe(p_, jugador) << ": " << dado1;
    if (p_.NumDados == 2) salida_ << " y " << dado2;
    salida_ << '\n';
}

// The code goes out even when silent: the clients must be given it.
void InterfazRed::MuestraEsperaRed(const std::string& titulo, const std::string&, int) {
    if (sala_ && !sala_->Codigo().empty() && sala_->Codigo() != codigoMostrado_) {
        codigoMostrado_ = sala_->Codigo();
        salida_ << "Código de sala: " << codigoMostrado_ << std::endl;
    }
    if (titulo == ultimaEspera_) return;
    ultimaEspera_ = titulo;
    if (!silencioso_) salida_ << "[" << titulo << "]" << std::endl;
}

// Running this program as administrator is the person's consent: every
// caller takes the first free seat.
int InterfazRed::PeticionConexion(const std::string& texto, const std::vector<std::string>& opciones) {
    if (!silencioso_) salida_ << texto << std::endl;
    return opciones.empty() ? -1 : 0;
}

void InterfazRed::AlPedirConexion(int peticion, const std::string& ip, int puerto) {
    Noticia();
    if (red_) red_->AlPedirConexion(peticion, ip, puerto);
}

void InterfazRed::AlRecibir(int ranura, const std::string& datos) {
    Noticia();
    if (ranura >= 1 && ranura <= 3 && datos.find("ZRA3404") != std::string::npos) marcas_[ranura] = true;
    if (red_) red_->AlRecibir(ranura, datos);
}

void InterfazRed::AlCerrar(int ranura) {
    Noticia();
    marcas_[ranura] = false;
    if (red_) red_->AlCerrar(ranura);
}

// A failed attempt is no news: a client retrying a silent address must
// still give up in time.
void InterfazRed::AlFallar(int ranura, int numero, const std::string& descripcion) {
    if (numero == ErrorConexionAbortada) marcas_[ranura] = false;
    if (red_) red_->AlFallar(ranura, numero, descripcion);
}

namespace {

// Seats 1..N wait for the callers, in the order they come; this seat and
// the others are the computer's.
void PreparaAdministrador(Partida& p, int clientes) {
    for (int j = 1; j <= 4; ++j) {
        if (j <= clientes || j == 4) p.Estado[j] = 1;
        p.Control[j] = j <= clientes ? 3 : 2;
    }
    CuentaJugadores(p);
    p.JugarEnRed = true;
    p.ModoRed = 1;
}

bool AlgunoConectado(const Red& red) { return red.Conectado(1) || red.Conectado(2) || red.Conectado(3); }

// Every caller is seated at once, so one that drops out before the game
// starts (a port scanner, a client stopped at once) must not end the run:
// when it was the last one expected, network play ended with it, and the
// wait for the callers starts again.  A port that cannot be listened on
// ends the run, and so does a wait with no news (Espera).
void EmpiezaRed(Red& red, InterfazRed& ui, Partida& p, int clientes) {
    for (;;) {
        PreparaAdministrador(p, clientes);
        ui.Noticia();
        ui.OlvidaDesconexion();
        red.IniciarRed();
        if (p.JugarEnRed) return;
        if (!ui.Desconectado()) Abandona("no se ha podido empezar el juego en red");
    }
}

// Between games a seat whose client dropped out waits a moment for it to
// come back; one that comes back joins as at the start of network play
// (snapshot and start of a new game), the others hear of a new game as
// from the main window's command.  A seat still empty stays the computer's.
void SiguientePartida(Red& red, InterfazRed& ui, Partida& p, Conexiones& conexiones, int clientes) {
    if (!p.JugarEnRed) {   // every client left: network play starts again
        EmpiezaRed(red, ui, p, clientes);
        return;
    }
    clientes = std::min(clientes, 3);
    std::array<bool, 4> vuelve{};
    for (int j = 1; j <= clientes; ++j) {
        vuelve[j] = !red.Conectado(j);
        if (vuelve[j]) p.Control[j] = 3;
    }
    // Back means seated and its mark received: then it reads a snapshot.
    const auto haVuelto = [&](int j) { return red.Conectado(j) && (!vuelve[j] || ui.MarcaRecibida(j)); };
    const double inicio = ui.Reloj();
    ui.EsperaHasta([&] {
        bool todos = true;
        for (int j = 1; j <= clientes; ++j) todos = todos && haVuelto(j);
        return todos || ui.Reloj() - inicio > EsperaVuelta;
    });
    const std::string instantanea = Windows1252DesdeUtf8("ZRA3411" + ComponerEstado(p).Linea1);
    for (int j = 1; j <= clientes; ++j) {
        if (!vuelve[j]) {
            conexiones.Envia(j, "ZRA3408");
        } else if (haVuelto(j)) {
            conexiones.Envia(j, instantanea);
            conexiones.Envia(j, "ZRA34021");
        } else {
            p.Control[j] = 2;
        }
    }
}

void Administra(Red& red, InterfazRed& ui, Partida& p, Conexiones& conexiones, int clientes, long partidas) {
    EmpiezaRed(red, ui, p, clientes);
    for (long i = 1; i <= partidas; ++i) {
        if (i > 1) SiguientePartida(red, ui, p, conexiones, clientes);
        p.PedirNuevaPartida = false;
        NuevaPartida(p, ui);
        if (!ui.Terminada()) Abandona("la partida " + std::to_string(i) + " no ha terminado");
    }
    // The clients take the last moves at their own pace; they leave when done.
    ui.EsperaHasta([&] { return !AlgunoConectado(red); });
    red.TerminarRed();
}

// A refused client tries again (a seat may be free at the next game) until
// the wait runs out.
void Entra(Red& red, InterfazRed& ui, Partida& p, const OpcionesRed& o) {
    const double inicio = ui.Reloj();
    for (;;) {
        p.JugarEnRed = true;
        p.ModoRed = 2;
        p.IPAdministrador = o.Administrador;
        p.MiPuerto = static_cast<Entero>(o.PuestoPropio);
        ui.Noticia();
        red.IniciarRed();
        if (p.JugarEnRed) return;
        if (!ui.Rechazado() || ui.Reloj() - inicio > o.EsperaMaxima)
            Abandona("no se ha podido entrar en la partida en red");
        ui.OlvidaRechazo();
        const double ahora = ui.Reloj();
        ui.EsperaHasta([&] { return ui.Reloj() - ahora > 0.5; });
    }
}

// After the first game the administrator's new-game messages start each
// game from the socket handler, inside the wait below.
void Sigue(Red& red, InterfazRed& ui, Partida& p, const OpcionesRed& o, long partidas) {
    red.PonPropioAutomatico(true);
    Entra(red, ui, p, o);
    if (p.PedirNuevaPartida) {
        p.PedirNuevaPartida = false;
        NuevaPartida(p, ui);
    }
    ui.EsperaHasta([&] { return ui.Datos().Partidas >= partidas; });
    red.TerminarRed();
}

}  // namespace

int JuegaEnRed(const OpcionesRed& o, const Opciones& opciones, Partida& p, std::uint64_t semilla) {
    // An address that does not read would leave the room layer without a
    // server, and play would go on directly, as if --sala had not been given.
    if (!o.Sala.empty() && SeparaServidor(o.Sala).second < 0) {
        std::cerr << "--sala admite SERVIDOR o SERVIDOR:PUERTO, con un puerto de 1 a 65535: " << o.Sala << '\n';
        return 2;
    }
    static int argc = 1;
    static char nombre[] = "parchis-texto";
    static char* argv[] = {nombre, nullptr};
    QCoreApplication aplicacion(argc, argv);
    const BloqueoCarpeta bloqueo(p.Carpeta);
    if (bloqueo.Estado() == EstadoBloqueo::Ocupado || bloqueo.Estado() == EstadoBloqueo::Imposible) {
        std::cerr << (bloqueo.Estado() == EstadoBloqueo::Ocupado ? "otro programa está usando la carpeta "
                                                                  : "no se puede bloquear la carpeta ")
                  << p.Carpeta << '\n';
        return 1;
    }
    if (opciones.Carpeta.empty()) PonCarpetaTemporal(p.Carpeta);
    ConexionesSalaQt conexiones;
    if (!o.Sala.empty()) conexiones.PonSala(o.Sala, o.Codigo);
    InterfazRed ui(p, std::cout, opciones.Silencioso, opciones.Comprobar, semilla, o.EsperaMaxima);
    ui.PonSala(&conexiones);
    Red red(p, ui, conexiones);
    ui.PonRed(&red);
    conexiones.PonOyente(&ui);
    if (o.Clientes > 0)
        Administra(red, ui, p, conexiones, o.Clientes, opciones.Partidas);
    else
        Sigue(red, ui, p, o, opciones.Partidas);
    conexiones.PonOyente(nullptr);
    const Estadistica& d = ui.Datos();
    std::cout << "\nPartidas: " << d.Partidas << "  jugadas: " << d.Jugadas << std::endl;
    if (!std::cout.good() || std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::cerr << "no se ha podido escribir la salida\n";
        return 1;
    }
    return ui.HistoricoPerdido() == 0 ? 0 : 1;
}

}  // namespace parchis::texto
