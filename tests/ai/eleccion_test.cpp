// The computer player's choice against its plain, literal version on
// positions from random games under every kind of rule set: the same move,
// the same prompt facts and the same destinations; the record left as it
// was and no file written.  PARCHIS_POSICIONES asks for a longer run (the
// literal player is slow) and PARCHIS_SEMILLA for other positions than the
// usual ones.  Then the time guard of the choice and its message.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <tuple>

#include "ai/eleccion.h"
#include "common/carpeta_temporal.h"
#include "common/posicion.h"
#include "comun_ai.h"
#include "jugador_literal.h"
#include "linea_posicion.h"
#include "common/partida_aleatoria.h"
#include "posiciones.h"

namespace parchis::prueba {
namespace {

// A number the environment variable asks for, or `porDefecto`.
unsigned Pedido(const char* variable, unsigned porDefecto) {
    const char* v = std::getenv(variable);
    return v ? static_cast<unsigned>(std::strtoul(v, nullptr, 10)) : porDefecto;
}

int PosicionesPedidas(int porDefecto) { return std::max(1, int(Pedido("PARCHIS_POSICIONES", porDefecto))); }

// The fields a choice may change; everything else must stay as it was.
auto SalidasEleccion(Partida& p) {
    return std::tie(p.JugadaElegida, p.NumFichasMovibles, p.NumValoresDesglose, p.DesgloseObligado, p.PuedeSacar,
                    p.SacarObligado, p.HayCapturaPosible, p.Destinos, p.CortesBusqueda, p.SalidaDoble, p.ModoValores,
                    p.ValorCuenta);
}

void Compara(const Partida& antes, const std::string& donde) {
    Partida rapida = antes;
    const bool avisoRapido = EligeJugada(rapida, RelojParado);
    Partida literal = antes;
    const bool avisoLiteral = EligeJugadaLiteral(literal, RelojParado, CopiaBorrador::Texto);
    ASSERT_EQ(ResumenEleccion(rapida), ResumenEleccion(literal)) << donde << "\n" << ResumenReglas(antes);
    EXPECT_EQ(avisoRapido, avisoLiteral);
    Partida esperado = antes;
    SalidasEleccion(esperado) = SalidasEleccion(rapida);
    EXPECT_TRUE(esperado == rapida) << "the record changed: " << donde << "\n" << ResumenReglas(antes);
}

TEST(EleccionDiferencial, MismaJugadaQueElJugadorLiteral) {
    std::mt19937 azar(Pedido("PARCHIS_SEMILLA", 20240611));
    const auto posiciones = PosicionesDeDecision(azar, PosicionesPedidas(6000));
    CarpetaTemporal carpeta;
    for (std::size_t i = 0; i < posiciones.size() && !HasFatalFailure(); ++i) {
        Partida p = posiciones[i];
        // Eight pieces with four values to order can keep the literal player
        // busy for minutes; the next test covers doubles in a bounded number.
        if (p.NumFichas == 8 && p.ModoValores == 4 && p.ValoresUsados == 0) continue;
        p.Carpeta = carpeta.Texto();
        Compara(p, "posición " + std::to_string(i));
    }
    EXPECT_TRUE(std::filesystem::is_empty(carpeta.ruta));
}

// Two dice counted one by one and a double with bonus values: up to
// twenty-five sequences, repeated orderings of equal values included.  At
// most four pieces on the track keep the literal player within seconds.
TEST(EleccionDiferencial, DoblesConValoresExtra) {
    std::mt19937 azar(Pedido("PARCHIS_SEMILLA", 77));
    auto reglas = [](Partida& p, std::mt19937& a) {
        ReglasAleatorias(p, a);
        p.NumDados = 2;
        p.MetodoCuenta = 2;
        p.SeisConTodas = static_cast<Entero>(std::uniform_int_distribution<int>(1, 2)(a));
    };
    auto doble = [](Partida& p, std::mt19937& a) {
        if (p.EnEspera[p.Turno] != 0 || p.NumFichas - p.EnCasa[p.Turno] > 4 || p.TipoJugada == 5 ||
            p.SalidaDoble != 0)
            return false;
        const int d = std::uniform_int_distribution<int>(1, 6)(a);
        NuevaTirada(p, d, d);
        return true;
    };
    const auto posiciones = PosicionesDeDecision(azar, PosicionesPedidas(6000) / 100, reglas, doble);
    for (std::size_t i = 0; i < posiciones.size() && !HasFatalFailure(); ++i)
        Compara(posiciones[i], "doble " + std::to_string(i));
}

// Positions of whole games under the heaviest rules whose choice was slow
// (thousands of paths, repeated subtrees and boards): one by default,
// spread over the set (the literal player takes seconds over each);
// PARCHIS_POSICIONES_LENTAS=N asks for more.
TEST(EleccionDiferencial, PosicionesLentasDePartidas) {
    const auto posiciones = PosicionesDeFichero(FICHERO_POSICIONES_LENTAS);
    ASSERT_FALSE(posiciones.empty());
    const std::size_t cuantas =
        std::min<std::size_t>(posiciones.size(), std::max(1u, Pedido("PARCHIS_POSICIONES_LENTAS", 1)));
    for (std::size_t i = 0; i < cuantas && !HasFatalFailure(); ++i) {
        const std::size_t n = i * posiciones.size() / cuantas;
        Compara(posiciones[n], "lenta " + std::to_string(n));
    }
}

// Each read of this clock is 41 seconds after the previous one, so the
// guard cuts every search before its first sequence.  The default clock is
// the real one, which never cuts so short a search.
TEST(GuardiaDeTiempo, AvisaSoloEnElTercerCorte) {
    Partida p = PartidaVacia();
    Pon(p, 1, 1, 20);
    Pon(p, 1, 2, 30);
    NuevaTirada(p, 4, 0);
    Partida real = p;
    EXPECT_FALSE(EligeJugada(real));
    EXPECT_EQ(std::tuple(real.CortesBusqueda, real.JugadaElegida.Ficha != 0), std::tuple(0, true));
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

}  // namespace
}  // namespace parchis::prueba
