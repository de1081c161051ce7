#include "rules/narracion.h"

#include <gtest/gtest.h>

#include "common/posicion.h"

namespace parchis {
namespace {

TEST(DetalleJugada, CodigoSegunElMovimiento) {
    struct Caso { const char* nombre; int tipo, origen, destino; bool sacar, comer, abrir; int esperado; };
    // Seat 1 to move; a rival of seat 2 stands on 43, two rivals on 56.
    const Caso casos[] = {
        {"plain count", 3, 40, 42, false, false, false, 0},
        {"capture", 4, 40, 43, false, false, false, 1},
        {"bonus count that captures", 5, 23, 43, false, false, false, 1},
        {"out to the exit square, capturing there", 3, 0, 56, false, false, false, 3},
        {"first piece out counting", 10, 0, 60, false, false, false, 4},
        {"home", 3, 97, 100, false, false, false, 5},
        {"bonus count home", 5, 90, 100, false, false, false, 5},
        {"compulsory exit", 3, 0, 56, true, false, false, 6},
        {"compulsory capture", 4, 40, 43, true, true, false, 7},
        {"opening a barrier", 4, 40, 43, true, true, true, 2},
        {"cannot count while a barrier must open", 1, 0, 0, false, false, true, 2},
        {"captured piece sent back", 6, 43, 0, false, true, true, 0},
        {"manual move onto a rival", 7, 40, 43, false, false, false, 0},
        {"eliminated piece", 11, 40, 0, false, false, false, 0},
    };
    for (const Caso& c : casos) {
        Partida p = prueba::PartidaVacia();
        prueba::Pon(p, 2, 1, 43);
        prueba::Pon(p, 2, 2, 56);
        prueba::Pon(p, 3, 1, 56);
        p.TipoJugada = static_cast<Entero>(c.tipo);
        p.CasillaOrigen = static_cast<Entero>(c.origen);
        p.CasillaFinal = static_cast<Entero>(c.destino);
        p.SacarObligado = c.sacar;
        p.ComerObligado = c.comer;
        p.AbrirBarrera = c.abrir;
        EXPECT_EQ(DetalleJugada(p), c.esperado) << c.nombre;
    }
    Partida p = prueba::PartidaVacia();
    p.Turno = 0;
    p.TipoJugada = 3;
    EXPECT_EQ(DetalleJugada(p), 0);
}

}  // namespace
}  // namespace parchis
