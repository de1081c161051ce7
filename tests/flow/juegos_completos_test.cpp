// Whole games from the new-game command to the winner, under the default
// rules and random ones.  After every move the position, the log and the use
// of every value of every throw are checked, and the move must be what
// AplicaJugada (the computer player's simulation) makes of it; at the end the
// log undoes back to the start and replays to the end through every
// intermediate board.
#include <gtest/gtest.h>

#include <array>
#include <random>
#include <sstream>
#include <tuple>

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

using Foto = decltype(prueba::Tablero(Partida{}));

// The same game played through AplicaJugada.
class Sombra {
public:
    explicit Sombra(const Partida& p) : s_(p) {}

    // The error found after entry n of `p`, if any.
    std::string Sigue(const Partida& p, int n) {
        const Jugada& e = p.Jugadas[n];
        std::ostringstream r;
        switch (e.TipoJugada) {
            case 3: case 4: case 5: case 8: case 9: case 10:
                s_.Turno = e.Jugador;
                AplicaJugada(s_, e.CasillaOrigen, e.CasillaFinal, e.FichaJugada);
                comida_ = s_.JugadorComido != 0;
                break;
            case 6:
                if (e.Jugador != s_.JugadorComido) r << "entry " << n << " sends back the wrong seat\n";
                comida_ = false;
                break;
            case 11:   // the watcher checks the rest of the penalty
                if (e.FichaJugada != 0 && p.Fichas[e.Jugador][e.FichaJugada] != 0)
                    r << "entry " << n << " leaves the penalised piece out\n";
                s_ = p;
                break;
            default:
                break;
        }
        if (!comida_ && !(prueba::Tablero(s_) == prueba::Tablero(p))) r << "entry " << n << " differs from AplicaJugada\n";
        return r.str();
    }

private:
    Partida s_;
    bool comida_ = false;   // a captured piece waits to be sent back
};

// Every board the log passes through, undoing from the last entry and then
// replaying from the first.
std::string DeshaceYRehace(Partida p, const std::vector<Foto>& fotos) {
    const int ultima = static_cast<int>(fotos.size()) - 1;
    if (ultima != p.NumJugada) return "the boards seen do not match the log";
    for (int n = ultima; n >= 1; --n) {
        RetrocedeJugada(p, n);
        if (!(prueba::Tablero(p) == fotos[n - 1])) return "undoing entry " + std::to_string(n);
    }
    for (int n = 1; n <= ultima; ++n) {
        AvanzaJugada(p, n);
        if (!(prueba::Tablero(p) == fotos[n])) return "replaying entry " + std::to_string(n);
    }
    return {};
}

TEST(JuegoCompleto, InvariantesTrasCadaJugada) {
    std::mt19937 azar(2024);
    std::array<int, 12> tipos{};
    std::array<int, 8> detalles{};
    for (int partida = 1; partida <= 600; ++partida) {
        SCOPED_TRACE("partida " + std::to_string(partida));
        // One game in two under the default rules, the ones most played.
        Partida p = prueba::PartidaEnJuego();
        if (partida % 2 == 0) prueba::ReglasAleatorias(p, azar);
        prueba::EmpiezaPartida(p, azar);
        p.PausaEntreJugadas = azar() % 2 == 0;
        prueba::InterfazAzar ui(p, static_cast<unsigned>(azar()));
        VigilanteJugadas vigilante;
        Sombra sombra(p);
        std::vector<Foto> fotos{prueba::Tablero(p)};
        std::string error;
        auto falla = [&](const std::string& e) {
            if (e.empty() || !error.empty()) return;
            error = e;
            p.PartidaIniciada = false;   // stop at once
        };
        ui.TrasJugada = [&](Partida&, int n) {
            ++tipos[p.Jugadas[n].TipoJugada];
            ++detalles[p.Jugadas[n].Detalle];
            fotos.push_back(prueba::Tablero(p));
            falla(vigilante.TrasJugada(p, n) + sombra.Sigue(p, n));
        };
        int ganador = 0;
        bool limite = false;
        ui.AlMensaje = [&](const std::string& titulo) {
            if (titulo == TituloFinal) {
                ganador = p.Turno;
                falla(vigilante.AlFinal(p) + DeshaceYRehace(p, fotos));
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
    // The games must have gone through every kind of entry and outcome the
    // engine produces, or the checks above prove little.
    for (int t : {1, 2, 3, 4, 5, 6, 8, 9, 10, 11}) EXPECT_GT(tipos[t], 0) << "kind " << t;
    for (int d = 0; d <= 7; ++d) EXPECT_GT(detalles[d], 0) << "outcome " << d;
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
    EXPECT_EQ(std::tuple(ultima, p.PartidaIniciada, ui.ConTitulo(TituloLimite).size(),
                         ui.ConTitulo(TituloFinal).size()),
              std::tuple(MaxJugadas - 1, false, 1u, 0u));
}

// The watcher follows each value of a throw: seat 4 throws 2 and 5 with
// piece 1 on 30, a rival on 32 and three pieces in the box.
TEST(Vigilante, CadaValorDeLaTiradaSeCuentaUnaVez) {
    auto de4 = [](Entero tipo, Entero ficha, Entero valor, Entero indice, Entero origen, Entero final,
                  Entero inicio) {
        return Jugada{4, 0, 2, 5, valor, tipo, ficha, indice, origen, final, 0, inicio, 0, 0};
    };
    const Jugada sale = de4(4, 2, 5, 2, 0, 5, 1), come = de4(4, 1, 2, 1, 30, 32, 0);
    const Jugada vuelta{1, 4, 0, 0, 2, 6, 1, 0, 32, 0, 0, 0, 0, 0};
    const Jugada siguiente{1, 0, 3, 1, 4, 1, 0, 0, 0, 0, 0, 1, 0, 0};   // seat 1 cannot move
    const struct { const char* nombre; std::vector<Jugada> entradas; std::string error; } casos[] = {
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
