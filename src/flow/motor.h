// The turn engine: the loop that plays a game from the record, seat after
// seat, throw after throw, until a seat has every piece home or another
// command ends the game by clearing PartidaIniciada.
#pragma once

#include "core/partida.h"
#include "flow/interfaz.h"

namespace parchis {

inline constexpr const char* TituloTresSeises = "Ha sacado 3 seises";
inline constexpr const char* TituloTresDobles = "Ha sacado 3 dobles";

// Move numbers are written with four digits: a game stops before its log
// could pass 9999 entries.  Some rule sets allow positions from which no
// seat can ever finish (two dice added, where a double counts more than 2,
// and pieces two squares from home); such a game ends there.
inline constexpr int MaxJugadas = 9999;
inline constexpr const char* TituloLimite = "Límite de jugadas";
extern const char* const TextoLimite;

// Runs the game from the state in the record.  Returns when the game is over,
// when PartidaIniciada has become false (a new game was started meanwhile,
// whose own engine ran inside one of this one's waits) or when the program
// is being left.
void JuegaPartida(Partida& p, Interfaz& ui);

// The engine's finish: the game is no longer under way.
void TerminaPartida(Partida& p, Interfaz& ui);

}  // namespace parchis
