#include "ai/dados.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sys/stat.h>
#include <random>
#include <tuple>

#include "common/carpeta_temporal.h"
#include "common/ficheros.h"
#include "common/otro_usuario.h"
#include "common/posicion.h"

namespace parchis {
namespace {

TEST(Dados, GammaIncompletaDaLosValoresConocidos) {
    struct Caso { double a, x, q; };
    // Q(1, x) = e^-x, Q(1/2, x) = erfc(sqrt x), and the chi-square table's
    // 5 % and 0.1 % points for 1, 5 and 10 degrees of freedom.
    const Caso casos[] = {
        {1, 1, std::exp(-1.0)}, {1, 30, std::exp(-30.0)},     {0.5, 0.5, std::erfc(std::sqrt(0.5))},
        {0.5, 1.920729, 0.05},  {2.5, 11.0705 / 2, 0.05},     {5, 18.307 / 2, 0.05},
        {2.5, 20.515 / 2, 0.001}, {5, 29.588 / 2, 0.001},     {5, 0, 1},
        {3, 1e-3, 1 - 1.6658e-10},
    };
    for (const Caso& c : casos)
        EXPECT_NEAR(GammaIncompletaQ(c.a, c.x), c.q, 3e-4 * c.q + 1e-15) << c.a << ", " << c.x;
}

CuentaDados Lanza(unsigned semilla, int tiradas, int dados, double pesoSeis) {
    std::mt19937 azar(semilla);
    std::discrete_distribution<int> cara({1, 1, 1, 1, 1, pesoSeis});
    Partida p = prueba::PartidaVacia();
    p.NumJugada = 1;
    for (int i = 0; i < tiradas; ++i)
        prueba::Anota(p, Jugada{static_cast<Entero>(1 + i % 4), 0, static_cast<Entero>(1 + cara(azar)),
                                static_cast<Entero>(dados == 2 ? 1 + cara(azar) : 0), 0, 1, 0, 0, 0, 0, 0, 1, 0});
    const RecuentoDados r = CuentaTiradas(p);
    CuentaDados suma;
    for (int j = 1; j <= 4; ++j) suma.Suma(r[j]);
    EXPECT_EQ(suma, r[0]);
    EXPECT_EQ(r[0].Tiradas + r[0].TiradasDos, tiradas);
    return r[0];
}

TEST(Dados, VeredictoConDadosJustosYCargados) {
    const std::string azar = "Los dados se comportan como cabe esperar por azar";
    for (int dados : {1, 2}) {
        for (unsigned semilla : {1u, 2u, 3u}) {
            const CuentaDados justos = Lanza(semilla, 3000, dados, 1);
            EXPECT_EQ(Veredicto(PruebaCaras(justos)).rfind(azar, 0), 0u) << Veredicto(PruebaCaras(justos));
            if (dados == 2) {
                EXPECT_GT(PruebaSumas(justos).Probabilidad, 0.05);
            }
            // A six that comes up one time in four instead of one in six.
            const CuentaDados cargados = Lanza(semilla, 3000, dados, 1.67);
            const PruebaDados prueba = PruebaCaras(cargados);
            EXPECT_LT(prueba.Probabilidad, 0.001);
            EXPECT_EQ(Veredicto(prueba).rfind("Los dados se apartan mucho de lo esperado", 0), 0u);
        }
    }
    EXPECT_FALSE(PruebaCaras(Lanza(1, 20, 1, 1)).Suficiente);
    EXPECT_EQ(TextoProbabilidad(0.0234), "2,3 %");
    EXPECT_EQ(TextoProbabilidad(0.00001), "menos del 0,1 %");
}

TEST(Dados, LasTiradasSinDadosNoCuentan) {
    Partida p = prueba::PartidaVacia();
    const Jugada manual{1, 1, 0, 0, 0, 7, 1, 0, 0, 5, 0, 1, 0};
    const Jugada vuelta{2, 1, 4, 0, 4, 6, 1, 0, 5, 0, 0, 1, 0};
    const Jugada siguiente{1, 0, 4, 0, 4, 3, 1, 0, 1, 5, 0, 0, 0};   // same throw, second value
    const Jugada danada{1, 0, 9, 0, 4, 3, 1, 0, 1, 5, 0, 1, 0};
    for (const Jugada& e : {manual, vuelta, siguiente, danada}) prueba::Anota(p, e);
    EXPECT_EQ(CuentaTiradas(p)[0], CuentaDados{});
    // The throw waiting for its move is counted once.
    p.PartidaIniciada = p.TiradaNueva = p.EsperandoFicha = true;
    p.Turno = 3;
    p.Dado1 = 6;
    EXPECT_EQ(CuentaTiradas(p)[3].Caras[6], 1);
}

TEST(Dados, ElRecuentoGeneralSumaCadaPartidaUnaVez) {
    prueba::CarpetaTemporal carpeta;
    Partida p = prueba::PartidaVacia();
    p.IdPartida = "0042";
    for (int i = 0; i < 6; ++i)
        prueba::Anota(p, Jugada{1, 0, static_cast<Entero>(1 + i), 3, 0, 1, 0, 0, 0, 0, 0, 1, 0});
    --p.NumJugada;   // a finished game: NumJugada names its last move
    ASSERT_TRUE(AnadeRecuento(carpeta.Texto(), p));
    ASSERT_TRUE(AnadeRecuento(carpeta.Texto(), p));
    RecuentoGeneral r = CargaRecuento(carpeta.Texto());
    // Six throws of two dice, one of them the double 3-3, one summing 9.
    EXPECT_EQ(std::tuple(r.Partidas, r.Recuento[1].TiradasDos, r.Recuento[0].Dobles, r.Recuento[1].Sumas[9]),
              std::tuple(1, 6, 1, 1));
    p.IdPartida = "0043";
    ASSERT_TRUE(AnadeRecuento(carpeta.Texto(), p));
    r = CargaRecuento(carpeta.Texto());
    EXPECT_EQ(std::tuple(r.Partidas, r.Recuento[0].Caras[3]), std::tuple(2, 14));
    EXPECT_EQ(LeeRecuento(ComponeRecuento(r)), r);
}

// Adding a game never costs the figures of the games before it: a tally
// that does not read back as written is kept aside before the game joins
// what could be read of it, and one that cannot be read is left alone.
TEST(Dados, AnadirUnaPartidaNoPierdeElRecuentoAnterior) {
    Partida p = prueba::PartidaVacia();
    prueba::Anota(p, Jugada{1, 0, 5, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0});
    --p.NumJugada;
    // As the program writes it: seat 2 threw six times in the seven games.
    const std::string bien =
        ComponeRecuento(LeeRecuento("recuento-dados 1\npartidas 7\njugador 2 6 0 1 1 1 1 1 1 0 0 0 0 0 0 0 0 0 0 0 0\n"));
    std::string cifra = bien;   // seat 3's faces no longer add up
    cifra.replace(cifra.find("jugador 3 0 0 0"), 15, "jugador 3 0 0 7");
    // `partidas` and seat 2's throws read afterwards; -1: the file is left as it was.
    const struct { const char* nombre; std::string antes; mode_t permisos; std::int64_t partidas, tiradas2; } casos[] = {
        {"bien", bien, 0644, 8, 6},
        {"otra cabecera", "recuento-dados 2" + bien.substr(16), 0644, 1, 0},
        {"una cifra cambiada", cifra, 0644, 8, 6},
        {"ilegible", bien, 0200, -1, -1},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        prueba::CarpetaTemporal carpeta;
        const std::string fichero = carpeta.Texto() + FicheroRecuento;
        prueba::ComoUsuarioCorriente(carpeta.Texto(), [&] {
            prueba::Escribe(fichero, c.antes);
            chmod(fichero.c_str(), c.permisos);
            std::string apartado;
            EXPECT_EQ(AnadeRecuento(carpeta.Texto(), p, &apartado), c.partidas >= 0);
            const bool aparte = c.antes != bien && c.partidas >= 0;
            EXPECT_EQ(std::pair(apartado, prueba::Lee(apartado)),
                      aparte ? std::pair(fichero + ".dañado", c.antes) : std::pair(std::string(), std::string()));
            chmod(fichero.c_str(), 0644);
            const RecuentoGeneral r = CargaRecuento(carpeta.Texto());
            if (c.partidas < 0) EXPECT_EQ(prueba::Lee(fichero), c.antes);
            else EXPECT_EQ(std::tuple(r.Partidas, r.Recuento[2].Tiradas), std::tuple(c.partidas, c.tiradas2));
        });
    }
}

TEST(Dados, UnRecuentoDanadoSoloDaLoQueCuadra) {
    const std::string bien = "jugador 2 6 0 1 1 1 1 1 1 0 0 0 0 0 0 0 0 0 0 0 0\n";
    const struct { std::string texto; std::int64_t tiradas2; } casos[] = {   // seat 2's throws read
        {"recuento-dados 1\n" + bien, 6},
        {"otra cosa\n" + bien, 0},
        {"recuento-dados 1\njugador 2 6 0 1 1 1 1 1 2 0 0 0 0 0 0 0 0 0 0 0 0\n", 0},   // faces add to 7
        {"recuento-dados 1\njugador 2 -6 0 1 1 1 1 1 1 0 0 0 0 0 0 0 0 0 0 0 0\n", 0},
        {"recuento-dados 1\njugador 2 6 0 1 1 1 1 1 1\n", 0},
        {"recuento-dados 1\njugador 9 6 0 1 1 1 1 1 1 0 0 0 0 0 0 0 0 0 0 0 0\n", 0},
        {"recuento-dados 1\njugador 2 99999999999999999999 0 1 1 1 1 1 1 0 0 0 0 0 0 0 0 0 0 0 0\n", 0},
        {"recuento-dados 1\nhuellas zz 12\n" + bien + "partidas x\n", 6},
    };
    for (const auto& c : casos) {
        const RecuentoGeneral r = LeeRecuento(c.texto);
        EXPECT_EQ(std::pair(r.Recuento[2].Tiradas, r.Recuento[0].Tiradas), std::pair(c.tiradas2, c.tiradas2))
            << c.texto;
    }
}

}  // namespace
}  // namespace parchis
