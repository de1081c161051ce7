#include "ui/mainwindow/ordenes.h"

#include <utility>

#include "core/estado.h"

#include "flow/arranque.h"
#include "flow/comprobacion.h"
#include "flow/interfaz.h"
#include "flow/persona.h"
#include "flow/motor.h"
#include "flow/sorteo.h"
#include "net/red.h"
#include "rules/tablero.h"
#include "ui/mainwindow/mesa.h"

namespace parchis {

namespace {

const char* const TituloRed = "Partida en red";
const char* const TextoClienteNueva =
    "Cuando se juega una partida en red en modo Cliente  no  se  puede  comenzar una nueva "
    "partida,  ya  que esta posibilidad sólo la tiene el Administrador de la misma.";
const char* const TextoTutorRed =
    "Cuando se juega una partida en red no puede utilizar el  Tutor de Juego  ninguno de los "
    "jugadores.";

// Pieces moved or dice chosen by hand belonged to the game left.
void ComienzaPartida(Mesa& mesa, Interfaz& ui) {
    mesa.TerminaModoManual();
    mesa.OcultaListaDados();
    NuevaPartida(mesa.Juego(), ui);
}

}  // namespace

void OrdenNuevaPartida(Mesa& mesa, Interfaz& ui) {
    Partida& p = mesa.Juego();
    if (p.JugarEnRed && p.ModoRed == 2) {
        ui.Mensaje(TituloRed, TextoClienteNueva, 4, 1, 5100);
        return;
    }
    if (p.PartidaIniciada &&
        ui.Mensaje("Abandonar la partida actual",
                   "¿Desea abandonar la partida que está jugando para comenzar una nueva partida?",
                   2, 2, 0) != Aceptar)
        return;
    if (p.JugarEnRed && p.ModoRed == 1) ui.EnviaRed("ZRA3408", 0);
    ComienzaPartida(mesa, ui);
}

void OrdenTutor(Mesa& mesa, Interfaz& ui) {
    Partida& p = mesa.Juego();
    if (p.JugarEnRed) {
        ui.Mensaje(TituloRed, TextoTutorRed, 3, 1, 5100);
        return;
    }
    if (p.EsperandoFicha && p.JugadaElegida.Ficha != 0) MuestraSugerencia(p, ui);
}

namespace {

// The game the record now holds (a loaded one, or the situation before
// network play) is shown and played on from its throw; the game that was
// waiting finishes when control comes back to it.
void ReanudaPartida(Mesa& mesa, Interfaz& ui) {
    Partida& p = mesa.Juego();
    if (!p.PartidaIniciada) {
        // No game to go on with: nobody's turn is announced any more.
        p.TextoTurno.clear();
        ui.MuestraMensaje("");
        return;
    }
    // The waiting engine must not act on the loaded record's flags.
    p.EsperandoTirada = false;
    p.EsperandoFicha = false;
    mesa.TerminaModoManual();
    mesa.OcultaListaDados();
    ui.ActualizaControles();
    ui.ActualizaLista();
    ui.PresentaPartida();
    RetrocederTurno(p);
    JuegaPartida(p, ui);
}

// A remote player the person took off in the player settings leaves the
// table: its connection closes as a drop does, without the question, and
// the seat goes on played by the computer.
void DesconectaRetirados(Mesa& mesa) {
    Red* red = mesa.RedDeJuego();
    const Partida& p = mesa.Juego();
    for (int j = 1; j <= 3 && red && p.JugarEnRed && p.ModoRed == 1; ++j) {
        if (!red->Conectado(j) || p.Control[j] == 3) continue;
        red->PonDesconexionVoluntaria(true);
        red->AlCerrar(j);
        red->PonDesconexionVoluntaria(false);
    }
}

// What the settings windows leave asked when they close.
void AtiendePeticiones(Mesa& mesa, Interfaz& ui) {
    Partida& p = mesa.Juego();
    const bool restaurar = std::exchange(p.PedirRestaurarAnterior, false);
    bool nueva = std::exchange(p.PedirNuevaPartida, false);
    const bool inicioRed = std::exchange(p.PedirInicioRed, false);
    if (restaurar) {
        CargarEstadoComprobado(p, FicheroAnterior);
        if (p.CargaCorrecta) ReanudaPartida(mesa, ui);
        return;
    }
    if (inicioRed && mesa.RedDeJuego()) {
        // The start of network play decides whether a new game follows: the
        // administrator's choice not to resume, or the one it sent.  Every
        // computer then starts it, with or without a game before: the others
        // wait for this one's throws.
        p.PedirNuevaPartida = nueva;
        mesa.RedDeJuego()->IniciarRed();
        if (std::exchange(p.PedirNuevaPartida, false) && p.JugarEnRed) ComienzaPartida(mesa, ui);
        return;
    }
    if (!nueva || !p.PartidaIniciada) return;
    if (p.JugarEnRed && p.ModoRed == 1) ui.EnviaRed("ZRA3408", 0);
    ComienzaPartida(mesa, ui);
}

}  // namespace

void OrdenVentana(Mesa& mesa, Interfaz& ui, int boton) {
    const VentanasMesa& v = mesa.Ventanas();
    const std::function<void()>* ventana = boton == 1   ? &v.Jugadores
                                           : boton == 2 ? &v.Reglas
                                           : boton == 4 ? &v.Estadisticas
                                           : boton == 5 ? &v.Historico
                                           : boton == 8 ? &v.Mensajes
                                                        : nullptr;
    if (!ventana || !*ventana) return;
    (*ventana)();
    if (boton == 1) DesconectaRetirados(mesa);
    if (boton == 1 || boton == 2) AtiendePeticiones(mesa, ui);
}

void OrdenPartidas(Mesa& mesa, Interfaz& ui, ModoPartidas modo) {
    if (!mesa.Ventanas().Partidas || !mesa.Ventanas().Partidas(modo)) return;
    if (modo == ModoPartidas::Cargar) ReanudaPartida(mesa, ui);
}

void OrdenSalir(Mesa& mesa, Interfaz& ui) {
    if (SalirDelPrograma(mesa.Juego(), ui)) mesa.Sal();
}

}  // namespace parchis
