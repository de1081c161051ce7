#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <vector>

#include "common/posicion.h"
#include "rules/movimiento.h"

namespace parchis {
namespace {

using prueba::Pon;

struct Hueco {
    int casilla, hueco, jugador, ficha;  // jugador 0: the slot is empty
};

// Seat 1 moves; slots are left uncompacted, a capturer takes its victim's
// slot and the victim is the last rival to arrive.
TEST(AplicaJugada, ResultadoSegunElMovimiento) {
    struct Caso {
        const char* nombre;
        std::function<void(Partida&)> prepara;
        int origen, destino, ficha;
        int bono, comido;
        std::vector<Hueco> huecos;
    };
    const Caso casos[] = {
        {"leaving a pair keeps slot 2 in place", [](Partida& p) { Pon(p, 1, 1, 30); Pon(p, 1, 2, 30); },
         30, 33, 1, 0, 0, {{30, 1, 0, 0}, {30, 2, 1, 2}, {33, 1, 1, 1}}},
        {"arriving fills an empty slot 1",
         [](Partida& p) { prueba::PonEnHueco(p, 1, 2, 30, 2); Pon(p, 1, 1, 33); }, 33, 30, 1, 0, 0,
         {{30, 1, 1, 1}, {30, 2, 1, 2}}},
        {"capture on a white square", [](Partida& p) { Pon(p, 2, 1, 43); Pon(p, 1, 1, 40); }, 40, 43, 1,
         20, 2, {{43, 1, 1, 1}, {43, 2, 0, 0}}},
        {"no capture on a safe square", [](Partida& p) { Pon(p, 2, 1, 46); Pon(p, 1, 1, 40); }, 40, 46, 1,
         0, 0, {{46, 1, 2, 1}, {46, 2, 1, 1}}},
        {"leaving onto two rivals", [](Partida& p) { Pon(p, 2, 1, 56); Pon(p, 3, 2, 56); }, 0, 56, 1, 20, 3,
         {{56, 1, 2, 1}, {56, 2, 1, 1}, {56, 3, 0, 0}}},
        {"leaving onto two rivals, no bonus on the exit",
         [](Partida& p) { p.BonoComerSaliendo = false; Pon(p, 2, 1, 56); Pon(p, 3, 2, 56); }, 0, 56, 1, 0,
         3, {{56, 1, 2, 1}, {56, 2, 1, 1}, {56, 3, 0, 0}}},
        {"leaving onto a rival below an own piece", [](Partida& p) { Pon(p, 2, 3, 56); Pon(p, 1, 1, 56); },
         0, 56, 2, 20, 2, {{56, 1, 1, 2}, {56, 2, 1, 1}}},
        {"home", [](Partida& p) { Pon(p, 1, 2, 97); }, 97, 100, 2, 10, 0, {{97, 1, 0, 0}, {100, 1, 0, 0}}},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        Partida p = prueba::PartidaVacia();
        c.prepara(p);
        const Partida antes = p;
        AplicaJugada(p, c.origen, c.destino, c.ficha);
        EXPECT_EQ(p.Fichas[1][c.ficha], c.destino);
        EXPECT_EQ(p.Bonificacion, c.bono);
        EXPECT_EQ(p.JugadorComido, c.comido);
        EXPECT_EQ(p.EnEspera[1], antes.EnEspera[1] - (c.origen == 0));
        EXPECT_EQ(p.EnCasa[1], antes.EnCasa[1] + (c.destino == 100));
        for (const Hueco& h : c.huecos) {
            EXPECT_EQ(p.Casillas[h.casilla].Jugador[h.hueco], h.jugador) << h.casilla << " slot " << h.hueco;
            EXPECT_EQ(p.Casillas[h.casilla].Pieza[h.hueco], h.ficha) << h.casilla << " slot " << h.hueco;
        }
        if (c.comido != 0) {
            EXPECT_EQ(p.EnEspera[c.comido], 4);
            EXPECT_EQ(p.SiguienteSalida[c.comido], 1);
        }
    }
}

TEST(AplicaJugada, DatosDanadosNoCambianNada) {
    Partida p = prueba::PartidaVacia();
    Pon(p, 1, 1, 40);
    const Partida antes = p;
    for (auto [origen, destino, ficha] : {std::array{40, 101, 1}, std::array{40, 0, 1}, std::array{-1, 43, 1},
                                          std::array{40, 43, 0}, std::array{40, 43, 9}}) {
        AplicaJugada(p, origen, destino, ficha);
        EXPECT_EQ(p.Fichas, antes.Fichas);
        EXPECT_EQ(p.Casillas, antes.Casillas);
        EXPECT_EQ(p.EnEspera, antes.EnEspera);
    }
    p.Turno = 0;
    AplicaJugada(p, 40, 43, 1);
    EXPECT_EQ(p.Casillas, antes.Casillas);
}

}  // namespace
}  // namespace parchis
