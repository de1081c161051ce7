#include "ui/mainwindow/grabadora.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPolygonF>

#include "ui/common/cursores.h"

namespace parchis {

namespace {

const QRect Botones[NumBotonesMando] = {
    QRect(6, 6, 38, 13),  QRect(4, 25, 21, 13), QRect(25, 25, 21, 13),
    QRect(4, 41, 21, 13), QRect(25, 41, 21, 13), QRect(14, 57, 21, 13),
};

const char* const Consejos[NumBotonesMando] = {
    " Encender/Apagar mando ", " Retroceder 1 jugada ", " Avanzar 1 jugada ",
    " Retroceso automático ",  " Avance automático ",   " Restaurar partida ",
};

// A small triangle pointing left (-1) or right (+1).
void Flecha(QPainter& p, QPointF centro, int sentido, double tam) {
    QPolygonF t;
    t << centro + QPointF(sentido * tam, 0) << centro + QPointF(-sentido * tam, -tam)
      << centro + QPointF(-sentido * tam, tam);
    p.drawPolygon(t);
}

void Simbolo(QPainter& p, int boton, const QRectF& r) {
    const QPointF c = r.center();
    switch (boton) {
        case MandoAtras: Flecha(p, c, -1, 3.5); break;
        case MandoAdelante: Flecha(p, c, 1, 3.5); break;
        case MandoAtrasAuto:
            Flecha(p, c + QPointF(-3, 0), -1, 3);
            Flecha(p, c + QPointF(3, 0), -1, 3);
            break;
        case MandoAdelanteAuto:
            Flecha(p, c + QPointF(-3, 0), 1, 3);
            Flecha(p, c + QPointF(3, 0), 1, 3);
            break;
        case MandoRestaurar: p.drawEllipse(c, 3.5, 3.5); break;
        default: break;
    }
}

}  // namespace

Grabadora::Grabadora(QWidget* padre, std::function<void(int)> pulsa)
    : QWidget(padre), pulsa_(std::move(pulsa)) {
    setObjectName(QStringLiteral("Pic_Grabadora"));
    setMouseTracking(true);
    resize(AnchoMando, AltoMando);
}

QRect Grabadora::RectanguloBoton(int boton) { return Botones[boton]; }

int Grabadora::BotonEn(QPoint punto) {
    for (int i = 0; i < NumBotonesMando; ++i)
        if (Botones[i].contains(punto)) return i;
    return -1;
}

void Grabadora::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(40, 40, 40));
    p.setBrush(QColor(70, 70, 76));
    p.drawRoundedRect(QRectF(0.5, 0.5, width() - 1, height() - 1), 7, 7);
    for (int i = 0; i < NumBotonesMando; ++i) {
        const QRectF r = QRectF(Botones[i]).adjusted(0.5, 0.5, -0.5, -0.5);
        const QColor cara = i == MandoPotencia ? QColor(200, 70, 60) : QColor(190, 190, 196);
        p.setPen(QColor(30, 30, 30));
        p.setBrush(cara);
        p.drawRoundedRect(r, 3, 3);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(35, 35, 40));
        Simbolo(p, i, r);
    }
}

void Grabadora::mouseMoveEvent(QMouseEvent* e) {
    const int i = BotonEn(e->position().toPoint());
    setCursor(CursorNumero(i < 0 ? CursorFlecha : CursorManoIndice));
    // The tooltip is only reassigned when it changes.
    if (i != consejo_) {
        consejo_ = i;
        setToolTip(i < 0 ? QString() : QString::fromUtf8(Consejos[i]));
    }
}

void Grabadora::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    const int i = BotonEn(e->position().toPoint());
    if (i >= 0 && pulsa_) pulsa_(i);
}

}  // namespace parchis
