// Games set up by hand for the flow's tests.
#pragma once

#include <string>

#include "common/carpeta_temporal.h"
#include "core/partida.h"

namespace parchis::prueba {

// Default players and rules, every seat played by the computer, no pauses,
// every piece in its box, a game under way with no move made yet.
Partida PartidaEnJuego(int numDados = 1, int numFichas = 4);

// Makes seat j the next to throw: the engine advances Turno and NumJugada
// before its first throw, so both are set one step back.
void TurnoDe(Partida& p, int jugador);

// A game played by the engine (two dice) and postponed into the
// configuration file of `carpeta` as the exit command does, at its first
// throw from move 30 on.  With `aMano`, a piece of seat 1 is first moved by
// hand, as the board's manual mode does, at move 10 and at move 20.
void PospuestaDeVerdad(const std::string& carpeta, bool aMano);

// A log entry in one line, for comparing several fields at once:
// "j<seat> a<author> t<kind> f<piece> v<value> <from>-><to> r<repeats>
// i<throw start> d<detail>".
std::string Resumen(const Jugada& e);

}  // namespace parchis::prueba
