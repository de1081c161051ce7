// A new game and the opening draw.
#include <gtest/gtest.h>

#include <tuple>

#include "core/narracion_texto.h"
#include "flow/ayudas_flow.h"
#include "flow/interfaz_prueba.h"
#include "flow/sorteo.h"

namespace parchis {
namespace {

TEST(Sorteo, GanaLaTiradaMasAlta) {
    const struct {
        const char* nombre;
        int dados, sentido, desactivado;
        std::vector<std::pair<int, int>> tiradas;
        std::vector<int> orden;   // seats in the order they threw
        int ganador, empates;
    } casos[] = {
        // 9, 4, 9, 2: seats 4 and 2 throw again, 6 against 12.
        {"EmpateConDosDados", 2, 2, 0, {{4, 5}, {2, 2}, {6, 3}, {1, 1}, {3, 3}, {6, 6}}, {4, 3, 2, 1, 4, 2}, 2, 1},
        {"DirectoEmpiezaElUno", 1, 1, 0, {{3, 0}, {6, 0}, {2, 0}, {5, 0}}, {1, 2, 3, 4}, 2, 0},
        {"InversoEmpiezaElCuatro", 1, 2, 0, {{3, 0}, {6, 0}, {2, 0}, {5, 0}}, {4, 3, 2, 1}, 3, 0},
        {"DesactivadoNoTira", 1, 2, 3, {{1, 0}, {2, 0}, {6, 0}}, {4, 2, 1}, 1, 0},
        {"DosEmpates", 1, 1, 0, {{6, 0}, {6, 0}, {6, 0}, {1, 0}, {4, 0}, {4, 0}, {4, 0}, {2, 0}, {5, 0}, {3, 0}},
         {1, 2, 3, 4, 1, 2, 3, 1, 2, 3}, 2, 2},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        Partida p = prueba::PartidaEnJuego(c.dados);
        p.Sentido = static_cast<Entero>(c.sentido);
        if (c.desactivado) p.Estado[c.desactivado] = 2;
        prueba::InterfazPrueba ui(p);
        for (const auto& [d1, d2] : c.tiradas) ui.Dados(d1, d2);
        SorteoInicial(p, ui);
        EXPECT_EQ(std::tuple(p.Turno, ui.Dibujos, ui.ConTitulo(TituloSorteo).size()),
                  std::tuple(c.ganador, c.orden, static_cast<std::size_t>(c.empates)));
    }
}

// A new game from the command, stopped at its first yield, noting who was
// about to throw.
struct Comienzo : testing::Test {
    Comienzo() {
        p.PartidaIniciada = false;
        ui.AlCeder = [this] {
            if (primero == 0) primero = p.Turno;
            p.PartidaIniciada = false;
        };
    }
    void Juega(int modoRed) {
        p.JugarEnRed = modoRed != 0;
        p.ModoRed = static_cast<Entero>(modoRed);
        NuevaPartida(p, ui);
    }
    Partida p = prueba::PartidaEnJuego();
    prueba::InterfazPrueba ui{p};
    int primero = 0;
};

// Cancelar opens the rules and asks again; the draw's winner throws first.
TEST_F(Comienzo, CancelarAbreLasReglasYSePreguntaOtraVez) {
    ui.Responde(TituloComienza, Cancelar);
    for (int d : {2, 6, 3, 4}) ui.Dados(d);   // "Inverso": 4, 3, 2, 1
    Juega(0);
    const auto sale = ui.ConTitulo(TituloSorteo);
    EXPECT_EQ(std::tuple(ui.ReglasAbiertas, ui.ConTitulo(TituloComienza).size(), sale.size(), primero,
                         p.ListaJugadas.front()),
              std::tuple(1, 2u, 1u, 3, PrincipioPartida));
    EXPECT_EQ(sale.empty() ? "" : sale[0].Texto, "Sale María.");
}

// "Cancelar" after the rules were left unchanged is the way back to the
// idle board; a change in the rules asks again, as before.
TEST(NuevaPartida, CancelarTrasUnasNormasSinCambiosVuelveAlTableroQuieto) {
    struct ConReglas : prueba::InterfazPrueba {
        using InterfazPrueba::InterfazPrueba;
        std::function<void()> alAbrir;
        void AbreReglas() override { InterfazPrueba::AbreReglas(), alAbrir(); }
    };
    for (const int veces : {0, 2}) {
        int cambios = veces;
        Partida p = prueba::PartidaEnJuego();
        ConReglas ui(p);
        ui.alAbrir = [&] { p.NumDados = static_cast<Entero>(cambios-- > 0 ? 3 - p.NumDados : p.NumDados); };
        for (int i = 0; i < 9; ++i) ui.Responde(TituloComienza, Cancelar);
        NuevaPartida(p, ui);
        EXPECT_EQ(std::tuple(ui.ReglasAbiertas, ui.ConTitulo(TituloComienza).size(), p.PartidaIniciada,
                             ui.ConTitulo(TituloSorteo).size()),
                  std::tuple(veces + 1, veces + 2u, false, 0u));
    }
}

TEST_F(Comienzo, ElClienteRecibeLasTiradasDelAdministrador) {
    p.PuestoAdmin = 1;
    // The administrator's seats 4, 3, 2, 1 are seats 3, 2, 1, 4 here.
    p.ColaRed = "010500" "010400" "010300" "010200";
    Juega(2);
    const auto preguntas = ui.ConTitulo(TituloComienza);
    ASSERT_EQ(preguntas.size(), 1u);
    EXPECT_EQ(preguntas[0].Texto, PreguntaComienzaCliente);
    EXPECT_EQ(primero, 3);
    EXPECT_TRUE(ui.Enviados.empty()) << "a client sends nothing of the draw";
}

}  // namespace
}  // namespace parchis
