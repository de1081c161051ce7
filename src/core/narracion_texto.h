// The Spanish text of a log entry in the move list: one or two lines, the
// first carrying the move number.
#pragma once

#include <string>
#include <vector>

#include "core/partida.h"

namespace parchis {

inline constexpr const char* PrincipioPartida = "Principio de la partida";

// Lines of log entry n (1 or 2).
std::vector<std::string> LineasJugada(const Partida& p, int n);

// Appends the lines of entry n to ListaJugadas.
void NarraJugada(Partida& p, int n);

// ListaJugadas made again from the log: the opening line, then entries 1 to
// NumJugada - 1 when a game is under way.
void NarraRegistro(Partida& p);

}  // namespace parchis
