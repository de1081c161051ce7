#include "ui/mainwindow/ordenes.h"

#include <cstdio>

#include "core/configuracion.h"
#include "flow/interfaz.h"
#include "flow/jugada.h"
#include "flow/persona.h"
#include "flow/sorteo.h"
#include "rules/registro.h"
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
const char* const TituloSalir = "Salir del programa";
const char* const TextoGrabadora =
    "Tiene que apagar la  Grabadora  de  jugadas  antes de poder abandonar el programa.";
const char* const PreguntaSalirRed = "¿Desea salir del programa y abandonar la partida en red?";
const char* const TituloPosponer = "Posponer la partida en juego";
const char* const PreguntaPosponer =
    "¿Desea abandonar el programa para continuar en otro momento la partida que está jugando?";
const char* const FicheroAnteriorRed = "ZRVEL34.ARE";

// The moves of the current throw are undone, so that the postponed game
// starts again with that throw.
void RebobinaTirada(Partida& p, Interfaz& ui) {
    while (p.NumJugada > 1 && p.NumJugada < static_cast<int>(p.Jugadas.size()) &&
           p.Jugadas[p.NumJugada].InicioTirada == 0) {
        --p.NumJugada;
        RetrocedeJugada(p, p.NumJugada);
        ui.MuestraJugada(p.NumJugada, false);
    }
    if (p.NumJugada >= 2) p.Repeticiones = p.Jugadas[p.NumJugada - 1].Repeticiones;
}

}  // namespace

void OrdenNuevaPartida(Mesa& mesa, Interfaz& ui) {
    Partida& p = mesa.Juego();
    if (p.JugarEnRed && p.ModoRed == 2) {
        ui.Mensaje(TituloRed, TextoClienteNueva, 3, 1, 5100);
        return;
    }
    if (p.PartidaIniciada &&
        ui.Mensaje("Abandonar la partida actual",
                   "¿Desea abandonar la partida que está jugando para comenzar una nueva partida?",
                   2, 2, 0) != Aceptar)
        return;
    if (p.JugarEnRed && p.ModoRed == 1) ui.EnviaRed("ZRA3408", 0);
    NuevaPartida(p, ui);
}

void OrdenTutor(Mesa& mesa, Interfaz& ui) {
    Partida& p = mesa.Juego();
    if (p.JugarEnRed) {
        ui.Mensaje(TituloRed, TextoTutorRed, 3, 1, 5100);
        return;
    }
    if (p.EsperandoFicha && p.JugadaElegida.Ficha != 0) MuestraSugerencia(p, ui);
}

void SalirDelPrograma(Mesa& mesa, Interfaz& ui) {
    Partida& p = mesa.Juego();
    if (ui.GrabadoraEncendida()) {
        ui.Mensaje(TituloSalir, TextoGrabadora, 2, 1, 2300);
        return;
    }
    if (p.PartidaIniciada) {
        const int r = p.JugarEnRed ? ui.Mensaje(TituloSalir, PreguntaSalirRed, 2, 2, 5100)
                                   : ui.Mensaje(TituloPosponer, PreguntaPosponer, 2, 2, 0);
        if (r != Aceptar) return;
    }
    if (!p.JugarEnRed) {
        if (p.PartidaIniciada && !p.TiradaNueva) RebobinaTirada(p, ui);
        if (p.EsperandoFicha && p.Repeticiones >= 1) --p.Repeticiones;
        GuardarConfiguracion(p);
    }
    ui.CierraRed();
    std::remove((p.Carpeta + FicheroAnteriorRed).c_str());
    mesa.Sal();
}

}  // namespace parchis
