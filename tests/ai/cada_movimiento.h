// The moves a search makes from a position, for the tests that walk them.
#pragma once

#include <gtest/gtest.h>

#include "core/partida.h"
#include "rules/movimiento.h"

namespace parchis::prueba {

// Every move of pieces 1..numFichas of the seat to move, with the value to
// count and with bonus counts of 10 and 20, as the search makes them: the
// move is applied (the next piece out of the box kept), `enMovimiento` runs,
// and the record is put back.  `alCambiar(origen, destino, signo)` runs
// with -1 just before the board changes and with +1 just after, both ways.
template <typename EnMovimiento, typename AlCambiar>
void CadaMovimiento(Partida& p, int numFichas, EnMovimiento enMovimiento, AlCambiar alCambiar) {
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
            enMovimiento(origen, destino);
            alCambiar(origen, destino, -1);
            p = guardada;
            alCambiar(origen, destino, 1);
            if (::testing::Test::HasFatalFailure()) return;
        }
    }
}

}  // namespace parchis::prueba
