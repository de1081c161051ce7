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
// HayCapturaPosible, Destinos).  The rules' own effects of a choice also
// stay: SalidaDoble steps through a two-piece exit, ModoValores becomes 0
// when the first piece leaves counting, ValorCuenta becomes 5 for a
// compulsory exit with one die of a pair, and CortesBusqueda counts the
// searches cut by the time guard (the engine resets it at each new game).
// The record is otherwise left exactly as it was, and no file is written.
// Returns true when this search is the third of the game cut short by the
// time guard: the caller then shows TextoPartidaCompleja titled
// TituloPartidaCompleja.  An empty clock means a real monotonic clock.
bool EligeJugada(Partida& p, const RelojBusqueda& reloj = {});

// Gives the player's search memory (some 10 MB, kept for the thread's
// life) its room and pages now, so that the first heavy choice does not
// wait for them: with two dice that took it from 17 to 75 ms.
void PreparaMemoriaJugador();

}  // namespace parchis
