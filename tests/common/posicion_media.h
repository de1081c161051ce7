// Positions of games under way, for the analysis's tests and benchmark: a
// new game of computer seats played by the engine from a seed, stopped at
// the start of a throw.
#pragma once

#include "core/partida.h"

namespace parchis::prueba {

// Plays a new game with the rules and seats of `reglas` (every seat played
// by the computer) until the throw of move `jugada` or the first throw
// after it is about to be made, and returns the record there, as the
// engine leaves it while it waits for that throw.  A game that ends first
// comes back with PartidaIniciada false.
Partida PosicionMedia(Partida reglas, unsigned semilla, int jugada);

}  // namespace parchis::prueba
