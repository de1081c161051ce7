// Log entries: the outcome code a move records, and entries played forward
// and back.  The whole games of juegos_completos_test play and undo every
// kind of entry the engine writes; these are the layouts and kinds they
// cannot reach or reach too rarely to be sure of.
#include "rules/registro.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "common/posicion.h"
#include "rules/movimiento.h"
#include "rules/narracion.h"

namespace parchis {
namespace {

using prueba::Pon;
using prueba::PonEnHueco;

Jugada Entrada(Entero tipo, Entero jugador, Entero ficha, Entero origen, Entero destino, Entero autor = 0) {
    return Jugada{jugador, autor, 0, 0, 0, tipo, ficha, 0, origen, destino};
}

// The entries played forward give the board `esperado` builds from the
// starting one, and undone they give the starting board back exactly;
// entries out of the log's range change nothing.
TEST(Registro, IdaYVuelta) {
    using Prepara = std::function<void(Partida&)>;
    struct Caso { const char* nombre; Prepara prepara; std::vector<Jugada> entradas; Prepara esperado; };
    const Caso casos[] = {
        {"capture leaving onto an own piece and a rival", [](Partida& p) { Pon(p, 2, 3, 56); Pon(p, 1, 2, 56); },
         {Entrada(3, 1, 1, 0, 56), Entrada(6, 2, 3, 56, 0, 1)},
         [](Partida& p) { AplicaJugada(p, 0, 56, 1); }},
        {"manual moves and an elimination",
         [](Partida& p) { Pon(p, 1, 1, 100); Pon(p, 1, 2, 40); Pon(p, 2, 1, 20); },
         {Entrada(7, 4, 1, 100, 60, 1),   // out of home
          Entrada(7, 4, 2, 40, 0, 1),     // back to the box
          Entrada(7, 4, 3, 0, 20, 1),     // beside a rival
          Entrada(11, 2, 1, 20, 0)},      // the rival eliminated
         [](Partida& p) {
             p = prueba::PartidaVacia();
             Pon(p, 1, 1, 60);
             PonEnHueco(p, 1, 3, 20, 2);
         }},
        {"entries that move nothing", [](Partida& p) { Pon(p, 1, 1, 40); },
         {Entrada(1, 1, 0, 0, 0), Entrada(2, 1, 0, 0, 0), Entrada(11, 1, 0, 0, 0), Entrada(3, 9, 1, 40, 43),
          Entrada(3, 1, 9, 40, 43), Entrada(3, 1, 1, 40, 143),
          Entrada(3, 1, 1, 41, 44),   // the piece is not where the entry says
          Entrada(0, 1, 1, 40, 43), Entrada(12, 1, 1, 40, 43)},
         [](Partida&) {}},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        Partida p = prueba::PartidaVacia();
        c.prepara(p);
        const Partida inicio = p;
        Partida esperado = p;
        c.esperado(esperado);
        for (const Jugada& e : c.entradas) {
            prueba::Anota(p, e);
            AvanzaJugada(p, p.NumJugada - 1);
        }
        EXPECT_EQ(prueba::Tablero(p), prueba::Tablero(esperado));
        for (int n = p.NumJugada - 1; n >= inicio.NumJugada; --n) RetrocedeJugada(p, n);
        AvanzaJugada(p, 0);
        AvanzaJugada(p, 5000);
        RetrocedeJugada(p, -1);
        EXPECT_EQ(prueba::Tablero(p), prueba::Tablero(inicio));
    }
}

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
        Pon(p, 2, 1, 43);
        Pon(p, 2, 2, 56);
        Pon(p, 3, 1, 56);
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
