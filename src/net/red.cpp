// What both roles share: the start and end of network play, sending,
// taking arrivals apart, the waiting panel's clock and the chat.
//
// Every wait here is a loop on Interfaz::Espera, so the socket events (and
// whole games started by them) run nested inside it; each loop also ends
// as soon as network play is switched off, whoever switched it off.
#include "net/red.h"

#include <cstdio>
#include <utility>

#include "core/codificacion.h"
#include "core/estado.h"
#include "core/fichero.h"
#include "flow/comprobacion.h"
#include "flow/motor.h"
#include "flow/red.h"
#include "net/textos_red.h"
#include "rules/tablero.h"

namespace parchis {

namespace {

// ColaRed and the messages held behind a new game never grow past this:
// a whole game's throws and moves take a small part of it.
constexpr std::size_t LimiteCola = 1 << 20;

}  // namespace

Red::Red(Partida& p, Interfaz& ui, Conexiones& conexiones) : p_(p), ui_(ui), conexiones_(conexiones) {
    conexiones_.PonOyente(this);
}

void Red::IniciarRed() {
    papel_ = p_.ModoRed == 1 ? Papel::Administrador : Papel::Cliente;
    receptores_.fill(Receptor(papel_));
    esperandoConexiones_ = true;
    p_.ColaRed.clear();
    encoladas_.clear();
    bytesDe_.fill(0);
    bytesEncolados_ = 0;
    pendientes_.clear();
    bytesPendientes_ = 0;
    nuevaPartida_ = false;
    ReiniciaReloj();
    if (papel_ == Papel::Cliente)
        IniciaCliente();
    else
        IniciaAdministrador();
}

void Red::TerminarRed() {
    for (int k = 0; k <= 3; ++k) {
        if (conexiones_.Estado(k) != EstadoSocket::Cerrado) conexiones_.Cierra(k);
        conectado_[k] = false;
        receptores_[k].Vacia();
    }
    p_.JugarEnRed = false;
    aceptado_ = false;
    pendientes_.clear();
    bytesPendientes_ = 0;
    ui_.OcultaEsperaRed();
    esperandoConexiones_ = false;
    ui_.ActualizaControles();
}

void Red::Envia(const std::string& texto, int salvo) {
    if (!p_.JugarEnRed) return;
    const std::string bytes = Windows1252DesdeUtf8(texto);
    if (papel_ == Papel::Cliente) {
        conexiones_.Envia(0, bytes);
        return;
    }
    for (int k = 1; k <= 3; ++k)
        if (k != salvo && conectado_[k]) conexiones_.Envia(k, bytes);
}

void Red::EnviaMensaje(const std::string& texto) {
    if (!p_.JugarEnRed) return;
    const FechaHora ahora = ui_.Ahora();
    char hora[8];
    std::snprintf(hora, sizeof hora, "%02d:%02d", ahora.Hora % 100, ahora.Minuto % 100);
    const std::string registro = RegistroChat(p_.Nombres[4], hora, texto);
    Envia(TextoChat(registro), 0);
    // A client's own message comes back from the administrator, in the
    // order every computer shows it.
    if (papel_ == Papel::Administrador) {
        mensajes_.Anade(registro);
        ui_.LlegaMensajeChat();
    }
}

void Red::AlRecibir(int ranura, const std::string& datos) {
    if (!p_.JugarEnRed || ranura < 0 || ranura > 3) return;
    if (papel_ == Papel::Administrador) {
        if (ranura == 0 || !conectado_[ranura]) return;
        for (const std::string& m : receptores_[ranura].Recibe(datos)) {
            if (!p_.JugarEnRed) break;
            RecibeDeCliente(ranura, m);
        }
        AvisaChat();
        return;
    }
    if (ranura != 0) return;
    for (const std::string& m : receptores_[0].Recibe(datos)) {
        if (!p_.JugarEnRed) break;
        RecibeDeAdministrador(m);
    }
    AvisaChat();
    EmpiezaNuevaPartida();
}

void Red::AlCerrar(int ranura) {
    if (!p_.JugarEnRed) return;
    if (papel_ == Papel::Administrador)
        CierraCliente(ranura);
    else if (ranura == 0)
        CierraAdministrador();
}

void Red::AlFallar(int ranura, int numero, const std::string& descripcion) {
    if (!p_.JugarEnRed) return;
    if (papel_ == Papel::Administrador) {
        if (numero == ErrorConexionAbortada) {
            CierraCliente(ranura);
            return;
        }
        errorAvisado_ = true;
        ui_.Mensaje(TituloErrorAdministrador, TextoError(numero, descripcion), 3, 1, 0);
        return;
    }
    if (ranura != 0 || numero == ErrorConexionRechazada) return;   // the connect loop tries again
    if (numero != ErrorConexionAbortada)
        ui_.Mensaje(TituloErrorCliente, TextoError(numero, descripcion), 3, 1, 0);
    if (numero == ErrorConexionAbortada || numero == ErrorDireccionEnUso || numero == ErrorServidorSala)
        CierraAdministrador();
}

void Red::ReiniciaReloj() {
    inicioEspera_ = ui_.Reloj();
    segundoMostrado_ = -1;
    panelMostrado_.clear();
}

// The panel is drawn again only when its text or the whole second changes.
void Red::MuestraEspera(const std::string& titulo, const std::string& texto, int lineas) {
    const int segundo = static_cast<int>(ui_.Reloj() - inicioEspera_);
    const std::string panel = titulo + '\n' + texto;
    if (segundo == segundoMostrado_ && panel == panelMostrado_) return;
    segundoMostrado_ = segundo;
    panelMostrado_ = panel;
    ui_.MuestraEsperaRed(titulo, texto + TiempoDeEspera(segundo), lineas);
}

// A pause that lets the network's events run.
void Red::EsperaSegundos(double segundos) {
    const double inicio = ui_.Reloj();
    while (p_.JugarEnRed && ui_.Reloj() - inicio < segundos) ui_.Espera();
}

void Red::AnadeACola(const std::string& mensaje) {
    if (p_.ColaRed.size() + mensaje.size() > LimiteCola) return;
    p_.ColaRed.append(mensaje, LargoPrefijo);
}

// The chat window is told once per arrival, however many messages it held.
// The administrator relays the record in a frame of its own: the sender's
// prefix may have come in any case.
void Red::LlegaChat(const std::string& mensaje) {
    const std::string registro = mensaje.substr(LargoCabecera);
    if (papel_ == Papel::Administrador) Envia(TextoChat(registro), 0);
    mensajes_.Anade(registro);
    chatNuevo_ = true;
}

void Red::AvisaChat() {
    if (std::exchange(chatNuevo_, false)) ui_.LlegaMensajeChat();
}

// The last unfinished network game, with this session's address and seat:
// the file may hold others.  A file left damaged (by a crash or a full
// disk) does not take the place of the game in play.
bool Red::CargaRestauracion() {
    const std::string ip = p_.IPAdministrador;
    const Entero puesto = p_.PuestoAdmin;
    CargarEstadoComprobado(p_, FicheroRestauracion);
    if (!p_.CargaCorrecta) return false;
    p_.IPAdministrador = ip;
    p_.PuestoAdmin = puesto;
    if (papel_ == Papel::Cliente && propioAutomatico_) p_.Control[4] = 2;
    return true;
}

// The restore file's state line, when play can resume from the file: a
// damaged one counts as none, and no resume is offered with it.
bool Red::LineaRestauracion(std::string& linea) const {
    const std::string ruta = p_.Carpeta + FicheroRestauracion;
    std::string contenido;
    return LeeFichero(ruta, contenido) == 0 && LeePartidaComprobada(p_, contenido) &&
           PrimeraLineaDeEstado(ruta, linea);
}

void Red::ReanudaPartida() {
    p_.EsperandoTirada = false;
    p_.EsperandoFicha = false;
    ui_.ActualizaControles();
    ui_.ActualizaLista();
    if (!p_.PartidaIniciada) p_.TextoTurno.clear();   // no turn to announce any more
    ui_.PresentaPartida();
    RetrocederTurno(p_);
    if (p_.PartidaIniciada) JuegaPartida(p_, ui_);
}

void Red::Aplaza(const std::string& mensaje) {
    if (bytesPendientes_ + mensaje.size() > LimiteCola) return;
    bytesPendientes_ += mensaje.size();
    pendientes_.push_back(mensaje);
}

}  // namespace parchis
