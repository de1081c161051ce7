// Legality on small hand-built positions: whether one piece may move with a
// value, and which pieces the seat to move may move (compulsory barrier
// opening, compulsory exit and compulsory capture).
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
using Prepara = std::function<void(Partida&)>;

// `fichas` on the board, `turno` to move on one die showing `dado`, unless
// `ajuste` says otherwise.
Partida Posicion(const Fichas& fichas, const Prepara& ajuste, int turno, int dado) {
    Partida p = prueba::PartidaVacia();
    p.NumDados = 1;
    p.Turno = static_cast<Entero>(turno);
    p.Dado1 = static_cast<Entero>(dado);
    for (const auto& [j, k, s] : fichas) prueba::Pon(p, j, k, s);
    if (ajuste) ajuste(p);
    return p;
}

Prepara Dados(int d1, int d2, int metodoCuenta = 2, int metodoSalida = 1, int tipo = 0) {
    return [=](Partida& p) {
        p.NumDados = 2;
        p.Dado1 = static_cast<Entero>(d1);
        p.Dado2 = static_cast<Entero>(d2);
        p.MetodoCuenta = static_cast<Entero>(metodoCuenta);
        p.MetodoSalida = static_cast<Entero>(metodoSalida);
        p.TipoJugada = static_cast<Entero>(tipo);
    };
}

// `destino` -1: the move is refused.
struct Caso { const char* nombre; Fichas fichas; Prepara ajuste; int jugador, valor, posicion, ficha, destino; };

const Prepara SinBarreraSalida = [](Partida& p) { p.BarreraSalida = false; };
const Prepara SinBarreraBlancas = [](Partida& p) { p.BarreraBlancas = false; };
const Prepara PrimeraContando = [](Partida& p) { p.PrimeraFicha = 3; };
const Prepara Bono = [](Partida& p) { p.TipoJugada = 5; };

void Ejecuta(const Caso& c) {
    Partida p = Posicion(c.fichas, c.ajuste, c.jugador >= 1 && c.jugador <= 4 ? c.jugador : 1, 0);
    const bool puede = PuedeMover(p, c.jugador, c.valor, c.posicion, c.ficha);
    EXPECT_EQ(puede, c.destino != -1) << c.nombre;
    EXPECT_EQ(p.CasillaDestino, c.destino) << c.nombre;
}

// A barrier opened with the first value of a throw cannot be re-formed on
// the opening piece's square with a later value of the same throw.  The
// log: a throw of seat `jugadorLog` from 54 to 60 (`detalle` 2: it opened a
// barrier), a throw of seat 2, then maybe a newer one from 54 to 40.
Prepara Log(Entero usados, Entero jugadorLog, Entero detalle, bool masNueva) {
    return [=](Partida& p) {
        Dados(6, 6, 2)(p);
        prueba::Anota(p, Jugada{jugadorLog, 0, 0, 0, 0, 4, 0, 0, 54, 60, 0, 1, detalle});
        prueba::Anota(p, Jugada{2, 0, 0, 0, 0, 3, 0, 0, 0, 0, 0, 1, 0});
        if (masNueva) prueba::Anota(p, Jugada{jugadorLog, 0, 0, 0, 0, 4, 0, 0, 54, 40, 0, 1, 0});
        p.ValoresUsados = usados;
    };
}

