// The boards a search reaches from a position, for the tests that walk them.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "core/partida.h"
#include "rules/movimiento.h"

namespace parchis::prueba {

// Every board of up to `quedan` moves from p, p first, where a move is one of
// pieces 1..numFichas of the seat to move, with the value to count and with
// bonus counts of 10 and 20, as the search makes them: the move is applied
// (the next piece out of the box kept) and the record is put back after the
// boards below it.  `enTablero(tocadas)` runs at each board, with the origin
// and destination of each move that led there.  `alCambiar(origen, destino,
// signo)` runs with -1 just before the board changes and with +1 just after,
// both ways.  A fatal failure stops the walk.
template <typename EnTablero, typename AlCambiar>
void CadaCamino(Partida& p, int numFichas, int quedan, EnTablero&& enTablero, AlCambiar&& alCambiar,
                std::vector<Entero> tocadas = {}) {
    enTablero(static_cast<const std::vector<Entero>&>(tocadas));
    if (quedan == 0 || ::testing::Test::HasFatalFailure()) return;
    for (int valor : {int(p.ValorCuenta), 10, 20}) {
        if (valor < 1) continue;
        FichasMovibles(p, valor, 0);
        const auto movibles = p.FichaMovible;
        for (int k = 1; k <= numFichas; ++k) {
            if (!movibles[k]) continue;
            const int origen = p.Fichas[p.Turno][k];
            PuedeMover(p, p.Turno, valor, origen, k);
            const int destino = p.CasillaDestino;
            if (destino < 1) continue;
            const Partida guardada = p;
            alCambiar(origen, destino, -1);
            AplicaJugada(p, origen, destino, k);
            p.SiguienteSalida = guardada.SiguienteSalida;
            alCambiar(origen, destino, 1);
            tocadas.push_back(static_cast<Entero>(origen));
            tocadas.push_back(static_cast<Entero>(destino));
            CadaCamino(p, numFichas, quedan - 1, enTablero, alCambiar, tocadas);
            tocadas.resize(tocadas.size() - 2);
            alCambiar(origen, destino, -1);
            p = guardada;
            alCambiar(origen, destino, 1);
            if (::testing::Test::HasFatalFailure()) return;
        }
    }
}

}  // namespace parchis::prueba
