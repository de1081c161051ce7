#include "ui/board/pintura.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <cmath>

#include "rules/tablero.h"
#include "ui/board/forma.h"

namespace parchis {

namespace {

const QColor Fondo(192, 96, 64);
const QColor MarcoOscuro(119, 26, 18);
const QColor MarcoClaro(224, 128, 96);
const QColor Linea(45, 40, 40);
const QColor GrisSeguro(232, 232, 232);
const QColor FondoBarra(160, 195, 160);
const QColor BiselBarra[4] = {QColor(119, 26, 18), QColor(80, 100, 80), QColor(110, 135, 110),
                              QColor(140, 170, 140)};
const QColor TextoBarraSombra(117, 149, 117);
const QColor TextoBarra(50, 60, 50);
const QColor AmarilloDado(255, 255, 171);

}  // namespace

QPolygon Poligono(const Rejilla& r, std::initializer_list<std::pair<int, int>> puntos) {
    QPolygon pol;
    for (auto [x, y] : puntos) pol << r.P(x, y);
    return pol;
}

// The squares next to the centre are cut along the diagonals.
QPolygon PoligonoDiagonal(const Rejilla& r, int s) {
    const int c = r.c, C = r.C, s0 = r.s0, s1 = r.s1, w4 = 4 * r.wp, w5 = 5 * r.wp;
    switch (s) {
        case 8: return Poligono(r, {{w5, C}, {C, C}, {s1, s1}, {w5, s1}});
        case 9: return Poligono(r, {{C, w5}, {C, C}, {s1, s1}, {s1, w5}});
        case 25: return Poligono(r, {{C, c}, {C, w4}, {s1, w4}, {s1, s0}});
        case 26: return Poligono(r, {{w5, c}, {C, c}, {s1, s0}, {w5, s0}});
        case 42: return Poligono(r, {{c, c}, {w4, c}, {w4, s0}, {s0, s0}});
        case 43: return Poligono(r, {{c, c}, {c, w4}, {s0, w4}, {s0, s0}});
        case 59: return Poligono(r, {{c, w5}, {c, C}, {s0, s1}, {s0, w5}});
        default: return Poligono(r, {{c, C}, {w4, C}, {w4, s1}, {s0, s1}});   // 60
    }
}

bool EsDiagonal(int s) {
    return s == 8 || s == 9 || s == 25 || s == 26 || s == 42 || s == 43 || s == 59 || s == 60;
}

QPolygon PoligonoCasilla(const Medidas& me, const Rejilla& r, int s) {
    if (EsDiagonal(s)) return PoligonoDiagonal(r, s);
    const Punto c = CentroCasilla(me, 4, s, 1, 1, 1);
    const MedidaCasilla h = MedidasCasilla(me, s);
    return QPolygon(QRect(QPoint(c.x - h.MitadX, c.y - h.MitadY), QPoint(c.x + h.MitadX, c.y + h.MitadY)));
}

// Seat whose corridor holds square s (69..99), 0 on the track.
int DuenoPasillo(int s) {
    if (s >= 69 && s <= 75) return 4;
    if (s >= 77 && s <= 83) return 3;
    if (s >= 85 && s <= 91) return 2;
    if (s >= 93 && s <= 99) return 1;
    return 0;
}

int DuenoSalida(int s) {
    for (int j = 1; j <= 4; ++j)
        if (CasillaSalida[j] == s) return j;
    return 0;
}

QColor Tinte(const QColor& c, double claridad) {
    return QColor::fromRgbF(c.redF() + (1 - c.redF()) * claridad,
                            c.greenF() + (1 - c.greenF()) * claridad,
                            c.blueF() + (1 - c.blueF()) * claridad);
}

void PintaCasilla(QPainter& p, const Medidas& me, const Rejilla& r, int s, const ColoresMesa& col) {
    QColor relleno = Qt::white;
    if (const int j = DuenoPasillo(s)) relleno = Tinte(col[j], 0.55);
    if (const int j = DuenoSalida(s)) relleno = col[j];
    else if (EsSeguro(s)) relleno = GrisSeguro;
    p.setPen(QPen(Linea, 1));
    p.setBrush(relleno);
    p.drawPolygon(PoligonoCasilla(me, r, s));
    if (EsSeguro(s)) {
        // The safe mark: a white ring around the spot where pieces stand.
        const Punto c = CentroCasilla(me, 4, s, 1, 1, 1);
        const double radio = me.LadoCasilla * 0.42;
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(150, 150, 150), 1));
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(c.x + 0.5, c.y + 0.5), radio, radio);
        p.setRenderHint(QPainter::Antialiasing, false);
    }
}

