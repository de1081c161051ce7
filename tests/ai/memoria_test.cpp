// The search's board memory on every path of up to three moves from
// positions of random games: two boards share a number exactly when their
// pieces, boxes and squares are the same, whatever the order of the moves
// that led to them, with the squares' fingerprint kept move by move, and
// whether or not the memory was given its room beforehand.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <random>
#include <set>

#include "ai/busqueda.h"
#include "ai/memoria.h"
#include "cada_movimiento.h"
#include "comun_ai.h"
#include "posiciones.h"
#include "rules/movimiento.h"

namespace parchis::prueba {
namespace {

// What tells boards apart: squares 1..100, pieces and boxes, all plain numbers.
struct Tablero {
    explicit Tablero(const Partida& p) : Casillas(p.Casillas), Fichas(p.Fichas), EnEspera(p.EnEspera) {
        Casillas[0] = {};
    }
    bool operator<(const Tablero& o) const { return std::memcmp(this, &o, sizeof *this) < 0; }
    std::array<Casilla, NumCasillas + 1> Casillas;
    std::array<std::array<Entero, MaxFichas + 1>, 5> Fichas;
    std::array<Entero, 5> EnEspera;
};

TEST(MemoriaTableros, UnNumeroPorTablero) {
    std::mt19937 azar(5150);
    const auto posiciones = PosicionesDeDecision(azar, 300);
    long vistas = 0, distintos = 0;
    for (std::size_t i = 0; i < posiciones.size(); ++i) {
        Partida p = posiciones[i];
        const std::array<Casilla, NumCasillas + 1> inicial = p.Casillas;
        HuellaCasillas huella(inicial);
        MemoriaTableros memoria;
        // A memory given its room beforehand must number boards as one that grows.
        if (i % 2 == 1) memoria.Prepara();
        memoria.Empieza(inicial);
        std::map<Tablero, int> numeros;
        std::set<int> usados;
        CadaCamino(
            p, MaxFichas, p.NumFichas == 8 ? 2 : 3,
            [&](const std::vector<Entero>&) {
                const int n = memoria.Numero(p, huella);
                const auto [visto, nuevo] = numeros.emplace(Tablero(p), n);
                ASSERT_EQ(visto->second, n) << "a board met again got another number";
                ASSERT_TRUE(!nuevo || usados.insert(n).second) << "two different boards share number " << n;
                ++vistas;
            },
            [&](int origen, int destino, int signo) { huella.Mueve(p, origen, destino, signo); });
        ASSERT_FALSE(HasFatalFailure()) << "posición " << i << "\n" << ResumenReglas(posiciones[i]);
        distintos += static_cast<long>(usados.size());
    }
    // Transpositions must actually occur for the test to mean anything.
    EXPECT_LT(distintos + 1000, vistas);
}

// The room made ready for the first heavy choice must be kept after it,
// or every heavy choice frees it and writes it afresh.
TEST(MemoriaJugador, LoPreparadoSeRetiene) {
    Busqueda::PreparaMemoria();
    EXPECT_LE(Busqueda::BytesMemoria(), Busqueda::BytesRetenidos);
}

}  // namespace
}  // namespace parchis::prueba
