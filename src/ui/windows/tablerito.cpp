#include "ui/windows/tablerito.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "ui/board/medidas.h"
#include "ui/board/pintor.h"
#include "ui/board/pintura.h"
#include "ui/common/estilo.h"

namespace parchis {

namespace {

// The smallest board the program draws, shrunk into the window.
const Medidas& MedidasPequenas() {
    static const Medidas me = CalculaMedidas(800, 600);
    return me;
}

}  // namespace

// Of dark and white letters, those that stand out more from the plate:
// judged by the light each colour gives the eye, not by lightness, which
// takes a saturated yellow for a middling colour.
QColor ColorLetraSobre(const QColor& fondo) {
    auto luz = [](const QColor& c) {
        auto canal = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * canal(c.redF()) + 0.7152 * canal(c.greenF()) + 0.0722 * canal(c.blueF());
    };
    const QColor oscura(20, 20, 20), blanca(Qt::white);
    const double l = luz(fondo);
    const double conOscura = (l + 0.05) / (luz(oscura) + 0.05);
    const double conBlanca = (luz(blanca) + 0.05) / (l + 0.05);
    return conOscura >= conBlanca ? oscura : blanca;
}

Tablerito::Tablerito(QWidget* padre, const Partida& p) : QWidget(padre), p_(p) {
    setObjectName(QStringLiteral("Pic_Tablerito"));
}

const QPixmap& Tablerito::Tablero() {
    const Aspecto aspecto = AspectoVigente();
    if (puestoPintado_ != p_.PuestoMesa || fichasPintadas_ != p_.NumFichas || aspectoPintado_ != aspecto) {
        const Medidas& me = MedidasPequenas();
        QPixmap lienzo(me.LadoLienzo, me.LadoLienzo);
        QPainter p(&lienzo);
        p.setRenderHint(QPainter::Antialiasing);
        const Pintor& pintor = PintorDe(aspecto);
        pintor.TableroVacio(p, me, pintor.Colores(p_.PuestoMesa), MarcasSegunPuesto(p_.PuestoMesa), p_.NumFichas);
        p.end();
        const QRect tablero(me.Margen, me.Margen, me.LadoTablero, me.LadoTablero);
        tablero_ = lienzo.copy(tablero);
        puestoPintado_ = p_.PuestoMesa;
        fichasPintadas_ = p_.NumFichas;
        aspectoPintado_ = aspecto;
    }
    return tablero_;
}

void Tablerito::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const int lado = std::min(width() - 90, height() - 40);
    const QRect cuadro((width() - lado) / 2, (height() - lado) / 2, lado, lado);
    const bool esModerno = EsModerno();
    if (esModerno) {
        // A soft shadow under the board, which brings its own wooden frame.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(60, 36, 20, 50));
        p.drawRoundedRect(QRectF(cuadro).adjusted(-1, 1, 3, 4), 6, 6);
    }
    p.drawPixmap(cuadro, Tablero());
    if (!esModerno) {
        p.setPen(QPen(QColor(119, 26, 18), 2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(cuadro);
    }
    const QColor tinta = esModerno ? moderno::Tinta : QColor(40, 40, 40);

    // Seat j's corner, as a direction from the board's centre.
    const Medidas& me = MedidasPequenas();
    const QPointF centro = QRectF(cuadro).center();
    const auto direccion = [&](int j) {
        const double mitad = me.AnchoBrazo / 2.0;
        const double x = me.OrigenX[j] - me.Margen + mitad - me.LadoTablero / 2.0;
        const double y = me.OrigenY[j] - me.Margen + mitad - me.LadoTablero / 2.0;
        return QPointF(x > 0 ? 1 : -1, y > 0 ? 1 : -1);
    };

    // The direction of play: seat 1, 2, 3, 4 for Directo, the other way round
    // for Inverso.
    const QPointF d1 = direccion(1), d2 = direccion(2);
    const bool horario = (d1.x() * d2.y() - d1.y() * d2.x()) > 0;
    const bool giro = horario == (p_.Sentido == 1);
    const double radio = lado * 0.22;
    QPainterPath arco;
    const double inicio = 110, barrido = giro ? -320 : 320;
    arco.arcMoveTo(QRectF(centro - QPointF(radio, radio), QSizeF(2 * radio, 2 * radio)), inicio);
    arco.arcTo(QRectF(centro - QPointF(radio, radio), QSizeF(2 * radio, 2 * radio)), inicio, barrido);
    p.setPen(QPen(QColor(255, 255, 255, 230), 6, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(arco);
    p.setPen(QPen(tinta, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(arco);
    const QPointF punta = arco.currentPosition();
    const double angulo = (inicio + barrido) * M_PI / 180.0;
    // The tangent of the arc at its end, in screen coordinates.
    const QPointF tangente = giro ? QPointF(std::sin(angulo), std::cos(angulo))
                                  : QPointF(-std::sin(angulo), -std::cos(angulo));
    const QPointF normal(-tangente.y(), tangente.x());
    QPainterPath cabeza;
    cabeza.moveTo(punta + tangente * 7);
    cabeza.lineTo(punta - tangente * 3 + normal * 6);
    cabeza.lineTo(punta - tangente * 3 - normal * 6);
    cabeza.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(tinta);
    p.drawPath(cabeza);

    QFont letra = font();
    letra.setBold(true);
    p.setFont(letra);
    const ColoresMesa colores = PintorDe(AspectoVigente()).Colores(p_.PuestoMesa);
    for (int j = 1; j <= 4; ++j) {
        if (p_.Estado[j] != 1) continue;
        const QPointF d = direccion(j);
        const QString nombre = QString::fromStdString(p_.Nombres[j]).trimmed();
        const int ancho = p.fontMetrics().horizontalAdvance(nombre) + 12;
        const int alto = p.fontMetrics().height() + 4;
        const double x = d.x() > 0 ? cuadro.right() - ancho + 30 : cuadro.left() - 30;
        const double y = d.y() > 0 ? cuadro.bottom() + 2 : cuadro.top() - alto - 2;
        const QRectF placa(std::clamp(x, 0.0, double(width() - ancho)), std::clamp(y, 0.0, double(height() - alto)),
                           ancho, alto);
        if (esModerno) {
            // Shaded like the pieces: lighter above, with a soft shadow.
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(60, 36, 20, 60));
            p.drawRoundedRect(placa.translated(0, 1.5), alto / 2.0, alto / 2.0);
            QLinearGradient luz(placa.topLeft(), placa.bottomLeft());
            luz.setColorAt(0, colores[j].lighter(118));
            luz.setColorAt(1, colores[j].darker(108));
            p.setPen(QPen(colores[j].darker(150), 1));
            p.setBrush(luz);
            p.drawRoundedRect(placa.adjusted(0.5, 0.5, -0.5, -0.5), alto / 2.0, alto / 2.0);
        } else {
            p.setPen(QPen(QColor(40, 40, 40), 1));
            p.setBrush(colores[j]);
            p.drawRoundedRect(placa, 4, 4);
        }
        p.setPen(ColorLetraSobre(colores[j]));
        p.drawText(placa, Qt::AlignCenter, nombre);
    }
}

}  // namespace parchis
