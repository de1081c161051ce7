// The computer player's choice of move for the seat whose turn it is.
#pragma once

#include <functional>

#include "core/partida.h"

namespace parchis {

// Seconds on a monotonic clock; the search's 40-second guard reads it.
// Tests pass their own clock to make a search "take" longer.
using RelojBusqueda = std::function<double()>;

inline constexpr const char* TituloPartidaCompleja = "Partida compleja";
extern const char* const TextoPartidaCompleja;

// Fills JugadaElegida and the prompt facts (NumFichasMovibles,
// NumValoresDesglose, DesgloseObligado, PuedeSacar, SacarObligado,
// HayCapturaPosible, Destinos).  The record is otherwise left exactly as it
// was.  Returns true when this search is the third of the game cut short by
// the time guard: the caller then shows the "Partida compleja" message.
bool EligeJugada(Partida& p, const RelojBusqueda& reloj = {});

}  // namespace parchis
