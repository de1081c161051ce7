// The main window's commands: what each button and each entry of the
// options selector asks the person and what it sets going.
#pragma once

#include <functional>

#include "flow/partidas_guardadas.h"

namespace parchis {

class Interfaz;
class Mesa;

// The windows that other parts of the program provide, opened modally from
// the main window.  The program wires each once at start-up; a button whose
// window is not wired shows as unavailable and does nothing.
struct VentanasMesa {
    std::function<void()> Jugadores;      // button 1: player settings
    std::function<void()> Reglas;         // button 2 and the opening draw: rules settings
    std::function<void()> Estadisticas;   // button 4
    std::function<void()> Historico;      // button 5
    std::function<void()> Mensajes;       // button 8: the network chat
    // The saved-games dialog; true when it has loaded a game into the record.
    std::function<bool(ModoPartidas)> Partidas;
};

// Button 0 (and any key with no game under way): a new game, after asking
// when one is under way.  Returns when that game is over or interrupted.
void OrdenNuevaPartida(Mesa& mesa, Interfaz& ui);

// Button 3: the computer's suggestion for the person choosing a piece.
void OrdenTutor(Mesa& mesa, Interfaz& ui);

// Buttons 1, 2, 4, 5 and 8: the window of button i, when it is wired.
// After the settings windows, what they asked for: the situation before
// network play restored, or a new game.
void OrdenVentana(Mesa& mesa, Interfaz& ui, int boton);

// The selector's first three entries: the saved-games dialog.  A game it
// loads is shown and played from its throw; the game that was waiting
// finishes when control comes back to it.
void OrdenPartidas(Mesa& mesa, Interfaz& ui, ModoPartidas modo);

// Button 7 and the window's close box: the exit command of the game flow,
// then, when it agrees, the window closes and the program ends.
void OrdenSalir(Mesa& mesa, Interfaz& ui);

}  // namespace parchis