TEST(PuedeMover, SalidaCuentaLlegadaYBarreras) {
    const Fichas juntas = {{1, 1, 30}, {1, 2, 30}}, abre = {{1, 1, 60}, {1, 2, 54}},
                 una = {{1, 1, 60}};
    const Caso casos[] = {
        // out of the box
        {"a five leaves to the exit square", {}, nullptr, 1, 5, 0, 1, 56},
        {"any other value stays", {}, nullptr, 1, 4, 0, 1, -1},
        {"only the next piece in the box is offered", {}, nullptr, 1, 5, 0, 2, -1},
        {"without a piece named any box piece may", {}, nullptr, 1, 5, 0, 0, 56},
        {"no five needed: leaves counting", {}, [](Partida& p) { p.SalidaCon5 = false; }, 1, 3, 0, 1, 59},
        {"first piece counts out", {}, PrimeraContando, 2, 3, 0, 1, 42},
        {"only while every piece is boxed", {{2, 1, 50}}, PrimeraContando, 2, 3, 0, 2, -1},
        {"counting out still meets barriers", {{3, 1, 41}, {3, 2, 41}}, PrimeraContando, 2, 4, 0, 1, -1},
        {"rival barrier on the exit square", {{2, 1, 56}, {2, 2, 56}}, nullptr, 1, 5, 0, 1, -1},
        {"rival pair on the exit square without exit barriers", {{2, 1, 56}, {2, 2, 56}}, SinBarreraSalida, 1,
         5, 0, 1, 56},
        {"two rivals of different seats", {{2, 1, 56}, {3, 1, 56}}, nullptr, 1, 5, 0, 1, 56},
        {"own pair on the exit square without exit barriers", {{1, 1, 56}, {1, 2, 56}}, SinBarreraSalida, 1,
         5, 0, 3, -1},
        // two dice, leaving with a five
        {"a die of five alone", {}, Dados(5, 2, 2), 1, 5, 0, 1, 56},
        {"the total is not a five", {}, Dados(5, 2, 2), 1, 7, 0, 1, -1},
        {"dice summing five", {}, Dados(3, 2, 1), 1, 5, 0, 1, 56},
        {"summing: either die a five", {}, Dados(5, 2, 1), 1, 7, 0, 1, 56},
        {"summing: not for a bonus", {}, Dados(5, 2, 1, 1, 5), 1, 20, 0, 1, -1},
        // two dice, leaving with doubles
        {"doubles: the double's total", {}, Dados(3, 3, 2, 2), 1, 6, 0, 1, 56},
        {"doubles: one die of the double", {}, Dados(3, 3, 2, 2), 1, 3, 0, 1, -1},
        {"doubles: a five is not enough", {}, Dados(5, 2, 2, 2), 1, 5, 0, 1, -1},
        {"doubles: not for a bonus", {}, Dados(2, 2, 2, 2, 5), 1, 4, 0, 1, -1},
        // counting and arriving
        {"plain count", {{1, 1, 60}}, nullptr, 1, 3, 60, 1, 63},
        {"round the ring", {{1, 1, 66}}, nullptr, 1, 4, 66, 1, 2},
        {"into the corridor", {{1, 1, 50}}, nullptr, 1, 4, 50, 1, 95},
        {"exactly home", {{1, 1, 96}}, nullptr, 1, 4, 96, 1, 100},
        {"past home", {{1, 1, 96}}, nullptr, 1, 5, 96, 1, -1},
        {"a piece at home", {{1, 1, 100}}, nullptr, 1, 1, 100, 1, -1},
        // A double one counted together goes home from the square before,
        // whatever value of the throw, but not with a bonus.
        {"double one home from the square before", {{1, 1, 99}}, Dados(1, 1, 1), 1, 2, 99, 1, 100},
        {"as does its doubled value", {{1, 1, 99}}, Dados(1, 1, 1), 1, 14, 99, 1, 100},
        {"but not a bonus", {{1, 1, 99}}, Dados(1, 1, 1), 1, 10, 99, 1, -1},
        {"three from another throw stays", {{1, 1, 99}}, Dados(1, 2, 1), 1, 3, 99, 1, -1},
        {"double one counted apart stays", {{1, 1, 99}}, Dados(1, 1, 2), 1, 2, 99, 1, -1},
        {"double one two squares before home", {{1, 1, 98}}, Dados(1, 1, 1), 1, 3, 98, 1, -1},
        {"full destination", {{1, 1, 60}, {2, 1, 63}, {3, 1, 63}}, nullptr, 1, 3, 60, 1, -1},
        {"destination with one rival", {{1, 1, 60}, {2, 1, 63}}, nullptr, 1, 3, 60, 1, 63},
        {"full white square without white barriers", {{1, 1, 60}, {2, 1, 62}, {2, 2, 62}}, SinBarreraBlancas,
         1, 2, 60, 1, -1},
        {"second piece of a double exit may not count from the exit", {{1, 1, 56}},
         [](Partida& p) { p.TipoJugada = 9; }, 1, 5, 56, 1, -1},
        {"a piece on the exit counts otherwise", {{1, 1, 56}}, nullptr, 1, 4, 56, 1, 60},
        {"value 0 moves nothing", {{1, 1, 60}}, nullptr, 1, 0, 60, 1, -1},
        {"damaged position", {}, nullptr, 1, 3, 101, 1, -1},
        {"negative position", {}, nullptr, 1, 3, -2, 1, -1},
        {"no such seat", {}, nullptr, 0, 3, 10, 1, -1},
        {"no such seat either", {}, nullptr, 5, 3, 10, 1, -1},
        // Where barriers stand (which pairs make one is EsBarrera's table).
        {"rival barrier ahead", {{1, 1, 56}, {2, 1, 58}, {2, 2, 58}}, nullptr, 1, 4, 56, 1, -1},
        {"own barrier ahead", {{1, 1, 56}, {1, 2, 58}, {1, 3, 58}}, nullptr, 1, 4, 56, 1, -1},
        {"barrier just past the destination", {{1, 1, 56}, {2, 1, 61}, {2, 2, 61}}, nullptr, 1, 4, 56, 1, 60},
        {"barrier in one's own corridor", {{1, 1, 50}, {1, 2, 94}, {1, 3, 94}}, nullptr, 1, 5, 50, 1, -1},
        // Of two pieces of one seat standing together only the first is offered.
        {"the piece in slot 1", juntas, nullptr, 1, 3, 30, 1, 33},
        {"the piece in slot 2", juntas, nullptr, 1, 3, 30, 2, -1},
        {"no piece named", juntas, nullptr, 1, 3, 30, 0, 33},
        {"with a rival beside it", {{2, 1, 29}, {1, 2, 29}}, [](Partida& p) { p.BarreraSeguro = false; }, 1, 3,
         29, 2, 32},
        {"slot 1 empty, slot 2 alone", {}, [](Partida& p) { prueba::PonEnHueco(p, 1, 2, 30, 2); }, 1, 3, 30, 2,
         33},
        {"double one home from a pair", {{1, 1, 99}, {1, 2, 99}}, Dados(1, 1, 1), 1, 2, 99, 2, -1},
        // a barrier opened earlier in the throw
        {"later value onto the opened square", abre, Log(1, 1, 2, false), 1, 6, 54, 2, -1},
        {"first value of a throw", abre, Log(0, 1, 2, false), 1, 6, 54, 2, 60},
        {"the entry did not open a barrier", abre, Log(1, 1, 0, false), 1, 6, 54, 2, 60},
        {"another seat's entry", abre, Log(1, 3, 2, false), 1, 6, 54, 2, 60},
        {"only the newest start of a throw counts", abre, Log(1, 1, 2, true), 1, 6, 54, 2, 60},
        {"another square", abre, Log(1, 1, 2, false), 1, 5, 54, 2, 59},
        // while a piece can leave the box on a five, no other piece counts it
        {"a five with a piece boxed must take it out", una, nullptr, 1, 5, 60, 1, -1},
        {"the box piece itself", una, nullptr, 1, 5, 0, 2, 56},
        {"second value of the throw", una, [](Partida& p) { p.ValoresUsados = 1; }, 1, 5, 60, 1, 65},
        {"exit not compulsory", una, [](Partida& p) { p.SalidaObligatoria = false; }, 1, 5, 60, 1, 65},
        {"bonus count", una, Bono, 1, 5, 60, 1, 65},
        {"no piece boxed", {{1, 1, 60}, {1, 2, 100}, {1, 3, 100}, {1, 4, 100}}, nullptr, 1, 5, 60, 1, 65},
        {"box piece blocked by own pair", {{1, 1, 56}, {1, 2, 56}, {1, 3, 60}}, SinBarreraSalida, 1, 5, 60, 3,
         65},
        {"box piece blocked by a barrier", {{2, 1, 56}, {2, 2, 56}, {1, 1, 60}}, nullptr, 1, 5, 60, 1, 65},
    };
    for (const Caso& c : casos) Ejecuta(c);
}

