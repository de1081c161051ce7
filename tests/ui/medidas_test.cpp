// Board metrics and square centres against worked values, plus the shape
// of the track as a whole; and the mouse on the board: which piece a point
// hits, which piece a click chooses, and the pointer shown.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <set>
#include <utility>

#include "common/posicion.h"
#include "ui/board/medidas.h"
#include "ui/board/raton.h"
#include "ui/common/cursores.h"

namespace parchis {
namespace {

// The board's sizes at 800 x 600 and 1024 x 768 are pinned by the square
// centres below and by the reference pictures.
TEST(Medidas, EscalaSegunAltoDePantalla) {
    // n is odd with (7n - 4) / 3 whole; a short window keeps the smallest board.
    for (auto [alto, n] : {std::pair{650, 25}, {700, 31}, {820, 37}, {1200, 55}, {400, 25}})
        EXPECT_EQ(LadoCasillaPara(alto), n) << alto;
}

// The status bar and the name plates keep their sizes up to 1024 x 768's
// board and grow from the next one, the bar staying in the bottom margin
// and each plate in its corner's outer strip.
TEST(Medidas, BarraYPlacasCrecenSoloEnPantallasGrandes) {
    for (auto [alto, crecen] : {std::pair{575, false}, {600, false}, {768, false}, {820, true}, {1050, true},
                                {1080, true}, {1440, true}, {2160, true}}) {
        const Medidas me = CalculaMedidas(alto * 16 / 9, alto);
        const Rectangulo b = RectanguloBarra(me);
        EXPECT_EQ(b.alto > AltoBarra && b.ancho > AnchoBarra, crecen) << alto;
        if (!crecen) {
            EXPECT_EQ((std::array{b.ancho, b.alto, RectanguloNombre(me, 1).alto}), (std::array{420, 18, 20}));
        }
        EXPECT_GT(b.y, me.Margen + me.LadoTablero) << alto;
        EXPECT_LE(b.y + b.alto, me.LadoLienzo) << alto;
        EXPECT_GE(b.x, 0);
        EXPECT_LE(b.x + b.ancho, me.LadoLienzo);
        for (int j = 1; j <= 4; ++j) {
            const Rectangulo r = RectanguloNombre(me, j);
            const int dentro = (j == 2 || j == 3) ? r.y - me.OrigenY[j] : me.OrigenY[j] + me.AnchoBrazo - r.y - r.alto;
            EXPECT_GE(dentro, 0) << alto << " " << j;
            EXPECT_LE(dentro + r.alto, me.LadoCasilla) << alto << " " << j;
            EXPECT_EQ(r.alto > 20, crecen) << alto;
        }
    }
}

TEST(Medidas, CentroDeCasillas) {
    const struct { int alto, fichas, casilla, jugador, espera, casa, x, y; } casos[] = {
        // Track ends and tips, both sides of an inner corner, corridors: the
        // walk below does not see a lane shifted by half a square.
        {600, 4, 1, 0, 0, 0, 355, 539},   {600, 4, 67, 0, 0, 0, 243, 539}, {600, 4, 17, 0, 0, 0, 539, 299},
        {600, 4, 34, 0, 0, 0, 299, 59},   {600, 4, 51, 0, 0, 0, 59, 299},  {600, 4, 8, 0, 0, 0, 355, 371},
        {600, 4, 9, 0, 0, 0, 371, 355},   {600, 4, 42, 0, 0, 0, 243, 227}, {600, 4, 69, 0, 0, 0, 299, 515},
        {600, 4, 75, 0, 0, 0, 299, 371},  {600, 4, 99, 0, 0, 0, 227, 299},
        // Homes: four pieces 22 apart; eight 9 apart, halves round to even.
        {600, 4, 76, 4, 0, 1, 266, 347},  {600, 4, 76, 4, 0, 4, 332, 347}, {600, 4, 84, 3, 0, 1, 347, 332},
        {600, 4, 100, 1, 0, 4, 251, 332}, {600, 8, 76, 4, 0, 2, 276, 347}, {600, 8, 76, 4, 0, 8, 330, 347},
        // Waiting boxes: d + 4 apart, eight pieces 0.6 d apart.
        {600, 4, 0, 1, 4, 0, 155, 395},   {600, 4, 0, 2, 4, 0, 203, 155},  {600, 4, 0, 3, 1, 0, 515, 203},
        {600, 4, 0, 4, 1, 0, 395, 515},   {600, 8, 0, 1, 7, 0, 143, 395},
        {768, 4, 1, 0, 0, 0, 453, 683},   {768, 8, 76, 4, 0, 2, 356, 443}, {768, 4, 0, 4, 4, 0, 503, 563},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << c.alto << " casilla " << c.casilla << " jugador "
                                        << c.jugador << " orden " << c.espera << "/" << c.casa);
        EXPECT_EQ(CentroCasilla(CalculaMedidas(800, c.alto), c.fichas, c.casilla, c.jugador, c.espera, c.casa),
                  (Punto{c.x, c.y}));
    }
}

TEST(Medidas, RecorridoContinuoDentroDelTablero) {
    // Every square lies inside the board, no two share a centre, and each
    // step of the ring and of every corridor is to a neighbouring square.
    for (int alto : {600, 768, 1024}) {
        SCOPED_TRACE(alto);
        const Medidas me = CalculaMedidas(1280, alto);
        const int limite = me.Margen + me.LadoTablero;
        auto centro = [&](int s) { return CentroCasilla(me, 4, s, 1, 1, 1); };
        std::set<std::pair<int, int>> vistos;
        for (int s = 1; s <= 99; ++s) {
            if (s == 76 || s == 84 || s == 92) continue;
            const Punto c = centro(s);
            EXPECT_TRUE(c.x > me.Margen && c.x < limite && c.y > me.Margen && c.y < limite) << s;
            EXPECT_TRUE(vistos.insert({c.x, c.y}).second) << s;
        }
        auto vecinas = [&](int s, int t) {
            const Punto a = centro(s), b = centro(t);
            const int paso = std::max(std::abs(a.x - b.x), std::abs(a.y - b.y));
            EXPECT_LE(paso, me.AnchoCasilla) << s << "->" << t;
            EXPECT_GE(paso, me.PasoN() / 2) << s << "->" << t;
        };
        for (int s = 1; s <= 68; ++s) vecinas(s, s % 68 + 1);
        for (auto [e, c] : {std::pair{68, 69}, {17, 77}, {34, 85}, {51, 93}}) {
            vecinas(e, c);
            for (int s = c; s < c + 6; ++s) vecinas(s, s + 1);
        }
    }
}

TEST(Medidas, MitadesDeCasilla) {
    const struct { int alto, casilla; MedidaCasilla esperada; } casos[] = {
        {600, 5, {28, 12, 10, 0}},    // vertical: two pieces side by side
        {600, 84, {12, 28, 0, 10}},   // horizontal: one above the other
        {600, 0, {10, 10, 0, 0}},
        {768, 12, {16, 36, 0, 13}},   // 15.5 and 35.5 round to even
    };
    for (const auto& c : casos)
        EXPECT_EQ(MedidasCasilla(CalculaMedidas(800, c.alto), c.casilla), c.esperada) << c.alto << " " << c.casilla;
    // Where the track turns from one lie to the other.
    for (auto [s, horizontal] : {std::pair{8, false}, {9, true}, {25, true}, {26, false}, {59, true},
                                 {60, false}, {77, true}, {85, false}, {93, true}, {100, true}})
        EXPECT_EQ(CasillaHorizontal(s), horizontal) << s;
}

using prueba::Pon;

class Raton : public testing::Test {
protected:
    Raton() { p.Turno = 4; }
    Punto Centro(int s) const { return CentroCasilla(me, 4, s, 0, 0, 0); }

