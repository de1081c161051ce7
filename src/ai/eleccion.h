// The computer player's choice of move for the seat whose turn it is.
#pragma once

#include <array>
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
//
// With `moviles`, the choice also keeps there what FichasMovibles(p,
// p.ValorCuenta) leaves on the record when its search worked that out on
// the same board, for FichasMoviblesCuenta.
struct MovilesCuenta;
bool EligeJugada(Partida& p, const RelojBusqueda& reloj = {}, MovilesCuenta* moviles = nullptr);

// The rules' results of FichasMovibles for one value on the board a choice
// started from: every field the call writes, as it left them.
struct MovilesCuenta {
    bool Sabidas = false;        // the choice worked them out
    Entero Valor = 0;
    std::array<bool, MaxFichas + 1> FichaMovible{};
    Entero NumBarreras = 0;
    std::array<Entero, MaxFichas + 1> FichasBarrera{};
    bool AbrirBarrera = false;
    bool ComerObligado = false;  // the call set it (it never clears it)
    Entero CasillaDestino = -1;
};

// FichasMovibles(p, p.ValorCuenta) right after EligeJugada(p, reloj,
// &moviles) on the same record: what the choice kept, when it kept it for
// that value, or the rules asked again.
void FichasMoviblesCuenta(Partida& p, const MovilesCuenta& moviles);

// Gives the player's search memory (some 10 MB, kept for the thread's
// life) its room and pages now, so that the first heavy choice does not
// wait for them: with two dice that took it from 17 to 75 ms.
void PreparaMemoriaJugador();

}  // namespace parchis