// Numbers sit beside the pieces' place, toward the arm's outer side, clear
// of the square's border; in the squares cut by a diagonal that side is cut
// away, so they take the other.
QPoint PosicionNumero(const Medidas& me, int s, QSize texto) {
    const Punto c = CentroCasilla(me, 4, s, 1, 1, 1);
    const MedidaCasilla h = MedidasCasilla(me, s);
    const int medio = me.Margen + static_cast<int>(std::floor(10.5 * me.PasoN()));
    int lado = 1;
    if (CasillaHorizontal(s)) {
        if (c.y < medio) lado = -1;
        if (EsDiagonal(s)) lado = -lado;
        return {c.x, c.y + lado * (h.MitadY - texto.height() / 2 - 1)};
    }
    if (c.x < medio) lado = -1;
    if (EsDiagonal(s)) lado = -lado;
    return {c.x + lado * (h.MitadX - texto.width() / 2 - 3), c.y};
}

void PintaNumeros(QPainter& p, const Medidas& me) {
    QFont letra(QStringLiteral("Sans"));
    letra.setPixelSize(std::max(8, me.LadoCasilla * 2 / 5));
    p.setFont(letra);
    p.setPen(QColor(110, 100, 100));
    const QFontMetrics fm(letra);
    for (int s = 1; s <= 68; ++s) {
        const QString texto = QString::number(s);
        const QSize caja(fm.horizontalAdvance(texto), fm.ascent());
        const QPoint q = PosicionNumero(me, s, caja);
        p.drawText(QRect(q.x() - 20, q.y() - 12, 40, 24), Qt::AlignCenter, texto);
    }
}

