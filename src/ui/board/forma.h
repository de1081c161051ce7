// The board's shapes in pixels, shared by the two looks: the grid of
// positions, each square's outline, who owns a corridor or an exit.
#pragma once

#include <QColor>
#include <QPoint>
#include <QPolygon>
#include <QSize>
#include <cmath>

#include "ui/board/medidas.h"

namespace parchis {

// Board positions in pixels from the board's corner: the corner blocks end
// at c = 7n', the arms at C = 14n'; the homes' triangles meet at the middle
// M = 10.5n' and start one square inside the centre (s0 = 8n', s1 = 13n').
struct Rejilla {
    int m, np, wp;
    int c, C, M, s0, s1;
    explicit Rejilla(const Medidas& me)
        : m(me.Margen), np(me.PasoN()), wp(me.PasoW()), c(7 * np), C(14 * np),
          M(static_cast<int>(std::floor(10.5 * np))), s0(8 * np), s1(13 * np) {}
    QPoint P(int x, int y) const { return {m + x, m + y}; }
};

QPolygon PoligonoCasilla(const Medidas& me, const Rejilla& r, int s);
bool EsDiagonal(int s);
// Seat whose corridor holds square s (69..99), or whose exit it is; 0 for
// none.
int DuenoPasillo(int s);
int DuenoSalida(int s);
// The colour mixed toward white by `claridad` (0..1).
QColor Tinte(const QColor& c, double claridad);
// Where a square's number is centred, for a text of that size.
QPoint PosicionNumero(const Medidas& me, int s, QSize texto);

}  // namespace parchis
