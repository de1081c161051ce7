// Barriers and captures on hand-built squares.
#include <gtest/gtest.h>

#include "common/posicion.h"
#include "rules/movimiento.h"

namespace parchis {
namespace {

using prueba::PonEnHueco;

struct Ocupantes {
    int j1, j2, j3;  // seat per slot, 0 = empty
};

// Puts the listed seats on square s, each with its first piece still boxed.
void Llena(Partida& p, int s, Ocupantes o) {
    const int seats[4] = {0, o.j1, o.j2, o.j3};
    for (int h = 1; h <= 3; ++h) {
        const int j = seats[h];
        if (j == 0) continue;
        PonEnHueco(p, j, p.SiguienteSalida[j], s, h);
    }
}

struct Reglas {
    bool salida = true, seguro = true, blancas = true, companeros = false;
    int modo = 1;
};

void Aplica(Partida& p, const Reglas& r) {
    p.BarreraSalida = r.salida;
    p.BarreraSeguro = r.seguro;
    p.BarreraBlancas = r.blancas;
    p.BarreraCompaneros = r.companeros;
    p.ModoJuego = static_cast<Entero>(r.modo);
}

TEST(EsBarrera, SegunCasillaYReglas) {
    const Reglas todas{};
    const Reglas parejas{true, true, true, true, 2};
    struct Caso {
        const char* nombre;
        int casilla;
        Ocupantes o;
        Reglas r;
        bool esperado;
    };
    const Caso casos[] = {
        {"white square", 30, {2, 2, 0}, todas, true},
        {"white square, white barriers off", 30, {2, 2, 0}, {true, true, false}, false},
        {"corridor square counts as white", 80, {3, 3, 0}, todas, true},
        {"corridor, white barriers off", 80, {3, 3, 0}, {true, true, false}, false},
        {"safe square", 12, {2, 2, 0}, todas, true},
        {"safe square, safe barriers off", 12, {2, 2, 0}, {true, false, true}, false},
        {"exit square", 22, {1, 1, 0}, todas, true},
        {"exit square, exit barriers off", 22, {1, 1, 0}, {false, true, true}, false},
        {"two seats", 30, {1, 2, 0}, todas, false},
        {"partners in pairs with the rule", 30, {1, 3, 0}, parejas, true},
        {"partners, rule off", 30, {1, 3, 0}, {true, true, true, false, 2}, false},
        {"partners' rule in individual play", 30, {1, 3, 0}, {true, true, true, true, 1}, false},
        {"rivals in pairs mode", 30, {1, 2, 0}, parejas, false},
        {"one piece", 30, {2, 0, 0}, todas, false},
        {"slot 1 empty", 30, {0, 2, 2}, todas, false},
        {"slot 2 empty", 30, {2, 0, 2}, todas, false},
    };
    for (const Caso& c : casos) {
        Partida p = prueba::PartidaVacia();
        Aplica(p, c.r);
        Llena(p, c.casilla, c.o);
        EXPECT_EQ(EsBarrera(p, c.casilla), c.esperado) << c.nombre;
    }
    const Partida p = prueba::PartidaVacia();
    for (int s : {-1, 0, 101, 5000}) EXPECT_FALSE(EsBarrera(p, s)) << s;
}

TEST(ComeFicha, SegunCasillaYOcupantes) {
    const Reglas todas{};
    struct Caso {
        const char* nombre;
        int jugador, casilla;
        Ocupantes o;
        Reglas r;
        bool esperado;
    };
    const Caso casos[] = {
        {"rival on a white square", 1, 30, {2, 0, 0}, todas, true},
        {"rival on a corridor square", 1, 80, {3, 0, 0}, todas, true},
        {"rival on a safe square", 1, 12, {2, 0, 0}, todas, false},
        {"rival on another seat's exit", 1, 22, {2, 0, 0}, todas, false},
        {"own piece", 1, 30, {1, 0, 0}, todas, false},
        {"only slot 1 is looked at", 1, 30, {0, 2, 0}, todas, false},
        {"partner, partners' rule on", 1, 30, {3, 0, 0}, {true, true, true, true, 2}, false},
        {"partner, partners' rule off", 1, 30, {3, 0, 0}, {true, true, true, false, 2}, true},
        {"own exit, two rivals", 1, 56, {2, 3, 0}, todas, true},
        {"own exit, own and rival", 1, 56, {1, 2, 0}, todas, true},
        {"own exit, one rival", 1, 56, {2, 0, 0}, todas, false},
        {"own exit, rival barrier", 1, 56, {2, 2, 0}, todas, false},
        {"own exit, rival pair without exit barriers", 1, 56, {2, 2, 0}, {false, true, true}, true},
        {"another's exit, two rivals", 1, 22, {2, 4, 0}, todas, false},
    };
    for (const Caso& c : casos) {
        Partida p = prueba::PartidaVacia();
        Aplica(p, c.r);
        Llena(p, c.casilla, c.o);
        EXPECT_EQ(ComeFicha(p, c.jugador, c.casilla), c.esperado) << c.nombre;
    }
    Partida p = prueba::PartidaVacia();
    Llena(p, 30, {2, 0, 0});
    EXPECT_FALSE(ComeFicha(p, 1, 0));
    EXPECT_FALSE(ComeFicha(p, 1, 101));
    EXPECT_FALSE(ComeFicha(p, 0, 30));
    EXPECT_FALSE(ComeFicha(p, 7, 30));
}

}  // namespace
}  // namespace parchis
