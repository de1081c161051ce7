#include "core/partida.h"

namespace parchis {

void CuentaJugadores(Partida& p) {
    p.NumJugadores = 0;
    for (int j = 1; j <= 4; ++j)
        if (p.Estado[j] == 1) ++p.NumJugadores;
}

void RefrescaSalida(Partida& p, int jugador) {
    for (int k = 1; k <= PiezasDe(p); ++k)
        if (p.Fichas[jugador][k] == 0) {
            p.SiguienteSalida[jugador] = static_cast<Entero>(k);
            return;
        }
}

void AseguraLog(Partida& p, int n) {
    // Grows when n reaches the upper bound, as the log always has.
    while (n >= static_cast<int>(p.Jugadas.size()) - 1)
        p.Jugadas.resize(p.Jugadas.size() + CrecimientoLog);
}

void VaciaTablero(Partida& p) {
    for (int j = 1; j <= 4; ++j) {
        p.EnEspera[j] = p.NumFichas;
        p.EnCasa[j] = 0;
        p.SiguienteSalida[j] = 1;
        p.Fichas[j].fill(0);
    }
    p.Casillas.fill(Casilla{});
}

void ReiniciaTablero(Partida& p) {
    VaciaTablero(p);
    p.NumJugada = 0;
    p.Repeticiones = 0;
    p.Jugadas.assign(CrecimientoLog + 1, Jugada{});
}

}  // namespace parchis
