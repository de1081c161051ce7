#include "ui/mainwindow/botonera.h"

#include <cmath>

#include <QEnterEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include "ui/board/pintura.h"
#include "ui/common/cursores.h"
#include "ui/common/estilo.h"

namespace parchis {

namespace {

constexpr int Margen = 8;
constexpr int Separacion = 4;

const char* const Consejos[NumBotones] = {
    " Comenzar una nueva partida ", " Jugadores de la partida ", " Normas del juego ",
    " Consejo del tutor para la jugada ", " Estadísticas de la jugada ", " Histórico de partidas ",
    " Ayuda del programa ", " Salir del programa ", " Mensajes de la partida en red "};

// The button's face: a green bevelled plate, lighter under the pointer,
// sunk when pressed, grey when the command is not available now.
// In the modern look an ivory plate with a dark wooden edge.
void PintaCaraBoton(QPainter& p, const QRect& r, bool hundido, bool encima, bool activo, bool moderno) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient cara(r.topLeft(), r.bottomLeft());
    QColor arriba = encima ? QColor(212, 236, 206) : QColor(186, 216, 184);
    QColor abajo(128, 166, 128);
    if (moderno) {
        arriba = encima ? QColor(255, 251, 242) : QColor(250, 242, 226);
        abajo = QColor(222, 200, 164);
    }
    if (!activo) {
        arriba = moderno ? QColor(176, 150, 122) : QColor(206, 204, 196);
        abajo = moderno ? QColor(150, 122, 94) : QColor(170, 168, 160);
    }
    if (moderno) {
        cara.setColorAt(0, hundido ? abajo : arriba);
        cara.setColorAt(1, hundido ? arriba : abajo);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 60));
        p.drawRoundedRect(QRectF(r).adjusted(0.5, 1.5, -0.5, 0.5), r.height() / 4.0, r.height() / 4.0);
        p.setPen(QPen(QColor(60, 36, 18), 1));
        p.setBrush(cara);
        p.drawRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -1.5), r.height() / 4.0, r.height() / 4.0);
        p.restore();
        return;
    }
    cara.setColorAt(0, hundido ? abajo : arriba);
    cara.setColorAt(1, hundido ? arriba : abajo);
    p.setPen(QPen(QColor(119, 26, 18), 1));
    p.setBrush(cara);
    p.drawRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 5, 5);
    p.setPen(QPen(hundido ? QColor(70, 90, 70, 150) : QColor(255, 255, 255, 170), 1));
    p.drawLine(QPointF(r.left() + 5, r.top() + 1.5), QPointF(r.right() - 5, r.top() + 1.5));
    p.restore();
}

