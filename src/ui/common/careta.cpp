#include "ui/common/careta.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include "ui/board/pintura.h"

namespace parchis {

namespace {

constexpr int Ancho = 460;
constexpr int Alto = 260;
constexpr int LadoMiniatura = 200;

}  // namespace

Careta::Careta() : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setFixedSize(Ancho, Alto);
    // A small picture of the board, painted at the smallest scale and shrunk.
    const Medidas me = CalculaMedidas(800, 600);
    QPixmap grande(me.LadoLienzo, me.LadoLienzo);
    {
        QPainter p(&grande);
        PintaTableroVacio(p, me, ColoresSegunPuesto(0), 4);
    }
    tablero_ = grande.scaled(LadoMiniatura, LadoMiniatura, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    if (QScreen* pantalla = QGuiApplication::primaryScreen())
        move(pantalla->availableGeometry().center() - QPoint(Ancho / 2, Alto / 2));
}

void Careta::paintEvent(QPaintEvent*) {
    QPainter p(this);
    PintaMarco(p, rect());
    p.drawPixmap(30, (Alto - LadoMiniatura) / 2, tablero_);
    QFont letra(QStringLiteral("Serif"));
    letra.setPixelSize(46);
    letra.setBold(true);
    p.setFont(letra);
    const QRect titulo(250, 60, 190, 70);
    p.setPen(QColor(119, 26, 18));
    p.drawText(titulo.translated(2, 2), Qt::AlignCenter, QStringLiteral("Parchís"));
    p.setPen(QColor(255, 240, 200));
    p.drawText(titulo, Qt::AlignCenter, QStringLiteral("Parchís"));
    letra.setPixelSize(14);
    letra.setBold(false);
    letra.setFamily(QStringLiteral("Sans"));
    p.setFont(letra);
    p.setPen(QColor(255, 240, 200));
    p.drawText(QRect(250, 140, 190, 24), Qt::AlignCenter, QStringLiteral("Preparando el tablero…"));
}

}  // namespace parchis
