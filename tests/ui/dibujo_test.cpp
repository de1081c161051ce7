// The board as drawn beyond the reference pictures (apariencia_test): the
// corners' colours at every turn of the colours, and every value of a die.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>

#include "common/posicion.h"
#include "rules/tablero.h"
#include "ui/board/pintura.h"
#include "ui/board/tablero.h"

namespace parchis {
namespace {

QColor Pixel(const Tablero& t, int x, int y) { return t.Superficie().toImage().pixelColor(x, y); }

class Dibujo : public testing::Test {
protected:
    void SetUp() override {
        t.Prepara(800, 600);
        t.AsignaColores(0);
        t.DibujaTablero(4);
    }
    Tablero t{{}};
};

// Just inside a square's corner: the exit squares beside their safe ring.
QColor EnCasilla(const Tablero& t, int s) {
    const Punto c = CentroCasilla(t.Me(), 4, s, 0, 0, 0);
    const MedidaCasilla h = MedidasCasilla(t.Me(), s);
    return Pixel(t, c.x - h.MitadX + 2, c.y - h.MitadY + 2);
}

// Corners and exit squares in their seat's colour.
TEST_F(Dibujo, ColoresDeEsquinasYCasillas) {
    // Rotation 0: seat 1 green, 2 red, 3 blue, 4 yellow; one step later
    // every colour has moved one seat up.
    const struct { int puesto, jugador; QColor color; } casos[] = {
        {0, 1, QColor(0, 128, 0)}, {0, 2, QColor(255, 0, 0)},   {0, 3, QColor(0, 0, 255)},
        {0, 4, QColor(255, 255, 0)}, {1, 1, QColor(255, 255, 0)}, {1, 2, QColor(0, 128, 0)},
        {3, 4, QColor(0, 128, 0)},   {2, 3, QColor(0, 128, 0)},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << "puesto " << c.puesto << " jugador " << c.jugador);
        t.AsignaColores(c.puesto);
        t.DibujaTablero(4);
        EXPECT_EQ(Pixel(t, t.Me().OrigenX[c.jugador] + 2, t.Me().OrigenY[c.jugador] + 2), c.color);
        EXPECT_EQ(EnCasilla(t, CasillaSalida[c.jugador]), c.color);
    }
}

TEST_F(Dibujo, PuntosDeCadaValorDelDado) {
    // Pip cells from the die's corner and the values that show them.
    const struct {
        int dx, dy;
        std::initializer_list<int> valores;
    } puntos[] = {{14, 12, {4, 5, 6}}, {42, 40, {4, 5, 6}}, {14, 40, {2, 3, 4, 5, 6}},
                  {42, 12, {2, 3, 4, 5, 6}}, {28, 26, {1, 3, 5}}, {28, 12, {6}}, {28, 40, {6}}};
    const Medidas& me = t.Me();
    for (int valor = 1; valor <= 6; ++valor) {
        t.DibujaDados(2, 1, valor, 0);
        const Punto e = EsquinaDado(me, 1, 2, 1);
        for (const auto& q : puntos) {
            const bool esperado = std::find(q.valores.begin(), q.valores.end(), valor) != q.valores.end();
            const QColor centro = Pixel(t, e.x + q.dx + 4, e.y + q.dy + 4);
            EXPECT_EQ(centro.lightness() < 100, esperado) << "valor " << valor << " punto " << q.dx << "," << q.dy;
        }
        // The face is pale yellow, the area around it black.
        EXPECT_EQ(Pixel(t, e.x + 6, e.y + 26), QColor(255, 255, 171));
        EXPECT_EQ(Pixel(t, e.x - 2, e.y - 2), QColor(0, 0, 0));
    }
}

TEST_F(Dibujo, DadosACeroNoTocanNadaYBorrarDejaElTablero) {
    const QImage antes = t.Superficie().toImage();
    t.DibujaDados(3, 2, 0, 0);
    EXPECT_EQ(t.Superficie().toImage(), antes);
    t.DibujaDados(3, 2, 6, 6);
    t.BorraDados(2);
    EXPECT_EQ(t.Superficie().toImage(), antes);
}

}  // namespace
}  // namespace parchis
