// The main window's commands that start, advise on or leave a game: what
// each asks the person and what it sets going.
#pragma once

namespace parchis {

class Interfaz;
class Mesa;

// Button 0 (and any key with no game under way): a new game, after asking
// when one is under way.  Returns when that game is over or interrupted.
void OrdenNuevaPartida(Mesa& mesa, Interfaz& ui);

// Button 3: the computer's suggestion for the person choosing a piece.
void OrdenTutor(Mesa& mesa, Interfaz& ui);

// Button 7 and the window's close box: the exit command of the game flow,
// then, when it agrees, the window closes and the program ends.
void OrdenSalir(Mesa& mesa, Interfaz& ui);

}  // namespace parchis
