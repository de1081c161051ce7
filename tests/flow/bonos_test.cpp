// Exits that take a value of the throw and the bonuses they earn, and the
// end of the game: its points, the winner's text and the history record.
// How bonuses and values are counted is checked after every move of the
// whole games (juegos_completos_test).
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <tuple>
#include <vector>

#include "common/posicion.h"
#include "flow/ayudas_flow.h"
#include "flow/final.h"
#include "flow/historico.h"
#include "flow/interfaz_prueba.h"
#include "flow/motor.h"
#include "rules/tablero.h"

namespace parchis {
namespace {

using prueba::Pon;

// Plays seat 4's turn (played by `control`) on the throws given, up to the
// first yield of another seat's turn, and returns the entries written.
std::vector<Jugada> TurnoDeCuatro(Partida& p, int control, const std::vector<std::pair<int, int>>& tiradas) {
    p.Control[4] = static_cast<Entero>(control);
    prueba::TurnoDe(p, 4);
    prueba::InterfazPrueba ui(p);
    for (const auto& [d1, d2] : tiradas) ui.Dados(d1, d2);
    ui.AlCeder = [&p] {
        if (p.Turno != 4) p.PartidaIniciada = false;
    };
    JuegaPartida(p, ui);
    std::vector<Jugada> jugadas;
    for (int n = 1; n < static_cast<int>(p.Jugadas.size()) && p.Jugadas[n].Jugador != 0; ++n)
        jugadas.push_back(p.Jugadas[n]);
    return jugadas;
}

// Exits at a throw's start.  With a piece out on 30, a 5 and another value
// take a piece out with the 5 and count the other value next; only a double
// 5 takes out a second piece.  From a full box the first 5 takes two pieces
// out; the second follows onto the exit square unless the first has formed
// a barrier there with the partner's piece, which would make three pieces
// on one square.  When both capture, each earns its 20, the first once the
// second is out.  (Which of two rivals an exit captures, and the 20 only
// with BonoComerSaliendo, is AplicaJugada's test; the whole games follow
// the engine through it.)
TEST(Salida, AlEmpezarLaTirada) {
    // The throw, seat 4's piece 1 on `fuera` (0: all in the box), the seats
    // of the pieces on the exit square, and (kind, value) of the throw's entries.
    const struct {
        const char* nombre; int d1, d2, fuera; std::vector<int> ocupantes;
        std::vector<std::pair<int, int>> jugadas; int enEspera;
    } casos[] = {
        {"CincoYDos", 2, 5, 30, {}, {{4, 5}, {4, 2}}, 2},
        {"DobleCinco", 5, 5, 30, {}, {{4, 5}, {4, 5}}, 1},
        {"DobleLibre", 5, 0, 0, {}, {{8, 5}, {9, 5}}, 2},
        {"DobleRivalComido", 5, 0, 0, {1}, {{8, 5}, {9, 5}, {6, 5}, {5, 20}}, 2},
        {"DobleBarreraConElCompanero", 5, 0, 0, {2}, {{8, 5}}, 3},
        {"DobleDosRivalesComidos", 5, 0, 0, {1, 3}, {{8, 5}, {6, 5}, {9, 5}, {6, 5}, {5, 20}, {5, 20}}, 2},
    };
    for (const int control : {2, 1}) {
        for (const auto& c : casos) {
            SCOPED_TRACE(testing::Message() << c.nombre << " control " << control);
            Partida p = prueba::PartidaEnJuego(c.d2 == 0 ? 1 : 2);
            p.ModoJuego = static_cast<Entero>(c.ocupantes.size() == 2 ? 1 : 2);   // 1 and 3: no barrier
            p.BarreraCompaneros = true;
            if (c.fuera) Pon(p, 4, 1, c.fuera);
            for (int j : c.ocupantes) Pon(p, j, 1, CasillaSalida[4]);
            std::vector<std::pair<int, int>> jugadas;
            for (const Jugada& e : TurnoDeCuatro(p, control, {{c.d1, c.d2}, {1, 2}})) {   // 1+2 after a double
                if (!jugadas.empty() && e.InicioTirada) break;
                jugadas.push_back({e.TipoJugada, e.ValorCuenta});
            }
            EXPECT_EQ(std::tuple(jugadas, p.EnEspera[4]), std::tuple(c.jugadas, c.enEspera));
        }
    }
}

// The last piece home ends the game at once: no bonus of 10 is counted.
// The history is written only if the user agrees.
TEST(UltimaFicha, TerminaAntesDelBono) {
    for (const int respuesta : {Aceptar, Cancelar}) {
        SCOPED_TRACE(respuesta);
        prueba::CarpetaTemporal carpeta;
        Partida p = prueba::PartidaEnJuego();
        p.Carpeta = carpeta.Texto();
        for (int k = 1; k <= 3; ++k) Pon(p, 4, k, CasillaCasa[4]);
        Pon(p, 4, 4, CasillaCasa[4] - 5);
        prueba::TurnoDe(p, 4);
        prueba::InterfazPrueba ui(p);
        ui.Dados(5);
        ui.Responde(TituloHistorico, respuesta);
        JuegaPartida(p, ui);

        EXPECT_EQ(std::tuple(p.Jugadas[1].CasillaFinal, p.Jugadas[2].Jugador, p.PartidaIniciada, p.NumJugada,
                             ui.ConTitulo(TituloFinal).size(), ui.ConTitulo(TituloHistorico).size()),
                  std::tuple(CasillaCasa[4], 0, false, 0, 1u, 1u));
        const auto historico = LeeHistorico(p.Carpeta);
        ASSERT_EQ(historico.size(), respuesta == Aceptar ? 1u : 0u);
        if (historico.empty()) continue;
        EXPECT_EQ(std::tuple(historico[0].Nombres[0], historico[0].Puntos, historico[0].Fecha),
                  std::tuple("Luis", 100, ui.Ahora()));
    }
}

// The throw's opening sound is heard to its end before the dice tumble;
// the tumble's own sounds overlap the frames.
TEST(Tirada, SuenaEnSuOrden) {
    Partida p = prueba::PartidaEnJuego();
    prueba::TurnoDe(p, 1);
    prueba::InterfazPrueba ui(p, 7);
    ui.AlCeder = [&] {
        if (p.NumJugada > 20) p.PartidaIniciada = false;
    };
    JuegaPartida(p, ui);
    for (auto [sonido, esperar] : {std::pair{5, true}, {17, false}, {18, false}, {19, false}}) {
        EXPECT_EQ(ui.Sonidos.count({sonido, esperar}), 1u) << sonido;
        EXPECT_EQ(ui.Sonidos.count({sonido, !esperar}), 0u) << sonido;
    }
}

// Seats 1, 2 and 4 play (seat 3 is out), seat 4 has won.
Partida TresJugadores() {
    Partida p = prueba::PartidaEnJuego();
    p.Estado[3] = 2;
    CuentaJugadores(p);
    for (int k = 1; k <= 4; ++k) Pon(p, 4, k, CasillaCasa[4]);
    p.Turno = 4;
    return p;
}

// The points are the share of the losers' way still to go, rounded to even.
TEST(Puntos, CasillasRecorridasRedondeoYCompanero) {
    // Three seats, `enCasa` pieces of the losers home (seat 1's first): in
    // all 4 x 71 x 2 = 568.  7 home: 100 x 71 / 568 = 12.5 -> 12; 5 home:
    // 37.5 -> 38; 4 home: 284 covered -> 50.
    for (const auto& [enCasa, puntos] : {std::pair{0, 100}, {4, 50}, {5, 38}, {7, 12}, {8, 0}}) {
        Partida p = TresJugadores();
        for (int i = 0; i < enCasa; ++i) Pon(p, i < 4 ? 1 : 2, i % 4 + 1, CasillaCasa[i < 4 ? 1 : 2]);
        EXPECT_EQ(CalculaPuntos(p), puntos) << enCasa << " en casa";
    }
    Partida p = prueba::PartidaEnJuego();
    for (int k = 1; k <= 4; ++k) Pon(p, 1, k, CasillaCasa[1]);
    p.Turno = 1;
    // Seat 2's piece 10 squares past its exit square (39 -> 49).
    Pon(p, 2, 1, 49);
    EXPECT_EQ(CalculaPuntos(p), 99);   // 100 x (852 - 10) / 852 = 98.8
    p.ModoJuego = 2;
    for (int k = 1; k <= 4; ++k) Pon(p, 3, k, CasillaCasa[3]);
    // The partner's 284 squares count as covered too: 100 x 558 / 852 = 65.49.
    EXPECT_EQ(CalculaPuntos(p), 65);
    // Eight pieces: 8 x 71 x 3 = 1704, seat 1's 568 covered: 66.67 -> 67.
    Partida ocho = prueba::PartidaEnJuego(1, 8);
    ocho.Turno = 2;
    for (int k = 1; k <= 8; ++k) Pon(ocho, 1, k, CasillaCasa[1]);
    EXPECT_EQ(CalculaPuntos(ocho), 67);
}

TEST(Ganador, TextoFinal) {
    const struct { int modo, turno; std::string texto; } casos[] = {
        {1, 4, "Luis, has ganado la partida. "},
        {1, 3, "Ha ganado la partida María"},
        {2, 1, "Han ganado la partida \r\nCarmen y María"},
        {2, 2, "Habeis ganado la partida \r\nRoberto y Luis"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << "modo " << c.modo << " gana " << c.turno);
        Partida p = prueba::PartidaEnJuego();
        p.ModoJuego = static_cast<Entero>(c.modo);
        p.Turno = static_cast<Entero>(c.turno);
        EXPECT_EQ(TextoFinal(p, 45), "Puntos : 45\r\n" + c.texto);
    }
}

// Winner first, then in pairs the partner and the losers in seat order, and
// individually the others by how far they got; a seat out of the game blank.
TEST(RegistroDeLaPartida, OrdenDeLosNombres) {
    Partida p = prueba::PartidaEnJuego();
    p.Turno = 2;
    Pon(p, 3, 1, 30);   // seat 3 ahead of seat 4, seat 1 nowhere
    Pon(p, 4, 1, 10);
    EXPECT_EQ(RegistroDeLaPartida(p, 77, {2004, 3, 7, 18, 5}),
              (RegistroHistorico{{2004, 3, 7, 18, 5}, {"Roberto", "María", "Luis", "Carmen"}, 77, false}));
    EXPECT_EQ(RegistroDeLaPartida(TresJugadores(), 100, {}).Nombres,
              (std::array<std::string, 4>{"Luis", "Carmen", "Roberto", ""}));
    p.ModoJuego = 2;
    p.Turno = 3;
    EXPECT_EQ(RegistroDeLaPartida(p, 10, {}),
              (RegistroHistorico{{}, {"Carmen", "María", "Roberto", "Luis"}, 10, true}));
    p.Turno = 4;
    EXPECT_EQ(RegistroDeLaPartida(p, 10, {}).Nombres, (std::array<std::string, 4>{"Roberto", "Luis", "Carmen", "María"}));
}

}  // namespace
}  // namespace parchis
