// The estimate of a board a few moves after the search's first board, taken
// mostly from the first board's estimate, against the estimate worked out
// from nothing (and its bonus counts against counts made afresh): every
// field equal to the last bit, on positions from random
// games under random rules and from heavy games of real play, after every
// path of up to three moves the search could follow.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <sstream>

#include "ai/alcance.h"
#include "ai/piezas.h"
#include "ai/valoracion.h"
#include "cada_movimiento.h"
#include "comun_ai.h"
#include "linea_posicion.h"
#include "posiciones.h"
#include "rules/movimiento.h"

namespace parchis::prueba {
namespace {

// Where two estimates differ, bit for bit, or empty.
std::string Diferencia(const ValorEstado& a, const ValorEstado& b, int n) {
    std::ostringstream o;
    auto mira = [&o](const char* campo, const auto& x, const auto& y, int desde, int hasta) {
        for (int k = desde; k <= hasta; ++k)
            if (std::memcmp(&x[k], &y[k], sizeof x[k]) != 0) o << campo << "[" << k << "] " << +x[k] << " / " << +y[k] << "; ";
    };
    mira("NumTerminos", &a.NumTerminos, &b.NumTerminos, 0, 0);
    mira("EnEspera", &a.EnEspera, &b.EnEspera, 0, 0);
    for (int t = 0; t < a.NumTerminos && t < b.NumTerminos; ++t) {
        mira("Terminos.Casilla", &a.Terminos[t].Casilla, &b.Terminos[t].Casilla, 0, 0);
        mira("Terminos.Valor", &a.Terminos[t].Valor, &b.Terminos[t].Valor, 0, 0);
    }
    mira("InicioTerminos", a.InicioTerminos, b.InicioTerminos, 1, n + 1);
    mira("GananciaSocio", a.GananciaSocio, b.GananciaSocio, 1, n);
    mira("Perdida", a.Perdida, b.Perdida, 1, n);
    mira("S1", a.S1, b.S1, 1, n);
    mira("S2", a.S2, b.S2, 1, n);
    mira("S3", a.S3, b.S3, 1, n);
    mira("Posicion", a.Posicion, b.Posicion, 1, n);
    mira("Recorrido", a.Recorrido, b.Recorrido, 1, n);
    mira("Resguardada", a.Resguardada, b.Resguardada, 1, n);
    mira("Progreso", a.Progreso, b.Progreso, 1, 4);
    return o.str();
}

// Every path of up to `jugadas` moves from each position (by default three,
// two with eight pieces), counting the throw's value, 10 or 20; the number
// of boards compared.
long ComparaCaminos(const std::vector<Partida>& posiciones, int jugadas) {
    long comparadas = 0;
    for (std::size_t i = 0; i < posiciones.size() && !::testing::Test::HasFatalFailure(); ++i) {
        Partida p = posiciones[i];
        const AlcanceFichas alcance(p);
        const ContextoValoracion ctx = PreparaValoracion(p, alcance);
        const BaseValoracion base(p, ctx);
        const std::string donde = "posición " + std::to_string(i) + "\n" + ResumenReglas(posiciones[i]);
        const auto compara = [&](const std::vector<Entero>& tocadas) {
            ValorEstado completa, desde;
            ValoraEstado(p, ctx, completa);
            ValoraDesde(p, ctx, base, tocadas.data(), static_cast<int>(tocadas.size()), desde);
            const std::string d = Diferencia(completa, desde, ctx.NumFichas);
            ++comparadas;
            ASSERT_TRUE(d.empty()) << donde << " tras " << tocadas.size() / 2 << " jugadas: " << d;
            // Every seat's bonus count, carried from the first board's piece by
            // piece, even where no term of this estimate reads it.
            const MapaTablero b(p);
            Bonos bonos;
            bonos.Iniciales = &base.Bonos;
            bonos.Cambios.Barreras = b.BarrerasAnillo() ^ base.Mapa.BarrerasAnillo();
            for (Entero c : tocadas) AnotaCambio(p, base.Casillas, c, bonos.Cambios);
            for (int r = 1; r <= 4; ++r)
                ASSERT_EQ(bonos.De(p, b, ctx, r), FichasConBono(p, b, *ctx.Alcance, r, ctx.NumFichas))
                    << donde << " tras " << tocadas.size() / 2 << " jugadas, jugador " << r;
        };
        CadaCamino(p, ctx.NumFichas, jugadas > 0 ? jugadas : (p.NumFichas == 8 ? 2 : 3), compara,
                   [](int, int, int) {});
    }
    return comparadas;
}

TEST(ValoracionDesde, IgualQueLaValoracionCompleta) {
    std::mt19937 azar(4242);
    EXPECT_GT(ComparaCaminos(PosicionesDeDecision(azar, 600), 0), 20000);
}

// A seat whose box piece must leave on a 5, with pieces on or next to its
// exit square: a move there changes what the box piece can capture.
TEST(ValoracionDesde, IgualConSalidaObligada) {
    std::mt19937 azar(4343);
    const auto posiciones = PosicionesDeDecision(azar, 400, {}, [](Partida& q, std::mt19937&) {
        const int j = q.Turno, salida = CasillaSalida[j];
        return q.EnEspera[j] >= 1 && q.SalidaCon5 && q.SalidaObligatoria && q.ValoresUsados == 0 &&
               q.TipoJugada != 5 && q.Casillas[salida].Jugador[1] != 0;
    });
    EXPECT_GT(ComparaCaminos(posiciones, 0), 1000);
}

// Crowded boards of real play: captures on most paths, the seat's pieces
// on and off exit squares, many boards after the same captures (whose
// partial sums are kept per square and captured pieces).
TEST(ValoracionDesde, IgualEnPartidasPesadas) {
    const auto todas = PosicionesDeFichero(FICHERO_POSICIONES_LENTAS);
    ASSERT_FALSE(todas.empty());
    std::vector<Partida> posiciones;
    for (std::size_t i = 0; i < todas.size(); i += 20) posiciones.push_back(todas[i]);
    EXPECT_GT(ComparaCaminos(posiciones, 2), 5000);
}

}  // namespace
}  // namespace parchis::prueba
