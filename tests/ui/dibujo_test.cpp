// The board as drawn: colours of the corners and exit squares, pieces at
// their square's centre, the dice's pips, the status bar's text.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>

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

// Corners and exit squares in their seat's colour, other safe squares grey
// and the rest white.
TEST_F(Dibujo, ColoresDeEsquinasYCasillas) {
    for (int s : {12, 17, 29, 63, 68, 3, 30, 45})
        EXPECT_EQ(EnCasilla(t, s), EsSeguro(s) ? QColor(232, 232, 232) : Qt::white) << s;
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

// One piece alone at its square's centre; two side by side on a vertical
// square, one above the other on a horizontal one; pieces at home change
// their rim's pixel from the empty board's.
TEST_F(Dibujo, FichasEnCasillasCajasYCasas) {
    Partida p = prueba::PartidaVacia();
    p.EnEspera = {};
    t.RedibujaMesa(p, std::nullopt);
    const QImage vacio = t.Superficie().toImage();
    p.Casillas[30].Jugador[1] = 2;
    p.Casillas[5].Jugador[1] = 4;
    p.Casillas[5].Jugador[2] = 1;
    p.Casillas[12].Jugador[1] = 1;
    p.Casillas[12].Jugador[2] = 3;
    p.EnCasa = {0, 0, 4, 1, 3};
    t.RedibujaMesa(p, std::nullopt);
    const Medidas& me = t.Me();
    const int d = me.DiametroFicha;
    const Punto c30 = CentroCasilla(me, 4, 30, 0, 0, 0), c5 = CentroCasilla(me, 4, 5, 0, 0, 0),
                c12 = CentroCasilla(me, 4, 12, 0, 0, 0);
    EXPECT_EQ(Pixel(t, c30.x, c30.y), QColor(255, 0, 0));
    EXPECT_NE(Pixel(t, c30.x + d / 2 + 2, c30.y), QColor(255, 0, 0));
    EXPECT_EQ(Pixel(t, c5.x - d / 2, c5.y), QColor(255, 255, 0));
    EXPECT_EQ(Pixel(t, c5.x + d / 2, c5.y), QColor(0, 128, 0));
    EXPECT_EQ(Pixel(t, c12.x, c12.y - d / 2), QColor(0, 128, 0));
    EXPECT_EQ(Pixel(t, c12.x, c12.y + d / 2), QColor(0, 0, 255));
    const QImage lleno = t.Superficie().toImage();
    auto hayFicha = [&](Punto c) { return lleno.pixelColor(c.x + d / 2, c.y) != vacio.pixelColor(c.x + d / 2, c.y); };
    for (int j = 1; j <= 4; ++j)
        for (int k = 1; k <= 4; ++k)
            EXPECT_EQ(hayFicha(CentroCasilla(me, 4, CasillaCasa[j], j, 0, k)), k <= p.EnCasa[j]) << j << " casa " << k;
}

TEST_F(Dibujo, FichaConBordeQueSeVeSobreSuPropioColor) {
    // On a background of its own colour a piece still shows a dark rim and
    // a light ring inside it; its centre keeps the seat's colour.
    for (const QColor color : {QColor(255, 0, 0), QColor(0, 0, 255), QColor(255, 255, 0), QColor(0, 128, 0)}) {
        SCOPED_TRACE(color.name().toStdString());
        QImage img(40, 40, QImage::Format_ARGB32);
        img.fill(color);
        QPainter pintor(&img);
        PintaFicha(pintor, CalculaMedidas(800, 600), 20, 20, color);
        pintor.end();
        EXPECT_LT(img.pixelColor(30, 20).lightness(), 60);
        EXPECT_GT(img.pixelColor(28, 20).lightness(), color.lightness() + 40);
        EXPECT_EQ(img.pixelColor(20, 20), color);
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

TEST_F(Dibujo, BarraDeEstado) {
    t.MuestraMensaje(QStringLiteral("  Luis lanza el dado  "));
    const Rectangulo b = RectanguloBarra(t.Me());
    const int x = b.x, y = b.y;
    // The text is centred: dark pixels around the middle.
    int oscuros = 0, izquierda = b.ancho, derecha = 0;
    for (int i = 4; i < b.ancho - 4; ++i)
        for (int j = 4; j < b.alto - 2; ++j)
            if (Pixel(t, x + i, y + j) == QColor(50, 60, 50)) {
                ++oscuros;
                izquierda = std::min(izquierda, i);
                derecha = std::max(derecha, i);
            }
    EXPECT_GT(oscuros, 20);
    EXPECT_LE(std::abs((izquierda + derecha) / 2 - b.ancho / 2), 3);
}

}  // namespace
}  // namespace parchis
