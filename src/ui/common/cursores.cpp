#include "ui/common/cursores.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QWidget>

namespace parchis {

namespace {

constexpr int Lado = 32;

const QColor Piel(255, 224, 189);
const QColor Contorno(40, 30, 20);

// Cursor colours in the order of the numbers: yellow, blue, red, green.
const QColor ColoresCursor[4] = {QColor(255, 255, 0), QColor(40, 90, 255), QColor(255, 0, 0),
                                 QColor(0, 150, 0)};

QPixmap Lienzo() {
    QPixmap pm(Lado, Lado);
    pm.fill(Qt::transparent);
    return pm;
}

void Pinta(QPainter& p, const QPainterPath& camino, const QColor& relleno) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(relleno.lightness() < 90 ? QColor(235, 235, 235) : Contorno, 1.4));
    p.setBrush(relleno);
    p.drawPath(camino.simplified());
}

// A finger as a rounded bar from (x, y) downwards.
QPainterPath Dedo(double x, double y, double ancho, double largo) {
    QPainterPath c;
    c.addRoundedRect(QRectF(x, y, ancho, largo), ancho / 2, ancho / 2);
    return c;
}

QPainterPath Palma(double x, double y, double ancho, double alto) {
    QPainterPath c;
    c.addRoundedRect(QRectF(x, y, ancho, alto), 5, 5);
    return c;
}

}  // namespace

// Index finger up, the others folded: the hotspot is the fingertip.
QPainterPath CaminoManoSenalando() {
    QPainterPath c = Palma(8, 14, 17, 14);
    c = c.united(Dedo(9, 1, 5, 18));
    c = c.united(Dedo(14, 11, 5, 8));
    c = c.united(Dedo(18.5, 12, 5, 8));
    c = c.united(Dedo(23, 13.5, 4.5, 8));
    c = c.united(Dedo(3, 15, 9, 5).translated(0, 2));
    return c;
}

namespace {

QPainterPath ManoAbierta() {
    QPainterPath c = Palma(8, 13, 17, 15);
    c = c.united(Dedo(8.5, 3, 4.5, 14));
    c = c.united(Dedo(13, 1, 4.5, 16));
    c = c.united(Dedo(17.5, 2, 4.5, 15));
    c = c.united(Dedo(22, 5, 4, 13));
    c = c.united(Dedo(2, 14, 10, 5));
    return c;
}

// A fist seen from the knuckles.
QPainterPath ManoCerrada() {
    QPainterPath c = Palma(7, 11, 19, 16);
    for (int i = 0; i < 4; ++i) c = c.united(Dedo(7 + i * 4.8, 8, 4.6, 9));
    c = c.united(Dedo(4, 16, 8, 5));
    return c;
}

// Lines that separate the fingers, drawn over the filled hand.
void Pliegues(QPainter& p, bool cerrada, const QColor& relleno) {
    p.setPen(QPen(relleno.lightness() < 90 ? QColor(235, 235, 235) : Contorno, 1));
    if (cerrada) {
        for (int i = 1; i < 4; ++i) p.drawLine(QPointF(7 + i * 4.8, 9), QPointF(7 + i * 4.8, 15));
    } else {
        p.drawLine(QPointF(18.5, 14), QPointF(18.5, 18));
        p.drawLine(QPointF(23, 15), QPointF(23, 19));
    }
}

QCursor Mano(int forma, const QColor& relleno, bool interroga = false) {
    QPixmap pm = Lienzo();
    QPainter p(&pm);
    QPoint punta(Lado / 2, Lado / 2);
    if (forma == 0) {
        Pinta(p, CaminoManoSenalando(), relleno);
        Pliegues(p, false, relleno);
        punta = QPoint(11, 1);
    } else if (forma == 1) {
        Pinta(p, ManoAbierta(), relleno);
    } else {
        Pinta(p, ManoCerrada(), relleno);
        Pliegues(p, true, relleno);
    }
    if (interroga) {
        QFont letra = p.font();
        letra.setPixelSize(15);
        letra.setBold(true);
        p.setFont(letra);
        p.setPen(QPen(QColor(0, 60, 200)));
        p.drawText(QRect(19, 0, 13, 16), Qt::AlignCenter, QStringLiteral("?"));
    }
    p.end();
    return QCursor(pm, punta.x(), punta.y());
}

QCursor Dado(const QColor& color) {
    QPixmap pm = Lienzo();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Contorno, 1.5));
    p.setBrush(color);
    p.drawRoundedRect(QRectF(4, 4, 24, 24), 5, 5);
    const QColor punto = color.lightness() < 110 ? Qt::white : QColor(20, 20, 20);
    p.setPen(Qt::NoPen);
    p.setBrush(punto);
    const QPointF puntos[] = {{10, 10}, {22, 10}, {16, 16}, {10, 22}, {22, 22}};
    for (const QPointF& c : puntos) p.drawEllipse(c, 2.6, 2.6);
    p.end();
    return QCursor(pm, Lado / 2, Lado / 2);
}

QCursor Estandar(int numero) {
    switch (numero) {
        case 2: return Qt::CrossCursor;
        case 3: return Qt::IBeamCursor;
        case 5: case 15: return Qt::SizeAllCursor;
        case 6: return Qt::SizeBDiagCursor;
        case 7: return Qt::SizeVerCursor;
        case 8: return Qt::SizeFDiagCursor;
        case 9: return Qt::SizeHorCursor;
        case 10: return Qt::UpArrowCursor;
        case 11: return Qt::WaitCursor;
        case 12: return Qt::ForbiddenCursor;
        case 13: return Qt::BusyCursor;
        case 14: return Qt::WhatsThisCursor;
        default: return Qt::ArrowCursor;
    }
}

QCursor Propio(int numero) {
    switch (numero) {
        case CursorManoIndice: return Mano(0, Piel);
        case CursorManoVerde: return Mano(0, QColor(70, 200, 70));
        case CursorManoRoja: return Mano(1, QColor(230, 50, 50));
        case CursorManoCerrada: return Mano(2, Piel);
        case CursorManoAbierta: return Mano(1, Piel);
        case CursorManoInterroga: return Mano(0, Piel, true);
        default: break;
    }
    if (numero >= 51 && numero <= 54) return Dado(ColoresCursor[numero - 51]);
    if (numero >= 55 && numero <= 58) return Mano(2, ColoresCursor[numero - 55]);
    return Qt::ArrowCursor;
}

}  // namespace

QCursor CursorNumero(int numero) {
    if (numero < 20) return Estandar(numero);
    static QHash<int, QCursor> hechos;
    auto it = hechos.find(numero);
    if (it == hechos.end()) it = hechos.insert(numero, Propio(numero));
    return *it;
}

int CursorDadoDe(int t, int r) {
    const int c = 55 - t + r;
    return c > 54 ? c - 4 : c;
}

int CursorManoCerradaDe(int t, int r) {
    const int c = 59 - t + r;
    return c > 58 ? c - 4 : c;
}

void PunteroVentana::PonCursor(int numero) {
    if (numero == actual_) return;
    actual_ = numero;
    ventana_->setCursor(CursorNumero(numero));
}

void PunteroVentana::Renueva(int numero) {
    actual_ = -1;
    PonCursor(numero);
}

}  // namespace parchis
