#include "ui/board/sprites.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QTransform>
#include <cmath>

#include "ui/board/pintura.h"
#include "ui/common/cursores.h"

namespace parchis {

namespace {

// A transparent pixmap of `lado` logical pixels at the ratio.
QPixmap Lienzo(int lado, double dpr) {
    QPixmap pm(static_cast<int>(std::lround(lado * dpr)), static_cast<int>(std::lround(lado * dpr)));
    pm.setDevicePixelRatio(dpr);
    pm.fill(Qt::transparent);
    return pm;
}

// The pointing hand turned by `grados` (clockwise) with its fingertip moved
// to `punta`.
QPixmap Mano(double grados, QPointF punta, const QColor& relleno, const QColor& contorno, int lado, double dpr) {
    QPixmap pm = Lienzo(lado, dpr);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QTransform t;
    t.translate(punta.x(), punta.y());
    t.scale(lado / double(LadoMano), lado / double(LadoMano));
    t.rotate(grados);
    t.translate(-11.5, -1);
    p.setTransform(t);
    const QPainterPath mano = CaminoManoSenalando().simplified();
    // A white halo first: the hand stands out on dark and coloured squares.
    p.setPen(QPen(QColor(255, 255, 255, 230), 4.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(mano);
    p.setPen(QPen(contorno, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(relleno);
    p.drawPath(mano);
    return pm;
}

QPixmap Estallido(double dpr) {
    QPixmap pm = Lienzo(LadoMarca, dpr);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF o(LadoMarca / 2.0, LadoMarca / 2.0);
    auto estrella = [&](double exterior, double interior, int puntas) {
        QPolygonF e;
        for (int i = 0; i < 2 * puntas; ++i) {
            const double ang = i * M_PI / puntas - M_PI / 2;
            const double r = i % 2 ? interior : exterior;
            e << o + QPointF(r * std::cos(ang), r * std::sin(ang));
        }
        return e;
    };
    p.setPen(QPen(QColor(120, 0, 0), 1));
    p.setBrush(QColor(230, 30, 20));
    p.drawPolygon(estrella(15.5, 7, 10));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 210, 0));
    p.drawPolygon(estrella(9.5, 4.5, 8));
    p.setBrush(Qt::white);
    p.drawEllipse(o, 2.5, 2.5);
    return pm;
}

}  // namespace

const Sprites& SpritesMesa(double dpr) {
    auto hace = [](double r) {
        return Sprites{SpritePunto(r),
                       Mano(180, {LadoMano / 2.0, LadoMano - 2.5}, QColor(255, 224, 189), QColor(40, 30, 20),
                            LadoMano, r),
                       Estallido(r)};
    };
    static const Sprites uno = hace(1);
    static const Sprites dos = hace(2);
    return dpr > 1.5 ? dos : uno;
}

QPixmap ManoTutor(int lado, double dpr) {
    return Mano(135, {lado - 3.0, lado - 3.0}, QColor(255, 196, 30), QColor(120, 30, 0), lado, dpr);
}

int LadoManoTutor(const Medidas& me) { return std::max(56, 2 * me.LadoCasilla + 8); }

QPixmap Emblema(int lado, double fraccion, double dpr) {
    QPixmap pm = Lienzo(lado, dpr);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(lado / 2.0, lado / 2.0);
    p.scale(fraccion, fraccion);
    const double r = lado / 2.0 - 2;
    // A gold medal with a laurel of points and a star.
    QPolygonF corona;
    for (int i = 0; i < 32; ++i) {
        const double ang = i * M_PI / 16;
        const double radio = i % 2 ? r * 0.86 : r;
        corona << QPointF(radio * std::cos(ang), radio * std::sin(ang));
    }
    p.setPen(QPen(QColor(120, 80, 0), 1.5));
    p.setBrush(QColor(240, 190, 40));
    p.drawPolygon(corona);
    p.setBrush(QColor(255, 225, 110));
    p.drawEllipse(QPointF(0, 0), r * 0.68, r * 0.68);
    QPolygonF estrella;
    for (int i = 0; i < 10; ++i) {
        const double ang = i * M_PI / 5 - M_PI / 2;
        const double radio = i % 2 ? r * 0.22 : r * 0.52;
        estrella << QPointF(radio * std::cos(ang), radio * std::sin(ang));
    }
    p.setBrush(QColor(200, 40, 30));
    p.setPen(QPen(QColor(110, 10, 10), 1));
    p.drawPolygon(estrella);
    return pm;
}

}  // namespace parchis
