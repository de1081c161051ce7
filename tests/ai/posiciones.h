// Positions at which the turn engine asks the computer player for a move,
// taken from whole random games: a new throw, a later value of a throw, a
// bonus count of 20 or 10, the second piece of a two-piece exit.  The seat's
// level and character are drawn at random before each of them.
#pragma once

#include <functional>
#include <random>
#include <vector>

#include "core/partida.h"

namespace parchis::prueba {

using AjusteReglas = std::function<void(Partida&, std::mt19937&)>;

// `cuantas` positions from games whose rules `reglas` sets (random house
// rules when empty).  `filtro`, when given, keeps only the positions it
// accepts (it may also adjust them).
std::vector<Partida> PosicionesDeDecision(std::mt19937& azar, int cuantas, const AjusteReglas& reglas = {},
                                          const std::function<bool(Partida&, std::mt19937&)>& filtro = {});

// A new throw of the seat to move with the given dice.
void NuevaTirada(Partida& p, int dado1, int dado2);

}  // namespace parchis::prueba