void PintaEsquina(QPainter& p, const Medidas& me, int j, const QColor& color, int numFichas) {
    const int a = me.AnchoBrazo;
    const QRect bloque(me.OrigenX[j], me.OrigenY[j], a, a);
    p.setPen(QPen(Linea, 1));
    p.setBrush(color);
    p.drawRect(bloque.adjusted(0, 0, -1, -1));
    p.setRenderHint(QPainter::Antialiasing);
    // A light band where the waiting pieces stand, and a ring round the dice.
    const Punto primera = CentroCasilla(me, numFichas, 0, j, 1, 0);
    const Punto ultima = CentroCasilla(me, numFichas, 0, j, numFichas, 0);
    const int margen = me.DiametroFicha / 2 + 4;
    const QRect banda = QRect(QPoint(std::min(primera.x, ultima.x), std::min(primera.y, ultima.y)),
                              QPoint(std::max(primera.x, ultima.x), std::max(primera.y, ultima.y)))
                            .adjusted(-margen, -margen, margen + 1, margen + 1);
    p.save();
    p.setClipRect(bloque.adjusted(1, 1, -1, -1));
    p.setPen(QPen(Tinte(color, 0.3).darker(125), 1));
    p.setBrush(Tinte(color, 0.6));
    p.drawRoundedRect(banda, margen, margen);
    p.restore();
    p.setPen(QPen(Tinte(color, 0.5), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(bloque.adjusted(4, 4, -5, -5));
    const QPointF centro = bloque.center() + QPointF(0.5, 0.5);
    p.setPen(QPen(color.darker(140), 2));
    p.setBrush(color.darker(112));
    const double radio = me.AnchoBrazo * 0.27;
    p.drawEllipse(centro, radio, radio);
    p.setRenderHint(QPainter::Antialiasing, false);
}

void PintaCentro(QPainter& p, const Medidas& me, const Rejilla& r, const ColoresMesa& col) {
    const int M = r.M, s0 = r.s0, s1 = r.s1;
    const QPolygon casas[5] = {
        {},
        Poligono(r, {{s0, s0}, {s0, s1}, {M, M}}),   // seat 1, left
        Poligono(r, {{s0, s0}, {s1, s0}, {M, M}}),   // seat 2, top
        Poligono(r, {{s1, s0}, {s1, s1}, {M, M}}),   // seat 3, right
        Poligono(r, {{s0, s1}, {s1, s1}, {M, M}}),   // seat 4, bottom
    };
    p.setPen(QPen(Linea, 1));
    for (int j = 1; j <= 4; ++j) {
        p.setBrush(col[j]);
        p.drawPolygon(casas[j]);
    }
    // The centre ornament: a small compass star.
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF o = r.P(M, M) + QPointF(0.5, 0.5);
    const double R = me.LadoCasilla * 0.9;
    QPolygonF estrella;
    for (int i = 0; i < 8; ++i) {
        const double ang = i * M_PI / 4;
        const double radio = i % 2 ? R * 0.38 : R;
        estrella << o + QPointF(radio * std::cos(ang), radio * std::sin(ang));
    }
    p.setPen(QPen(QColor(90, 60, 30), 1));
    p.setBrush(QColor(250, 236, 200));
    p.drawPolygon(estrella);
    p.setBrush(QColor(192, 96, 64));
    p.drawEllipse(o, R * 0.2, R * 0.2);
    p.setRenderHint(QPainter::Antialiasing, false);
}

void PintaMarcoLienzo(QPainter& p, const Medidas& me) {
    const int L = me.LadoLienzo;
    p.fillRect(0, 0, L, L, Fondo);
    p.setPen(MarcoOscuro);
    p.setBrush(Qt::NoBrush);
    p.drawRect(0, 0, L - 1, L - 1);
    p.setPen(MarcoClaro);
    p.drawRect(1, 1, L - 3, L - 3);
    // The board sits in a sunken bed.
    const QRect tablero(me.Margen, me.Margen, me.LadoTablero, me.LadoTablero);
    p.setPen(MarcoOscuro);
    p.drawRect(tablero.adjusted(-3, -3, 2, 2));
    p.setPen(MarcoClaro);
    p.drawRect(tablero.adjusted(-2, -2, 1, 1));
    p.fillRect(tablero, Qt::white);
}

Marcas MarcasSegunPuesto(int puestoMesa) {
    if (puestoMesa < 0 || puestoMesa > 3) puestoMesa = 0;
    Marcas m{};
    for (int j = 1; j <= 4; ++j) m[j] = (j - 1 - puestoMesa + 4) % 4 + 1;
    return m;
}

ColoresMesa ColoresSegunPuesto(int puestoMesa) {
    ColoresMesa c{};
    for (int j = 1; j <= 4; ++j) {
        const ColorRGB rgb = ColorJugador(puestoMesa, j);
        c[j] = QColor(rgb.r, rgb.g, rgb.b);
    }
    return c;
}

void PintaTableroVacio(QPainter& p, const Medidas& me, const ColoresMesa& colores, int numFichas) {
    const Rejilla r(me);
    PintaMarcoLienzo(p, me);
    PintaBarra(p, me, QString());
    for (int s = 1; s <= 99; ++s)
        if (s != 76 && s != 84 && s != 92) PintaCasilla(p, me, r, s, colores);
    PintaCentro(p, me, r, colores);
    for (int j = 1; j <= 4; ++j) PintaEsquina(p, me, j, colores[j], numFichas);
    PintaNumeros(p, me);
}

Rectangulo CajaFicha(const Medidas& me, int x, int y) {
    const int d = me.DiametroFicha;
    return {x - d / 2, y - d / 2, d + 1, d + 1};
}

// A dark rim with a light ring inside it: a piece reads on every square,
// those of its own colour included.  A soft gleam on the upper left gives
// it body; the centre keeps the seat's colour.
void PintaFicha(QPainter& p, const Medidas& me, int x, int y, const QColor& color) {
    const double radio = me.DiametroFicha / 2.0;
    const QPointF centro(x + 0.5, y + 0.5);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(25, 25, 25), 1.5));
    p.setBrush(color);
    p.drawEllipse(centro, radio - 0.25, radio - 0.25);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 215), 1.4));
    p.drawEllipse(centro, radio - 2.3, radio - 2.3);
    const double r = radio * 0.55;
    p.setPen(QPen(QColor(255, 255, 255, 150), std::max(1.5, radio / 6), Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(centro.x() - r, centro.y() - r, 2 * r, 2 * r), 100 * 16, 70 * 16);
    p.restore();
}

QPixmap SpritePunto(double dpr) {
    QPixmap pm(static_cast<int>(std::lround(8 * dpr)), static_cast<int>(std::lround(8 * dpr)));
    pm.setDevicePixelRatio(dpr);
    pm.fill(AmarilloDado);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(25, 25, 25));
    p.drawEllipse(QPointF(4, 4), 3.6, 3.6);
    p.setBrush(QColor(90, 90, 90));
    p.drawEllipse(QPointF(3.2, 3.2), 1.0, 1.0);
    return pm;
}

bool PuntoVisible(int i, int valor) {
    switch (i) {
        case 0: case 1: return valor >= 4;
        case 2: case 3: return valor >= 2;
        case 4: return valor % 2 == 1;
        default: return valor == 6;
    }
}

