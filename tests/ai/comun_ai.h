// Helpers shared by the computer player's tests.
#pragma once

#include <string>

#include "ai/eleccion.h"
#include "core/partida.h"

namespace parchis::prueba {

// A clock that never moves: no search is ever cut.
inline double RelojParado() { return 0; }

// A summary of the choice's outputs, for comparisons that print well.
std::string ResumenEleccion(const Partida& p);

// A rule summary that tells a failing position's conditions.
std::string ResumenReglas(const Partida& p);

}  // namespace parchis::prueba
