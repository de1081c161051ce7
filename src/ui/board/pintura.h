// Painting the board's parts at the board's scale: the empty board, a piece,
// a die, the status bar and a name plate.  These paint on whatever surface
// they are given; the board (tablero.h) decides where and when.
#pragma once

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QString>
#include <array>

#include "ui/board/medidas.h"

class QPainter;

namespace parchis {

using ColoresMesa = std::array<QColor, 5>;   // per seat, element 0 unused

// Drawing colour of each seat under the colour rotation PuestoMesa, and
// which of the four colours (1 green, 2 red, 3 blue, 4 yellow) it is.
ColoresMesa ColoresSegunPuesto(int puestoMesa);
using Marcas = std::array<int, 5>;
Marcas MarcasSegunPuesto(int puestoMesa);

// The whole empty board on a LadoLienzo square: frame, arms and squares,
// corner blocks, homes, safe squares, numbers, status bar frame.
void PintaTableroVacio(QPainter& p, const Medidas& me, const ColoresMesa& colores, int numFichas);

// A piece: a disc of diameter d centred on (x, y) with a dark rim, a light
// ring inside it and a gleam on its upper left.  It covers the (d + 1)-pixel
// box CajaFicha gives.
void PintaFicha(QPainter& p, const Medidas& me, int x, int y, const QColor& color);
Rectangulo CajaFicha(const Medidas& me, int x, int y);

// The 8 x 8 pip of a die, at a device pixel ratio.
QPixmap SpritePunto(double dpr = 1);

// A 53 x 53 die showing `valor` with its top-left at `esquina`.
void PintaDado(QPainter& p, Punto esquina, int valor, const QPixmap& punto);
// The seven pip spots of a die face, in both looks' order: the two ends of
// one diagonal, the two of the other, the centre, the middle of the two
// sides.  Whether spot i (0..6) shows on a face of `valor`.
bool PuntoVisible(int i, int valor);

// The status bar frame and, when given, its text.
void PintaBarra(QPainter& p, const Medidas& me, const QString& texto);

// A line of the status bar in `ancho` pixels: the type shrinks for a long
// text, down to two thirds of its size, and what is still wider is cut
// with an ellipsis.  Both looks' bars use it.
QString TextoQueCabe(QFont& letra, const QString& texto, int ancho);

// A seat's name plate (its strip must already be clear).
void PintaPlaca(QPainter& p, const Rectangulo& r, const QString& nombre);

// The terracotta panel with its double edge behind the splash and the
// button bar.
void PintaMarco(QPainter& p, const QRect& r);

}  // namespace parchis
