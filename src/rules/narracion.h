// The log entry of the move being made, with its outcome code (Detalle) as
// recorded and told in the move list.
#pragma once

#include "core/partida.h"

namespace parchis {

// Outcome 0..7 of the move being made by Turno (TipoJugada, CasillaOrigen,
// CasillaFinal and the compulsory flags), evaluated before the move is
// applied to the board.
int DetalleJugada(const Partida& p);

// The log entry of the move being made by Turno: its fields, the repetitions
// (3 recorded as 0), the start-of-throw mark and the outcome; a captured
// piece's return (kind 6) is entered under the captured seat with Turno as
// author, a manual move (kind 7) with no dice or value.
Jugada EntradaJugada(const Partida& p);

}  // namespace parchis