// Small line drawings, one per command, in a 16-pixel square.
void PintaIcono(QPainter& p, int boton, const QRect& r, const QColor& color) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(r.topLeft());
    p.scale(r.width() / 16.0, r.width() / 16.0);
    p.setPen(QPen(color, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    auto punto = [&](double x, double y) {
        p.save();
        p.setPen(Qt::NoPen);
        p.setBrush(color);
        p.drawEllipse(QPointF(x, y), 1.5, 1.5);
        p.restore();
    };
    switch (boton) {
        case 0:   // a die
            p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 3, 3);
            punto(5, 5), punto(8, 8), punto(11, 11);
            break;
        case 1:   // two players
            p.drawEllipse(QPointF(5.5, 5), 2.5, 2.5);
            p.drawArc(QRectF(1, 9, 9, 8), 0, 180 * 16);
            p.drawEllipse(QPointF(11.5, 5), 2.5, 2.5);
            p.drawArc(QRectF(7, 9, 9, 8), 0, 180 * 16);
            break;
        case 2:   // the rule book
            p.drawRect(QRectF(3, 1.5, 10, 13));
            for (double y : {5.0, 8.0, 11.0}) p.drawLine(QPointF(5.5, y), QPointF(10.5, y));
            break;
        case 3:   // a bulb
            p.drawEllipse(QPointF(8, 6.5), 4.8, 4.8);
            p.drawLine(QPointF(6, 12.5), QPointF(10, 12.5));
            p.drawLine(QPointF(6.5, 14.8), QPointF(9.5, 14.8));
            break;
        case 4:   // bars
            p.drawLine(QPointF(1.5, 14.5), QPointF(14.5, 14.5));
            p.drawRect(QRectF(3, 8, 2.5, 6.5));
            p.drawRect(QRectF(7, 3, 2.5, 11.5));
            p.drawRect(QRectF(11, 6, 2.5, 8.5));
            break;
        case 5:   // a clock
            p.drawEllipse(QPointF(8, 8), 6.3, 6.3);
            p.drawLine(QPointF(8, 8), QPointF(8, 4));
            p.drawLine(QPointF(8, 8), QPointF(11, 9.5));
            break;
        case 6: {   // a question mark
            p.drawEllipse(QPointF(8, 8), 6.3, 6.3);
            QFont f = p.font();
            f.setPixelSize(10);
            p.setFont(f);
            p.drawText(QRectF(0, 0, 16, 16.5), Qt::AlignCenter, QStringLiteral("?"));
            break;
        }
        case 7:   // a door and the way out
            p.drawLine(QPointF(9, 2), QPointF(2.5, 2));
            p.drawLine(QPointF(2.5, 2), QPointF(2.5, 14));
            p.drawLine(QPointF(2.5, 14), QPointF(9, 14));
            p.drawLine(QPointF(6, 8), QPointF(14.5, 8));
            p.drawLine(QPointF(11.5, 5), QPointF(14.5, 8));
            p.drawLine(QPointF(11.5, 11), QPointF(14.5, 8));
            break;
        default: {   // a speech bubble
            QPainterPath globo;
            globo.addRoundedRect(QRectF(1.5, 2, 13, 9), 3, 3);
            QPainterPath cola;
            cola.moveTo(4, 10.5);
            cola.lineTo(3.5, 14.5);
            cola.lineTo(8, 10.5);
            p.drawPath(globo.united(cola));
            break;
        }
    }
    p.restore();
}

}  // namespace

Botonera::Botonera(QWidget* padre, std::function<bool(int)> disponible, std::function<void(int)> pulsa)
    : QWidget(padre), disponible_(std::move(disponible)), pulsa_(std::move(pulsa)) {
    setObjectName(QStringLiteral("Pic_Botonera"));
    setMouseTracking(true);
    resize(AnchoBotonera, AltoBotonera);
}

const std::array<const char*, NumBotones>& Botonera::Titulos() {
    static const std::array<const char*, NumBotones> titulos = {
        "Nueva partida", "Jugadores", "Normas", "Tutor", "Estadísticas",
        "Histórico",     "Ayuda",     "Salir",  "Mensajes"};
    return titulos;
}

QRect Botonera::RectanguloBoton(int i) const {
    const int alto = (height() - 2 * Margen - (NumBotones - 1) * Separacion) / NumBotones;
    return QRect(Margen, Margen + i * (alto + Separacion), width() - 2 * Margen, alto);
}

int Botonera::BotonEn(QPoint punto) const {
    for (int i = 0; i < NumBotones; ++i)
        if (RectanguloBoton(i).contains(punto)) return i;
    return -1;
}

void Botonera::paintEvent(QPaintEvent*) {
    QPainter p(this);
    // On a large screen the bar is drawn larger, everything in proportion.
    const double f = std::max(1.0, width() / static_cast<double>(AnchoBotonera));
    const auto e = [f](int v) { return static_cast<int>(std::lround(v * f)); };
    const bool moderno = AspectoVigente() == Aspecto::Moderno;
    if (moderno) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(30, 16, 6), 1));
        p.setBrush(QColor(70, 42, 22));
        p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
    } else {
        PintaMarco(p, rect());
    }
    QFont letra = font();
    if (moderno) letra.setFamily(QStringLiteral("DejaVu Sans"));
    letra.setPixelSize(std::min(e(12), RectanguloBoton(0).height() / 2));
    letra.setBold(true);
    p.setFont(letra);
    for (int i = 0; i < NumBotones; ++i) {
        const QRect r = RectanguloBoton(i);
        const bool activo = disponible_(i);
        PintaCaraBoton(p, r, i == pulsado_ && activo, i == bajoRaton_ && activo, activo, moderno);
        const int desplazado = i == pulsado_ && activo ? 1 : 0;
        const QRect icono(r.left() + e(6) + desplazado, r.center().y() - e(8) + desplazado, e(16), e(16));
        const QColor tinta = moderno ? QColor(58, 36, 20) : QColor(45, 55, 45);
        const QColor gris = moderno ? QColor(224, 208, 186) : QColor(135, 140, 130);
        PintaIcono(p, i, icono, activo ? (moderno ? QColor(150, 60, 30) : QColor(119, 26, 18)) : QColor(150, 150, 140));
        p.setPen(activo ? tinta : gris);
        p.drawText(r.adjusted(e(23) + desplazado, desplazado, -2, 0), Qt::AlignCenter,
                   QString::fromUtf8(Titulos()[i]));
    }
}

