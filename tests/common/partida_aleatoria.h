// Whole games of random legal moves, recorded in the move log the way the
// turn engine records them: one entry per counted value, a kind-6 entry right
// after every capture, bonus counts of 20 and 10 as kind-5 entries, the
// two-piece and counting first exits (kinds 8, 9, 10), cannot-move entries
// (kinds 1, 2) and the third-six penalty (kind 11).  Each entry is played on
// the board with AvanzaJugada as soon as it is recorded.
//
// The choice of move is random among the pieces FichasMovibles allows for a
// random unused value of the throw; it is not the computer player.
#pragma once

#include <functional>
#include <random>

#include "core/partida.h"

namespace parchis::prueba {

// Random house rules, direction and activated seats (at least two), with
// NumFichas following FichasPorJugador.
void ReglasAleatorias(Partida& p, std::mt19937& azar);

// Board reset for a new game and Turno on a random activated seat.
void EmpiezaPartida(Partida& p, std::mt19937& azar);

// Called after entry n has been recorded and played forward.
using TrasJugada = std::function<void(Partida& p, int n)>;

// Plays until a seat has every piece home (returns true) or until
// `maxEntradas` entries have been recorded (returns false).  At the end
// NumJugada is one past the last entry recorded.
bool JuegaPartidaAleatoria(Partida& p, std::mt19937& azar, int maxEntradas, const TrasJugada& tras = {});

}  // namespace parchis::prueba
