// Which pieces the current seat may move: compulsory barrier opening,
// compulsory exit and compulsory capture.
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "common/posicion.h"
#include "rules/movimiento.h"

namespace parchis {
namespace {

using Fichas = std::vector<std::array<int, 3>>;  // {seat, piece, square}

// Seat 1 on one die showing `dado` unless `ajuste` says otherwise.
struct Caso {
    const char* nombre;
    Fichas fichas;
    std::function<void(Partida&)> ajuste;
    int dado, valor, ficha;
    std::string movibles;  // "1010": pieces 1 and 3 movable
    bool abrir, comerObligado;
    int numBarreras;
};

void Ejecuta(const Caso& c) {
    Partida p = prueba::PartidaVacia();
    p.NumDados = 1;
    p.Dado1 = static_cast<Entero>(c.dado);
    for (const auto& [j, k, s] : c.fichas) prueba::Pon(p, j, k, s);
    if (c.ajuste) c.ajuste(p);
    // The computer player passes the destinations it worked out on the same
    // board, and its search asks for no barriers it does not need: the
    // answer must not change.
    Partida q = p, r = p;
    std::array<Entero, MaxFichas + 1> calculados, destinos, destinosQ, destinosR;
    DestinosFichas(q, c.valor, calculados);
    FichasMovibles(p, c.valor, c.ficha, &destinos);
    FichasMovibles(q, c.valor, c.ficha, &destinosQ, c.ficha == 0 ? &calculados : nullptr);
    FichasMovibles(r, c.valor, c.ficha, &destinosR, nullptr, false);
    SCOPED_TRACE(c.nombre);
    EXPECT_EQ(std::tuple(q.FichaMovible, destinosQ, q.AbrirBarrera, q.ComerObligado, q.FichasBarrera),
              std::tuple(p.FichaMovible, destinos, p.AbrirBarrera, p.ComerObligado, p.FichasBarrera));
    EXPECT_EQ(std::tuple(r.FichaMovible, destinosR, r.AbrirBarrera, r.ComerObligado),
              std::tuple(p.FichaMovible, destinos, p.AbrirBarrera, p.ComerObligado));
    std::string movibles;
    for (int k = 1; k <= p.NumFichas; ++k) movibles += p.FichaMovible[k] ? '1' : '0';
    EXPECT_EQ(std::tuple(movibles, p.AbrirBarrera, p.ComerObligado, static_cast<int>(p.NumBarreras)),
              std::tuple(c.movibles, c.abrir, c.comerObligado, c.numBarreras));
}

auto DosDados(int d1, int d2) {
    return [=](Partida& p) {
        p.NumDados = 2;
        p.Dado1 = static_cast<Entero>(d1);
        p.Dado2 = static_cast<Entero>(d2);
    };
}

TEST(FichasMovibles, AperturaYCapturaObligatorias) {
    // A barrier of pieces 1 and 2 on 30, piece 3 on 40, piece 4 boxed.
    const Fichas barrera = {{1, 1, 30}, {1, 2, 30}, {1, 3, 40}};
    const Fichas tapada = {{1, 1, 30}, {1, 2, 30}, {1, 3, 40}, {2, 1, 33}, {2, 2, 33}};
    const Fichas fichas = {{1, 1, 40}, {1, 2, 50}, {1, 3, 100}, {1, 4, 100}, {2, 1, 43}};
    auto reglas = [](bool obligatorio, bool posible) {
        return [=](Partida& p) {
            p.ComerObligatorio = obligatorio;
            p.HayCapturaPosible = posible;
        };
    };
    const Caso casos[] = {
        {"a six opens the barrier", barrera, nullptr, 6, 6, 0, "1000", true, false, 1},
        {"not with another value", barrera, nullptr, 4, 4, 0, "1010", false, false, 1},
        {"not for a later value", barrera, [](Partida& p) { p.ValoresUsados = 1; }, 6, 6, 0, "1010", false,
         false, 1},
        {"a double with two dice", barrera, DosDados(2, 2), 0, 4, 0, "1000", true, false, 1},
        {"two dice that differ", barrera, DosDados(2, 4), 0, 6, 0, "1010", false, false, 1},
        {"a six on one die of two is no double", barrera, DosDados(6, 3), 0, 6, 0, "1010", false, false, 1},
        {"a barrier that cannot move does not bind", tapada, nullptr, 6, 6, 0, "0010", false, false, 1},
        {"a piece named still sees the barriers", barrera, nullptr, 6, 6, 3, "1000", true, false, 1},
        // Slot 1 holds the partner's piece: the seat's own in slot 2 opens it.
        {"a partner's barrier and an own one", {{3, 1, 30}, {1, 2, 30}, {1, 3, 45}, {1, 4, 45}},
         [](Partida& p) { p.ModoJuego = 2; p.BarreraCompaneros = true; }, 6, 6, 0, "0110", true, false, 2},
        {"a barrier in the corridor is not counted", {{1, 1, 94}, {1, 2, 94}, {1, 3, 40}}, nullptr, 6, 6, 0,
         "1010", false, false, 0},
        {"a rival's barrier is not the seat's", {{2, 1, 30}, {2, 2, 30}, {1, 1, 40}}, nullptr, 6, 6, 0, "1000",
         false, false, 0},
        // Pieces 1 and 2 on 40 and 50, piece 3 first in the box.
        {"a five with a piece boxed: only the box piece", {{1, 1, 40}, {1, 2, 50}}, nullptr, 5, 5, 0, "0010",
         false, false, 0},
        {"the second value of the throw: every piece", {{1, 1, 40}, {1, 2, 50}},
         [](Partida& p) { p.ValoresUsados = 1; }, 5, 5, 0, "1110", false, false, 0},
        {"one piece named", {{1, 1, 40}, {1, 2, 50}}, nullptr, 3, 3, 2, "0100", false, false, 0},
        // Compulsory capture: piece 1 on 40 can capture the rival on 43;
        // piece 2 on 50 cannot.
        {"capture compulsory", fichas, reglas(true, true), 3, 3, 0, "1000", false, true, 0},
        {"capture not compulsory", fichas, reglas(false, true), 3, 3, 0, "1100", false, false, 0},
        {"no capture found by the analysis", fichas, reglas(true, false), 3, 3, 0, "1100", false, false, 0},
        // The analysis found a capture with another value: no piece captures
        // with this one, so none may count it.
        {"capture only with another value", fichas, reglas(true, true), 2, 2, 0, "0000", false, true, 0},
        {"an opening six is not checked for captures", {{1, 1, 40}, {1, 2, 50}, {1, 3, 20}, {1, 4, 20}, {2, 1, 43}},
         reglas(true, true), 6, 6, 0, "0010", true, false, 1},
    };
    for (const Caso& c : casos) Ejecuta(c);
}

}  // namespace
}  // namespace parchis
