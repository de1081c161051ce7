#include "ui/mainwindow/ordenes.h"

#include "flow/arranque.h"
#include "flow/interfaz.h"
#include "flow/persona.h"
#include "flow/sorteo.h"
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

void OrdenSalir(Mesa& mesa, Interfaz& ui) {
    if (SalirDelPrograma(mesa.Juego(), ui)) mesa.Sal();
}

}  // namespace parchis