// Seat 1 on one die showing `dado` unless `ajuste` says otherwise.
// `movibles` "1010": pieces 1 and 3 movable.
struct CasoMovibles {
    const char* nombre; Fichas fichas; Prepara ajuste; int dado, valor, ficha;
    std::string movibles; bool abrir, comerObligado; int numBarreras;
};

void Ejecuta(const CasoMovibles& c) {
    Partida p = Posicion(c.fichas, c.ajuste, 1, c.dado);
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
    const CasoMovibles casos[] = {
        {"a six opens the barrier", barrera, nullptr, 6, 6, 0, "1000", true, false, 1},
        {"not with another value", barrera, nullptr, 4, 4, 0, "1010", false, false, 1},
        {"not for a later value", barrera, [](Partida& p) { p.ValoresUsados = 1; }, 6, 6, 0, "1010", false,
         false, 1},
        {"a double with two dice", barrera, Dados(2, 2), 0, 4, 0, "1000", true, false, 1},
        {"two dice that differ", barrera, Dados(2, 4), 0, 6, 0, "1010", false, false, 1},
        {"a six on one die of two is no double", barrera, Dados(6, 3), 0, 6, 0, "1010", false, false, 1},
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
    for (const CasoMovibles& c : casos) Ejecuta(c);
}

}  // namespace
}  // namespace parchis
