// The player against its plain, literal version on positions from random
// games under every kind of rule set: the same move, the same prompt facts
// and the same destinations; the record left as it was and no file written.
// PARCHIS_POSICIONES asks for a longer run (the literal player is slow).
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "ai/eleccion.h"
#include "comun_ai.h"
#include "jugador_literal.h"
#include "posiciones.h"

namespace parchis::prueba {
namespace {

int PosicionesPedidas(int porDefecto) {
    if (const char* v = std::getenv("PARCHIS_POSICIONES")) return std::max(1, std::atoi(v));
    return porDefecto;
}

void Compara(const Partida& antes, const std::string& donde) {
    Partida rapida = antes;
    const bool avisoRapido = EligeJugada(rapida, RelojParado);
    Partida literal = antes;
    const bool avisoLiteral = EligeJugadaLiteral(literal, RelojParado, CopiaBorrador::Texto);
    ASSERT_EQ(ResumenEleccion(rapida), ResumenEleccion(literal)) << donde << "\n" << ResumenReglas(antes);
    EXPECT_EQ(avisoRapido, avisoLiteral);
    Partida esperado = antes;
    CopiaSalidasEleccion(rapida, esperado);
    EXPECT_TRUE(esperado == rapida) << "the record changed: " << donde << "\n" << ResumenReglas(antes);
}

TEST(EleccionDiferencial, MismaJugadaQueElJugadorLiteral) {
    std::mt19937 azar(20240611);
    const auto posiciones = PosicionesDeDecision(azar, PosicionesPedidas(400));
    CarpetaTemporal carpeta;
    for (std::size_t i = 0; i < posiciones.size(); ++i) {
        Partida p = posiciones[i];
        p.Carpeta = carpeta.Ruta();
        Compara(p, "posición " + std::to_string(i));
        if (HasFatalFailure()) return;
    }
    EXPECT_TRUE(carpeta.Vacia());
}

}  // namespace
}  // namespace parchis::prueba
