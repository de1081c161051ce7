// The danger the statistics window shows for a piece: what the other seats'
// next throws can capture of it.
#include <gtest/gtest.h>

#include "ai/valoracion.h"
#include "common/posicion.h"

namespace parchis::prueba {
namespace {

struct CasoPeligro {
    const char* nombre;
    int modo;               // 1 individual, 2 pairs
    int rival, desde;       // the other seat's piece
    int nuestra;            // square of seat 1's piece 1
    double esperado;
};

class Peligro : public ::testing::TestWithParam<CasoPeligro> {};

TEST_P(Peligro, DeUnaFicha) {
    const CasoPeligro& c = GetParam();
    Partida p = PartidaVacia();
    p.ModoJuego = static_cast<Entero>(c.modo);
    Pon(p, c.rival, 1, c.desde);
    Pon(p, 1, 1, c.nuestra);
    EXPECT_NEAR(PeligroFicha(p, 1, 1), c.esperado, 1e-9);
}

// Seat 1's piece on 43 has travelled 55 squares.  A rival three squares
// behind takes it with a 3 (one throw in six) and then its one piece out
// can count the 20: (55 + 20) / 6.
INSTANTIATE_TEST_SUITE_P(
    Casos, Peligro,
    ::testing::Values(CasoPeligro{"RivalDetras", 1, 2, 40, 43, 75.0 / 6},
                      CasoPeligro{"CasillaSegura", 1, 2, 40, 46, 0},
                      CasoPeligro{"RivalDelante", 1, 2, 45, 43, 0},
                      CasoPeligro{"FueraDeAlcance", 1, 2, 30, 43, 0},
                      CasoPeligro{"ElCompaneroNoCome", 2, 3, 40, 43, 0},
                      CasoPeligro{"ElOtroRivalEnParejas", 2, 4, 40, 43, 75.0 / 6}),
    [](const auto& info) { return std::string(info.param.nombre); });

TEST(Peligro, FueraDeRangoEsCero) {
    Partida p = PartidaVacia();
    EXPECT_EQ(PeligroFicha(p, 0, 1), 0);
    EXPECT_EQ(PeligroFicha(p, 1, 0), 0);
    EXPECT_EQ(PeligroFicha(p, 1, 5), 0);
}

}  // namespace
}  // namespace parchis::prueba
