#include "ui/mainwindow/grabadora.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygonF>

#include "ui/board/pintura.h"
#include "ui/common/cursores.h"
#include "ui/common/estilo.h"

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

// The button bar's colours, so the remote looks part of it.
const QColor CaraClara(182, 212, 182);
const QColor CaraOscura(130, 165, 130);
const QColor Borde(119, 26, 18);
const QColor Simbolos(50, 60, 50);

// A triangle pointing left (-1) or right (+1), `tam` from its centre.
void Flecha(QPainter& p, QPointF centro, int sentido, double tam) {
    QPolygonF t;
    t << centro + QPointF(sentido * tam, 0) << centro + QPointF(-sentido * tam, -tam)
      << centro + QPointF(-sentido * tam, tam);
    p.drawPolygon(t);
}

// One arrow for a step, two for a run, a bar before it at the end of the
// way it goes: the usual signs of a player's keys.
void Simbolo(QPainter& p, int boton, QPointF c) {
    const QColor tinta = p.brush().color();
    switch (boton) {
        case MandoAtras: Flecha(p, c, -1, 3.5); break;
        case MandoAdelante: Flecha(p, c, 1, 3.5); break;
        case MandoAtrasAuto:
            Flecha(p, c + QPointF(-2.5, 0), -1, 3);
            Flecha(p, c + QPointF(3, 0), -1, 3);
            break;
        case MandoAdelanteAuto:
            Flecha(p, c + QPointF(-3, 0), 1, 3);
            Flecha(p, c + QPointF(2.5, 0), 1, 3);
            break;
        case MandoRestaurar: {
            // A circular arrow: play goes on from here.
            p.setBrush(Qt::NoBrush);
            p.setPen(QPen(tinta, 1.4));
            p.drawArc(QRectF(c.x() - 3.5, c.y() - 3.5, 7, 7), 100 * 16, 280 * 16);
            p.setPen(Qt::NoPen);
            p.setBrush(tinta);
            QPolygonF punta;
            punta << c + QPointF(-2.8, -5.2) << c + QPointF(1.2, -3.5) << c + QPointF(-2.2, -1.2);
            p.drawPolygon(punta);
            break;
        }
        default: break;
    }
}

void PintaCara(QPainter& p, const QRectF& r, bool hundido) {
    // In the modern look, ivory keys with a dark wooden edge.
    const bool moderno = AspectoVigente() == Aspecto::Moderno;
    const QColor clara = moderno ? QColor(250, 242, 226) : CaraClara;
    const QColor oscura = moderno ? QColor(214, 192, 156) : CaraOscura;
    QLinearGradient cara(r.topLeft(), r.bottomLeft());
    cara.setColorAt(0, hundido ? oscura.darker(115) : clara);
    cara.setColorAt(1, hundido ? clara.darker(110) : oscura);
    p.setPen(QPen(moderno ? QColor(60, 36, 18) : Borde, 1));
    p.setBrush(cara);
    p.drawRoundedRect(r, 3, 3);
    p.setPen(hundido ? QColor(70, 90, 70) : QColor(235, 245, 235));
    p.drawLine(QPointF(r.left() + 3, r.top() + 1.5), QPointF(r.right() - 3, r.top() + 1.5));
}

// The power button: a light, green when on, and the word of the mode.
void PintaPotencia(QPainter& p, const QRectF& r, bool encendido, bool hundido) {
    PintaCara(p, r, hundido);
    const QPointF luz(r.left() + 7.5, r.center().y() + (hundido ? 0.5 : 0));
    QRadialGradient brillo(luz - QPointF(1, 1), 4);
    brillo.setColorAt(0, encendido ? QColor(190, 255, 160) : QColor(150, 70, 60));
    brillo.setColorAt(1, encendido ? QColor(40, 170, 40) : QColor(80, 25, 20));
    p.setPen(QPen(QColor(40, 30, 30), 0.8));
    p.setBrush(brillo);
    p.drawEllipse(luz, 3.2, 3.2);
    // The usual power sign: a broken ring and its stroke.
    const QPointF signo(r.right() - 12, luz.y());
    p.setPen(QPen(Simbolos, 1.3, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(signo.x() - 3.5, signo.y() - 3.5, 7, 7), 125 * 16, 290 * 16);
    p.drawLine(signo + QPointF(0, -4.2), signo + QPointF(0, -0.5));
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

void Grabadora::Muestra(bool encendido, int pulsado) {
    if (encendido == encendido_ && pulsado == pulsado_) return;
    encendido_ = encendido;
    pulsado_ = pulsado;
    repaint();
}

void Grabadora::paintEvent(QPaintEvent*) {
    QPainter p(this);
    // Larger on a large screen: drawn at its own size, scaled.
    const double f = width() / static_cast<double>(AnchoMando);
    p.scale(f, f);
    p.setRenderHint(QPainter::Antialiasing);
    if (AspectoVigente() == Aspecto::Moderno) {
        p.setPen(QPen(QColor(30, 16, 6), 1));
        p.setBrush(QColor(70, 42, 22));
        p.drawRoundedRect(QRectF(0.5, 0.5, AnchoMando - 1, AltoMando - 1), 6, 6);
    } else {
        p.setRenderHint(QPainter::Antialiasing, false);
        PintaMarco(p, QRect(0, 0, AnchoMando, AltoMando));
        p.setRenderHint(QPainter::Antialiasing);
    }
    for (int i = 0; i < NumBotonesMando; ++i) {
        const bool hundido = i == pulsado_;
        const QRectF r = QRectF(Botones[i]).adjusted(0.5, 0.5, -0.5, -0.5);
        if (i == MandoPotencia) {
            PintaPotencia(p, r, encendido_, hundido);
            continue;
        }
        PintaCara(p, r, hundido);
        // Without the power the stepping buttons do nothing: their signs fade.
        p.setPen(Qt::NoPen);
        p.setBrush(encendido_ ? Simbolos : QColor(105, 125, 105));
        Simbolo(p, i, r.center() + (hundido ? QPointF(0.5, 0.5) : QPointF()));
    }
}

void Grabadora::mouseMoveEvent(QMouseEvent* e) {
    const int i = BotonEn((e->position() * (AnchoMando / static_cast<double>(width()))).toPoint());
    setCursor(CursorNumero(i < 0 ? CursorFlecha : CursorManoIndice));
    // The tooltip is only reassigned when it changes.
    if (i != consejo_) {
        consejo_ = i;
        setToolTip(i < 0 ? QString() : QString::fromUtf8(Consejos[i]));
    }
}

void Grabadora::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    const int i = BotonEn((e->position() * (AnchoMando / static_cast<double>(width()))).toPoint());
    if (i >= 0 && pulsa_) pulsa_(i);
}

}  // namespace parchis
