// The statistics window's figures for positions set up by hand.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "ai/estadisticas.h"
#include "common/posicion.h"
#include "rules/movimiento.h"

namespace parchis::prueba {
namespace {

// Seat 4 (exit 5, home 76) to move, waiting for its move with the throw.
Partida Turno4(int dado1, int dado2, const std::function<void(Partida&)>& coloca) {
    Partida p = PartidaVacia();
    coloca(p);
    p.PartidaIniciada = p.EsperandoFicha = true;
    p.Turno = 4;
    p.NumDados = dado2 ? 2 : 1;
    p.Dado1 = static_cast<Entero>(dado1);
    p.Dado2 = static_cast<Entero>(dado2);
    CalculaValores(p);
    return p;
}

std::vector<std::string> Columna(const Estadistica& e, int ficha) {
    return e.Jugadores.at(0).Fichas.at(ficha - 1).Destinos;
}

TEST(Estadisticas, DosDadosTablaDeFichasYValoresPorContar) {
    Partida p = Turno4(3, 4, [](Partida& p) {
        Pon(p, 4, 2, 9);
        Pon(p, 4, 3, 66);
        Pon(p, 4, 4, 73);
        Pon(p, 1, 1, 7);    // two squares behind seat 4's piece 2
        Pon(p, 1, 2, 12);   // on a safe square
        Pon(p, 1, 3, 100);  // at home
        p.Estado[2] = 2;
    });
    Estadistica e = CalculaEstadisticas(p);
    ASSERT_TRUE(e.HayPartida);
    std::vector<int> orden;
    for (const auto& j : e.Jugadores) orden.push_back(j.Jugador);
    EXPECT_EQ(orden, (std::vector<int>{4, 3, 1})) << "turn order from the seat to move, seat 2 off";
    EXPECT_EQ(e.Valores, (std::vector<int>{7, 3, 4}));
    using V = std::vector<std::string>;
    EXPECT_EQ(Columna(e, 1), (V{"", "", ""}));
    EXPECT_EQ(Columna(e, 2), (V{"16", "S", "13"}));
    EXPECT_EQ(Columna(e, 3), (V{"P", "P", "P"})) << "into the corridor";
    EXPECT_EQ(Columna(e, 4), (V{"", "C", ""})) << "only the exact count reaches home";
    const auto& f = e.Jugadores[0].Fichas;
    const char* filas[] = {" Espera", "6.9 %      9", "86.1 %     66", "95.8 %Pasillo"};
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(TextoPorcentajeFicha(f[k].Casillas) + TextoSituacion(f[k]), filas[k]) << k + 1;
    EXPECT_TRUE(f[1].Amenazada && !f[1].Resguardada);
    const auto& otras = e.Jugadores[2].Fichas;
    EXPECT_TRUE(otras[1].Resguardada && !otras[1].Amenazada);
    EXPECT_EQ(TextoPorcentajeFicha(otras[2].Casillas) + TextoSituacion(otras[2]), "100.0 %   Casa");

    p.ValorUsado[2] = true;   // the 4 is counted: only the 3 is left
    p.ValoresUsados = 1;
    e = CalculaEstadisticas(p);
    EXPECT_EQ(e.Valores, (std::vector<int>{3}));
    EXPECT_EQ(Columna(e, 4), (V{"C"}));
    p.EsperandoFicha = false;
    EXPECT_TRUE(CalculaEstadisticas(p).Jugadores[0].Fichas[3].Destinos.empty());
    p.PartidaIniciada = false;
    EXPECT_FALSE(CalculaEstadisticas(p).HayPartida);
}

TEST(Estadisticas, UnDadoComentarios) {
    struct Fila { int ficha; const char *celda, *comentario; };
    const struct {
        const char* caso;
        int dado;
        std::function<void(Partida&)> coloca;
        std::vector<Fila> filas;
    } casos[] = {
        {"salida", 5, [](Partida& p) { Pon(p, 4, 2, 30); p.SacarObligado = true; },
         {{1, "S", "Está obligado a sacar ficha"}, {2, "", ""}}},
        {"salida libre", 5, [](Partida& p) { Pon(p, 4, 2, 30); },
         {{1, "S", "Puede sacar ficha"}, {3, "", ""}}},
        {"barrera", 6, [](Partida& p) { Pon(p, 4, 1, 20); Pon(p, 4, 2, 20); Pon(p, 4, 3, 30); },
         {{1, "26", "Tiene que abrir la barrera"}, {2, "", ""}, {3, "", ""}}},
        {"comer", 3, [](Partida& p) {
             Pon(p, 4, 1, 10); Pon(p, 4, 2, 30); Pon(p, 3, 1, 13);
             p.ComerObligatorio = true; p.HayCapturaPosible = true; },
         {{1, "13", "Está obligado a comer ficha"}, {2, "", ""}}},
        {"primera contando", 4, [](Partida& p) {
             p.PrimeraFicha = 3; p.JugadaElegida = {1, 4, 0, 0, 9, 10}; },
         {{1, "9", "La primera sale contando. Va a la casilla 9"}, {2, "", ""}}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        const Estadistica e = CalculaEstadisticas(Turno4(c.dado, 0, c.coloca));
        ASSERT_EQ(e.Valores.size(), 1u);
        for (const Fila& f : c.filas) {
            EXPECT_EQ(Columna(e, f.ficha).at(0), f.celda) << f.ficha;
            EXPECT_EQ(e.Jugadores[0].Fichas[f.ficha - 1].Comentario, f.comentario) << f.ficha;
        }
    }
}

}  // namespace
}  // namespace parchis::prueba
