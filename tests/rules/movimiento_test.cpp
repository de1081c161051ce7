// Barriers, captures and moves applied on hand-built squares, and the
// values a throw offers.
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <tuple>

#include "common/posicion.h"
#include "rules/movimiento.h"

namespace parchis {
namespace {

using prueba::Pon;
using prueba::PonEnHueco;

using Ocupantes = std::array<int, 3>;  // seat per slot, 0 = empty

struct Reglas {
    bool salida = true, seguro = true, blancas = true, companeros = false;
    int modo = 1;
};

// The listed seats on square s, each with its first piece still boxed, under
// the barrier rules r.
Partida Ocupada(int s, Ocupantes o, const Reglas& r) {
    Partida p = prueba::PartidaVacia();
    p.BarreraSalida = r.salida;
    p.BarreraSeguro = r.seguro;
    p.BarreraBlancas = r.blancas;
    p.BarreraCompaneros = r.companeros;
    p.ModoJuego = static_cast<Entero>(r.modo);
    for (int h = 1; h <= 3; ++h)
        if (o[h - 1] != 0) PonEnHueco(p, o[h - 1], p.SiguienteSalida[o[h - 1]], s, h);
    return p;
}

TEST(EsBarrera, SegunCasillaYReglas) {
    const Reglas todas{};
    const Reglas parejas{true, true, true, true, 2};
    const struct { const char* nombre; int casilla; Ocupantes o; Reglas r; bool esperado; } casos[] = {
        {"white square", 30, {2, 2, 0}, todas, true},
        {"white square, white barriers off", 30, {2, 2, 0}, {true, true, false}, false},
        {"corridor square counts as white", 80, {3, 3, 0}, todas, true},
        {"corridor, white barriers off", 80, {3, 3, 0}, {true, true, false}, false},
        {"safe square", 12, {2, 2, 0}, todas, true},
        {"safe square, safe barriers off", 12, {2, 2, 0}, {true, false, true}, false},
        {"exit square", 22, {1, 1, 0}, todas, true},
        {"exit square, exit barriers off", 22, {1, 1, 0}, {false, true, true}, false},
        {"two seats", 30, {1, 2, 0}, todas, false},
        {"partners in pairs with the rule", 30, {1, 3, 0}, parejas, true},
        {"partners, rule off", 30, {1, 3, 0}, {true, true, true, false, 2}, false},
        {"partners' rule in individual play", 30, {1, 3, 0}, {true, true, true, true, 1}, false},
        {"rivals in pairs mode", 30, {1, 2, 0}, parejas, false},
        {"one piece", 30, {2, 0, 0}, todas, false},
        {"slot 1 empty", 30, {0, 2, 2}, todas, false},
        {"slot 2 empty", 30, {2, 0, 2}, todas, false},
    };
    for (const auto& c : casos)
        EXPECT_EQ(EsBarrera(Ocupada(c.casilla, c.o, c.r), c.casilla), c.esperado) << c.nombre;
    const Partida p = prueba::PartidaVacia();
    for (int s : {-1, 0, 101, 5000}) EXPECT_FALSE(EsBarrera(p, s)) << s;
}

TEST(ComeFicha, SegunCasillaYOcupantes) {
    const Reglas todas{};
    const struct { const char* nombre; int jugador, casilla; Ocupantes o; Reglas r; bool esperado; } casos[] = {
        {"rival on a white square", 1, 30, {2, 0, 0}, todas, true},
        {"rival on a corridor square", 1, 80, {3, 0, 0}, todas, true},
        {"rival on a safe square", 1, 12, {2, 0, 0}, todas, false},
        {"rival on another seat's exit", 1, 22, {2, 0, 0}, todas, false},
        {"own piece", 1, 30, {1, 0, 0}, todas, false},
        {"only slot 1 is looked at", 1, 30, {0, 2, 0}, todas, false},
        {"partner, partners' rule on", 1, 30, {3, 0, 0}, {true, true, true, true, 2}, false},
        {"partner, partners' rule off", 1, 30, {3, 0, 0}, {true, true, true, false, 2}, true},
        {"own exit, two rivals", 1, 56, {2, 3, 0}, todas, true},
        {"own exit, own and rival", 1, 56, {1, 2, 0}, todas, true},
        {"own exit, one rival", 1, 56, {2, 0, 0}, todas, false},
        {"own exit, rival barrier", 1, 56, {2, 2, 0}, todas, false},
        {"own exit, rival pair without exit barriers", 1, 56, {2, 2, 0}, {false, true, true}, true},
        {"another's exit, two rivals", 1, 22, {2, 4, 0}, todas, false},
    };
    for (const auto& c : casos)
        EXPECT_EQ(ComeFicha(Ocupada(c.casilla, c.o, c.r), c.jugador, c.casilla), c.esperado) << c.nombre;
    const Partida p = Ocupada(30, {2, 0, 0}, todas);
    for (auto [j, s] : {std::pair{1, 0}, {1, 101}, {0, 30}, {7, 30}}) EXPECT_FALSE(ComeFicha(p, j, s)) << j << " " << s;
}

TEST(CalculaValores, TablaDeTiradas) {
    const struct {
        int dados, metodo, seis; bool fichaEnEspera; int d1, d2, valor, modo; std::array<Entero, 6> valores;
    } casos[] = {
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
    for (const auto& c : casos) {
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
        EXPECT_EQ(std::tuple(p.ValorCuenta, p.ModoValores, p.ValoresCuenta, p.Dado2),
                  std::tuple(c.valor, c.modo, c.valores, c.dados == 1 ? 0 : c.d2));
    }
}

// Seat 1 moves: the bonus earned and the seat captured, the victim being the
// last rival to arrive.  Which slot each piece takes is compared with the
// engine's own moves after every move of the whole games.
TEST(AplicaJugada, BonoYCaptura) {
    const struct {
        const char* nombre; std::function<void(Partida&)> prepara; int origen, destino, ficha, bono, comido;
    } casos[] = {
        {"capture on a white square", [](Partida& p) { Pon(p, 2, 1, 43); Pon(p, 1, 1, 40); }, 40, 43, 1, 20, 2},
        {"no capture on a safe square", [](Partida& p) { Pon(p, 2, 1, 46); Pon(p, 1, 1, 40); }, 40, 46, 1, 0, 0},
        {"leaving onto two rivals", [](Partida& p) { Pon(p, 2, 1, 56); Pon(p, 3, 2, 56); }, 0, 56, 1, 20, 3},
        {"leaving onto two rivals, no bonus on the exit",
         [](Partida& p) { p.BonoComerSaliendo = false; Pon(p, 2, 1, 56); Pon(p, 3, 2, 56); }, 0, 56, 1, 0, 3},
        {"leaving onto a rival below an own piece", [](Partida& p) { Pon(p, 2, 3, 56); Pon(p, 1, 1, 56); },
         0, 56, 2, 20, 2},
        {"home", [](Partida& p) { Pon(p, 1, 2, 97); }, 97, 100, 2, 10, 0},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        Partida p = prueba::PartidaVacia();
        c.prepara(p);
        const Partida antes = p;
        AplicaJugada(p, c.origen, c.destino, c.ficha);
        // Where the piece went, the bonus, who was captured, seat 1's box and home.
        EXPECT_EQ(std::tuple(p.Fichas[1][c.ficha], p.Bonificacion, p.JugadorComido, p.EnEspera[1], p.EnCasa[1]),
                  std::tuple(c.destino, c.bono, c.comido, antes.EnEspera[1] - (c.origen == 0),
                             antes.EnCasa[1] + (c.destino == 100)));
        if (c.comido != 0) {
            EXPECT_EQ(std::tuple(p.EnEspera[c.comido], p.SiguienteSalida[c.comido]), std::tuple(4, 1));
        }
    }
}

TEST(AplicaJugada, DatosDanadosNoCambianNada) {
    Partida p = prueba::PartidaVacia();
    Pon(p, 1, 1, 40);
    const auto antes = prueba::Tablero(p);
    // Origin, destination, piece and the seat to move.
    const std::array<int, 4> casos[] = {{40, 101, 1, 1}, {40, 0, 1, 1}, {-1, 43, 1, 1},
                                        {40, 43, 0, 1},  {40, 43, 9, 1}, {40, 43, 1, 0}};
    for (const auto& [origen, destino, ficha, turno] : casos) {
        p.Turno = static_cast<Entero>(turno);
        AplicaJugada(p, origen, destino, ficha);
        EXPECT_EQ(prueba::Tablero(p), antes) << origen << " " << destino << " " << ficha << " " << turno;
    }
}

}  // namespace
}  // namespace parchis
