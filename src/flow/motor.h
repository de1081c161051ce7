// The turn engine: the loop that plays a game from the record, seat after
// seat, throw after throw, until a seat has every piece home or another
// command ends the game by clearing PartidaIniciada.
#pragma once

#include "core/partida.h"
#include "flow/interfaz.h"

namespace parchis {

inline constexpr const char* TituloTresSeises = "Ha sacado 3 seises";
inline constexpr const char* TituloTresDobles = "Ha sacado 3 dobles";

// Runs the game from the state in the record.  Returns when the game is over,
// when PartidaIniciada has become false (a new game was started meanwhile,
// whose own engine ran inside one of this one's waits) or when the program
// is being left.
void JuegaPartida(Partida& p, Interfaz& ui);

// The engine's finish: the game is no longer under way.
void TerminaPartida(Partida& p, Interfaz& ui);

}  // namespace parchis
