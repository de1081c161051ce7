// Building small board positions by hand for the rules' tests.
#pragma once

#include <tuple>

#include "core/configuracion.h"
#include "core/partida.h"

namespace parchis::prueba {

// A record holding the program's default settings, nothing else.
inline Partida RegistroPorDefecto() {
    Partida p;
    AplicaValoresPorDefecto(p);
    return p;
}

// Four active seats, every piece in its box, Turno 1, default rules.
Partida PartidaVacia(int numFichas = 4);

// Takes piece k of seat j out of its box onto square s, in the first empty
// slot (or at home, counted in EnCasa, without a slot).
void Pon(Partida& p, int j, int k, int s);

// The same into a chosen slot, to build the uncompacted layouts a square can
// reach (slot 1 empty, slot 2 occupied).
void PonEnHueco(Partida& p, int j, int k, int s, int hueco);

// The board as the log moves it: pieces, squares, boxes, homes and the
// next piece out of each box, for comparing two positions at once.
inline auto Tablero(const Partida& p) {
    return std::tuple(p.Fichas, p.Casillas, p.EnEspera, p.EnCasa, p.SiguienteSalida);
}

// Appends a log entry as the move being made would be recorded, and moves
// NumJugada past it.
void Anota(Partida& p, const Jugada& e);

}  // namespace parchis::prueba
