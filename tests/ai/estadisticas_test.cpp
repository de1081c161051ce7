// The statistics window's figures: the value distribution it prints (which
// the computer player weighs captures with too), the danger it shows for a
// piece (what the other seats' next throws can capture of it), and its
// table for positions set up by hand.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "ai/estadisticas.h"
#include "ai/probabilidad.h"
#include "ai/valoracion.h"
#include "common/posicion.h"
#include "rules/movimiento.h"

namespace parchis::prueba {
namespace {

TEST(Distribucion, CuentaLasEntradasDeCadaTirada) {
    // `numValores` is NumValoresPosibles, `total` the entries over all throws.
    const struct { const char* nombre; int dados, cuenta, seis; bool cajaVacia; int numValores, total;
                   std::vector<std::pair<int, int>> combinaciones; } casos[] = {   // (value, count)
        {"one die, pieces boxed", 1, 2, 1, false, 6, 6, {{1, 1}, {5, 1}, {6, 1}, {7, 0}}},
        {"one die, six counts seven", 1, 2, 1, true, 7, 6, {{5, 1}, {6, 0}, {7, 1}}},
        {"one die, six counts twelve", 1, 2, 2, true, 12, 6, {{6, 0}, {7, 0}, {12, 1}}},
        {"one die, no bonus", 1, 2, 3, true, 6, 6, {{6, 1}, {7, 0}}},
        {"two dice added", 2, 1, 1, false, 12, 36, {{2, 1}, {7, 6}, {12, 1}}},
        {"two dice added, double counts fourteen", 2, 1, 1, true, 14, 36, {{2, 0}, {4, 2}, {12, 0}, {14, 6}}},
        {"two dice added, double counted twice", 2, 1, 2, true, 24, 36, {{2, 0}, {4, 3}, {8, 5}, {24, 1}}},
        {"two dice apart", 2, 2, 1, false, 12, 108, {{1, 12}, {2, 13}, {7, 6}, {12, 1}}},
        // A double with bonus values lists fifteen entries: 30 x 3 + 6 x 15.
        {"two dice apart, double with opposite faces", 2, 2, 1, true, 14, 180, {{14, 6}, {13, 4}}},
        {"two dice apart, double counted twice", 2, 2, 2, true, 24, 180, {{24, 1}, {18, 4}, {20, 1}}},
        {"two dice apart, no bonus", 2, 2, 3, true, 12, 108, {{12, 1}}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        Partida p = PartidaVacia();
        p.NumDados = static_cast<Entero>(c.dados);
        p.MetodoCuenta = static_cast<Entero>(c.cuenta);
        p.SeisConTodas = static_cast<Entero>(c.seis);
        p.EnEspera[2] = c.cajaVacia ? 0 : 3;
        p.EnEspera[1] = c.cajaVacia ? 3 : 0;   // only the seat's own box counts
        const DistribucionValores d = ProbabilidadValores(p, 2);
        EXPECT_EQ(d.NumValoresPosibles, c.numValores);
        int total = 0;
        for (int v = 1; v <= MaxValor; ++v) total += d.Combinaciones[v];
        EXPECT_EQ(total, c.total);
        for (const auto& [valor, cuenta] : c.combinaciones) {
            EXPECT_EQ(d.Combinaciones[valor], cuenta) << "value " << valor;
            EXPECT_DOUBLE_EQ(d.PorcentajeValor[valor], cuenta * 100.0 / c.total) << "value " << valor;
        }
    }
    EXPECT_EQ(ProbabilidadValores(prueba::PartidaVacia(), 0).NumValoresPosibles, 6);
}

// Seat 1's piece on 43 has travelled 55 squares.  A rival three squares
// behind takes it with a 3 (one throw in six) and then its one piece out
// can count the 20: (55 + 20) / 6.
TEST(Peligro, DeUnaFicha) {
    // Game mode (2: pairs), the other seat's piece, the square of seat 1's piece 1.
    const struct { const char* nombre; int modo, rival, desde, nuestra; double esperado; } casos[] = {
        {"rival behind", 1, 2, 40, 43, 75.0 / 6},   {"safe square", 1, 2, 40, 46, 0},
        {"rival ahead", 1, 2, 45, 43, 0},           {"out of reach", 1, 2, 30, 43, 0},
        {"the partner does not capture", 2, 3, 40, 43, 0},
        {"the other rival in pairs", 2, 4, 40, 43, 75.0 / 6},
    };
    for (const auto& c : casos) {
        Partida p = PartidaVacia();
        p.ModoJuego = static_cast<Entero>(c.modo);
        Pon(p, c.rival, 1, c.desde);
        Pon(p, 1, 1, c.nuestra);
        EXPECT_NEAR(PeligroFicha(p, 1, 1), c.esperado, 1e-9) << c.nombre;
    }
    const Partida p = PartidaVacia();
    for (auto [j, k] : {std::pair{0, 1}, {1, 0}, {1, 5}}) EXPECT_EQ(PeligroFicha(p, j, k), 0) << j << " " << k;
}

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
    // Piece 3 goes into the corridor; only the exact count takes piece 4 home.
    using V = std::vector<std::string>;
    const V columnas[] = {{"", "", ""}, {"16", "S", "13"}, {"P", "P", "P"}, {"", "C", ""}};
    const auto& f = e.Jugadores[0].Fichas;
    const char* filas[] = {" Espera", "6.9 %      9", "86.1 %     66", "95.8 %Pasillo"};
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(Columna(e, k + 1), columnas[k]) << k + 1;
        EXPECT_EQ(TextoPorcentajeFicha(f[k].Casillas) + TextoSituacion(f[k]), filas[k]) << k + 1;
    }
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
        const char* caso; int dado; std::function<void(Partida&)> coloca; std::vector<Fila> filas;
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
