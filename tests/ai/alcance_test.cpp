// The one-walk reach of a piece against PuedeMover, value by value (all
// values in one walk, one value alone, and along the ring without a walk), on
// positions from random games under random rules; and the inline barrier
// and capture tests against the rules' own.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "ai/alcance.h"
#include "posiciones.h"
#include "rules/movimiento.h"
#include "rules/tablero.h"

namespace parchis::prueba {
namespace {

TEST(Alcance, DestinosBarrerasYCapturasComoLasReglas) {
    std::mt19937 azar(7);
    auto posiciones = PosicionesDeDecision(azar, 300);
    // ...and later values of throws whose first move opened a barrier: that
    // square is out of reach for the rest of the throw.
    const auto abiertas = PosicionesDeDecision(azar, 12, {}, [](Partida& q, std::mt19937&) {
        const int n = std::min<int>(q.NumJugada - 1, static_cast<int>(q.Jugadas.size()) - 1);
        return q.ValoresUsados >= 1 && n >= 1 && q.Jugadas[n].Jugador == q.Turno &&
               q.Jugadas[n].InicioTirada == 1 && q.Jugadas[n].Detalle == 2;
    });
    posiciones.insert(posiciones.end(), abiertas.begin(), abiertas.end());
    for (std::size_t i = 0; i < posiciones.size(); ++i) {
        Partida p = posiciones[i];
        for (int s = 0; s <= NumCasillas; ++s) {
            ASSERT_EQ(EsBarreraEn(p, s), EsBarrera(p, s)) << "position " << i << " square " << s;
            for (int j = 0; j <= 4; ++j) ASSERT_EQ(ComeFichaEn(p, j, s), ComeFicha(p, j, s)) << j << " " << s;
        }
        const AlcanceFichas alcance(p);
        const MapaTablero barreras(p);
        DestinosValor d;
        for (int j = 1; j <= 4; ++j)
            for (int k = 0; k <= p.NumFichas; ++k) {
                const int pos = k == 0 ? 0 : p.Fichas[j][k];
                alcance.Calcula(p, barreras, j, pos, k, MaxValor, d);
                // The captures' walk names the occupied destinations, in order.
                std::vector<int> ocupadas, esperadas;
                alcance.Ocupadas(p, barreras, j, pos, k, MaxValor, [&](int v, int s) {
                    ASSERT_EQ(s, d[v]);
                    ocupadas.push_back(v);
                });
                for (int v = 1; v <= MaxValor; ++v)
                    if (d[v] >= 1 && p.Casillas[d[v]].Jugador[1] != 0) esperadas.push_back(v);
                ASSERT_EQ(ocupadas, esperadas) << "position " << i << " seat " << j << " piece " << k;
                for (int v = 1; v <= MaxValor; ++v) {
                    PuedeMover(p, j, v, pos, k);
                    ASSERT_EQ(d[v], p.CasillaDestino)
                        << "position " << i << " seat " << j << " piece " << k << " at " << pos << " value " << v;
                    ASSERT_EQ(alcance.Destino(p, barreras, j, pos, k, v), d[v]) << "one value alone: " << v;
                    if (pos < 1 || pos > 68) continue;
                    // Along the ring without the walk: no barrier between, a square not full.
                    const int s = (pos + v - 1) % 68 + 1;
                    bool libre = !(p.Casillas[s].Jugador[1] != 0 && p.Casillas[s].Jugador[2] != 0);
                    bool sinBarrera = true;
                    for (int e = 1; e < v; ++e) sinBarrera = sinBarrera && !barreras.Es[(pos + e - 1) % 68 + 1];
                    ASSERT_EQ(barreras.BarreraDelante(pos) >= v, sinBarrera) << "barrier ahead: " << v;
                    ASSERT_EQ(barreras.BarreraDetras(s) >= v, sinBarrera) << "barrier behind: " << v;
                    libre = libre && sinBarrera;
                    ASSERT_EQ(libre && alcance.LlegaEnAnillo(p, barreras, j, pos, k, v, s), d[v] == s) << "ring: " << v;
                }
            }
    }
}

}  // namespace
}  // namespace parchis::prueba
