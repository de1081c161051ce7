#include "ui/mainwindow/botonera.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>

#include "ui/board/pintura.h"
#include "ui/common/cursores.h"

namespace parchis {

namespace {

constexpr int Margen = 8;
constexpr int Separacion = 4;

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
    PintaMarco(p, rect());
    QFont letra = font();
    letra.setPixelSize(std::min(14, RectanguloBoton(0).height() / 2 + 1));
    letra.setBold(true);
    p.setFont(letra);
    for (int i = 0; i < NumBotones; ++i) {
        const QRect r = RectanguloBoton(i);
        const bool hundido = i == pulsado_;
        QLinearGradient cara(r.topLeft(), r.bottomLeft());
        const QColor claro = i == bajoRaton_ ? QColor(200, 228, 200) : QColor(182, 212, 182);
        cara.setColorAt(0, hundido ? QColor(120, 150, 120) : claro);
        cara.setColorAt(1, hundido ? QColor(150, 180, 150) : QColor(130, 165, 130));
        p.setPen(Qt::NoPen);
        p.setBrush(cara);
        p.drawRoundedRect(r, 4, 4);
        p.setPen(hundido ? QColor(60, 75, 60) : QColor(235, 245, 235));
        p.drawLine(r.left() + 3, r.top() + 1, r.right() - 3, r.top() + 1);
        p.setPen(QColor(119, 26, 18));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(r.adjusted(0, 0, -1, -1), 4, 4);
        p.setPen(QColor(50, 60, 50));
        p.drawText(r.translated(hundido ? 1 : 0, hundido ? 1 : 0), Qt::AlignCenter,
                   QString::fromUtf8(Titulos()[i]));
    }
}

void Botonera::mouseMoveEvent(QMouseEvent* e) {
    const int i = BotonEn(e->position().toPoint());
    if (i != bajoRaton_) {
        bajoRaton_ = i;
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

}  // namespace parchis
