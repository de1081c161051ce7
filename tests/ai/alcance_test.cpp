// The one-walk reach of a piece against PuedeMover, value by value (all
// values in one walk, and one value alone), on
// positions from random games under random rules; and the inline barrier
// and capture tests against the rules' own.
#include <gtest/gtest.h>

#include <random>

#include "ai/alcance.h"
#include "posiciones.h"
#include "rules/movimiento.h"
#include "rules/tablero.h"

namespace parchis::prueba {
namespace {

TEST(Alcance, DestinosComoPuedeMover) {
    std::mt19937 azar(7);
    const auto posiciones = PosicionesDeDecision(azar, 300);
    for (std::size_t i = 0; i < posiciones.size(); ++i) {
        Partida p = posiciones[i];
        const AlcanceFichas alcance(p);
        const MapaTablero barreras(p);
        DestinosValor d;
        for (int j = 1; j <= 4; ++j)
            for (int k = 0; k <= p.NumFichas; ++k) {
                const int pos = k == 0 ? 0 : p.Fichas[j][k];
                alcance.Calcula(p, barreras, j, pos, k, MaxValor, d);
                for (int v = 1; v <= MaxValor; ++v) {
                    PuedeMover(p, j, v, pos, k);
                    ASSERT_EQ(d[v], p.CasillaDestino)
                        << "position " << i << " seat " << j << " piece " << k << " at " << pos << " value " << v;
                    ASSERT_EQ(alcance.Destino(p, barreras, j, pos, k, v), d[v]) << "one value alone: " << v;
                }
            }
    }
}

TEST(Alcance, BarrerasYCapturasComoLasReglas) {
    std::mt19937 azar(8);
    const auto posiciones = PosicionesDeDecision(azar, 200);
    for (const Partida& p : posiciones)
        for (int s = 0; s <= NumCasillas; ++s) {
            ASSERT_EQ(EsBarreraEn(p, s), EsBarrera(p, s)) << s;
            for (int j = 0; j <= 4; ++j) ASSERT_EQ(ComeFichaEn(p, j, s), ComeFicha(p, j, s)) << j << " " << s;
        }
}

}  // namespace
}  // namespace parchis::prueba
