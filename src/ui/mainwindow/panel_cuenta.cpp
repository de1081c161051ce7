#include "ui/mainwindow/panel_cuenta.h"

#include <QMouseEvent>
#include <QPainter>

#include "ui/common/controles.h"
#include "ui/common/cursores.h"

namespace parchis {

VistaPanelCuenta::VistaPanelCuenta(QWidget* padre, std::function<void(int)> marca)
    : QWidget(padre), marca_(std::move(marca)) {
    setObjectName(QStringLiteral("Pic_Desglosar"));
    setMouseTracking(true);
    setToolTip(QStringLiteral(" Elija el valor que desea contar "));
    hide();
}

void VistaPanelCuenta::Muestra(const PanelCuenta& panel) {
    panel_ = panel;
    if (!panel.Visible) {
        hide();
        return;
    }
    resize(AnchoPanelCuenta, Alto(panel.Filas));
    show();
    raise();
    repaint();
}

int VistaPanelCuenta::FilaEn(QPoint punto) const {
    for (int i = 1; i <= panel_.Filas && i <= 4; ++i)
        if (panel_.FilaVisible[i] && QRect(4, AlturaFila(i), width() - 8, 21).contains(punto)) return i;
    return 0;
}

void VistaPanelCuenta::paintEvent(QPaintEvent*) {
    QPainter p(this);
    PintaMarcoTitulo(p, rect(), {}, {});
    QFont letra = font();
    letra.setBold(true);
    p.setFont(letra);
    p.setPen(QColor(50, 60, 50));
    p.drawText(QRect(0, 2, width(), 18), Qt::AlignCenter, QString::fromUtf8(TituloDesglosar));
    letra.setBold(false);
    p.setFont(letra);
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 1; i <= panel_.Filas && i <= 4; ++i) {
        if (!panel_.FilaVisible[i]) continue;
        const int y = AlturaFila(i);
        // The switch: a 17 x 17 lamp, lit when the row is marked.
        const QRectF interruptor(6, y + 2, 17, 17);
        p.setPen(QColor(80, 80, 80));
        p.setBrush(panel_.Marcada[i] ? QColor(60, 200, 60) : QColor(235, 235, 235));
        p.drawRoundedRect(interruptor, 3, 3);
        p.setPen(QColor(30, 30, 30));
        p.drawText(QRect(30, y, width() - 32, 21), Qt::AlignVCenter | Qt::AlignLeft,
                   QString::fromStdString(panel_.Etiqueta[i]));
    }
}

void VistaPanelCuenta::mouseMoveEvent(QMouseEvent* e) {
    const bool activa = panel_.AdmiteClics && FilaEn(e->position().toPoint()) > 0;
    setCursor(CursorNumero(activa ? CursorManoIndice : CursorFlecha));
}

void VistaPanelCuenta::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton || !panel_.AdmiteClics) return;
    if (const int i = FilaEn(e->position().toPoint())) marca_(i);
}

}  // namespace parchis
