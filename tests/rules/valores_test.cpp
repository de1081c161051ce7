#include <gtest/gtest.h>

#include "common/posicion.h"
#include "rules/movimiento.h"

namespace parchis {
namespace {

TEST(CalculaValores, TablaDeTiradas) {
    struct Caso {
        int dados, metodo, seis;
        bool fichaEnEspera;
        int d1, d2;
        int valor, modo;
        std::array<int, 6> valores;
    };
    const Caso casos[] = {
        // one die: the six counts 7 / 12 / 6 only with every piece in play
        {1, 2, 1, false, 6, 4, 7, 1, {7}},
        {1, 2, 2, false, 6, 0, 12, 1, {12}},
        {1, 2, 3, false, 6, 0, 6, 1, {6}},
        {1, 2, 1, true, 6, 0, 6, 1, {6}},
        {1, 2, 1, false, 5, 0, 5, 1, {5}},
        // two dice, summing
        {2, 1, 1, true, 3, 4, 7, 1, {7}},
        {2, 1, 1, false, 3, 3, 14, 1, {14}},
        {2, 1, 2, false, 3, 3, 12, 1, {12}},
        {2, 1, 3, false, 3, 3, 6, 1, {6}},
        {2, 1, 1, true, 3, 3, 6, 1, {6}},
        // two dice, counted together or apart
        {2, 2, 1, true, 2, 5, 7, 2, {7, 2, 5}},
        {2, 2, 1, false, 2, 5, 7, 2, {7, 2, 5}},
        {2, 2, 1, false, 3, 3, 14, 4, {14, 3, 3, 4, 4}},
        {2, 2, 2, false, 3, 3, 12, 4, {12, 3, 3, 3, 3}},
        {2, 2, 3, false, 3, 3, 6, 2, {6, 3, 3}},
        {2, 2, 1, true, 3, 3, 6, 2, {6, 3, 3}},
        {2, 2, 1, false, 6, 6, 14, 4, {14, 6, 6, 1, 1}},
        {2, 2, 2, false, 1, 1, 4, 4, {4, 1, 1, 1, 1}},
    };
    for (const Caso& c : casos) {
        Partida p = prueba::PartidaVacia();
        p.Turno = 2;
        p.NumDados = static_cast<Entero>(c.dados);
        p.MetodoCuenta = static_cast<Entero>(c.metodo);
        p.SeisConTodas = static_cast<Entero>(c.seis);
        p.EnEspera[2] = c.fichaEnEspera ? 1 : 0;
        p.EnEspera[1] = 0;  // another seat's box does not matter
        p.Dado1 = static_cast<Entero>(c.d1);
        p.Dado2 = static_cast<Entero>(c.d2);
        p.ValoresCuenta.fill(9);  // left from an earlier throw
        CalculaValores(p);
        SCOPED_TRACE(::testing::Message() << c.dados << " dice, method " << c.metodo << ", six rule "
                                          << c.seis << ", " << c.d1 << "+" << c.d2);
        EXPECT_EQ(p.ValorCuenta, c.valor);
        EXPECT_EQ(p.ModoValores, c.modo);
        for (int i = 0; i < 6; ++i) EXPECT_EQ(p.ValoresCuenta[i], c.valores[i]) << "value " << i;
        EXPECT_EQ(p.Dado2, c.dados == 1 ? 0 : c.d2);
    }
}

}  // namespace
}  // namespace parchis
