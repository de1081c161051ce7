// Start-up, leaving the program, postponing and resuming a game, and a new
// game started while the engine waits.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <tuple>

#include "common/posicion.h"
#include "core/configuracion.h"
#include "flow/arranque.h"
#include "flow/ayudas_flow.h"
#include "flow/final.h"
#include "flow/interfaz_prueba.h"
#include "flow/motor.h"
#include "flow/sorteo.h"
#include "rules/panel.h"

namespace parchis {
namespace {

namespace fs = std::filesystem;
using prueba::Pon;

const char* const TituloPosponer = "Posponer la partida en juego";

// Seat 1 cannot move, then seat 4 (a person, pieces on 20 and 40, so two
// pieces can count a bonus and the person is asked) captures with a 3 and
// leaves the program while the bonus of 20 is awaited; or seat 4 throws a
// double and leaves the next throw half played.  Until then the person
// counts the first value left with the first piece that can.  The game
// resumes at the throw's start, with the repetitions it had then.
TEST(Posponer, SeRebobinaLaTiradaYElMismoJugadorVuelveATirar) {
    for (const bool doble : {false, true}) {
        SCOPED_TRACE(doble);
        prueba::CarpetaTemporal carpeta;
        Partida p = prueba::PartidaEnJuego(2);
        p.Carpeta = carpeta.Texto();
        p.Control[4] = 1;
        p.TutorAutomatico = false;
        Pon(p, 4, 1, 20);
        Pon(p, 4, 2, 40);
        if (!doble) Pon(p, 2, 1, 23);
        prueba::TurnoDe(p, doble ? 4 : 1);
        prueba::InterfazPrueba ui(p);
        ui.Dados(doble ? 2 : 1, 2);
        ui.Dados(3, 4);
        Partida antes;
        ui.AlCeder = [&] {
            if (p.Turno == 4 && p.TiradaNueva) antes = p;
        };
        ui.Persona = [&] {
            if (doble ? p.Dado1 == 3 && p.ValoresUsados == 1 : p.TipoJugada == 5) {
                EXPECT_TRUE(SalirDelPrograma(p, ui));
                return;
            }
            int fila = 1;
            while (fila < p.ModoValores && p.ValorUsado[fila]) ++fila;
            if (p.TipoJugada != 5 && !p.ValorMarcado[fila]) MarcaValor(p, fila);
            for (int k = 1; k <= p.NumFichas && !ui.Clic(k); ++k) {}
        };
        JuegaPartida(p, ui);
        Partida guardada;
        guardada.Carpeta = p.Carpeta;
        LeerConfiguracion(guardada);
        EXPECT_EQ(ui.ConTitulo(TituloPosponer).size(), 1u);
        EXPECT_TRUE(doble || p.Jugadas[3].TipoJugada == 6) << "the capture was made before leaving";
        EXPECT_EQ(std::tuple(guardada.PartidaIniciada, guardada.Turno, guardada.NumJugada, guardada.Repeticiones),
                  std::tuple(true, 4, antes.NumJugada, doble ? 1 : 0));
        EXPECT_TRUE(prueba::Tablero(guardada) == prueba::Tablero(antes)) << "every move of the throw undone";
    }
}

TEST(Salir, PreguntaYGuarda) {
    // The message shown is "" when there is none.
    const struct {
        const char* nombre; bool grabadora, enJuego, red; int respuesta; bool sale, guarda; const char* titulo;
    } casos[] = {
        {"GrabadoraEncendida", true, true, false, Aceptar, false, false, "Salir del programa"},
        {"SinPartidaNoPregunta", false, false, false, Aceptar, true, true, ""},
        {"PosponerCancelado", false, true, false, Cancelar, false, false, TituloPosponer},
        {"EnRedNoSeGuarda", false, true, true, Aceptar, true, false, "Salir del programa"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        prueba::CarpetaTemporal carpeta;
        Partida p = prueba::PartidaEnJuego();
        p.Carpeta = carpeta.Texto();
        p.PartidaIniciada = c.enJuego;
        p.JugarEnRed = c.red;
        p.TiradaNueva = true;
        std::ofstream(carpeta.ruta / "ZRVEL34.ARE") << "x";
        prueba::InterfazPrueba ui(p);
        ui.Grabadora = c.grabadora;
        ui.Responde(c.titulo, c.respuesta);
        EXPECT_EQ(SalirDelPrograma(p, ui), c.sale);
        ASSERT_EQ(ui.Mensajes.size(), *c.titulo == '\0' ? 0u : 1u);
        for (const auto& m : ui.Mensajes) EXPECT_EQ(m.Titulo, c.titulo);
        EXPECT_EQ(std::pair(fs::exists(carpeta.ruta / "ZRVEL34.INI"), fs::exists(carpeta.ruta / "ZRVEL34.ARE")),
                  std::pair(c.guarda, !c.sale));
    }
}

// Below 800x600 the program offers the switch; each outcome of the switch
// has a message of its own.
TEST(Pantalla, OfertaDeOchocientosPorSeiscientos) {
    const struct { int ancho, alto, respuesta; CambioPantalla cambio; bool sigue; std::size_t mensajes; } casos[] = {
        {1024, 600, Aceptar, CambioPantalla::Hecho, true, 0},
        {640, 480, Cancelar, CambioPantalla::Hecho, false, 1},
        {640, 480, Aceptar, CambioPantalla::Hecho, true, 2},
        {640, 480, Aceptar, CambioPantalla::NoPosible, true, 2},
        {720, 400, Aceptar, CambioPantalla::Reiniciar, true, 2},
        {640, 480, Aceptar, CambioPantalla::Fallido, true, 2},
    };
    std::set<std::string> desenlaces;
    for (const auto& c : casos) {
        const std::string tamano = std::to_string(c.ancho) + "x" + std::to_string(c.alto);
        SCOPED_TRACE(tamano);
        Partida p;
        prueba::InterfazPrueba ui(p);
        ui.AnchoPantalla = c.ancho;
        ui.AltoPantalla = c.alto;
        ui.Cambio = c.cambio;
        ui.Responde("Resolución de pantalla", c.respuesta);
        EXPECT_EQ(CompruebaPantalla(ui), c.sigue);
        ASSERT_EQ(ui.Mensajes.size(), c.mensajes);
        if (c.mensajes == 0) continue;
        EXPECT_NE(ui.Mensajes[0].Texto.find("Su resolución es de " + tamano + "."), std::string::npos);
        if (c.mensajes > 1) desenlaces.insert(ui.Mensajes[1].Texto);
    }
    EXPECT_EQ(desenlaces.size(), 4u);
}

// A new game started from a command while the engine waits (for a throw or
// for a person's piece) runs to its end inside the wait; the interrupted
// engine then finishes without moving.
TEST(Interrumpida, LaNuevaPartidaTerminaYLaInterrumpidaNoSigue) {
    for (const bool esperaFicha : {false, true}) {
        SCOPED_TRACE(esperaFicha ? "esperando ficha" : "esperando tirada");
        Partida p = prueba::PartidaEnJuego();
        p.PausaEntreJugadas = !esperaFicha;
        if (esperaFicha) p.Control[4] = 1;
        prueba::TurnoDe(p, 1);
        prueba::InterfazPrueba ui(p, 11);
        bool lanzada = false;
        std::size_t jugadasAlVolver = 0;
        ui.AlCeder = [&] {
            if (lanzada || p.NumJugada < 8 || !(esperaFicha ? p.EsperandoFicha : p.EsperandoTirada)) return;
            lanzada = true;
            NuevaPartida(p, ui);
            jugadasAlVolver = ui.Jugadas.size();
        };
        JuegaPartida(p, ui);
        ASSERT_TRUE(lanzada);
        EXPECT_EQ(ui.ConTitulo(TituloFinal).size(), 1u) << "the new game was played to its end";
        EXPECT_EQ(ui.Jugadas.size(), jugadasAlVolver) << "no move after the new game";
        EXPECT_FALSE(p.PartidaIniciada);
    }
}

}  // namespace
}  // namespace parchis
