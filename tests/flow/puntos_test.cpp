// Points of a finished game, the winner's text and the history record made
// of the game.
#include <gtest/gtest.h>

#include "common/posicion.h"
#include "flow/ayudas_flow.h"
#include "flow/final.h"
#include "rules/tablero.h"

namespace parchis {
namespace {

using prueba::Pon;

// Seats 1, 2 and 4 play (seat 3 is out), seat 4 has won.
Partida TresJugadores() {
    Partida p = prueba::PartidaEnJuego();
    p.Estado[3] = 2;
    CuentaJugadores(p);
    for (int k = 1; k <= 4; ++k) Pon(p, 4, k, CasillaCasa[4]);
    p.Turno = 4;
    return p;
}

// Sends `enCasa` pieces of the losers home (71 squares each), seat 1 first.
void Adelanta(Partida& p, int enCasa) {
    for (int i = 0; i < enCasa; ++i) {
        const int j = i < 4 ? 1 : 2;
        Pon(p, j, i % 4 + 1, CasillaCasa[j]);
    }
}

// Total 4 x 71 x 2 = 568.  7 pieces home: 100 x 71 / 568 = 12.5 -> 12;
// 5 home: 37.5 -> 38; 4 home: 284 covered -> 50.
TEST(Puntos, RedondeoAlParMasCercano) {
    const std::pair<int, int> casos[] = {{0, 100}, {4, 50}, {5, 38}, {7, 12}, {8, 0}};   // (at home, points)
    for (const auto& [enCasa, puntos] : casos) {
        SCOPED_TRACE(testing::Message() << enCasa << " en casa");
        Partida p = TresJugadores();
        Adelanta(p, enCasa);
        EXPECT_EQ(CalculaPuntos(p), puntos);
    }
}

TEST(Puntos, CuentanLasCasillasRecorridasYElCompanero) {
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
}

TEST(Puntos, OchoFichas) {
    Partida p = prueba::PartidaEnJuego(1, 8);
    p.Turno = 2;
    EXPECT_EQ(CalculaPuntos(p), 100);
    for (int k = 1; k <= 8; ++k) Pon(p, 1, k, CasillaCasa[1]);
    // Total 8 x 71 x 3 = 1704, covered 568: 66.67 -> 67.
    EXPECT_EQ(CalculaPuntos(p), 67);
}

TEST(Ganador, TextoFinal) {
    const struct {
        int modo, turno;
        std::string texto;
    } casos[] = {
        {1, 4, "Luis, has ganado la partida. "},
        {1, 1, "Ha ganado la partida Carmen"},
        {1, 3, "Ha ganado la partida María"},
        {2, 3, "Han ganado la partida \r\nCarmen y María"},
        {2, 1, "Han ganado la partida \r\nCarmen y María"},
        {2, 2, "Habeis ganado la partida \r\nRoberto y Luis"},
        {2, 4, "Habeis ganado la partida \r\nRoberto y Luis"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << "modo " << c.modo << " gana " << c.turno);
        Partida p = prueba::PartidaEnJuego();
        p.ModoJuego = static_cast<Entero>(c.modo);
        p.Turno = static_cast<Entero>(c.turno);
        EXPECT_EQ(TextoFinal(p, 45), "Puntos : 45\r\n" + c.texto);
    }
}

TEST(RegistroDeLaPartida, IndividualConLosDemasPorOrdenDeLlegada) {
    Partida p = prueba::PartidaEnJuego();
    p.Turno = 2;
    Pon(p, 3, 1, 30);   // seat 3 ahead of seat 4, seat 1 nowhere
    Pon(p, 4, 1, 10);
    const RegistroHistorico r = RegistroDeLaPartida(p, 77, {2004, 3, 7, 18, 5});
    EXPECT_EQ(r.Nombres, (std::array<std::string, 4>{"Roberto", "María", "Luis", "Carmen"}));
    EXPECT_EQ(r.Puntos, 77);
    EXPECT_FALSE(r.Parejas);
    EXPECT_EQ(r.Fecha, (FechaHora{2004, 3, 7, 18, 5}));
    // A seat out of the game is left blank.
    EXPECT_EQ(RegistroDeLaPartida(TresJugadores(), 100, {}).Nombres,
              (std::array<std::string, 4>{"Luis", "Carmen", "Roberto", ""}));
}

TEST(RegistroDeLaPartida, ParejasGanadoresYPerdedoresEnOrdenDeAsiento) {
    Partida p = prueba::PartidaEnJuego();
    p.ModoJuego = 2;
    p.Turno = 3;
    RegistroHistorico r = RegistroDeLaPartida(p, 10, {});
    EXPECT_TRUE(r.Parejas);
    EXPECT_EQ(r.Nombres, (std::array<std::string, 4>{"Carmen", "María", "Roberto", "Luis"}));
    p.Turno = 4;
    r = RegistroDeLaPartida(p, 10, {});
    EXPECT_EQ(r.Nombres, (std::array<std::string, 4>{"Roberto", "Luis", "Carmen", "María"}));
}

}  // namespace
}  // namespace parchis
