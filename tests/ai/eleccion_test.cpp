// The choice in the situations the rules decide on their own, the order of
// equal candidates, the time guard and its message.
#include <gtest/gtest.h>

#include "ai/eleccion.h"
#include "comun_ai.h"
#include "common/posicion.h"
#include "posiciones.h"
#include "rules/tablero.h"

namespace parchis::prueba {
namespace {

Partida UnDado(int dado) {
    Partida p = PartidaVacia();
    NuevaTirada(p, dado, 0);
    return p;
}

struct CasoForzado {
    const char* nombre;
    int primeraFicha;
    int fuera;          // pieces of seat 1 already out, on squares 60, 61, ...
    int dado;
    int ficha, tipo, destino;
    bool sacarObligado;
};

class JugadaForzada : public ::testing::TestWithParam<CasoForzado> {};

// No search runs: the destinations stay empty and both prompt counts are 1.
TEST_P(JugadaForzada, SinBusqueda) {
    const CasoForzado& c = GetParam();
    Partida p = PartidaVacia();
    p.PrimeraFicha = static_cast<Entero>(c.primeraFicha);
    for (int k = 1; k <= c.fuera; ++k) Pon(p, 1, k, 59 + k);
    NuevaTirada(p, c.dado, 0);
    const Partida antes = p;
    EligeJugada(p, RelojParado);
    EXPECT_EQ(p.JugadaElegida.Ficha, c.ficha);
    EXPECT_EQ(p.JugadaElegida.Tipo, c.tipo);
    EXPECT_EQ(p.JugadaElegida.Origen, 0);
    EXPECT_EQ(p.JugadaElegida.Destino, c.destino);
    EXPECT_EQ(p.NumFichasMovibles, 1);
    EXPECT_EQ(p.NumValoresDesglose, 1);
    EXPECT_EQ(p.SacarObligado, c.sacarObligado);
    for (const auto& huecos : p.Destinos)
        for (int h = 1; h <= 5; ++h) EXPECT_EQ(huecos[h], 0);
    Partida esperado = antes;
    CopiaSalidasEleccion(p, esperado);
    EXPECT_TRUE(esperado == p);
}

INSTANTIATE_TEST_SUITE_P(
    Salidas, JugadaForzada,
    ::testing::Values(CasoForzado{"SalidaObligadaConCinco", 1, 1, 5, 2, 3, 56, true},
                      CasoForzado{"PrimeraDeDosFichas", 2, 0, 5, 1, 8, 56, false},
                      CasoForzado{"PrimeraSaleContando", 3, 0, 3, 1, 10, 59, false}),
    [](const auto& info) { return std::string(info.param.nombre); });

TEST(JugadaForzada, SegundaFichaDeLaSalidaDoble) {
    Partida p = UnDado(5);
    EligeJugada(p, RelojParado);
    ASSERT_EQ(p.JugadaElegida.Tipo, 8);
    EXPECT_EQ(p.SalidaDoble, 1);
    // The engine moves the first piece, then asks again counting 5.
    Pon(p, 1, 1, 56);
    p.SalidaDoble = 2;
    p.ValorCuenta = 5;
    EligeJugada(p, RelojParado);
    EXPECT_EQ(p.JugadaElegida.Tipo, 9);
    EXPECT_EQ(p.JugadaElegida.Ficha, 2);
    EXPECT_EQ(p.JugadaElegida.Destino, 56);
    EXPECT_EQ(p.SalidaDoble, 0);
}

TEST(Eleccion, SinFichaQuePuedaContar) {
    Partida p = UnDado(3);
    p.PrimeraFicha = 1;
    EligeJugada(p, RelojParado);
    EXPECT_EQ(p.JugadaElegida.Ficha, 0);
    EXPECT_EQ(p.NumFichasMovibles, 0);
    EXPECT_EQ(p.NumValoresDesglose, 0);
    EXPECT_FALSE(p.SacarObligado);
}

// At level 0 every feature that counts is multiplied by 0: all totals are
// equal and the candidate found last, the highest piece, is chosen.
TEST(Eleccion, EntreTotalesIgualesGanaElUltimo) {
    Partida p = PartidaVacia();
    const int casillas[] = {0, 8, 25, 42, 59};
    for (int k = 1; k <= 4; ++k) Pon(p, 1, k, casillas[k]);
    NuevaTirada(p, 4, 0);
    p.Nivel[1] = 0;
    EligeJugada(p, RelojParado);
    EXPECT_EQ(p.JugadaElegida.Ficha, 4);
    EXPECT_EQ(p.JugadaElegida.Destino, 63);
    EXPECT_EQ(p.JugadaElegida.Tipo, 3);
    EXPECT_EQ(p.NumFichasMovibles, 99);
    EXPECT_EQ(p.NumValoresDesglose, 1);
    for (int k = 1; k <= 4; ++k) {
        EXPECT_EQ(p.Destinos[k][1], casillas[k] + 4) << k;
        EXPECT_EQ(p.Destinos[k][2], 0) << k;
    }
}

// Two dice counted one by one: the total and both orders of the dice.
TEST(Eleccion, DestinosDeTodasLasSecuencias) {
    Partida p = PartidaVacia();
    p.NumDados = 2;
    Pon(p, 1, 1, 8);
    for (int k = 2; k <= 4; ++k) Pon(p, 1, k, 100);
    NuevaTirada(p, 2, 3);
    EligeJugada(p, RelojParado);
    EXPECT_EQ(p.JugadaElegida.Ficha, 1);
    EXPECT_EQ(p.NumValoresDesglose, 99);
    EXPECT_FALSE(p.DesgloseObligado);
    // Total 5 to 13, then 2 to 10 (and on by 3 to 13), then 3 to 11.
    EXPECT_EQ(p.Destinos[1][1], 13);
    EXPECT_EQ(p.Destinos[1][2], 10);
    EXPECT_EQ(p.Destinos[1][3], 11);
    EXPECT_EQ(p.Destinos[1][4], 0);
}

// Each read of this clock is 41 seconds after the previous one, so the
// guard cuts every search before its first sequence.
TEST(GuardiaDeTiempo, AvisaSoloEnElTercerCorte) {
    Partida p = PartidaVacia();
    Pon(p, 1, 1, 20);
    Pon(p, 1, 2, 30);
    NuevaTirada(p, 4, 0);
    double ahora = 0;
    auto reloj = [&ahora] { return ahora += 41; };
    const bool esperado[] = {false, false, true, false, false};
    for (int llamada = 0; llamada < 5; ++llamada) {
        EXPECT_EQ(EligeJugada(p, reloj), esperado[llamada]) << llamada;
        EXPECT_EQ(p.CortesBusqueda, llamada + 1);
        EXPECT_EQ(p.JugadaElegida.Ficha, 0);
    }
    EXPECT_STREQ(TituloPartidaCompleja, "Partida compleja");
    EXPECT_STREQ(TextoPartidaCompleja,
                 "La combinación  de  parámetros  que  ha  seleccionado para jugar esta partida está "
                 "produciendo una demora excesiva en el proceso  de  elección  de  jugada por parte del "
                 "ordenador. Como consecuencia de ello, para acelerar el proceso, no se están valorando "
                 "todas  las  variables durante  el  proceso de cálculo.  Para acortar  y  mejorar "
                 "sensiblemente el desarrollo de la partida, se recomienda reducir el número de dados, "
                 "de jugadores o de fichas por jugador.");
}

// A clock that stays still never cuts; the default clock is the real one.
TEST(GuardiaDeTiempo, SinCorteEnUnaBusquedaCorta) {
    Partida p = PartidaVacia();
    Pon(p, 1, 1, 20);
    NuevaTirada(p, 4, 0);
    EXPECT_FALSE(EligeJugada(p));
    EXPECT_EQ(p.CortesBusqueda, 0);
    EXPECT_EQ(p.JugadaElegida.Ficha, 1);
}

}  // namespace
}  // namespace parchis::prueba
