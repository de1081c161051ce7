// The time guard of the choice and its message.  The moves chosen, forced
// exits and ties included, are compared with the literal player's on
// positions from whole games (diferencial_test).
#include <gtest/gtest.h>

#include "ai/eleccion.h"
#include "comun_ai.h"
#include "common/posicion.h"
#include "posiciones.h"

namespace parchis::prueba {
namespace {

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
