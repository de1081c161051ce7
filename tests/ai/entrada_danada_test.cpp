// Records a damaged file can leave (every field inside the ranges the state
// reader accepts, but the board inconsistent): the player neither crashes
// nor hangs, chooses a real piece or none, and leaves the record as it was.
#include <gtest/gtest.h>

#include <random>

#include "ai/eleccion.h"
#include "ai/valoracion.h"
#include "comun_ai.h"
#include "common/partida_aleatoria.h"
#include "common/posicion.h"
#include "posiciones.h"

namespace parchis::prueba {
namespace {

int Entre(std::mt19937& a, int x, int y) { return std::uniform_int_distribution<int>(x, y)(a); }

Partida TableroDanado(std::mt19937& azar) {
    Partida p = PartidaVacia(Entre(azar, 0, 1) ? 8 : 4);
    ReglasAleatorias(p, azar);
    p.NumFichas = static_cast<Entero>(FichasSegunRegla(p));
    for (int j = 1; j <= 4; ++j) {
        p.EnEspera[j] = static_cast<Entero>(Entre(azar, 0, 8));
        p.EnCasa[j] = static_cast<Entero>(Entre(azar, 0, 8));
        p.SiguienteSalida[j] = static_cast<Entero>(Entre(azar, 0, 8));
        p.Nivel[j] = static_cast<Entero>(Entre(azar, 0, 100));
        p.Caracter[j] = static_cast<Entero>(Entre(azar, 1, 3));
        for (int k = 1; k <= MaxFichas; ++k)
            p.Fichas[j][k] = static_cast<Entero>(Entre(azar, 0, 3) == 0 ? 0 : Entre(azar, 0, 100));
    }
    for (int s = 1; s <= NumCasillas; ++s)
        for (int h = 1; h <= 3; ++h)
            if (Entre(azar, 0, 4) == 0) {
                p.Casillas[s].Jugador[h] = static_cast<Entero>(Entre(azar, 0, 4));
                p.Casillas[s].Pieza[h] = static_cast<Entero>(Entre(azar, 0, 8));
            }
    p.Turno = static_cast<Entero>(Entre(azar, 0, 4));
    p.PartidaIniciada = true;
    p.NumJugada = static_cast<Entero>(Entre(azar, 0, 30));
    AseguraLog(p, p.NumJugada);
    for (int n = 1; n < p.NumJugada; ++n) {
        Jugada& e = p.Jugadas[n];
        e.Jugador = static_cast<Entero>(Entre(azar, 0, 4));
        e.InicioTirada = static_cast<Entero>(Entre(azar, 0, 1));
        e.Detalle = static_cast<Entero>(Entre(azar, 0, 7));
        e.CasillaFinal = static_cast<Entero>(Entre(azar, 0, 100));
    }
    NuevaTirada(p, Entre(azar, 1, 6), p.NumDados == 2 ? Entre(azar, 1, 6) : 0);
    if (Entre(azar, 0, 3) == 0) {
        p.TipoJugada = 5;
        p.ValorCuenta = static_cast<Entero>(Entre(azar, 0, 1) ? 20 : 10);
    }
    p.ValoresUsados = static_cast<Entero>(Entre(azar, 0, p.ModoValores));
    p.SalidaDoble = static_cast<Entero>(Entre(azar, 0, 2));
    return p;
}

TEST(EntradaDanada, NiFallaNiSeDetieneNiCambiaElRegistro) {
    std::mt19937 azar(99);
    CarpetaTemporal carpeta;
    for (int i = 0; i < 1500; ++i) {
        Partida p = TableroDanado(azar);
        p.Carpeta = carpeta.Ruta();
        const Partida antes = p;
        // Ten seconds pass at every look at the clock: a search that runs
        // away is cut after a few thousand nodes.
        double ahora = 0;
        EligeJugada(p, [&ahora] { return ahora += 10; });
        EXPECT_GE(p.JugadaElegida.Ficha, 0);
        EXPECT_LE(p.JugadaElegida.Ficha, MaxFichas);
        Partida esperado = antes;
        CopiaSalidasEleccion(p, esperado);
        ASSERT_TRUE(esperado == p) << i << " " << ResumenReglas(antes);
        for (int j = 0; j <= 4; ++j)
            for (int k = 0; k <= MaxFichas; ++k) EXPECT_GE(PeligroFicha(p, j, k), 0);
    }
    EXPECT_TRUE(carpeta.Vacia());
}

}  // namespace
}  // namespace parchis::prueba
