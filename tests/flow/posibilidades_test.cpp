#include "flow/posibilidades.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "common/posicion.h"
#include "common/posicion_media.h"
#include "rules/tablero.h"

namespace parchis {
namespace {

// Two seats facing each other, seat `turno` to throw, from a board built
// by hand (no log: the record is trusted, as the desktop's own is).
Partida DosJugadores(int turno) {
    Partida p = prueba::PartidaVacia();
    p.Estado = {0, 1, 2, 1, 2};
    CuentaJugadores(p);
    for (int j = 1; j <= 4; ++j) p.Control[j] = 2;
    p.PartidaIniciada = p.TiradaNueva = true;
    p.Turno = static_cast<Entero>(turno);
    return p;
}

TEST(Posibilidades, TresFichasEnCasaFrenteANingunaGanaCasiSiempre) {
    Partida p = DosJugadores(3);
    for (int k = 1; k <= 3; ++k) prueba::Pon(p, 1, k, CasillaCasa[1]);
    prueba::Pon(p, 1, 4, CasillaSalida[1]);
    const Posibilidades r = EstimaPosibilidades(p, 11, 0.03);
    EXPECT_GE(r.Partidas, Analisis::MinimoPartidas);
    EXPECT_GE(r.Probabilidad(1), 0.95);
    EXPECT_NEAR(r.Probabilidad(1) + r.Probabilidad(3), 1.0, 1e-9);
}

TEST(Posibilidades, PosicionesSimetricasDanLoMismo) {
    // The same position with the two seats' roles swapped: each seat's
    // pieces the same number of squares from its exit.
    Partida a = DosJugadores(1), b = DosJugadores(3);
    const int pasos[2][2] = {{10, 30}, {25, 0}};
    for (int lado = 0; lado < 2; ++lado) {
        for (int k = 0; k < 2; ++k) {
            const int j = lado == 0 ? 1 : 3, otro = lado == 0 ? 3 : 1;
            prueba::Pon(a, j, k + 1, AvanzaCasillas(j, pasos[lado][k], CasillaSalida[j]));
            prueba::Pon(b, otro, k + 1, AvanzaCasillas(otro, pasos[lado][k], CasillaSalida[otro]));
        }
    }
    const Posibilidades ra = EstimaPosibilidades(a, 5, 0.025), rb = EstimaPosibilidades(b, 6, 0.025);
    const double margen = std::hypot(ra.Margen(1), rb.Margen(3));
    EXPECT_NEAR(ra.Probabilidad(1), rb.Probabilidad(3), margen);
    EXPECT_LE(ra.MargenMaximo(a), 0.025);
}

TEST(Posibilidades, LaMismaSemillaDaLasMismasCifrasConCualquierNumeroDeHilos) {
    const Partida p = prueba::PosicionMedia(prueba::RegistroPorDefecto(), 3, 60);   // four computer seats
    ASSERT_TRUE(p.PartidaIniciada);
    const Posibilidades uno = EstimaPosibilidades(p, 9, 0.05, 4000, 1);
    const Posibilidades dos = EstimaPosibilidades(p, 9, 0.05, 4000, 2);
    EXPECT_EQ(uno.Partidas, dos.Partidas);
    EXPECT_EQ(uno.Victorias, dos.Victorias);
    EXPECT_EQ(uno.Probabilidad(2), dos.Probabilidad(2));
    EXPECT_NE(EstimaPosibilidades(p, 10, 0.05, 4000, 2).Victorias, uno.Victorias);
    // The engine's record is only read.
    Partida copia = p;
    EstimaPosibilidades(copia, 9, 0.05, 400);
    EXPECT_EQ(copia, p);
}

// A playout that branches (here once a seat has three pieces home) plays
// the rest of the game from the same board in each branch: its figures
// agree with playouts played whole.
TEST(Posibilidades, LasRamasDanLoMismoQueLasPartidasEnteras) {
    Partida p = DosJugadores(3);
    prueba::Pon(p, 1, 1, CasillaCasa[1]);
    prueba::Pon(p, 1, 2, CasillaCasa[1]);
    prueba::Pon(p, 1, 3, AvanzaCasillas(1, 20, CasillaSalida[1]));
    prueba::Pon(p, 1, 4, AvanzaCasillas(1, 20, CasillaSalida[1]));
    prueba::Pon(p, 3, 1, CasillaCasa[3]);
    for (int k = 2; k <= 4; ++k) prueba::Pon(p, 3, k, AvanzaCasillas(3, 50, CasillaSalida[3]));
    Partida inicio;
    ASSERT_TRUE(PreparaSimulacion(p, inicio));
    const Reparto reparto = RepartoPara(inicio);
    ASSERT_EQ(reparto.Corte, 3);
    ASSERT_EQ(reparto.Ramas, 2);
    constexpr int N = 3000;
    double enteras = 0;
    int ramificadas = 0;
    for (int i = 0; i < N; ++i) {
        enteras += JuegaSimulacion(inicio, 21, i) == 1;
        const Muestra m = JuegaMuestra(inicio, reparto, 22, i);
        ASSERT_EQ(m.Ganadas[0] + m.Ganadas[1] + m.Ganadas[3], m.Ramas);
        ramificadas += m.Ramas == 2;
    }
    EXPECT_GT(ramificadas, N / 2);
    const Posibilidades r = EstimaPosibilidades(p, 23, 0.012);
    EXPECT_GT(r.Terminadas, r.Partidas);
    const double q = enteras / N;
    EXPECT_NEAR(r.Probabilidad(1), q, 1.5 * std::hypot(r.Margen(1), Z95 * std::sqrt(q * (1 - q) / N)));
    // The margin is that of the playouts, not of their branches: branches
    // that always split the win leave no doubt.
    Posibilidades partidas;
    partidas.Partidas = 100;
    partidas.Suma[1] = 50;
    partidas.Cuadrados[1] = 100 * 0.25;
    EXPECT_EQ(partidas.Margen(1), 0);
    partidas.Cuadrados[1] = 50;   // half won both branches, half neither
    EXPECT_NEAR(partidas.Margen(1), Z95 * std::sqrt(0.25 / 99), 1e-12);
}

// The luck of a throw is what it let the seat do less what the average
// throw would have: over every throw the seat could make it sums to zero,
// and a throw that captures counts for the capturer.
TEST(Posibilidades, LaSuerteDeUnaTiradaEsCeroEnPromedio) {
    for (int dados : {1, 2}) {
        SCOPED_TRACE(dados);
        Partida p = DosJugadores(1);
        p.NumDados = static_cast<Entero>(dados);
        prueba::Pon(p, 1, 1, 30);
        prueba::Pon(p, 3, 1, 33);   // three squares ahead, not a safe square
        const Partida antes = p;
        Suerte media{}, tres{};
        for (int a = 1; a <= 6; ++a)
            for (int b = 1; b <= (dados == 2 ? 6 : 1); ++b) AnotaSuerte(p, a, dados == 2 ? b : 0, media);
        for (double x : media) EXPECT_NEAR(x, 0, 1e-9);
        AnotaSuerte(p, dados == 2 ? 1 : 3, dados == 2 ? 2 : 0, tres);
        EXPECT_GT(tres[1], 0);   // seat 1's capture of seat 3
        EXPECT_EQ(p, antes);
    }
}

// Win counts that follow a luck term: the correction takes its part out,
// stays unbiased and narrows the margin; a term unrelated to who wins
// leaves the count alone.
TEST(Posibilidades, LaCorreccionQuitaLaParteDeLaSuerte) {
    std::mt19937_64 azar(5);
    std::normal_distribution<double> normal;
    std::uniform_real_distribution<double> uniforme;
    Correccion ligada, suelta;
    constexpr int N = 4000;
    double victorias = 0;
    for (int i = 0; i < N; ++i) {
        Suerte x{};
        x[0] = normal(azar);
        x[7] = normal(azar);
        const double gana = uniforme(azar) < 0.4 + 0.3 * std::clamp(x[0], -1.3, 1.3) ? 1 : 0;
        victorias += gana;
        ligada.Anota(x, {0, gana, 1 - gana, 0, 0});
        x[0] = normal(azar);   // unrelated to this playout
        suelta.Anota(x, {0, gana, 1 - gana, 0, 0});
    }
    const double cruda = std::sqrt(0.4 * 0.6 / N);
    double q = 0, e = 0, q2 = 0, e2 = 0;
    ASSERT_TRUE(ligada.Estima(1, q, e));
    EXPECT_NEAR(q, 0.4, 3 * e);
    EXPECT_LT(e, 0.9 * cruda);
    ASSERT_TRUE(ligada.Estima(2, q2, e2));
    EXPECT_NEAR(q + q2, 1, 1e-9);
    if (suelta.Estima(1, q, e)) {
        EXPECT_NEAR(q, victorias / N, 2 * e);
        EXPECT_GT(e, 0.97 * cruda);
    }
}

TEST(Posibilidades, SinPartidaOConUnRegistroDanadoNoHayAnalisis) {
    Partida p = prueba::PosicionMedia(prueba::RegistroPorDefecto(), 4, 40);
    ASSERT_TRUE(p.PartidaIniciada);
    EXPECT_TRUE(Analisis(p, 1, 0.5, 16, 1, true).Valido());
    Partida danada = p;
    danada.Jugadas[5].CasillaFinal = 99;
    EXPECT_FALSE(Analisis(danada, 1, 0.5, 16, 1, true).Valido());
    Partida terminada = p;
    terminada.PartidaIniciada = false;
    EXPECT_FALSE(Analisis(terminada, 1).Valido());
    // Stopped at once, an analysis still ends and leaves whole blocks.
    Analisis a(p, 1, 0.001, 100000, 2);
    a.Para();
    a.Espera();
    EXPECT_EQ(a.Estimacion().Partidas % Analisis::Bloque, 0);
}

}  // namespace
}  // namespace parchis