    const Medidas me = CalculaMedidas(800, 600);
    Partida p = prueba::PartidaVacia();
};

// The rectangle a piece is hit in: on its square, and in the box.
TEST_F(Raton, BordesDelRectanguloDeUnaFicha) {
    Pon(p, 4, 1, 12);   // horizontal square: 2n/2 x 2w/2 around its centre; three wait in the box
    const Punto c = Centro(12), ultima = CentroCasilla(me, 4, 0, 4, 3, 0), primera = CentroCasilla(me, 4, 0, 4, 1, 0);
    const MedidaCasilla h = MedidasCasilla(me, 12);
    const int r = me.DiametroFicha / 2;
    const struct { bool enCaja; Punto q; bool clic, cursor; } casos[] = {
        {false, c, true, true},
        {false, {c.x - h.MitadX, c.y - h.MitadY}, true, true},   // left and top edges are inside
        {false, {c.x + h.MitadX, c.y}, true, false},              // right edge: a click only
        {false, {c.x, c.y + h.MitadY}, true, false},              // bottom edge: a click only
        {false, {c.x + h.MitadX + 1, c.y}, false, false},
        {false, {c.x, c.y - h.MitadY - 1}, false, false},
        // Every piece in the box is hit only at the last place of the row, d wide.
        {true, {ultima.x + r, ultima.y + r}, true, false},
        {true, {ultima.x + r + 1, ultima.y}, false, false},
        {true, primera, false, false},
    };
    for (const auto& k : casos)
        for (int ficha = k.enCaja ? 2 : 1; ficha <= (k.enCaja ? 4 : 1); ++ficha) {
            SCOPED_TRACE(testing::Message() << "ficha " << ficha << " en " << k.q.x << "," << k.q.y);
            EXPECT_EQ(TocaFicha(me, p, 4, ficha, k.q.x, k.q.y, true), k.clic);
            EXPECT_EQ(TocaFicha(me, p, 4, ficha, k.q.x, k.q.y, false), k.cursor);
        }
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
    const Punto c = Centro(33);
    const struct { int puesto; EstadoRaton e; bool ficha, tirada; int cursor; } casos[] = {
        // The die in the colour of the seat to move: seat 4 at rotation 3 is green.
        {3, {}, false, true, 54},
        {0, {.ModoManual = true}, false, true, CursorManoInterroga},
        {0, {.ModoManual = true}, true, true, CursorManoAbierta},
        {0, {.Arrastrando = true, .JugadorArrastrado = 2}, true, true, 57},   // red closed hand
        {0, {.MandoEncendido = true}, true, true, CursorFlecha},
        {0, {}, true, false, CursorFlecha},
    };
    for (const auto& k : casos) {
        p = prueba::PartidaVacia();
        p.Turno = 4;
        p.PuestoMesa = k.puesto;
        p.EsperandoTirada = k.tirada;
        if (k.ficha) Pon(p, 1, 1, 33);
        EXPECT_EQ(CursorTablero(me, p, k.e, c.x, c.y).Cursor, k.cursor) << k.cursor;
    }
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
