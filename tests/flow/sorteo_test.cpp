// A new game and the opening draw.
#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "core/narracion_texto.h"
#include "flow/ayudas_flow.h"
#include "flow/interfaz_prueba.h"
#include "flow/sorteo.h"

namespace parchis {
namespace {

TEST(Sorteo, GanaLaTiradaMasAlta) {
    // `orden`: the seats in the order they threw.
    const struct { const char* nombre; int dados, sentido, desactivado; std::vector<std::pair<int, int>> tiradas;
                   std::vector<int> orden; int ganador, empates; } casos[] = {
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
// about to throw; the rules window changes the number of dice the first
// `cambios` times it opens.
struct Comienzo {
    struct ConReglas : prueba::InterfazPrueba {
        using InterfazPrueba::InterfazPrueba;
        std::function<void()> alAbrir;
        void AbreReglas() override { InterfazPrueba::AbreReglas(), alAbrir(); }
    };
    explicit Comienzo(int cambios = 0) : cambios(cambios) {
        ui.AlCeder = [this] {
            if (primero == 0) primero = p.Turno;
            p.PartidaIniciada = false;
        };
        ui.alAbrir = [this] { p.NumDados = static_cast<Entero>(this->cambios-- > 0 ? 3 - p.NumDados : p.NumDados); };
    }
    Partida p = prueba::PartidaEnJuego();
    ConReglas ui{p};
    int cambios, primero = 0;
};

// Cancelar opens the rules and asks again; Cancelar once more after the
// rules were left unchanged is the way back to the idle board, while a
// change in the rules asks again, as before.  Aceptar starts the draw,
// whose winner throws first.
TEST(NuevaPartida, CancelarAbreLasReglasYSePreguntaOtraVez) {
    const struct { int cancelados, cambios, reglas; std::size_t preguntas, sorteos; } casos[] = {
        {1, 0, 1, 2, 1}, {9, 0, 1, 2, 0}, {9, 2, 3, 4, 0}};
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << c.cancelados << " Cancelar, " << c.cambios << " cambios");
        Comienzo n(c.cambios);
        for (int i = 0; i < c.cancelados; ++i) n.ui.Responde(TituloComienza, Cancelar);
        for (int d : {2, 6, 3, 4}) n.ui.Dados(d);   // "Inverso": 4, 3, 2, 1
        NuevaPartida(n.p, n.ui);
        const auto sale = n.ui.ConTitulo(TituloSorteo);
        EXPECT_EQ(std::tuple(n.ui.ReglasAbiertas, n.ui.ConTitulo(TituloComienza).size(), n.p.PartidaIniciada,
                             sale.size(), n.primero),
                  std::tuple(c.reglas, c.preguntas, false, c.sorteos, c.sorteos ? 3 : 0));
        if (sale.empty()) continue;
        EXPECT_EQ(std::tuple(sale[0].Texto, n.p.ListaJugadas.front()), std::tuple("Sale María.", PrincipioPartida));
    }
}

TEST(NuevaPartida, ElClienteRecibeLasTiradasDelAdministrador) {
    Comienzo n;
    n.p.JugarEnRed = true;
    n.p.ModoRed = 2;
    n.p.PuestoAdmin = 1;
    // The administrator's seats 4, 3, 2, 1 are seats 3, 2, 1, 4 here.
    n.p.ColaRed = "010500" "010400" "010300" "010200";
    NuevaPartida(n.p, n.ui);
    const auto preguntas = n.ui.ConTitulo(TituloComienza);
    ASSERT_EQ(preguntas.size(), 1u);
    EXPECT_EQ(std::tuple(preguntas[0].Texto, n.primero), std::tuple(PreguntaComienzaCliente, 3));
    EXPECT_TRUE(n.ui.Enviados.empty()) << "a client sends nothing of the draw";
}

}  // namespace
}  // namespace parchis
