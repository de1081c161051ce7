// Which values a throw gives, which pieces may count them, where they land,
// captures and barriers, and applying a move to the board data.  Every
// operation works for the seat whose turn it is (Turno) unless given a seat.
#pragma once

#include <array>

#include "core/partida.h"

namespace parchis {

// Fills ValoresCuenta, ModoValores, ValorCuenta (and Dado2 = 0 with one die).
void CalculaValores(Partida& p);

// A further value of the same throw is counted: ValorCuenta and IndiceValor
// become the first split value not yet used, so nothing (a compulsory exit
// above all) reads the value already counted as if it were still there.
// Leaves them alone when no split value is left.
void SiguienteValor(Partida& p);

bool EsBarrera(const Partida& p, int casilla);
bool ComeFicha(const Partida& p, int jugador, int casilla);

// Whether a piece of `jugador` on `posicion` can count `valor`; sets
// CasillaDestino (or -1).  ficha = 0 means "any piece" (no piece checks).
// A value below 1, a seat outside 1..4 or a position outside 0..100 (a
// damaged file) cannot move.
bool PuedeMover(Partida& p, int jugador, int valor, int posicion, int ficha = 0);

// Fills FichaMovible for Turno and the value, with NumBarreras,
// FichasBarrera, AbrirBarrera and possibly ComerObligado (which it sets but
// never clears).  Pieces outside the range examined are left not movable.
// `destinos`, when given, receives each examined piece's CasillaDestino for
// the value (-1 when it cannot count it), movable or not; 0 elsewhere.
// `calculados`, when given, holds each piece's CasillaDestino for the value
// as PuedeMover gives it on this same board (DestinosFichas): the moves are
// not checked again.  Without `barreras` the caller reads FichaMovible,
// AbrirBarrera and the destinations alone (the computer player's search):
// NumBarreras and FichasBarrera are then worked out only where they decide
// which pieces move, and otherwise left empty.
void FichasMovibles(Partida& p, int valor, int ficha = 0,
                    std::array<Entero, MaxFichas + 1>* destinos = nullptr,
                    const std::array<Entero, MaxFichas + 1>* calculados = nullptr, bool barreras = true);

// Each piece's CasillaDestino for the value (-1 when it cannot count it),
// pieces 1..PiezasDe(p) of Turno; 0 elsewhere.
void DestinosFichas(Partida& p, int valor, std::array<Entero, MaxFichas + 1>& destinos);

// Moves piece `ficha` of Turno from `origen` to `destino` with any capture
// completed at once (the computer player's simulation).  Sets Bonificacion
// and JugadorComido, and refreshes SiguienteSalida of the mover and of the
// captured seat.  A piece reaching home takes no slot.  A destination
// outside 1..100 (or a bad seat or piece) changes nothing.
void AplicaJugada(Partida& p, int origen, int destino, int ficha);

}  // namespace parchis
