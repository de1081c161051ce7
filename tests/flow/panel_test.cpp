// The counting panel, the prompt line and the tutor's decision for a person.
#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "common/posicion.h"
#include "flow/ayudas_flow.h"
#include "flow/interfaz_prueba.h"
#include "flow/persona.h"
#include "rules/panel.h"

namespace parchis {
namespace {

using prueba::Pon;

// Seat 4, a person, two pieces on the track and two in the box; one die
// showing 4 and the computer's facts for several pieces.
Partida Base() {
    Partida p = prueba::PartidaEnJuego();
    p.Turno = 4;
    p.Control[4] = 1;
    Pon(p, 4, 1, 20);
    Pon(p, 4, 2, 30);
    p.Dado1 = 4;
    p.ValoresCuenta = {4, 0, 0, 0, 0, 0};
    p.ValorCuenta = 4;
    p.ModoValores = 1;
    p.NumValoresDesglose = 1;
    p.NumFichasMovibles = 99;
    p.JugadaElegida = {1, 4, 0, 20, 24, 3};
    return p;
}

// Two dice 3 and 4 counted individually or jointly.
void DosDados(Partida& p) {
    p.NumDados = 2;
    p.Dado1 = 3;
    p.Dado2 = 4;
    p.ValoresCuenta = {7, 3, 4, 0, 0, 0};
    p.ValorCuenta = 7;
    p.ModoValores = 2;
    p.NumValoresDesglose = 99;
}

void Cinco(Partida& p) {
    p.Dado1 = 5;
    p.ValoresCuenta[0] = p.ValorCuenta = 5;
    p.PuedeSacar = true;
}

// The prompt line, and the counting panel shown only to a person with
// several values to choose from and no bonus.
TEST(Indicacion, TextoExactoYPanel) {
    const struct {
        const char* nombre; std::function<void(Partida&)> prepara; std::string esperado; bool panel = false;
    } casos[] = {
        {"VariasFichas", [](Partida&) {}, "Elija ficha para contar 4"},
        {"UnaFicha", [](Partida& p) { p.NumFichasMovibles = 1; }, "Sólo hay una ficha para contar 4"},
        {"NingunaFicha", [](Partida& p) { p.NumFichasMovibles = 0; }, ""},
        {"TotalConDesglose", DosDados, "Elija ficha para contar 7 o marque un valor desglosado", true},
        {"DelOrdenador", [](Partida& p) { DosDados(p), p.Control[4] = 2; },
         "Elija ficha para contar 7 o marque un valor desglosado"},
        {"UnaFichaTotalConDesglose", [](Partida& p) { DosDados(p), p.NumFichasMovibles = 1; },
         "Sólo hay una ficha para contar 7 o un valor desglosado", true},
        {"ValorDesglosado", [](Partida& p) { DosDados(p), p.IndiceValor = 2; }, "Elija ficha para contar 4", true},
        {"SacarOContar", Cinco, "Elija ficha para sacar o para contar 5"},
        {"SoloSacar", [](Partida& p) { Cinco(p), p.NumFichasMovibles = 1; }, "Sólo puede sacar ficha"},
        {"CincoSinPoderSacar", [](Partida& p) { Cinco(p), p.PuedeSacar = false; }, "Elija ficha para contar 5"},
        {"SalidaDoblePrimera", [](Partida& p) { p.JugadaElegida.Tipo = 8; }, "Saliendo doble con la primera ficha"},
        {"SalidaDobleSegunda", [](Partida& p) { p.JugadaElegida.Tipo = 9; }, "Saliendo doble con la segunda ficha"},
        {"SaleContando", [](Partida& p) { p.JugadaElegida.Tipo = 10; }, "La primera ficha sale contando"},
        {"SacarObligado", [](Partida& p) { p.SacarObligado = true; }, "Tiene que sacar ficha obligatoriamente"},
        {"ComerPuedeMasQueSacar", [](Partida& p) { p.SacarObligado = p.ComerObligado = true; },
         "Tiene que comer ficha obligatoriamente"},
        {"AbrirLaBarrera",
         [](Partida& p) { p.SacarObligado = p.ComerObligado = p.AbrirBarrera = true, p.NumBarreras = 1; },
         "Tiene que abrir la barrera"},
        {"AbrirUnaDeSusBarreras", [](Partida& p) { p.AbrirBarrera = true, p.NumBarreras = 2; },
         "Tiene que abrir una de sus barreras"},
        {"BonoVariasFichas", [](Partida& p) { p.TipoJugada = 5, p.ValorCuenta = 20, p.AbrirBarrera = true; },
         "Elija ficha para contar  20"},
        {"BonoConDosDados", [](Partida& p) { DosDados(p), p.TipoJugada = 5, p.ValorCuenta = 20; },
         "Elija ficha para contar  20"},
        {"BonoUnaFicha", [](Partida& p) { p.TipoJugada = 5, p.ValorCuenta = 10, p.NumFichasMovibles = 1; },
         "Sólo hay una ficha para contar  10"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        Partida p = Base();
        c.prepara(p);
        ComponeIndicacion(p);
        EXPECT_EQ(p.Indicacion, c.esperado);
        EXPECT_EQ(DescribePanel(p).Visible, c.panel);
    }
}

// With no joint total possible the first row is marked and comes back when
// cleared, with the Contar message on the first value of the throw only.
TEST(Persona, DesgloseObligado) {
    Partida p = Base();
    DosDados(p);
    p.DesgloseObligado = true;
    p.EsperandoFicha = true;
    prueba::InterfazPrueba ui(p);
    PreparaPanelCuenta(p, ui);
    const PanelCuenta panel = ui.Paneles.back();
    EXPECT_EQ(std::tuple(panel.Visible, panel.AdmiteClics, panel.Etiqueta[2], panel.Marcada[1], panel.Marcada[2]),
              std::tuple(true, true, "Contar 4", true, false));
    EXPECT_EQ(p.ValorCuenta, 3);
    SeleccionaValor(p, ui, 1);
    EXPECT_EQ(std::tuple(ui.ConTitulo("Contar").size(), p.ValorMarcado[1], ui.Indicaciones.back()),
              std::tuple(1u, true, "Elija ficha para contar 3"));
    p.ValoresUsados = 1;
    EXPECT_FALSE(MarcaValor(p, 1));
    EXPECT_TRUE(p.ValorMarcado[1]);
    // A toggle the panel does not offer is ignored.
    SeleccionaValor(p, ui, 2);
    EXPECT_EQ(p.ValorCuenta, 3);
}

TEST(Persona, ElClicEligeSoloFichasMovibles) {
    Partida p = Base();
    p.EsperandoFicha = true;
    p.FichaMovible = {};
    p.FichaMovible[2] = true;
    EXPECT_FALSE(EligeFichaPersona(p, 1) || EligeFichaPersona(p, 9) || !p.EsperandoFicha);
    EXPECT_TRUE(EligeFichaPersona(p, 2) && !p.EsperandoFicha);
    EXPECT_EQ(std::tuple(p.FichaJugada, p.CasillaOrigen, p.CasillaFinal, p.TipoJugada), std::tuple(2, 30, 34, 3));
}

TEST(Persona, LaSugerenciaMarcaElValorSugeridoYLuegoElQueSeCuenta) {
    Partida p = Base();
    DosDados(p);
    p.JugadaElegida = {2, 4, 2, 30, 34, 4};
    prueba::InterfazPrueba ui(p);
    MuestraSugerencia(p, ui);
    ASSERT_EQ(ui.Paneles.size(), 2u);
    EXPECT_EQ(std::pair(ui.Paneles[0].Marcada[2], ui.Paneles[1].Marcada[2]), std::pair(true, false));
    EXPECT_EQ(ui.Senales, (std::vector<std::pair<int, FormaSenal>>{{2, FormaSenal::Tutor}}));
}

TEST(Tutor, Decision) {
    using enum DecisionTurno;
    const struct { int control, movibles, valores; bool tutor, red; DecisionTurno esperada; } casos[] = {
        {2, 0, 1, true, false, NoPuedeMover},   {1, 0, 1, true, false, NoPuedeMover},
        {2, 99, 99, true, false, JuegaElegida}, {1, 1, 1, true, false, JuegaElegida},
        {1, 1, 99, true, false, Sugerencia},    {1, 99, 1, true, false, Sugerencia},
        {1, 99, 1, false, false, EsperaPersona}, {1, 99, 1, true, true, EsperaPersona},
        {3, 99, 1, true, false, EsperaPersona},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << "control " << c.control << ", " << c.movibles << " fichas, "
                                        << c.valores << " valores, tutor " << c.tutor << ", red " << c.red);
        Partida p = Base();
        p.Control[4] = static_cast<Entero>(c.control);
        p.NumFichasMovibles = static_cast<Entero>(c.movibles);
        p.NumValoresDesglose = static_cast<Entero>(c.valores);
        p.TutorAutomatico = c.tutor;
        p.JugarEnRed = c.red;
        EXPECT_EQ(DecideTurno(p), c.esperada);
    }
}

}  // namespace
}  // namespace parchis
