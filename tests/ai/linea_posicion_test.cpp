// A position written as one line and read back asks the computer player the
// same question: the same choice, prompt facts and destinations, under
// every kind of rule set and at every kind of call (later values of a
// throw, bonus counts, the second piece of a two-piece exit).
#include <gtest/gtest.h>

#include <random>

#include "ai/eleccion.h"
#include "comun_ai.h"
#include "linea_posicion.h"
#include "posiciones.h"

namespace parchis::prueba {
namespace {

TEST(LineaPosicion, LaPosicionLeidaDaLaMismaEleccion) {
    std::mt19937 azar(31);
    for (const Partida& original : PosicionesDeDecision(azar, 300)) {
        Partida leida;
        ASSERT_TRUE(LeePosicion(LineaPosicion(original), leida));
        Partida p = original;
        EligeJugada(p, RelojParado);
        EligeJugada(leida, RelojParado);
        ASSERT_EQ(ResumenEleccion(leida), ResumenEleccion(p)) << ResumenReglas(original);
    }
    Partida p;
    EXPECT_FALSE(LeePosicion("1 2 3;sin tirada", p));
}

}  // namespace
}  // namespace parchis::prueba
