// Start and end of a run of the program: the data folder, the screen check,
// the random generator, the configuration and the resumption of a game left
// unfinished; and leaving, which postpones the game under way into the
// configuration file.
#pragma once

#include <string>

#include "core/partida.h"
#include "flow/interfaz.h"

namespace parchis {

inline constexpr const char* FicheroAnterior = "ZRVEL34.ARE";
inline constexpr const char* TituloPrograma = "Parchís 1.0";

// The start-up sequence.  Returns false when the program must end: another
// copy of it runs on the same data folder (nothing is touched), or the user
// chose to end it at the screen check.  When the configuration holds a postponed
// game, that game is played before Arranque returns.
bool Arranque(Partida& p, Interfaz& ui, const std::string& carpetaPrograma);

// The screen check: nothing happens on a screen 800 pixels wide or more;
// otherwise the offer to switch to 800x600 and its outcome.  Returns false
// when the user chose to end the program.
bool CompruebaPantalla(Interfaz& ui);

// The exit command.  Returns true when the program must end: the game under
// way, if any, is postponed into the configuration file (outside network
// play) and any waiting engine is released.
bool SalirDelPrograma(Partida& p, Interfaz& ui);

// Brings a game under way back to the start of its current throw, so that
// the resumed game throws again with the same seat: the moves already made
// with that throw are undone and Repeticiones is what it was before it.
void VuelveAlInicioDeTirada(Partida& p, Interfaz& ui);

// Writes the settings to the configuration file now, with what the exit
// would keep of the game under way: outside network play the game, back at
// the start of its throw (the record itself is left as it is); in network
// play, or when the game is about to be replaced, no game.  False when the file could not be written.
bool GuardaAjustes(const Partida& p);

// Repetitions of Turno before the throw of move NumJugada: those recorded
// with the entry before it when that entry is of the same turn, else none
// (the turn before may have ended on a second six with no entry after it).
Entero RepeticionesAnteriores(const Partida& p);

}  // namespace parchis
