#include "ui/mainwindow/dados_manuales.h"

#include <QMouseEvent>
#include <QPainter>

#include "ui/common/controles.h"
#include "ui/common/cursores.h"

namespace parchis {

namespace {

constexpr int LadoCara = 24;
constexpr int Hueco = 3;
constexpr int Izquierda = 30;   // the group's number stands left of its faces
constexpr int Titulo = 18;

// A small die face, pips on ivory; the chosen one on the board's green.
void PintaCara(QPainter& p, const QRect& r, int valor, bool elegida, bool apagada) {
    p.setPen(QPen(elegida ? QColor(40, 90, 40) : QColor(119, 26, 18), elegida ? 2 : 1));
    p.setBrush(apagada ? QColor(210, 205, 195) : elegida ? QColor(160, 220, 150) : QColor(255, 252, 220));
    p.drawRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    const double u = r.width() / 4.0;
    const QPointF c = QRectF(r).center();
    auto punto = [&](double dx, double dy) { p.drawEllipse(c + QPointF(dx * u, dy * u), 2.2, 2.2); };
    p.setPen(Qt::NoPen);
    p.setBrush(apagada ? QColor(150, 145, 140) : QColor(30, 30, 30));
    if (valor % 2 == 1) punto(0, 0);
    if (valor >= 2) { punto(-1, -1); punto(1, 1); }
    if (valor >= 4) { punto(1, -1); punto(-1, 1); }
    if (valor == 6) { punto(-1, 0); punto(1, 0); }
}

}  // namespace

bool EleccionDados::Elige(int linea, int numDados) {
    if (linea >= 0 && linea <= 5) Primera = linea;
    if (linea >= 6 && linea <= 11) Segunda = linea;
    return Completa(numDados);
}

ListaDados::ListaDados(QWidget* padre, std::function<void(int)> elige)
    : QWidget(padre), elige_(std::move(elige)) {
    setObjectName(QStringLiteral("Lis_Dados"));
    setMouseTracking(true);
    setToolTip(QStringLiteral(" Elija el valor de cada dado "));
    resize(AnchoListaDados, AltoListaDados);
    hide();
}

void ListaDados::Abre(int numDados) {
    numDados_ = numDados == 2 ? 2 : 1;
    eleccion_ = {};
    show();
    raise();
    update();
}

QRect ListaDados::RectanguloLinea(int linea) const {
    const int grupo = linea / 6, valor = linea % 6;
    return QRect(Izquierda + valor * (LadoCara + Hueco), Titulo + 6 + grupo * (LadoCara + 8),
                 LadoCara, LadoCara);
}

int ListaDados::LineaEn(QPoint q) const {
    for (int linea = 0; linea < 12; ++linea)
        if (RectanguloLinea(linea).contains(q)) return linea;
    return -1;
}

void ListaDados::paintEvent(QPaintEvent*) {
    QPainter p(this);
    PintaMarcoTitulo(p, rect(), {}, {});
    QFont letra = font();
    letra.setPixelSize(12);
    letra.setBold(true);
    p.setFont(letra);
    p.setPen(QColor(50, 60, 50));
    p.drawText(QRect(0, 3, width(), Titulo), Qt::AlignCenter, QStringLiteral("Tirada manual"));
    p.setRenderHint(QPainter::Antialiasing);
    for (int linea = 0; linea < 12; ++linea) {
        const bool segundo = linea >= 6;
        const int elegida = segundo ? eleccion_.Segunda : eleccion_.Primera;
        PintaCara(p, RectanguloLinea(linea), linea % 6 + 1, elegida == linea, segundo && numDados_ == 1);
    }
    letra.setPixelSize(11);
    p.setFont(letra);
    for (int grupo = 0; grupo < 2; ++grupo) {
        const QRect r = RectanguloLinea(grupo * 6);
        p.setPen(grupo == 1 && numDados_ == 1 ? QColor(140, 140, 140) : QColor(50, 60, 50));
        p.drawText(QRect(4, r.top(), Izquierda - 6, r.height()), Qt::AlignCenter, QString::number(grupo + 1) + "º");
    }
}

void ListaDados::mouseMoveEvent(QMouseEvent* e) {
    const int linea = LineaEn(e->position().toPoint());
    const bool activa = linea >= 0 && (linea < 6 || numDados_ == 2);
    setCursor(CursorNumero(activa ? CursorManoIndice : CursorFlecha));
}

void ListaDados::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    const int linea = LineaEn(e->position().toPoint());
    if (linea >= 0) elige_(linea);
}

}  // namespace parchis
