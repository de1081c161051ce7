// The board's numbering: seats, exit squares, corridors, homes, safe squares,
// the colours of the seats and the order of turns.  The numbering never
// changes; direction and colour rotation only change turn order and colours.
#pragma once

#include <array>

#include "core/partida.h"

namespace parchis {

// Per-seat tables, element 0 unused.
inline constexpr int CasillaSalida[5] = {0, 56, 39, 22, 5};
inline constexpr int CasillaEntrada[5] = {0, 51, 34, 17, 68};
inline constexpr int CasillaCasa[5] = {0, 100, 92, 84, 76};
inline constexpr int Companero[5] = {0, 3, 4, 1, 2};

// One step along the path of `jugador`: the ring of 68 squares (seat 4 goes
// on from 68 into its corridor) and each seat's turn into its corridor.
constexpr int UnPaso(int jugador, int casilla) {
    ++casilla;
    if (jugador != 4 && casilla == 69) casilla = 1;
    if (jugador == 3 && casilla == 18) casilla = 77;
    else if (jugador == 2 && casilla == 35) casilla = 85;
    else if (jugador == 1 && casilla == 52) casilla = 93;
    return casilla;
}

// UnPaso of every seat 1..4 from every square 0..NumCasillas: the move
// checks step square by square millions of times per choice.
inline constexpr auto TablaPasos = [] {
    std::array<std::array<Entero, NumCasillas + 1>, 5> t{};
    for (int j = 1; j <= 4; ++j)
        for (int s = 0; s <= NumCasillas; ++s) t[j][s] = static_cast<Entero>(UnPaso(j, s));
    return t;
}();

inline int AvanzaUno(int jugador, int casilla) {
    if (jugador >= 1 && jugador <= 4 && casilla >= 0 && casilla <= NumCasillas) return TablaPasos[jugador][casilla];
    return UnPaso(jugador, casilla);
}

// Square reached by a piece of `jugador` on `casilla` moving `n` squares.
// n < 1 leaves the square unchanged.  No stop at home: a result above
// CasillaCasa[jugador] is an overshoot.
inline int AvanzaCasillas(int jugador, int n, int casilla) {
    for (int i = 0; i < n; ++i) casilla = AvanzaUno(jugador, casilla);
    return casilla;
}

// Exit and safe squares (5, 12, 17, 22, 29, 34, 39, 46, 51, 56, 63, 68),
// inline: the computer player asks about squares millions of times a choice.
inline bool EsCasillaSalida(int casilla) {
    return casilla == 5 || casilla == 22 || casilla == 39 || casilla == 56;
}
inline bool EsSeguro(int casilla) {
    if (casilla < 5 || casilla > 68) return false;
    // Exit squares sit at 5 + 17k, the other safe squares 7 and 12 further on.
    const int r = (casilla - 5) % 17;
    return r == 0 || r == 7 || r == 12;
}

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
