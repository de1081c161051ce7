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

class Recorrido {
public:
    // A memory given its room beforehand must number boards as one that grows.
    Recorrido(Partida& p, bool preparada) : p_(p), inicial_(p.Casillas), huella_(inicial_) {
        if (preparada) memoria_.Prepara();
        memoria_.Empieza(inicial_);
    }

    void Sigue(int quedan) {
        const int n = memoria_.Numero(p_, huella_);
        const auto [visto, nuevo] = numeros_.emplace(Tablero(p_), n);
        ASSERT_EQ(visto->second, n) << "a board met again got another number";
        ASSERT_TRUE(!nuevo || Usados.insert(n).second) << "two different boards share number " << n;
        ++vistas;
        if (quedan == 0) return;
        CadaMovimiento(
            p_, MaxFichas,
            [&](int, int) { Sigue(quedan - 1); },
            [&](int origen, int destino, int signo) { huella_.Mueve(p_, origen, destino, signo); });
    }

    long vistas = 0;
    std::set<int> Usados;

private:
    Partida& p_;
    const std::array<Casilla, NumCasillas + 1> inicial_;
    HuellaCasillas huella_;
    MemoriaTableros memoria_;
    std::map<Tablero, int> numeros_;
};

TEST(MemoriaTableros, UnNumeroPorTablero) {
    std::mt19937 azar(5150);
    const auto posiciones = PosicionesDeDecision(azar, 300);
    long vistas = 0, distintos = 0;
    for (std::size_t i = 0; i < posiciones.size(); ++i) {
        Partida p = posiciones[i];
        Recorrido r(p, i % 2 == 1);
        r.Sigue(p.NumFichas == 8 ? 2 : 3);
        ASSERT_FALSE(HasFatalFailure()) << "posición " << i << "\n" << ResumenReglas(posiciones[i]);
        vistas += r.vistas;
        distintos += static_cast<long>(r.Usados.size());
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
