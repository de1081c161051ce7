// The engine's side of network play: the throw and move entries taken from
// ColaRed, a client playing from the queue.  The squares and seats turned
// between numberings are proved by the four-program games, whose digests
// differ at the first square turned wrong.
#include <gtest/gtest.h>

#include <tuple>

#include "core/estado.h"
#include "flow/ayudas_flow.h"
#include "flow/comprobacion.h"
#include "flow/interfaz_prueba.h"
#include "flow/motor.h"
#include "flow/red.h"

namespace parchis {
namespace {

Partida Cliente(int puestoAdmin) {
    Partida p = prueba::PartidaEnJuego();
    p.JugarEnRed = true;
    p.ModoRed = 2;
    p.PuestoAdmin = static_cast<Entero>(puestoAdmin);
    return p;
}

// A wait takes the first entry it can use and drops whatever stands before
// it: another kind, a throw whose dice are not a throw, a move of another
// number, or one this position cannot carry out (a piece that is not where
// the move says it starts, a piece the seat does not have, a kind the
// network never sends); on the administrator an entry from another seat's
// client (the digit before the code; a client throwing for another seat is
// the administrator's test).  An entry not complete yet stays.  A client
// turns the squares of a move into its own numbering.
TEST(Cola, EntradasTomadasYLoQueLasPrecede) {
    const std::string salida = "06000750050310000005";   // admin's seat 4 leaves its box to its square 5
    // What the wait is for (a move of seat 2 at move 7, else a throw), and what
    // it took: the dice (first x 10 + second) or the squares (from x 1000 + to).
    const struct { bool movimiento; int modo, dados; std::string cola, queda; int tomado; } casos[] = {
        {false, 2, 1, "019900010600", "", 60},
        {false, 2, 2, "010600", "", 0},
        {false, 2, 2, "010601" "010200", "010200", 61},
        {false, 2, 2, "0106", "0106", 0},
        {false, 2, 1, "06000130020200000000" "021" "010300", "", 30},   // a move, a start of play
        {false, 2, 1, "99010300", "", 0},                                // no telling where it ends
        {false, 1, 1, "106000130020200000000" "1010400", "", 40},        // its move before its throw
        {false, 1, 1, "3010600" "101030", "101030", 0},
        {true, 2, 1, "06000950050310000005" "010300" + salida, "", 39},   // 39 here
        {true, 2, 1, "06000750050310020005", "", 0},
        {true, 2, 1, "06000750050390000005", "", 0},
        {true, 2, 1, "06000750050610000005", "", 0},
        {true, 2, 1, "0600075005031000000x", "", 0},
        {true, 1, 1, "3" + salida + "2" + salida, "", 5},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.cola);
        Partida p = Cliente(2);
        p.ModoRed = static_cast<Entero>(c.modo);
        p.NumDados = static_cast<Entero>(c.dados);
        p.ColaRed = c.cola;
        p.Dado1 = p.Dado2 = 0;
        if (c.movimiento) p.Turno = 2, p.NumJugada = 7;   // the administrator's seat 4
        EXPECT_EQ(c.movimiento ? TomaMovimiento(p) : TomaTirada(p), c.tomado != 0);
        EXPECT_EQ(p.ColaRed, c.queda);
        EXPECT_EQ(c.movimiento ? p.CasillaOrigen * 1000 + p.CasillaFinal : p.Dado1 * 10 + p.Dado2, c.tomado);
    }
}

// A client at the administrator's seat 2 plays a few turns: the other seats
// from the queue, its own seat 4 here, sent to the administrator.
TEST(Motor, ClienteJuegaDesdeLaCola) {
    prueba::CarpetaTemporal carpeta;
    Partida p = Cliente(2);
    p.PrimeraFicha = 1;
    p.Carpeta = carpeta.Texto();
    prueba::InterfazPrueba ui(p);
    prueba::TurnoDe(p, 3);
    p.ColaRed = "06000130020200000000"   // a move where a throw is awaited: dropped
                "010300"
                "06000930020200000000"   // a stale move number: waited past
                "06000130020200000000"   // seat 3 cannot take a piece out
                "010500"
                "06000250050310000005"   // seat 2 (the administrator) must leave its box
                "010200"
                "06000320020200000000";
    ui.Dados(5);
    ui.AlCeder = [&] {
        if (p.Turno == 3 && p.NumJugada == 5) p.PartidaIniciada = false;
    };
    JuegaPartida(p, ui);
    const char* const esperadas[] = {"j3 a0 t2 f0 v2 0->0 r0 i1 d0", "j2 a0 t3 f1 v5 0->39 r0 i1 d6",
                                      "j1 a0 t2 f0 v2 0->0 r0 i1 d0", "j4 a0 t3 f1 v5 0->5 r0 i1 d6"};
    for (int n = 1; n <= 4; ++n) EXPECT_EQ(prueba::Resumen(p.Jugadas[n]), esperadas[n - 1]) << n;
    EXPECT_EQ(std::tuple(p.Fichas[2][1], p.Fichas[4][1]), std::tuple(39, 5));
    ASSERT_EQ(ui.Enviados.size(), 2u) << "only seat 4's throw and move";
    EXPECT_EQ(std::tuple(ui.Enviados[0].first, ui.Enviados[1].first),
              std::tuple("ZRA34010500", "ZRA3406000450050310000039"));

    // The restore point is the start of seat 4's throw: its log replays to
    // its board, and a restored game throws again with seat 4.
    Partida restaurada;
    restaurada.Carpeta = carpeta.Texto();
    CargarEstado(restaurada, "ZRVEL34.DRE");
    ASSERT_TRUE(restaurada.CargaCorrecta);
    EXPECT_EQ(std::tuple(restaurada.Turno, restaurada.NumJugada, restaurada.Fichas[4][1]), std::tuple(4, 4, 0));
    EXPECT_EQ(CompruebaRegistro(restaurada, restaurada.NumJugada - 1), "");
}

}  // namespace
}  // namespace parchis