void Botonera::mouseMoveEvent(QMouseEvent* e) {
    const int i = BotonEn(e->position().toPoint());
    if (i != bajoRaton_) {
        bajoRaton_ = i;
        setToolTip(i < 0 ? QString() : QString::fromUtf8(Consejos[i]));
        update();
    }
    const int cursor = i < 0 ? CursorFlecha : disponible_(i) ? CursorManoIndice : CursorProhibido;
    setCursor(CursorNumero(cursor));
}

void Botonera::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    pulsado_ = BotonEn(e->position().toPoint());
    if (pulsado_ >= 0 && disponible_(pulsado_)) setCursor(CursorNumero(CursorManoCerrada));
    repaint();
}

void Botonera::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    const int i = pulsado_;
    pulsado_ = -1;
    repaint();
    mouseMoveEvent(e);
    if (i >= 0 && i == BotonEn(e->position().toPoint()) && disponible_(i)) pulsa_(i);
}

void Botonera::leaveEvent(QEvent*) {
    bajoRaton_ = -1;
    update();
}

BotonAyuda::BotonAyuda(QWidget* padre, std::function<void()> pulsa)
    : QWidget(padre), pulsa_(std::move(pulsa)) {
    setObjectName(QStringLiteral("Pic_BotAyuda"));
    setToolTip(QStringLiteral(" Ayuda de la partida "));
    setCursor(CursorNumero(CursorManoIndice));
    resize(LadoBotonAyuda, LadoBotonAyuda);
}

void BotonAyuda::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(1, 1, -1, -1);
    const bool moderno = AspectoVigente() == Aspecto::Moderno;
    QRadialGradient cara(r.center() - QPointF(4, 5), r.width() * 0.7);
    cara.setColorAt(0, moderno ? (encima_ ? QColor(255, 251, 242) : QColor(250, 242, 226))
                               : encima_ ? QColor(222, 242, 216) : QColor(198, 224, 194));
    cara.setColorAt(1, moderno ? QColor(206, 180, 140) : QColor(120, 158, 120));
    p.setPen(QPen(moderno ? QColor(60, 36, 18) : QColor(119, 26, 18), 2));
    p.setBrush(cara);
    p.drawEllipse(r.adjusted(1, 1, -1, -1));
    QFont letra = font();
    letra.setPixelSize(20 * width() / LadoBotonAyuda);
    letra.setBold(true);
    p.setFont(letra);
    p.setPen(moderno ? QColor(150, 60, 30) : QColor(119, 26, 18));
    p.drawText(rect().translated(pulsado_ ? 1 : 0, pulsado_ ? 2 : 1), Qt::AlignCenter, QStringLiteral("?"));
}

void BotonAyuda::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    pulsado_ = true;
    setCursor(CursorNumero(CursorManoCerrada));
    repaint();
}

void BotonAyuda::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton || !pulsado_) return;
    pulsado_ = false;
    setCursor(CursorNumero(CursorManoIndice));
    repaint();
    if (rect().contains(e->position().toPoint())) pulsa_();
}

void BotonAyuda::enterEvent(QEnterEvent*) {
    encima_ = true;
    update();
}

void BotonAyuda::leaveEvent(QEvent*) {
    encima_ = false;
    update();
}

}  // namespace parchis