void PintaDado(QPainter& p, Punto e, int valor, const QPixmap& punto) {
    const int x = e.x, y = e.y, u = LadoDado - 1;
    QPolygon octogono;
    octogono << QPoint(x + 2, y) << QPoint(x + u - 2, y) << QPoint(x + u, y + 2)
             << QPoint(x + u, y + u - 2) << QPoint(x + u - 2, y + u) << QPoint(x + 2, y + u)
             << QPoint(x, y + u - 2) << QPoint(x, y + 2);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(AmarilloDado);
    p.setBrush(AmarilloDado);
    p.drawPolygon(octogono);
    // Lit from the upper left: white top and left edges.
    p.setPen(Qt::white);
    p.drawLine(x + 2, y, x + u - 2, y);
    p.drawLine(x, y + 2, x, y + u - 2);
    p.drawLine(x, y + 2, x + 2, y);
    const int puntos[7][2] = {{14, 12}, {42, 40}, {14, 40}, {42, 12}, {28, 26}, {28, 12}, {28, 40}};
    for (int i = 0; i < 7; ++i)
        if (PuntoVisible(i, valor)) p.drawPixmap(x + puntos[i][0], y + puntos[i][1], punto);
    p.restore();
}

QString TextoQueCabe(QFont& letra, const QString& texto, int ancho) {
    const int tamano = letra.pixelSize();
    for (int t = tamano; t >= std::max(1, tamano * 2 / 3); --t) {
        letra.setPixelSize(t);
        if (QFontMetrics(letra).horizontalAdvance(texto) <= ancho) return texto;
    }
    return QFontMetrics(letra).elidedText(texto, Qt::ElideRight, ancho);
}

void PintaBarra(QPainter& p, const Medidas& me, const QString& texto) {
    const Rectangulo b = RectanguloBarra(me);
    const QRect r(b.x, b.y, b.ancho, b.alto);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(MarcoClaro);
    p.setBrush(FondoBarra);
    p.drawRect(r.adjusted(0, 0, -1, -1));
    for (int i = 0; i < 4; ++i) {
        p.setPen(BiselBarra[i]);
        p.drawLine(r.left() + i, r.top() + i, r.right() - i, r.top() + i);
        p.drawLine(r.left() + i, r.top() + i, r.left() + i, r.bottom() - i);
    }
    if (!texto.trimmed().isEmpty()) {
        QFont letra(QStringLiteral("Sans"));
        letra.setPixelSize(Redondea(12.0 * b.alto / AltoBarra));
        letra.setBold(true);
        // Centred, and clear of the bevel on each side.
        const QString limpio = TextoQueCabe(letra, texto.trimmed(), b.ancho - 16);
        p.setFont(letra);
        const QFontMetrics fm(letra);
        const int x = Redondea(b.x + b.ancho / 2.0 - fm.horizontalAdvance(limpio) / 2.0);
        const int y = Redondea(b.y + b.alto / 2.0 - fm.height() / 2.0 + 1);
        p.setClipRect(r.adjusted(4, 4, -1, -1));
        p.setPen(TextoBarraSombra);
        p.drawText(x, y + fm.ascent(), limpio);
        p.setPen(TextoBarra);
        p.drawText(x - 1, y - 1 + fm.ascent(), limpio);
    }
    p.restore();
}

void PintaPlaca(QPainter& p, const Rectangulo& r, const QString& nombre) {
    const QRect caja(r.x, r.y, r.ancho, r.alto);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(MarcoClaro);
    p.setBrush(FondoBarra);
    p.drawRect(caja.adjusted(0, 0, -1, -1));
    p.setPen(BiselBarra[0]);
    p.drawLine(caja.topLeft(), caja.topRight());
    p.drawLine(caja.topLeft(), caja.bottomLeft());
    p.setPen(BiselBarra[3]);
    p.drawLine(caja.left() + 1, caja.top() + 1, caja.right() - 1, caja.top() + 1);
    QFont letra(QStringLiteral("Sans"));
    letra.setPointSize(Redondea(10.0 * r.alto / 20));
    letra.setBold(true);
    QFontMetrics fm(letra);
    // A long name in a small plate shrinks rather than being cut.
    while (fm.horizontalAdvance(nombre.trimmed()) > caja.width() - 4 && letra.pointSize() > 6) {
        letra.setPointSize(letra.pointSize() - 1);
        fm = QFontMetrics(letra);
    }
    p.setFont(letra);
    p.setPen(TextoBarra);
    p.drawText(caja.adjusted(2, 0, -2, 0), Qt::AlignCenter, nombre.trimmed());
    p.restore();
}

void PintaMarco(QPainter& p, const QRect& r) {
    p.fillRect(r, QColor(192, 96, 64));
    p.setPen(QColor(119, 26, 18));
    p.drawRect(r.adjusted(0, 0, -1, -1));
    p.setPen(QColor(224, 128, 96));
    p.drawRect(r.adjusted(1, 1, -2, -2));
}

}  // namespace parchis
