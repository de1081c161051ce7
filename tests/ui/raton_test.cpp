// The mouse on the board: which piece a point hits, which piece a click
// chooses, and the pointer shown.
#include <gtest/gtest.h>

#include <array>

#include "common/posicion.h"
#include "ui/board/raton.h"
#include "ui/common/cursores.h"

namespace parchis {
namespace {

using prueba::Pon;

class Raton : public testing::Test {
protected:
    Raton() { p.Turno = 4; }
    Punto Centro(int s) const { return CentroCasilla(me, 4, s, 0, 0, 0); }

    const Medidas me = CalculaMedidas(800, 600);
    Partida p = prueba::PartidaVacia();
};

TEST_F(Raton, BordesDelRectanguloDeUnaFicha) {
    Pon(p, 4, 1, 12);   // horizontal square: 2n/2 x 2w/2 around its centre
    const Punto c = Centro(12);
    const MedidaCasilla h = MedidasCasilla(me, 12);
    const struct { int dx, dy; bool clic, cursor; } casos[] = {
        {0, 0, true, true},
        {-h.MitadX, -h.MitadY, true, true},       // left and top edges are inside
        {h.MitadX, 0, true, false},               // right edge: a click only
        {0, h.MitadY, true, false},               // bottom edge: a click only
        {h.MitadX + 1, 0, false, false},
        {0, -h.MitadY - 1, false, false},
    };
    for (const auto& k : casos) {
        SCOPED_TRACE(testing::Message() << k.dx << "," << k.dy);
        EXPECT_EQ(TocaFicha(me, p, 4, 1, c.x + k.dx, c.y + k.dy, true), k.clic);
        EXPECT_EQ(TocaFicha(me, p, 4, 1, c.x + k.dx, c.y + k.dy, false), k.cursor);
    }
}

TEST_F(Raton, EnElCuadroDeEsperaSoloLaUltimaFichaYDeLadoD) {
    // Every piece in the box is hit only at the last place of the row.
    const Punto ultima = CentroCasilla(me, 4, 0, 4, 4, 0);
    const Punto primera = CentroCasilla(me, 4, 0, 4, 1, 0);
    const int r = me.DiametroFicha / 2;
    for (int k = 1; k <= 4; ++k)
        EXPECT_EQ((std::array{TocaFicha(me, p, 4, k, ultima.x + r, ultima.y + r, true),
                              TocaFicha(me, p, 4, k, ultima.x + r + 1, ultima.y, true),
                              TocaFicha(me, p, 4, k, primera.x, primera.y, true)}),
                  (std::array{true, false, false})) << k;
}

// A barrier to open: only the later piece may move.  The click takes it,
// and the pointer says so (green, not red).
TEST_F(Raton, ClicYPunteroEligenLaPrimeraFichaMovibleEnOrden) {
    Pon(p, 4, 2, 30);
    Pon(p, 4, 3, 30);
    const Punto c = Centro(30);
    p.EsperandoFicha = true;
    p.FichaMovible[3] = true;
    EXPECT_EQ(FichaMovibleEnPunto(me, p, c.x, c.y), 3);
    const PunteroTablero verde = CursorTablero(me, p, {}, c.x, c.y);
    EXPECT_EQ(std::pair(verde.Cursor, verde.FichaBajoRaton), std::pair(static_cast<int>(CursorManoVerde), 3));
    p.FichaMovible[3] = false;
    EXPECT_EQ(CursorTablero(me, p, {}, c.x, c.y).Cursor, CursorManoRoja);
    p.FichaMovible[2] = true;
    EXPECT_EQ(FichaMovibleEnPunto(me, p, c.x, c.y), 2);
    EXPECT_EQ(CursorTablero(me, p, {}, me.LadoLienzo + 1, 100).Cursor, CursorFlecha);   // off the board
    Pon(p, 1, 1, 40);   // another seat's piece: the question hand
    EXPECT_EQ(CursorTablero(me, p, {}, Centro(40).x, Centro(40).y).Cursor, CursorManoInterroga);
    EXPECT_EQ(FichaMovibleEnPunto(me, p, Centro(40).x, Centro(40).y), 0);   // away from every piece
}

TEST_F(Raton, CursorMientrasSeEsperaLaTirada) {
    p.EsperandoTirada = true;
    p.PuestoMesa = 3;
    const Punto c = Centro(33);
    auto cursor = [&](const EstadoRaton& e) { return CursorTablero(me, p, e, c.x, c.y).Cursor; };
    // The die in the colour of the seat to move: seat 4 at rotation 3 is green.
    EXPECT_EQ(cursor({}), 54);
    p.PuestoMesa = 0;
    EstadoRaton e;
    e.ModoManual = true;
    EXPECT_EQ(cursor(e), CursorManoInterroga);
    Pon(p, 1, 1, 33);
    EXPECT_EQ(cursor(e), CursorManoAbierta);
    e = {};
    e.Arrastrando = true;
    e.JugadorArrastrado = 2;
    EXPECT_EQ(cursor(e), 57);   // red closed hand
    e = {};
    e.MandoEncendido = true;
    EXPECT_EQ(cursor(e), CursorFlecha);
    p.EsperandoTirada = false;
    EXPECT_EQ(cursor({}), CursorFlecha);
}

TEST_F(Raton, DondeCaeUnaFichaMovidaAMano) {
    Pon(p, 1, 1, 30);
    Pon(p, 2, 1, 30);
    const Punto centro{me.LadoLienzo / 2, me.LadoLienzo / 2}, esquina4{me.OrigenX[4] + 5, me.OrigenY[4] + 5};
    const Punto casa4{centro.x, centro.y + 2 * me.LadoCasilla};   // in seat 4's triangle
    const struct { int jugador; Punto punto; int destino; } casos[] = {
        {4, Centro(4), -1},    // just before seat 4's exit: not on its path
        {4, Centro(5), 5},
        {4, Centro(30), -1},   // two pieces there already
        {4, Centro(70), 70},   // its own corridor
        {1, Centro(70), -1},   // another seat's corridor
        {4, esquina4, 0},      // its own corner block: its box
        {1, esquina4, -1},
        {4, casa4, 76},        // its own triangle of the centre: its home
        {3, casa4, -1},
        {4, centro, -1},       // the ornament in the middle
    };
    for (const auto& c : casos)
        EXPECT_EQ(DestinoManual(me, p, c.jugador, 0, c.punto.x, c.punto.y), c.destino)
            << c.jugador << " " << c.destino;
}

TEST(Cursores, CadaNumeroTieneSuPuntero) {
    for (int n : {21, 22, 23, 26, 27, 28, 51, 52, 53, 54, 55, 56, 57, 58})
        EXPECT_FALSE(CursorNumero(n).pixmap().isNull()) << n;
    EXPECT_EQ(CursorNumero(0).shape(), Qt::ArrowCursor);
    EXPECT_EQ(CursorNumero(12).shape(), Qt::ForbiddenCursor);
}

}  // namespace
}  // namespace parchis
