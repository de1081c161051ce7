// Bonus counts after a capture or a piece home, their order with the rest of
// the throw, the end of the game, and the wait before every local throw.
#include <gtest/gtest.h>

#include <vector>

#include "common/posicion.h"
#include "flow/ayudas_flow.h"
#include "flow/final.h"
#include "flow/historico.h"
#include "flow/interfaz_prueba.h"
#include "flow/motor.h"
#include "flow/persona.h"
#include "rules/panel.h"
#include "rules/tablero.h"

namespace parchis {
namespace {

using prueba::Pon;

// Stops the game at the first yield of another seat's turn.
void ParaTrasElTurnoDe(Partida& p, prueba::InterfazPrueba& ui, int jugador) {
    ui.AlCeder = [&p, jugador] {
        if (p.Turno != jugador) p.PartidaIniciada = false;
    };
}

// The person at seat 4 counts a 3 capturing, the bonus of 20, then the 4.
TEST(Bonos, CapturaBonoYLuegoElRestoDeLaTirada) {
    Partida p = prueba::PartidaEnJuego(2);
    p.Control[4] = 1;
    p.TutorAutomatico = false;
    Pon(p, 4, 1, 20);
    Pon(p, 4, 2, 40);
    Pon(p, 1, 1, 23);
    prueba::TurnoDe(p, 4);
    prueba::InterfazPrueba ui(p);
    ui.Dados(3, 4);
    ui.Persona = [&] {
        if (p.TipoJugada == 5) {
            ui.Clic(2);
            return;
        }
        const int fila = p.ValoresUsados == 0 ? 1 : 2;
        if (!p.ValorMarcado[fila]) MarcaValor(p, fila);
        ui.Clic(p.ValoresUsados == 0 ? 1 : 2);
    };
    ParaTrasElTurnoDe(p, ui, 4);
    JuegaPartida(p, ui);

    // The 3, the capture, the bonus (no throw start), the 4, then nothing.
    const char* const esperadas[] = {"j4 a0 t4 f1 v3 20->23 r0 i1 d1", "j1 a4 t6 f1 v3 23->0 r0 i0 d0",
                                      "j4 a0 t5 f2 v20 40->60 r0 i0 d0", "j4 a0 t4 f2 v4 60->64 r0 i0 d0",
                                      "j0 a0 t0 f0 v0 0->0 r0 i0 d0"};
    for (int n = 1; n <= 5; ++n) EXPECT_EQ(prueba::Resumen(p.Jugadas[n]), esperadas[n - 1]) << n;
    EXPECT_EQ(p.Fichas[1][1], 0);
    EXPECT_EQ(p.Fichas[4][2], 64);
    EXPECT_NE(std::find(ui.Indicaciones.begin(), ui.Indicaciones.end(), "Elija ficha para contar  20"),
              ui.Indicaciones.end());
}

// Leaving the box onto one's own exit square held by two rivals captures the
// one that arrived last; the 20 only with BonoComerSaliendo.
TEST(ComerSaliendo, BonoSegunLaRegla) {
    for (const bool bono : {true, false}) {
        SCOPED_TRACE(bono);
        Partida p = prueba::PartidaEnJuego();
        p.BonoComerSaliendo = bono;
        Pon(p, 4, 1, 30);
        Pon(p, 1, 1, CasillaSalida[4]);
        Pon(p, 2, 1, CasillaSalida[4]);
        prueba::TurnoDe(p, 4);
        prueba::InterfazPrueba ui(p);
        ui.Dados(5);
        ParaTrasElTurnoDe(p, ui, 4);
        JuegaPartida(p, ui);

        const auto& j = p.Jugadas;
        EXPECT_EQ(j[1].TipoJugada, 3);
        EXPECT_EQ(j[1].CasillaOrigen, 0);
        EXPECT_EQ(j[1].CasillaFinal, CasillaSalida[4]);
        EXPECT_EQ(j[2].TipoJugada, 6);
        EXPECT_EQ(j[2].Jugador, 2) << "the last to arrive";
        EXPECT_EQ(p.Fichas[2][1], 0);
        EXPECT_EQ(p.Fichas[1][1], CasillaSalida[4]);
        EXPECT_EQ(j[3].TipoJugada, bono ? 5 : 0) << "without the bonus the turn ends";
        EXPECT_EQ(j[3].ValorCuenta, bono ? 20 : 0);
    }
}

// The first 5 takes two pieces out of a full box; the second follows onto
// the exit square unless the first has formed a barrier there with the
// partner's piece, which would make three pieces on one square.
TEST(SalidaDoble, LaSegundaSaleSiCabe) {
    struct Caso {
        const char* nombre;
        int ocupante;                  // seat of the piece on the exit square, 0 for none
        std::vector<int> tipos;        // kinds of the seat's entries in its turn
    };
    const Caso casos[] = {
        {"Libre", 0, {8, 9}},
        {"RivalComido", 1, {8, 9, 6, 5}},
        {"BarreraConElCompanero", 2, {8}},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        Partida p = prueba::PartidaEnJuego();
        p.ModoJuego = 2;
        p.BarreraCompaneros = true;
        p.PrimeraFicha = 2;
        if (c.ocupante != 0) Pon(p, c.ocupante, 1, CasillaSalida[4]);
        prueba::TurnoDe(p, 4);
        prueba::InterfazPrueba ui(p);
        ui.Dados(5);
        ParaTrasElTurnoDe(p, ui, 4);
        JuegaPartida(p, ui);

        std::vector<int> tipos;
        for (int n = 1; p.Jugadas[n].Jugador != 0 && n < static_cast<int>(p.Jugadas.size()); ++n)
            tipos.push_back(p.Jugadas[n].TipoJugada);
        EXPECT_EQ(tipos, c.tipos);
        for (int s = 1; s <= NumCasillas; ++s) EXPECT_EQ(p.Casillas[s].Jugador[3], 0) << s;
        EXPECT_EQ(p.EnEspera[4], 4 - (static_cast<int>(c.tipos.size()) >= 2 ? 2 : 1));
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

        EXPECT_EQ(p.Jugadas[1].CasillaFinal, CasillaCasa[4]);
        EXPECT_EQ(p.Jugadas[2].Jugador, 0);
        EXPECT_FALSE(p.PartidaIniciada);
        EXPECT_EQ(p.NumJugada, 0);
        const auto final = ui.ConTitulo(TituloFinal);
        ASSERT_EQ(final.size(), 1u);
        EXPECT_EQ(final[0].Texto, "Puntos : 100\r\nLuis, has ganado la partida. ");
        EXPECT_EQ(final[0].Lineas, 2);
        const auto pregunta = ui.ConTitulo(TituloHistorico);
        ASSERT_EQ(pregunta.size(), 1u);
        EXPECT_EQ(pregunta[0].Texto, PreguntaHistorico);
        EXPECT_EQ(pregunta[0].Botones, 2);
        EXPECT_EQ(pregunta[0].Ayuda, 2181);
        const auto historico = LeeHistorico(p.Carpeta);
        ASSERT_EQ(historico.size(), respuesta == Aceptar ? 1u : 0u);
        if (historico.empty()) continue;
        EXPECT_EQ(historico[0].Nombres[0], "Luis");
        EXPECT_EQ(historico[0].Puntos, 100);
        EXPECT_EQ(historico[0].Fecha, ui.Ahora());
    }
}

// With the pause between moves every local throw, the computer's included,
// waits for a click.  The throw's opening sound is heard to its end before
// the dice tumble; the tumble's own sounds overlap the frames.
TEST(Tirada, EsperaConLaPausaYSuenaEnSuOrden) {
    Partida p = prueba::PartidaEnJuego();
    p.PausaEntreJugadas = true;
    prueba::TurnoDe(p, 1);
    prueba::InterfazPrueba ui(p, 7);
    ui.AlCeder = [&] {
        if (p.NumJugada > 60) p.PartidaIniciada = false;
    };
    JuegaPartida(p, ui);
    EXPECT_GT(ui.Lanzamientos, 20);
    EXPECT_EQ(ui.EsperasTirada, ui.Lanzamientos);
    const std::pair<int, bool> casos[] = {{5, true}, {17, false}, {18, false}, {19, false}};
    for (auto [sonido, esperar] : casos) {
        SCOPED_TRACE(sonido);
        EXPECT_EQ(ui.Sonidos.count({sonido, esperar}), 1u);
        EXPECT_EQ(ui.Sonidos.count({sonido, !esperar}), 0u);
    }
}

}  // namespace
}  // namespace parchis
