// A digest of a game's log that every computer of a network game shares.
#pragma once

#include <string>

#include "core/partida.h"

namespace parchis::texto {

// The log in the administrator's numbering (a client turns seats and
// squares back): "partida <IdPartida>, <n> jugadas, ganador <seat or 0>,
// <hash>".  `ganador` is a seat in this computer's numbering.  The entries'
// narration detail is left out: only the computer that chose a move knows
// it was forced (a piece that had to come out, a barrier that had to open).
std::string HuellaPartida(const Partida& p, int ganador);

}  // namespace parchis::texto
