// The danger the statistics window shows for a piece: what the other seats'
// next throws can capture of it.
#include <gtest/gtest.h>

#include "ai/valoracion.h"
#include "common/posicion.h"

namespace parchis::prueba {
namespace {

// Seat 1's piece on 43 has travelled 55 squares.  A rival three squares
// behind takes it with a 3 (one throw in six) and then its one piece out
// can count the 20: (55 + 20) / 6.
TEST(Peligro, DeUnaFicha) {
    struct Caso {
        const char* nombre;
        int modo;           // 1 individual, 2 pairs
        int rival, desde;   // the other seat's piece
        int nuestra;        // square of seat 1's piece 1
        double esperado;
    };
    const Caso casos[] = {
        {"rival behind", 1, 2, 40, 43, 75.0 / 6},   {"safe square", 1, 2, 40, 46, 0},
        {"rival ahead", 1, 2, 45, 43, 0},           {"out of reach", 1, 2, 30, 43, 0},
        {"the partner does not capture", 2, 3, 40, 43, 0},
        {"the other rival in pairs", 2, 4, 40, 43, 75.0 / 6},
    };
    for (const Caso& c : casos) {
        Partida p = PartidaVacia();
        p.ModoJuego = static_cast<Entero>(c.modo);
        Pon(p, c.rival, 1, c.desde);
        Pon(p, 1, 1, c.nuestra);
        EXPECT_NEAR(PeligroFicha(p, 1, 1), c.esperado, 1e-9) << c.nombre;
    }
    const Partida p = PartidaVacia();
    for (auto [j, k] : {std::pair{0, 1}, {1, 0}, {1, 5}}) EXPECT_EQ(PeligroFicha(p, j, k), 0) << j << " " << k;
}

}  // namespace
}  // namespace parchis::prueba
