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
// SiguienteSalida.  Entries of kinds 1 and 2 change nothing.
void AvanzaJugada(Partida& p, int n);

// Undoes log entry n, which must be the last entry played forward.
void RetrocedeJugada(Partida& p, int n);

}  // namespace parchis
