// The outcome code (Detalle) of the move being made, as recorded in its log
// entry and told in the move list.
#pragma once

#include "core/partida.h"

namespace parchis {

// Outcome 0..7 of the move being made by Turno (TipoJugada, CasillaOrigen,
// CasillaFinal and the compulsory flags), evaluated before the move is
// applied to the board.
int DetalleJugada(const Partida& p);

}  // namespace parchis
