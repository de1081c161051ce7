#include "rules/tablero.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <tuple>
#include <utility>

#include "common/posicion.h"

namespace parchis {
namespace {

TEST(Tablero, CasillasSeguras) {
    const std::set<int> seguras = {5, 12, 17, 22, 29, 34, 39, 46, 51, 56, 63, 68};
    for (int s = -2; s <= 102; ++s) EXPECT_EQ(EsSeguro(s), seguras.count(s) == 1) << s;
}

// Every seat walks 71 distinct squares from its exit to its home, only
// through the ring and its own corridor; the distance is the step count, and
// 0 off the path (the box, other corridors, the ring past one's own turn).
TEST(Tablero, CaminoDeCadaJugador) {
    for (int j = 1; j <= 4; ++j) {
        std::map<int, int> pasos;   // square, step
        int s = CasillaSalida[j];
        for (int paso = 0; paso <= 71; ++paso) {
            EXPECT_TRUE(pasos.emplace(s, paso).second) << "seat " << j << " repeats " << s;
            const bool enAnillo = s >= 1 && s <= 68;
            const bool enPasillo = s > CasillaCasa[j] - 8 && s <= CasillaCasa[j];
            EXPECT_TRUE(enAnillo || enPasillo) << "seat " << j << " square " << s;
            if (paso < 71) s = AvanzaCasillas(j, 1, s);
        }
        EXPECT_EQ(s, CasillaCasa[j]);
        EXPECT_EQ(AvanzaCasillas(j, 63, CasillaSalida[j]), CasillaEntrada[j]);
        for (int c = -4; c <= 102; ++c)
            EXPECT_EQ(Recorrido(j, c), pasos.count(c) ? pasos[c] : 0) << "seat " << j << " square " << c;
    }
    EXPECT_EQ(std::pair(Recorrido(0, 10), Recorrido(5, 10)), std::pair(0, 0));
    const Partida p = prueba::PartidaVacia();   // a piece's own distance is the points' test
    EXPECT_EQ(std::pair(CasillasRecorridas(p, 1, 9), CasillasRecorridas(p, 0, 1)), std::pair(0, 0));
}

TEST(Tablero, OrdenDeTurnos) {
    struct Caso { int sentido; std::array<int, 5> estado; int desde, siguiente, anterior; };
    const Caso casos[] = {
        {1, {0, 1, 1, 1, 1}, 4, 1, 3},
        {2, {0, 1, 1, 1, 1}, 1, 4, 2},
        {1, {0, 1, 2, 1, 2}, 1, 3, 3},
        {2, {0, 1, 2, 2, 1}, 1, 4, 4},
        {1, {0, 2, 2, 2, 1}, 4, 4, 4},   // a lone seat plays every turn
        {1, {0, 2, 2, 2, 2}, 3, 3, 3},   // nobody active: no endless walk
        {1, {0, 1, 1, 1, 1}, 9, 2, 4},   // a damaged seat number is wrapped first
    };
    for (const Caso& c : casos) {
        Partida p = prueba::PartidaVacia();
        p.Sentido = static_cast<Entero>(c.sentido);
        for (int j = 1; j <= 4; ++j) p.Estado[j] = static_cast<Entero>(c.estado[j]);
        EXPECT_EQ(SiguienteJugador(p, c.desde), c.siguiente) << c.sentido << " from " << c.desde;
        p.Turno = static_cast<Entero>(c.desde);
        JugadorAnterior(p);
        EXPECT_EQ(p.Turno, c.anterior) << c.sentido << " from " << c.desde;
    }

    // Stepping a turn back returns the log entry, and the engine's step
    // before the next throw brings back the same seat.
    Partida p = prueba::PartidaVacia();
    p.Sentido = 2;
    p.Estado[3] = 2;
    p.Turno = 4;
    p.NumJugada = 17;
    RetrocederTurno(p);
    EXPECT_EQ(std::tuple(p.Turno, p.NumJugada, SiguienteJugador(p, p.Turno)), std::tuple(1, 16, 4));
    p.NumJugada = 0;
    RetrocederTurno(p);
    EXPECT_EQ(p.NumJugada, 0);
}

}  // namespace
}  // namespace parchis
