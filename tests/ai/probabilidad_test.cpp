// The value distribution the statistics window prints and the computer
// player weighs captures with.
#include <gtest/gtest.h>

#include <vector>

#include "ai/probabilidad.h"
#include "common/posicion.h"

namespace parchis::prueba {
namespace {

TEST(Distribucion, CuentaLasEntradasDeCadaTirada) {
    struct Caso {
        const char* nombre;
        int dados, cuenta, seis;
        bool cajaVacia;
        int numValores;   // NumValoresPosibles
        int total;        // entries over all throws
        std::vector<std::pair<int, int>> combinaciones;   // value, count
    };
    const Caso casos[] = {
        {"one die, pieces boxed", 1, 2, 1, false, 6, 6, {{1, 1}, {5, 1}, {6, 1}, {7, 0}}},
        {"one die, six counts seven", 1, 2, 1, true, 7, 6, {{5, 1}, {6, 0}, {7, 1}}},
        {"one die, six counts twelve", 1, 2, 2, true, 12, 6, {{6, 0}, {7, 0}, {12, 1}}},
        {"one die, no bonus", 1, 2, 3, true, 6, 6, {{6, 1}, {7, 0}}},
        {"two dice added", 2, 1, 1, false, 12, 36, {{2, 1}, {7, 6}, {12, 1}}},
        {"two dice added, double counts fourteen", 2, 1, 1, true, 14, 36, {{2, 0}, {4, 2}, {12, 0}, {14, 6}}},
        {"two dice added, double counted twice", 2, 1, 2, true, 24, 36, {{2, 0}, {4, 3}, {8, 5}, {24, 1}}},
        {"two dice apart", 2, 2, 1, false, 12, 108, {{1, 12}, {2, 13}, {7, 6}, {12, 1}}},
        // A double with bonus values lists fifteen entries: 30 x 3 + 6 x 15.
        {"two dice apart, double with opposite faces", 2, 2, 1, true, 14, 180, {{14, 6}, {13, 4}}},
        {"two dice apart, double counted twice", 2, 2, 2, true, 24, 180, {{24, 1}, {18, 4}, {20, 1}}},
        {"two dice apart, no bonus", 2, 2, 3, true, 12, 108, {{12, 1}}},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        Partida p = PartidaVacia();
        p.NumDados = static_cast<Entero>(c.dados);
        p.MetodoCuenta = static_cast<Entero>(c.cuenta);
        p.SeisConTodas = static_cast<Entero>(c.seis);
        p.EnEspera[2] = c.cajaVacia ? 0 : 3;
        p.EnEspera[1] = c.cajaVacia ? 3 : 0;   // only the seat's own box counts
        const DistribucionValores d = ProbabilidadValores(p, 2);
        EXPECT_EQ(d.NumValoresPosibles, c.numValores);
        int total = 0;
        for (int v = 1; v <= MaxValor; ++v) total += d.Combinaciones[v];
        EXPECT_EQ(total, c.total);
        for (const auto& [valor, cuenta] : c.combinaciones) {
            EXPECT_EQ(d.Combinaciones[valor], cuenta) << "value " << valor;
            EXPECT_DOUBLE_EQ(d.PorcentajeValor[valor], cuenta * 100.0 / c.total) << "value " << valor;
        }
    }
    EXPECT_EQ(ProbabilidadValores(prueba::PartidaVacia(), 0).NumValoresPosibles, 6);
}

}  // namespace
}  // namespace parchis::prueba
