// Waiting on the window thread without spending processor time.
//
// A pause blocks the game's straight-line code but keeps the window alive:
// it runs a nested event loop that lets paints and timers through and holds
// back mouse, keyboard and socket events until the pause is over, so no
// handler runs in the middle of a move.  Every animation is paced by the
// speed-scaled `Pausa`.
#pragma once

namespace parchis {

// Milliseconds per pause unit for a game speed 0..100: ((100 - v) / 50)^1.5,
// squared when above 1, held to four decimals (8 at 0, 1 at 50, 0 at 100).
double FactorPausa(int velocidad);

// Waits ms milliseconds letting only paints and timers through.
void EsperaSinEntrada(double ms);

// Whether such a wait is running now (the code that called it is in the
// middle of something).
bool EnEspera();

// Waits unidades x FactorPausa(velocidad) milliseconds.
void Pausa(int unidades, int velocidad);

}  // namespace parchis
