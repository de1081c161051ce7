// The computer player's estimate of a position written plainly, with the
// rules' own functions for every question, for the literal player.
#pragma once

#include "core/partida.h"

namespace parchis::prueba {

int Piezas(const Partida& p);
double Progreso(const Partida& p, int j);

// What stays fixed during a choice: the seat, its partner and standing,
// and the value of every piece before the sequence.
struct Fijos {
    int j, n, socio, posicion;
    bool parejas;
    double valorPieza[5][9];
};
Fijos CalculaFijos(const Partida& p);

struct Sumas {
    double neto = 0, s[4] = {0, 0, 0, 0};
};
// Net values and partial sums of the seat's pieces in position x; a capture
// landing on `excluida` is not counted as a gain.
Sumas SumaFichas(Partida& x, const Fijos& f, int excluida);

bool Resguardada(const Partida& x, const Fijos& f, int pos);
double MediaRivales(const Partida& x, const Partida& estados, const Fijos& f);

}  // namespace parchis::prueba
