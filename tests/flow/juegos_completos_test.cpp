// Whole games from the new-game command to the winner, under the default
// rules and random ones, with the position, the log and the use of every
// value of every throw checked after every move and the log replayed at the
// end.
#include <gtest/gtest.h>

#include <random>

#include "common/partida_aleatoria.h"
#include "common/posicion.h"
#include "flow/ayudas_flow.h"
#include "flow/comprobacion.h"
#include "flow/final.h"
#include "flow/interfaz_prueba.h"
#include "flow/motor.h"
#include "flow/sorteo.h"
#include "rules/movimiento.h"
#include "rules/registro.h"
#include "rules/tablero.h"

namespace parchis {
namespace {

TEST(JuegoCompleto, InvariantesTrasCadaJugada) {
    std::mt19937 azar(2024);
    for (int partida = 1; partida <= 600; ++partida) {
        SCOPED_TRACE("partida " + std::to_string(partida));
        // One game in two under the default rules, the ones most played.
        Partida p = prueba::PartidaEnJuego();
        if (partida % 2 == 0) prueba::ReglasAleatorias(p, azar);
        prueba::EmpiezaPartida(p, azar);
        p.PausaEntreJugadas = azar() % 2 == 0;
        prueba::InterfazAzar ui(p, static_cast<unsigned>(azar()));
        VigilanteJugadas vigilante;
        std::string error;
        auto falla = [&](const std::string& e) {
            if (e.empty() || !error.empty()) return;
            error = e;
            p.PartidaIniciada = false;   // stop at once
        };
        ui.TrasJugada = [&](Partida&, int n) { falla(vigilante.TrasJugada(p, n)); };
        int ganador = 0;
        bool limite = false;
        ui.AlMensaje = [&](const std::string& titulo) {
            if (titulo == TituloFinal) {
                ganador = p.Turno;
                falla(vigilante.AlFinal(p));
            } else if (titulo == TituloLimite) {
                limite = true;
                falla(CompruebaRegistro(p, p.NumJugada));
            }
        };
        NuevaPartida(p, ui);
        ASSERT_EQ(error, "");
        ASSERT_TRUE(ganador != 0 || limite) << "the game ended without a winner";
        EXPECT_FALSE(p.PartidaIniciada);
    }
}

// Added dice with a double counting 14: a piece two squares from home can
// never move, and when every seat has its last piece there nobody can win.
TEST(LimiteDeJugadas, UnaPartidaSinFinSeDetieneSinRomperElRegistro) {
    Partida p = prueba::PartidaEnJuego(2);
    p.MetodoCuenta = 1;
    for (int j = 1; j <= 4; ++j) {
        for (int k = 1; k <= 3; ++k) prueba::Pon(p, j, k, CasillaCasa[j]);
        prueba::Pon(p, j, 4, CasillaCasa[j] - 2);
    }
    prueba::TurnoDe(p, 1);
    prueba::InterfazPrueba ui(p);
    int ultima = 0;
    ui.AlMensaje = [&](const prueba::MensajeVisto& m) {
        if (m.Titulo == TituloLimite) ultima = p.NumJugada;
    };
    JuegaPartida(p, ui);
    EXPECT_EQ(ultima, MaxJugadas - 1);
    EXPECT_FALSE(p.PartidaIniciada);
    EXPECT_EQ(ui.ConTitulo(TituloLimite).size(), 1u);
    EXPECT_TRUE(ui.ConTitulo(TituloFinal).empty());
}

// The watcher follows each value of a throw: seat 4 throws 2 and 5 with
// piece 1 on 30, a rival on 32 and three pieces in the box.
TEST(Vigilante, CadaValorDeLaTiradaSeCuentaUnaVez) {
    auto de4 = [](int tipo, int ficha, int valor, int indice, int origen, int final, int inicio) {
        return Jugada{4, 0, 2, 5, static_cast<Entero>(valor), static_cast<Entero>(tipo), static_cast<Entero>(ficha),
                      static_cast<Entero>(indice), static_cast<Entero>(origen), static_cast<Entero>(final), 0,
                      static_cast<Entero>(inicio), 0, 0};
    };
    const Jugada sale = de4(4, 2, 5, 2, 0, 5, 1), come = de4(4, 1, 2, 1, 30, 32, 0);
    const Jugada vuelta{1, 4, 0, 0, 2, 6, 1, 0, 32, 0, 0, 0, 0, 0};
    const Jugada siguiente{1, 0, 3, 1, 4, 1, 0, 0, 0, 0, 0, 1, 0, 0};   // seat 1 cannot move
    const struct {
        const char* nombre;
        std::vector<Jugada> entradas;
        std::string error;
    } casos[] = {
        {"Completa", {sale, come, vuelta, de4(5, 2, 20, 0, 5, 25, 0), siguiente}, ""},
        {"BonoSinContarYLuegoElOtroValor",
         {de4(4, 1, 2, 1, 30, 32, 1), vuelta, de4(1, 0, 20, 0, 0, 0, 0), de4(4, 2, 5, 2, 0, 5, 0), siguiente}, ""},
        {"ValorPerdido", {sale, siguiente}, "jugada 2: la tirada anterior deja valores sin contar"},
        {"BonoPerdido", {sale, come, vuelta, siguiente},
         "jugada 4: la tirada anterior deja una bonificación sin contar"},
        {"SalidaInventada", {sale, de4(3, 3, 5, 0, 0, 5, 0)},
         "jugada 2: sale una ficha con 5, un valor que la tirada no ofrece o que ya ha contado"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        Partida p = prueba::PartidaEnJuego(2);
        prueba::Pon(p, 4, 1, 30);
        prueba::Pon(p, 1, 1, 32);
        p.Turno = 4;
        p.Dado1 = 2;
        p.Dado2 = 5;
        CalculaValores(p);
        VigilanteJugadas vigilante;
        std::string error;
        for (const Jugada& e : c.entradas) {
            prueba::Anota(p, e);
            AvanzaJugada(p, p.NumJugada - 1);
            if (error.empty()) error = vigilante.TrasJugada(p, p.NumJugada - 1);
        }
        EXPECT_EQ(error, c.error);
    }
}

}  // namespace
}  // namespace parchis
