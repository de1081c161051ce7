#include "flow/posibilidades.h"

#include <gtest/gtest.h>

#include <cmath>

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
    EXPECT_NE(EstimaPosibilidades(p, 10, 0.05, 4000, 2).Victorias, uno.Victorias);
    // The engine's record is only read.
    Partida copia = p;
    EstimaPosibilidades(copia, 9, 0.05, 400);
    EXPECT_EQ(copia, p);
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
