// The administrator: it listens, seats each caller the person accepts at
// one of the free remote seats 1..3, counts the callers' resume marks,
// offers to resume the last unfinished network game when every mark
// matches its own, and relays what each client sends to the others.
#include "core/codificacion.h"
#include "flow/red.h"
#include "net/puertos.h"
#include "net/red.h"
#include "net/textos_red.h"

namespace parchis {

namespace {

bool EsRemotoEsperado(const Partida& p, int j) { return p.Estado[j] == 1 && p.Control[j] == 3; }

// A client's throws and moves wait in ColaRed for its turn: one turn's
// take a few hundred bytes, and one client may not fill the queue the
// others' turns wait in.
constexpr std::size_t LimitePorCliente = 16 * 1024;

}  // namespace

void Red::IniciaAdministrador() {
    for (int k = 1; k <= 3; ++k) {
        if (conexiones_.Estado(k) != EstadoSocket::Cerrado) conexiones_.Cierra(k);
        conectado_[k] = false;
    }
    RecuentaRemotos();
    reanudacionPosible_ = true;
    marcaPropia_ = MarcaAdministradorSinFichero;
    std::string linea;
    if (LineaRestauracion(linea) && !MarcaDeLinea(linea).empty())
        marcaPropia_ = Utf8DesdeWindows1252(MarcaDeLinea(linea));
    else
        reanudacionPosible_ = false;
    marcaRecibida_.fill(false);
    atendiendoPeticion_ = false;
    if (conexiones_.Estado(0) != EstadoSocket::Cerrado) conexiones_.Cierra(0);
    const int puerto = PuertoAdministrador();
    // A room that cannot be opened has already said why: the port is not
    // what failed then.
    errorAvisado_ = false;
    if (!conexiones_.Escucha(puerto)) {
        if (!errorAvisado_)
            ui_.Mensaje(TituloErrorAdministrador,
                        TextoError(ErrorDireccionEnUso, "No se puede escuchar en el puerto " +
                                                            std::to_string(puerto) + "."),
                        3, 1, 0);
        TerminarRed();
        return;
    }
    EsperaJugadores();
    EsperaSegundos(2);
    if (!p_.JugarEnRed || remotosConectados_ < remotosEsperados_) {
        TerminarRed();
        return;
    }
    ui_.OcultaEsperaRed();
    ui_.ActualizaControles();
    EmpiezaJuego();
}

void Red::EsperaJugadores() {
    while (p_.JugarEnRed && (esperandoConexiones_ || !MarcasCompletas())) {
        ApartaSilenciosos();
        MuestraProgreso();
        ui_.Espera();
    }
}

void Red::EmpiezaJuego() {
    if (reanudacionPosible_ &&
        ui_.Mensaje(TituloContinuar, PreguntaContinuar, 5, 2, AyudaRed) == Aceptar && CargaRestauracion()) {
        Envia(TextoInicioJuego(false), 0);
        ReanudaPartida();
        return;
    }
    p_.PedirNuevaPartida = true;
    EnviarInstantanea();
    Envia(TextoInicioJuego(true), 0);
}

void Red::MuestraProgreso() {
    std::string texto;
    for (int j = 1; j <= 3; ++j)
        if (EsRemotoEsperado(p_, j))
            texto += LineaJugador(p_.Nombres[j], conectado_[j], ipCliente_[j], puertoCliente_[j]);
    MuestraEspera(TituloProgreso(remotosEsperados_), texto, remotosEsperados_ + 3);
}

void Red::AlPedirConexion(int peticion, const std::string& ip, int puerto) {
    if (!p_.JugarEnRed || papel_ != Papel::Administrador || atendiendoPeticion_) {
        conexiones_.Rechaza(peticion);
        return;
    }
    std::vector<int> puestos;
    std::vector<std::string> opciones;
    for (int j = 1; j <= 3; ++j) {
        if (!EsRemotoEsperado(p_, j) || conectado_[j]) continue;
        puestos.push_back(j);
        opciones.push_back(p_.Nombres[j] + " (" + NombrePuesto(j) + ")");
    }
    // Nobody is seated without the person's answer, and with no seat free
    // there is nothing to ask.
    if (puestos.empty()) {
        conexiones_.Rechaza(peticion);
        return;
    }
    atendiendoPeticion_ = true;
    const int elegida = ui_.PeticionConexion(TextoPeticion(ip, puerto), opciones);
    const std::string desde = "La conexión desde " + ip + ":" + std::to_string(puerto);
    const bool vale = elegida >= 0 && elegida < static_cast<int>(puestos.size()) && p_.JugarEnRed &&
                      !conectado_[puestos[elegida]];
    if (!vale) {
        conexiones_.Rechaza(peticion);
        atendiendoPeticion_ = false;
        if (p_.JugarEnRed) ui_.Mensaje(TituloJuegoRed, desde + " ha sido rechazada.", 2, 1, 0);
        return;
    }
    const int k = puestos[elegida];
    if (conexiones_.Estado(k) != EstadoSocket::Cerrado) conexiones_.Cierra(k);
    conexiones_.Acepta(peticion, k);
    conectado_[k] = true;
    marcaRecibida_[k] = false;
    sentadoEn_[k] = ui_.Reloj();
    ipCliente_[k] = ip;
    puertoCliente_[k] = puerto;
    receptores_[k] = Receptor(Papel::Administrador);
    conexiones_.Envia(k, TextoPuesto(k));
    RecuentaRemotos();
    atendiendoPeticion_ = false;
    ui_.Mensaje(TituloJuegoRed, desde + " se ha asignado al jugador " + opciones[elegida], 2, 1, 0);
}

void Red::RecuentaRemotos() {
    remotosEsperados_ = 0;
    remotosConectados_ = 0;
    for (int j = 1; j <= 3; ++j) {
        remotosEsperados_ += EsRemotoEsperado(p_, j);
        remotosConectados_ += conectado_[j];
    }
    if (remotosConectados_ >= remotosEsperados_) esperandoConexiones_ = false;
}

// Each client's mark counts once: a client repeating its own cannot stand
// for another not heard yet.
void Red::RecibeDeCliente(int ranura, const std::string& mensaje) {
    const std::string codigo = mensaje.substr(LargoPrefijo, 2);
    if (codigo == "04") {
        const std::string marca = mensaje.substr(LargoCabecera);
        if (MinusculasEspanol(marca) != MinusculasEspanol(marcaPropia_)) reanudacionPosible_ = false;
        marcaRecibida_[ranura] = true;
    } else if (codigo == "20") {
        LlegaChat(mensaje);
    } else {
        EncolaDeCliente(ranura, mensaje);
    }
}

// The entry goes in with its sender's slot: the engine takes it only for
// that client's own seat.
void Red::EncolaDeCliente(int ranura, const std::string& mensaje) {
    while (!encoladas_.empty() && bytesEncolados_ > p_.ColaRed.size()) {
        const auto [k, largo] = encoladas_.front();
        encoladas_.pop_front();
        bytesDe_[k] -= largo;
        bytesEncolados_ -= largo;
    }
    const std::size_t largo = 1 + mensaje.size() - LargoPrefijo;
    if (bytesDe_[ranura] + largo > LimitePorCliente) return;
    p_.ColaRed += static_cast<char>('0' + ranura);
    p_.ColaRed.append(mensaje, LargoPrefijo);
    encoladas_.emplace_back(ranura, largo);
    bytesDe_[ranura] += largo;
    bytesEncolados_ += largo;
}

bool Red::MarcasCompletas() const {
    for (int k = 1; k <= 3; ++k)
        if (conectado_[k] && !marcaRecibida_[k]) return false;
    return true;
}

// A seated caller that never tells its mark gives its seat back to the
// next caller instead of holding up the start: a few silent connections
// would otherwise keep every seat from the real players.
void Red::ApartaSilenciosos() {
    for (int k = 1; k <= 3; ++k) {
        if (!conectado_[k] || marcaRecibida_[k] || ui_.Reloj() - sentadoEn_[k] < esperaMarca_) continue;
        conexiones_.Cierra(k);
        conectado_[k] = false;
        receptores_[k].Vacia();
        esperandoConexiones_ = true;
        RecuentaRemotos();
    }
}

void Red::CierraCliente(int ranura) {
    if (ranura < 1 || ranura > 3 || !conectado_[ranura]) return;
    conectado_[ranura] = false;
    if (conexiones_.Estado(ranura) != EstadoSocket::Cerrado) conexiones_.Cierra(ranura);
    receptores_[ranura].Vacia();
    const bool cancelar =
        desconexionVoluntaria_ ||
        ui_.Mensaje(TituloDesconectado, TextoJugadorCortado(p_.Nombres[ranura]), 5, 2, AyudaRed) != Aceptar;
    if (!p_.JugarEnRed) return;   // ended while the question was open
    if (!cancelar) {
        TerminarRed();
        ui_.AbreAjustesJugadores();
        return;
    }
    p_.Control[ranura] = 2;
    RecuentaRemotos();
    if (remotosEsperados_ == 0)
        TerminarRed();
    else
        EnviarInstantanea();
}

void Red::EnviarInstantanea() { Envia(TextoInstantanea(p_), 0); }

}  // namespace parchis
