// The board's numbering: seats, exit squares, corridors, homes, safe squares,
// the colours of the seats and the order of turns.  The numbering never
// changes; direction and colour rotation only change turn order and colours.
#pragma once

#include "core/partida.h"

namespace parchis {

// Per-seat tables, element 0 unused.
inline constexpr int CasillaSalida[5] = {0, 56, 39, 22, 5};
inline constexpr int CasillaEntrada[5] = {0, 51, 34, 17, 68};
inline constexpr int CasillaCasa[5] = {0, 100, 92, 84, 76};
inline constexpr int Companero[5] = {0, 3, 4, 1, 2};

// Square reached by a piece of `jugador` on `casilla` moving `n` squares.
// n < 1 leaves the square unchanged.  No stop at home: a result above
// CasillaCasa[jugador] is an overshoot.
int AvanzaCasillas(int jugador, int n, int casilla);

// Exit and safe squares (5, 12, 17, 22, 29, 34, 39, 46, 51, 56, 63, 68).
bool EsSeguro(int casilla);
bool EsCasillaSalida(int casilla);

// Squares travelled from the seat's exit square to `posicion`
// (0 in the box or on the exit square, 71 at home).  A position that is
// not on the seat's path (only a damaged file gives one) yields 0.
int Recorrido(int jugador, int posicion);
int CasillasRecorridas(const Partida& p, int jugador, int ficha);

struct ColorRGB {
    int r, g, b;
    bool operator==(const ColorRGB&) const = default;
};
// Colour of a seat under the colour rotation PuestoMesa (0..3).
ColorRGB ColorJugador(int puestoMesa, int jugador);

// +1 for Directo (Sentido 1), -1 for Inverso.
int PasoTurno(const Partida& p);
// Next activated seat after j in playing order (wrapping 5 to 1, 0 to 4).
// With no activated seat at all the walk stops after one round and gives j
// back (a seat number outside 1..4 is first wrapped into it).
int SiguienteJugador(const Partida& p, int j);
// Turno becomes the previous activated seat in playing order.
void JugadorAnterior(Partida& p);
// Turno to the previous activated seat and NumJugada one less (never below
// 0), so that the engine, which advances both before a throw, resumes the
// same throw.
void RetrocederTurno(Partida& p);

}  // namespace parchis
