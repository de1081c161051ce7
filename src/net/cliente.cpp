// The client: it connects to the administrator (trying again without end
// until it answers or network play is switched off), takes the seat it is
// given, tells which unfinished game it could resume, waits for the start
// of play and then follows the administrator's messages.
//
// A new game from the administrator (code 08) may come in the same read
// as the last moves of the game under way.  Emptying the queue at once
// would lose that game's end, so while the game still has queued entries
// the 08 and everything after it wait, and Atiende runs them once the
// engine has taken those entries.
#include "core/codificacion.h"
#include "core/estado.h"
#include "flow/arranque.h"
#include "flow/comprobacion.h"
#include "flow/motor.h"
#include "flow/red.h"
#include "flow/sorteo.h"
#include "net/instantanea.h"
#include "net/puertos.h"
#include "net/red.h"
#include "net/textos_red.h"
#include "rules/tablero.h"

namespace parchis {

namespace {

// A new game from the administrator waits while the game under way still
// has queued moves to take, or has just been won and is being closed (the
// winner's message, the history question): started inside those, it would
// leave the closing game's points and history to the new game's record.
bool NuevaEspera(const Partida& p) {
    if (!p.PartidaIniciada) return false;
    const bool ganada = p.Turno >= 1 && p.Turno <= 4 && p.EnCasa[p.Turno] == p.NumFichas;
    return ganada || !p.ColaRed.empty();
}

// A refused or failed attempt is repeated at this pace, not as fast as the
// refusals come back.
constexpr double PausaReintento = 0.5;

std::string Codigo(const std::string& mensaje) { return mensaje.substr(LargoPrefijo, 2); }

}  // namespace

void Red::IniciaCliente() {
    aceptado_ = false;
    ConectaConAdministrador();
    if (!p_.JugarEnRed) return;
    EsperaSegundos(0.7);
    ui_.OcultaEsperaRed();
    while (p_.JugarEnRed && !aceptado_) {
        if (Cabeza(p_, "03") == 0) {
            const char puesto = p_.ColaRed[2];
            p_.ColaRed.erase(0, 3);
            if (puesto >= '1' && puesto <= '3') {
                p_.PuestoAdmin = static_cast<Entero>(puesto - '0');
                aceptado_ = true;
            }
            continue;
        }
        ui_.Espera();
    }
    if (!p_.JugarEnRed) return;
    EnviaMarca();
    EsperaInicio();
    if (!p_.JugarEnRed) return;
    EsperaSegundos(0.5);
    ui_.OcultaEsperaRed();
    ui_.ActualizaControles();
    if (!p_.JugarEnRed || p_.PedirNuevaPartida) return;
    if (CargaRestauracion())
        ReanudaPartida();
    else
        TerminarRed();   // nothing to follow the administrator's game with
}

void Red::ConectaConAdministrador() {
    const auto conecta = [this] {
        if (conexiones_.Estado(0) != EstadoSocket::Cerrado) conexiones_.Cierra(0);
        ultimoIntento_ = ui_.Reloj();
        conexiones_.Conecta(p_.IPAdministrador, PuertoAdministrador(), PuertoCliente(p_.MiPuerto));
    };
    conecta();
    for (;;) {
        const EstadoSocket estado = conexiones_.Estado(0);
        if (!p_.JugarEnRed || estado == EstadoSocket::Conectado) return;
        if (estado != EstadoSocket::Conectando && ui_.Reloj() - ultimoIntento_ >= PausaReintento) conecta();
        MuestraEspera(TituloConectando, TextoConectando, 5);
        ui_.Espera();
    }
}

// The restore file counts only when it was written at the seat given now.
void Red::EnviaMarca() {
    std::string marca = MarcaClienteSinFichero;
    std::string linea;
    if (LineaRestauracion(linea) && linea.size() >= 855 &&
        linea[854] == static_cast<char>('0' + p_.PuestoAdmin))
        marca = Utf8DesdeWindows1252(MarcaDeLinea(linea));
    Envia(TextoMarca(marca), 0);
    ReiniciaReloj();
}

void Red::EsperaInicio() {
    while (p_.JugarEnRed && esperandoConexiones_) {
        MuestraEspera(TituloJuegoRed, TextoConectado, 6);
        if (Cabeza(p_, "02") == 0) {
            p_.PedirNuevaPartida = p_.ColaRed[2] == '1';
            esperandoConexiones_ = false;
            p_.ColaRed.erase(0, 3);
            continue;
        }
        ui_.Espera();
    }
}

void Red::RecibeDeAdministrador(const std::string& mensaje) {
    const std::string codigo = Codigo(mensaje);
    if (codigo == "20") {
        LlegaChat(mensaje);
        return;
    }
    if (!pendientes_.empty() || (codigo == "08" && NuevaEspera(p_))) {
        Aplaza(mensaje);
        return;
    }
    if (codigo == "11") {
        if (AplicarInstantanea(p_, mensaje.substr(LargoCabecera), propioAutomatico_)) ui_.ActualizaControles();
    } else if (codigo == "08") {
        p_.ColaRed.clear();
        nuevaPartida_ = true;
    } else {
        AnadeACola(mensaje);
    }
}

void Red::Atiende() {
    if (papel_ != Papel::Cliente || pendientes_.empty() || !p_.JugarEnRed) return;
    if (NuevaEspera(p_)) return;
    std::vector<std::string> lista;
    lista.swap(pendientes_);
    bytesPendientes_ = 0;
    for (const std::string& m : lista) RecibeDeAdministrador(m);
    EmpiezaNuevaPartida();
}

// A whole game, played inside the event or the wait that got here; the
// game it interrupts finds PartidaIniciada false when it resumes.  That
// game is over from here on: the new game's draw is no turn of it (the
// draw's throws are told as the draw's, not as that game's).
void Red::EmpiezaNuevaPartida() {
    if (!nuevaPartida_) return;
    nuevaPartida_ = false;
    if (!p_.JugarEnRed) return;
    p_.PartidaIniciada = false;
    NuevaPartida(p_, ui_);
}

void Red::CierraAdministrador() {
    const bool aceptado = aceptado_;
    TerminarRed();
    if (!aceptado) {
        ui_.Mensaje(TituloJuegoRed, TextoRechazado, 3, 1, AyudaRed);
        VuelveASituacionAnterior();
        return;
    }
    if (ui_.Mensaje(TituloJuegoRed, TextoCorteAdministrador, 5, 2, AyudaRed) == Aceptar) {
        ui_.AbreAjustesJugadores();
        return;
    }
    if (ui_.Mensaje(TituloRestaurar, PreguntaRestaurar, 5, 2, AyudaRed) == Aceptar)
        VuelveASituacionAnterior();
    else
        NuevaPartida(p_, ui_);
}

void Red::VuelveASituacionAnterior() {
    CargarEstadoComprobado(p_, FicheroAnterior);
    if (p_.CargaCorrecta) ReanudaPartida();
}

}  // namespace parchis
