// The recorder's remote on games between computer seats: the remote is used
// while the engine waits for a throw, then the game is played to its end.
#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "common/posicion.h"
#include "core/narracion_texto.h"
#include "flow/ayudas_flow.h"
#include "flow/comprobacion.h"
#include "flow/final.h"
#include "flow/grabadora.h"
#include "flow/interfaz_prueba.h"
#include "flow/motor.h"

namespace parchis {
namespace {

// While the remote is on the board takes no clicks, so no throw is made:
// a wait only runs `ConMando`, standing for presses on the remote.
class InterfazMando : public prueba::InterfazPrueba {
public:
    using InterfazPrueba::InterfazPrueba;
    void Cede() override {
        if (!mando.MandoEncendido) return InterfazPrueba::Cede();
        if (ConMando) ConMando();
    }
    void SeleccionaLinea(int indice) override { Linea = indice; }
    EstadoMando mando;
    std::function<void()> ConMando;
    int Linea = -1;
};

struct Juego {
    explicit Juego(int dados, unsigned semilla) : p(prueba::PartidaEnJuego(dados)), ui(p, semilla) {
        p.PausaEntreJugadas = true;
        p.ListaJugadas = {PrincipioPartida};
        prueba::TurnoDe(p, 1);
    }
    void Pulsa(int boton) { PulsaMando(p, ui.mando, ui, boton); }

    // Runs `alLlegar` once, at the first throw from move k on, then plays
    // the game to its end; the final log must replay to the final position.
    void Juega(int k, const std::function<void()>& alLlegar) {
        bool hecho = false, ganada = false;
        ui.AlCeder = [&] {
            if (!hecho && p.EsperandoTirada && p.NumJugada >= k) {
                hecho = true;
                alLlegar();
                // A failed check may leave the remote on: the game must not wait forever.
                ui.mando.MandoEncendido = false;
            }
        };
        VigilanteJugadas vigilante;
        ui.AlMensaje = [&](const prueba::MensajeVisto& m) {
            if (m.Titulo != TituloFinal) return;
            ganada = true;
            EXPECT_EQ(vigilante.AlFinal(p), "");
        };
        JuegaPartida(p, ui);
        EXPECT_EQ(std::pair(hecho, ganada), std::pair(true, true)) << "the remote used, the game won";
    }

    Partida p;
    InterfazMando ui;
};

TEST(Grabadora, NoSeEnciendeSinJugadasNiFueraDeLaEsperaDeTirada) {
    for (const auto& [jugada, esperando] : {std::pair{1, true}, std::pair{5, false}}) {
        Juego j(1, 1);
        j.p.NumJugada = static_cast<Entero>(jugada);
        j.p.EsperandoTirada = esperando;
        j.Pulsa(MandoPotencia);
        EXPECT_FALSE(j.ui.mando.MandoEncendido) << jugada;
    }
}

TEST(Grabadora, LineaDeUnaJugadaPasadoEl999) {
    const std::vector<std::string> lista = {PrincipioPartida, "  1 Luis sale", "    contando 4", " 12 Luis sale",
                                            "999 Luis cuenta 3", "1000 Ana cuenta 4", "1001 Ana cuenta 2"};
    const std::pair<int, int> casos[] = {{1, 1}, {12, 3}, {999, 4}, {1000, 5}, {1001, 6}, {100, -1}, {2, -1}};
    for (const auto& [jugada, linea] : casos) EXPECT_EQ(BuscaLineaGrabadora(lista, jugada), linea) << jugada;
}

// An automatic run back stopped by a press after five steps; forward again
// it stops at the present, where one more step does nothing; back five
// again and off, the five are replayed and play goes on from the very same
// position.
TEST(Grabadora, AlApagarSeReproduceHastaElPresente) {
    for (int dados : {1, 2}) {
        Juego j(dados, 3);
        Partida& p = j.p;
        j.Juega(40, [&] {
            const auto antes = std::tuple(prueba::Tablero(p), p.NumJugada, p.Turno, p.ListaJugadas);
            const int presente = p.NumJugada;
            int pasos = 5;   // the steps before the press that stops a run
            j.ui.ConMando = [&] {
                if (--pasos == 0) j.Pulsa(MandoAdelante);
            };
            j.Pulsa(MandoPotencia);
            j.Pulsa(MandoAtrasAuto);
            EXPECT_EQ(std::tuple(p.NumJugada, j.ui.Linea, CompruebaRegistro(p, p.NumJugada - 1)),
                      std::tuple(presente - 5, BuscaLineaGrabadora(p.ListaJugadas, p.NumJugada), ""));
            pasos = -1;
            j.Pulsa(MandoAdelanteAuto);
            j.Pulsa(MandoAdelante);
            EXPECT_EQ(p.NumJugada, presente);
            pasos = 5;
            j.Pulsa(MandoAtrasAuto);
            const std::size_t mostradas = j.ui.Jugadas.size();
            j.Pulsa(MandoPotencia);
            EXPECT_EQ(j.ui.Jugadas.size() - mostradas, 5u);
            EXPECT_EQ(std::tuple(prueba::Tablero(p), p.NumJugada, p.Turno, p.ListaJugadas), antes);
        });
    }
}

// Restoring from the middle of a throw goes back to the throw's first move:
// that seat throws again, with the repetitions it had before the throw (a
// throw after a six or a double, when `trasRepeticion`), and the later
// moves are dropped from the list and overwritten in the log.
TEST(Grabadora, RestaurarVuelveAlPrincipioDeLaTiradaYLaPartidaSigue) {
    const std::tuple<int, unsigned, bool> casos[] = {{2, 1, false}, {2, 2, true}, {1, 3, true}, {1, 4, false}};
    for (const auto& [dados, semilla, trasRepeticion] : casos) {
        SCOPED_TRACE(semilla);
        Juego j(dados, semilla);
        Partida& p = j.p;
        auto inicio = [&] {
            int s = p.NumJugada;
            while (s > 1 && p.Jugadas[s].InicioTirada == 0) --s;
            return s;
        };
        auto autor = [&](const Jugada& e) { return e.TipoJugada == 6 ? e.Autor : e.Jugador; };
        auto buscada = [&] {
            const Jugada& previa = p.Jugadas[inicio() - 1];
            if (trasRepeticion) return autor(previa) == p.Jugadas[inicio()].Jugador && previa.Repeticiones > 0;
            return p.Jugadas[p.NumJugada].InicioTirada == 0;
        };
        j.Juega(80, [&] {
            j.Pulsa(MandoPotencia);
            do j.Pulsa(MandoAtras);
            while (!buscada() && p.NumJugada > 2);
            ASSERT_TRUE(buscada());
            const int s = inicio();
            const Jugada previa = p.Jugadas[s - 1];
            const int turno = p.Jugadas[s].Jugador;
            const int lineas = BuscaLineaGrabadora(p.ListaJugadas, s);
            j.Pulsa(MandoRestaurar);
            EXPECT_EQ(std::tuple(p.NumJugada, p.Turno, p.Repeticiones, j.ui.mando.MandoEncendido, p.EsperandoTirada),
                      std::tuple(s, turno, autor(previa) == turno ? previa.Repeticiones : 0, false, true));
            ASSERT_EQ(static_cast<int>(p.ListaJugadas.size()), lineas);
            EXPECT_EQ(p.ListaJugadas.back(), LineasJugada(p, s - 1).back());
            EXPECT_EQ(CompruebaRegistro(p, s - 1), "");
        });
    }
}

}  // namespace
}  // namespace parchis
