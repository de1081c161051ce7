#include "rules/registro.h"

#include <gtest/gtest.h>

#include "common/posicion.h"
#include "rules/movimiento.h"

namespace parchis {
namespace {

using prueba::Pon;
using prueba::PonEnHueco;

Jugada Entrada(int tipo, int jugador, int ficha, int origen, int destino, int autor = 0) {
    Jugada e;
    e.TipoJugada = static_cast<Entero>(tipo);
    e.Jugador = static_cast<Entero>(jugador);
    e.Autor = static_cast<Entero>(autor);
    e.FichaJugada = static_cast<Entero>(ficha);
    e.CasillaOrigen = static_cast<Entero>(origen);
    e.CasillaFinal = static_cast<Entero>(destino);
    return e;
}

// Plays the entries forward, then undoes them all, checking the board
// returns to where it started.  Returns the board after playing.
Partida IdaYVuelta(Partida& p, std::initializer_list<Jugada> entradas) {
    const Partida inicio = p;
    const int primera = p.NumJugada;
    for (const Jugada& e : entradas) {
        prueba::Anota(p, e);
        AvanzaJugada(p, p.NumJugada - 1);
    }
    const Partida jugada = p;
    for (int n = p.NumJugada - 1; n >= primera; --n) RetrocedeJugada(p, n);
    EXPECT_EQ(p.Fichas, inicio.Fichas);
    EXPECT_EQ(p.Casillas, inicio.Casillas);
    EXPECT_EQ(p.EnEspera, inicio.EnEspera);
    EXPECT_EQ(p.EnCasa, inicio.EnCasa);
    EXPECT_EQ(p.SiguienteSalida, inicio.SiguienteSalida);
    return jugada;
}

TEST(Registro, DeshacerVuelveAlMismoHueco) {
    Partida p = prueba::PartidaVacia();
    PonEnHueco(p, 1, 1, 30, 2);  // slot 1 empty: a first-empty-slot undo would differ
    const Partida tras = IdaYVuelta(p, {Entrada(3, 1, 1, 30, 33)});
    EXPECT_EQ(tras.Fichas[1][1], 33);
    EXPECT_EQ(tras.Casillas[33].Jugador[1], 1);
    EXPECT_EQ(p.Casillas[30].Jugador[2], 1);
}

// A capturing move and its kind-6 entry leave the board exactly as
// AplicaJugada does, and undo exactly.
TEST(Registro, CapturaIgualQueAplicaJugada) {
    struct Caso {
        const char* nombre;
        void (*prepara)(Partida&);
        int origen, destino;
        int victima, fichaVictima;
    };
    const Caso casos[] = {
        {"on a white square", [](Partida& p) { Pon(p, 2, 1, 43); Pon(p, 1, 1, 40); }, 40, 43, 2, 1},
        {"leaving onto two rivals", [](Partida& p) { Pon(p, 2, 1, 56); Pon(p, 3, 2, 56); }, 0, 56, 3, 2},
        {"leaving onto own piece and rival", [](Partida& p) { Pon(p, 2, 3, 56); Pon(p, 1, 2, 56); }, 0, 56, 2, 3},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        Partida p = prueba::PartidaVacia();
        c.prepara(p);
        Partida simulada = p;
        const int ficha = c.origen == 0 ? p.SiguienteSalida[1] : 1;
        AplicaJugada(simulada, c.origen, c.destino, ficha);
        const Partida tras = IdaYVuelta(
            p, {Entrada(3, 1, ficha, c.origen, c.destino), Entrada(6, c.victima, c.fichaVictima, c.destino, 0, 1)});
        EXPECT_EQ(tras.Fichas, simulada.Fichas);
        EXPECT_EQ(tras.Casillas, simulada.Casillas);
        EXPECT_EQ(tras.EnEspera, simulada.EnEspera);
        EXPECT_EQ(tras.SiguienteSalida, simulada.SiguienteSalida);
    }
}

TEST(Registro, MovimientosManualesYEliminacion) {
    Partida p = prueba::PartidaVacia();
    Pon(p, 1, 1, 100);
    Pon(p, 1, 2, 40);
    Pon(p, 2, 1, 20);
    const Partida tras = IdaYVuelta(p, {
                                           Entrada(7, 4, 1, 100, 60, 1),  // out of home
                                           Entrada(7, 4, 2, 40, 0, 1),    // back to the box
                                           Entrada(7, 4, 3, 0, 20, 1),    // beside a rival
                                           Entrada(11, 2, 1, 20, 0),      // the rival eliminated
                                       });
    EXPECT_EQ(tras.EnCasa[1], 0);
    EXPECT_EQ(tras.Fichas[1][1], 60);
    EXPECT_EQ(tras.Fichas[1][2], 0);
    EXPECT_EQ(tras.EnEspera[1], 2);
    EXPECT_EQ(tras.SiguienteSalida[1], 2);
    EXPECT_EQ(tras.Casillas[20].Jugador[1], 0);
    EXPECT_EQ(tras.Casillas[20].Jugador[2], 1);
    EXPECT_EQ(tras.EnEspera[2], 4);
}

// With every piece out, the next-out number is whatever it was; a piece sent
// to the box and taken out again by undoing must not change it.
TEST(Registro, SiguienteSalidaConCuadroVacio) {
    Partida p = prueba::PartidaVacia();
    for (int k = 1; k <= 4; ++k) Pon(p, 1, k, 10 + k);
    ASSERT_EQ(p.SiguienteSalida[1], 4);
    const Partida tras = IdaYVuelta(p, {Entrada(11, 1, 2, 12, 0)});
    EXPECT_EQ(tras.SiguienteSalida[1], 2);
    EXPECT_EQ(p.SiguienteSalida[1], 4);
}

TEST(Registro, EntradasQueNoMuevenNada) {
    Partida p = prueba::PartidaVacia();
    Pon(p, 1, 1, 40);
    const Partida inicio = p;
    const Jugada entradas[] = {
        Entrada(1, 1, 0, 0, 0),    Entrada(2, 1, 0, 0, 0),    Entrada(11, 1, 0, 0, 0),
        Entrada(3, 9, 1, 40, 43),  Entrada(3, 1, 9, 40, 43),  Entrada(3, 1, 1, 40, 143),
        Entrada(3, 1, 1, 41, 44),  // the piece is not where the entry says
        Entrada(0, 1, 1, 40, 43),  Entrada(12, 1, 1, 40, 43),
    };
    for (const Jugada& e : entradas) {
        prueba::Anota(p, e);
        AvanzaJugada(p, p.NumJugada - 1);
        RetrocedeJugada(p, p.NumJugada - 1);
        EXPECT_EQ(p.Fichas, inicio.Fichas) << "kind " << e.TipoJugada;
        EXPECT_EQ(p.Casillas, inicio.Casillas) << "kind " << e.TipoJugada;
        EXPECT_EQ(p.EnEspera, inicio.EnEspera) << "kind " << e.TipoJugada;
    }
    AvanzaJugada(p, 0);
    AvanzaJugada(p, 5000);
    RetrocedeJugada(p, -1);
    EXPECT_EQ(p.Fichas, inicio.Fichas);
}

}  // namespace
}  // namespace parchis
