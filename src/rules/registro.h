// Playing the move log on the board data: entry n forward, or undone.
//
// A capture is logged as two entries: the capturing move, which puts the
// piece in the first empty slot of its destination next to its victim, and
// the kind-6 entry that follows, which sends the victim to its box and gives
// its slot to the capturer.  Together they leave the board exactly as
// AplicaJugada does.  Undoing an entry restores the board exactly as it was
// before the entry was played forward.
#pragma once

#include "core/partida.h"

namespace parchis {

// Plays log entry n (1..) forward on Fichas, Casillas, EnEspera, EnCasa and
// SiguienteSalida.  Kinds 3, 4, 5, 8, 9, 10 move piece FichaJugada of seat
// Jugador (kind 7: of seat Autor) from CasillaOrigen to CasillaFinal; kind 6
// and kind 11 send it from CasillaOrigen to its box; kinds 1 and 2 change
// nothing.  A piece in the box or at home holds no slot.  The slot the piece
// left and the seat's SiguienteSalida before the move are kept in the
// entry (HuecoOrigen, SalidaAnterior) for the undo.  An entry whose piece is
// not on CasillaOrigen (a damaged log) is skipped.
void AvanzaJugada(Partida& p, int n);

// Undoes log entry n, which must be the last entry played forward.
void RetrocedeJugada(Partida& p, int n);

}  // namespace parchis
