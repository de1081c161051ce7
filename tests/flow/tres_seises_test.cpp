// Sixes and doubles: another throw after each, the third in a turn punished.
#include <gtest/gtest.h>

#include <functional>
#include <tuple>
#include <vector>

#include "common/posicion.h"
#include "flow/ayudas_flow.h"
#include "flow/interfaz_prueba.h"
#include "flow/motor.h"
#include "rules/tablero.h"

namespace parchis {
namespace {

using prueba::Anota;
using prueba::Pon;

constexpr int J = 2;   // the seat that throws; seat 1 follows it ("Inverso")

// An entry of seat J counting 6 with a six (one die) or a double 3 (two).
Jugada Entrada(Entero tipo, Entero ficha, Entero origen, Entero final, Entero repeticiones, int dados) {
    Jugada e{J, 0, 6, 0, 6, tipo, ficha, 0, origen, final, repeticiones, tipo != 5, 0, 0};
    if (dados == 2) e.Dado1 = e.Dado2 = 3;
    return e;
}

Jugada BonoSinContar(Entero valor, int dados) {
    Jugada e = Entrada(1, 0, 0, 0, 2, dados);
    e.ValorCuenta = valor;
    e.InicioTirada = 0;
    return e;
}

// What the message says of the piece moved before: the part that differs.
const std::string Casa = "ha  llegado  a  casa  no volverá";
const std::string Pasillo = "ha  llegado  al  pasillo de casa no";
const std::string Vuelve = "jugada anterior vuelve al cuadro";
const std::string NoPudo = "no pudo mover, no vuelve ninguna ficha";

// The two earlier throws of seat J in this turn: piece 2 to 60, then piece 1
// to `casilla` (0: it could not move).
void LlegaA(Partida& p, int dados, int casilla) {
    Pon(p, J, 2, 60);
    Anota(p, Entrada(3, 2, 54, 60, 1, dados));
    if (casilla == 0) return Anota(p, Entrada(1, 0, 0, 0, 2, dados));
    Pon(p, J, 1, casilla);
    Anota(p, Entrada(3, 1, casilla - 6, casilla, 2, dados));
}

// The entries after the two throws, a part of the message, and whether a
// kind-11 entry follows, with its piece and origin.
const struct CasoCastigo {
    const char* nombre; int dados, llega; std::function<void(Partida&, int dados)> despues;
    std::string texto; bool eliminada; int ficha, origen;
} Casos[] = {
    {"EnCasa", 1, CasillaCasa[J], nullptr, Casa, false, 0, 0},
    {"EnElPasillo", 1, CasillaCasa[J] - 2, nullptr, Pasillo, false, 0, 0},
    {"EnElTablero", 1, 50, nullptr, Vuelve, true, 1, 50},
    {"DoblesEnElTablero", 2, 50, nullptr, Vuelve, true, 1, 50},
    {"TrasUnBonoVuelveLaQueContoElDado", 1, 50,
     [](Partida& p, int d) {
         Pon(p, J, 3, 20);
         Anota(p, Entrada(5, 3, 0, 20, 2, d));
     },
     Vuelve, true, 1, 50},
    // A bonus no piece could count is not the seat's last move.
    {"TrasUnBonoSinContarEnCasa", 1, CasillaCasa[J], [](Partida& p, int d) { Anota(p, BonoSinContar(10, d)); },
     Casa, false, 0, 0},
    {"TrasUnaCapturaConBonoSinContar", 2, 50,
     [](Partida& p, int d) {
         Anota(p, Jugada{1, J, 0, 0, 6, 6, 1, 0, 50, 0, 0, 0, 0, 0});
         Anota(p, BonoSinContar(20, d));
     },
     Vuelve, true, 1, 50},
    {"SinPoderMover", 1, 0, nullptr, NoPudo, true, 0, 0}};

TEST(TercerSeis, Castigo) {
    for (const auto& c : Casos) {
        SCOPED_TRACE(c.nombre);
        Partida p = prueba::PartidaEnJuego(c.dados);
        LlegaA(p, c.dados, c.llega);
        if (c.despues) c.despues(p, c.dados);
        const int antes = p.NumJugada;   // the number the third throw's move takes
        const int enEspera = p.EnEspera[J];
        p.Repeticiones = 2;
        prueba::TurnoDe(p, J);
        prueba::InterfazPrueba ui(p);
        ui.Dados(c.dados == 1 ? 6 : 4, 4);
        int siguiente = -1, turno = 0;
        ui.AlCeder = [&] {
            if (p.Turno == J) return;
            siguiente = p.NumJugada;
            turno = p.Turno;
            p.PartidaIniciada = false;
        };
        JuegaPartida(p, ui);

        const auto vistos = ui.ConTitulo(c.dados == 1 ? "Ha sacado 3 seises" : "Ha sacado 3 dobles");
        ASSERT_EQ(vistos.size(), 1u);
        EXPECT_NE(vistos[0].Texto.find(c.texto), std::string::npos) << vistos[0].Texto;
        // The turn passes; without a piece eliminated the move number is given back.
        EXPECT_EQ(std::tuple(turno, siguiente), std::tuple(1, antes + c.eliminada));
        if (!c.eliminada) continue;
        // A third repetition is recorded as 0.
        EXPECT_EQ(prueba::Resumen(p.Jugadas[antes]),
                  "j2 a0 t11 f" + std::to_string(c.ficha) + (c.dados == 1 ? " v6 " : " v8 ") +
                      std::to_string(c.origen) + "->0 r0 i1 d0");
        if (c.ficha != 0) {
            EXPECT_EQ(std::tuple(p.Fichas[J][c.ficha], p.EnEspera[J]), std::tuple(0, enEspera + 1));
        }
    }
}

// Each six (or double) gives the seat another throw and counts; anything
// else ends the turn and resets the count.
TEST(Repeticiones, OtraTiradaYCuenta) {
    const std::vector<std::pair<int, int>> casos[] = {
        {{6, 0}, {6, 0}, {3, 0}}, {{2, 2}, {5, 5}, {1, 3}}, {{6, 6}, {1, 1}, {6, 5}}};
    for (const auto& tiradas : casos) {
        Partida p = prueba::PartidaEnJuego(tiradas[0].second == 0 ? 1 : 2);
        p.SeisConTodas = 3;
        for (int k = 1; k <= 4; ++k) Pon(p, J, k, 38 + 2 * k);
        prueba::TurnoDe(p, J);
        prueba::InterfazPrueba ui(p);
        for (const auto& [d1, d2] : tiradas) ui.Dados(d1, d2);
        ui.AlCeder = [&] { p.PartidaIniciada = p.PartidaIniciada && p.Turno == J; };
        JuegaPartida(p, ui);
        std::vector<int> repeticiones;   // of the seat's throws, up to another seat's first entry
        for (int n = 1; p.Jugadas[n].Jugador == J; ++n)
            if (p.Jugadas[n].InicioTirada) repeticiones.push_back(p.Jugadas[n].Repeticiones);
        EXPECT_EQ(std::tuple(repeticiones, ui.Lanzamientos), std::tuple(std::vector<int>{1, 2, 0}, 3))
            << tiradas[0].first << "+" << tiradas[0].second << " ...";
    }
}

}  // namespace
}  // namespace parchis
