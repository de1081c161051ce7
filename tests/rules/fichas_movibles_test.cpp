// Which pieces the current seat may move: compulsory barrier opening,
// compulsory exit and compulsory capture.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "common/posicion.h"
#include "rules/movimiento.h"

namespace parchis {
namespace {

using prueba::Pon;

// "1010": pieces 1 and 3 movable.
std::string Movibles(const Partida& p) {
    std::string s;
    for (int k = 1; k <= p.NumFichas; ++k) s += p.FichaMovible[k] ? '1' : '0';
    return s;
}

struct Caso {
    const char* nombre;
    std::function<void(Partida&)> prepara;
    int valor, ficha;
    std::string movibles;
    bool abrir, comerObligado;
    int numBarreras;
};

void Ejecuta(const Caso& c) {
    Partida p = prueba::PartidaVacia();
    p.NumDados = 1;
    c.prepara(p);
    FichasMovibles(p, c.valor, c.ficha);
    SCOPED_TRACE(c.nombre);
    EXPECT_EQ(Movibles(p), c.movibles);
    EXPECT_EQ(p.AbrirBarrera, c.abrir);
    EXPECT_EQ(p.ComerObligado, c.comerObligado);
    EXPECT_EQ(p.NumBarreras, c.numBarreras);
}

// Seat 1: a barrier of pieces 1 and 2 on 30, piece 3 on 40, piece 4 boxed.
void ConBarrera(Partida& p) {
    Pon(p, 1, 1, 30);
    Pon(p, 1, 2, 30);
    Pon(p, 1, 3, 40);
}

TEST(FichasMovibles, AperturaDeBarrera) {
    const Caso casos[] = {
        {"a six opens the barrier", [](Partida& p) { ConBarrera(p); p.Dado1 = 6; }, 6, 0, "1000", true, false, 1},
        {"not with another value", [](Partida& p) { ConBarrera(p); p.Dado1 = 4; }, 4, 0, "1010", false, false, 1},
        {"not for a later value",
         [](Partida& p) { ConBarrera(p); p.Dado1 = 6; p.ValoresUsados = 1; }, 6, 0, "1010", false, false, 1},
        {"a double with two dice",
         [](Partida& p) { ConBarrera(p); p.NumDados = 2; p.Dado1 = p.Dado2 = 2; }, 4, 0, "1000", true, false, 1},
        {"two dice that differ",
         [](Partida& p) { ConBarrera(p); p.NumDados = 2; p.Dado1 = 2; p.Dado2 = 4; }, 6, 0, "1010", false,
         false, 1},
        {"a six on one die of two is no double",
         [](Partida& p) { ConBarrera(p); p.NumDados = 2; p.Dado1 = 6; p.Dado2 = 3; }, 6, 0, "1010", false,
         false, 1},
        {"a barrier that cannot move does not bind",
         [](Partida& p) {
             ConBarrera(p); p.Dado1 = 6;
             Pon(p, 2, 1, 33); Pon(p, 2, 2, 33);
         },
         6, 0, "0010", false, false, 1},
        {"a piece named still sees the barriers",
         [](Partida& p) { ConBarrera(p); p.Dado1 = 6; }, 6, 3, "1000", true, false, 1},
        {"a partner's barrier with one own piece",
         [](Partida& p) {
             p.ModoJuego = 2; p.BarreraCompaneros = true; p.Dado1 = 6;
             Pon(p, 3, 1, 30); Pon(p, 1, 1, 30); Pon(p, 1, 2, 40);
         },
         6, 0, "1000", true, false, 1},
        {"a barrier in the corridor is not counted",
         [](Partida& p) { Pon(p, 1, 1, 94); Pon(p, 1, 2, 94); Pon(p, 1, 3, 40); p.Dado1 = 6; }, 6, 0,
         "1010", false, false, 0},
        {"a rival's barrier is not the seat's",
         [](Partida& p) { Pon(p, 2, 1, 30); Pon(p, 2, 2, 30); Pon(p, 1, 1, 40); p.Dado1 = 6; }, 6, 0,
         "1000", false, false, 0},
    };
    for (const Caso& c : casos) Ejecuta(c);
}

TEST(FichasMovibles, BarreraRegistrada) {
    Partida p = prueba::PartidaVacia();
    p.ModoJuego = 2;
    p.BarreraCompaneros = true;
    Pon(p, 1, 1, 30);
    Pon(p, 1, 2, 30);
    Pon(p, 3, 1, 45);
    Pon(p, 1, 3, 45);
    p.Dado1 = 3;
    FichasMovibles(p, 3, 0);
    EXPECT_EQ(p.NumBarreras, 2);
    EXPECT_EQ(p.FichasBarrera[1], 1);  // slot 1's piece when it is the seat's own
    EXPECT_EQ(p.FichasBarrera[2], 3);  // else slot 2's
}

TEST(FichasMovibles, SalidaYPiezaConcreta) {
    const Caso casos[] = {
        {"a five with a piece boxed: only the box piece",
         [](Partida& p) { Pon(p, 1, 1, 40); Pon(p, 1, 2, 50); p.Dado1 = 5; }, 5, 0, "0010", false, false, 0},
        {"the second value of the throw: every piece",
         [](Partida& p) { Pon(p, 1, 1, 40); Pon(p, 1, 2, 50); p.Dado1 = 5; p.ValoresUsados = 1; }, 5, 0,
         "1110", false, false, 0},
        {"one piece named",
         [](Partida& p) { Pon(p, 1, 1, 40); Pon(p, 1, 2, 50); p.Dado1 = 3; }, 3, 2, "0100", false, false, 0},
    };
    for (const Caso& c : casos) Ejecuta(c);
}

TEST(FichasMovibles, CapturaObligatoria) {
    // Piece 1 on 40 can capture the rival on 43; piece 2 on 50 cannot.
    auto prepara = [](bool obligatorio, bool posible, int dado) {
        return [=](Partida& p) {
            Pon(p, 1, 1, 40);
            Pon(p, 1, 2, 50);
            for (int k = 3; k <= 4; ++k) Pon(p, 1, k, 100);
            Pon(p, 2, 1, 43);
            p.ComerObligatorio = obligatorio;
            p.HayCapturaPosible = posible;
            p.Dado1 = static_cast<Entero>(dado);
        };
    };
    const Caso casos[] = {
        {"capture compulsory", prepara(true, true, 3), 3, 0, "1000", false, true, 0},
        {"capture not compulsory", prepara(false, true, 3), 3, 0, "1100", false, false, 0},
        {"no capture found by the analysis", prepara(true, false, 3), 3, 0, "1100", false, false, 0},
        // The analysis found a capture with another value: no piece captures
        // with this one, so none may count it.
        {"capture only with another value", prepara(true, true, 2), 2, 0, "0000", false, true, 0},
        {"an opening six is not checked for captures",
         [](Partida& p) {
             Pon(p, 1, 1, 40); Pon(p, 1, 2, 50); Pon(p, 1, 3, 20); Pon(p, 1, 4, 20);
             Pon(p, 2, 1, 43);
             p.ComerObligatorio = true;
             p.HayCapturaPosible = true;
             p.Dado1 = 6;
         },
         6, 0, "0010", true, false, 1},
    };
    for (const Caso& c : casos) Ejecuta(c);
}

}  // namespace
}  // namespace parchis
