#include "ui/mainwindow/selector.h"

#include <QMouseEvent>
#include <QPainter>

#include "ui/common/cursores.h"

namespace parchis {

namespace {

const char* const Textos[NumOpciones + 1] = {
    "", "Guardar esta partida", "Cargar una partida", "Borrar una partida",
    "Mover fichas manualmente", "TIrar dados manualmente"};

int Cuenta(const OpcionesActivas& a) {
    int n = 0;
    for (int i = 1; i <= NumOpciones; ++i) n += a[i];
    return n;
}

int AltoPara(int entradas) { return 2 * MargenSelector + entradas * AltoEntradaSelector; }

}  // namespace

const char* TextoOpcion(int opcion) {
    return opcion >= 1 && opcion <= NumOpciones ? Textos[opcion] : "";
}

OpcionesActivas OpcionesOfrecidas(bool partidaIniciada, bool esperandoTirada) {
    OpcionesActivas a{};
    a[OpcionGuardar] = partidaIniciada;
    a[OpcionCargar] = true;
    a[OpcionBorrar] = true;
    a[OpcionManual] = partidaIniciada;
    a[OpcionDados] = partidaIniciada && esperandoTirada;
    return a;
}

QRect GeometriaSelector(QPoint punto, int entradas, int ladoLienzo) {
    const int alto = AltoPara(entradas);
    int x = punto.x(), y = punto.y();
    if (x + AnchoSelector > ladoLienzo) x -= AnchoSelector;
    if (y + alto > ladoLienzo) y -= alto;
    return QRect(x, y, AnchoSelector, alto);
}

SelectorOpciones::SelectorOpciones(QWidget* padre, std::function<void(int)> elige)
    : QWidget(padre), elige_(std::move(elige)) {
    setObjectName(QStringLiteral("Pic_SelOpciones"));
    setMouseTracking(true);
    setCursor(CursorNumero(CursorManoIndice));
    hide();
}

void SelectorOpciones::Abre(QPoint punto, const OpcionesActivas& activas, int ladoLienzo) {
    activas_ = activas;
    bajoRaton_ = 0;
    setGeometry(GeometriaSelector(punto, Cuenta(activas), ladoLienzo));
    show();
    raise();
}

void SelectorOpciones::Cierra() {
    bajoRaton_ = 0;
    hide();
}

int SelectorOpciones::OpcionEn(QPoint q) const {
    if (isHidden() || q.x() < 0 || q.x() >= width() || q.y() < MargenSelector) return 0;
    const int fila = (q.y() - MargenSelector) / AltoEntradaSelector;
    for (int i = 1, n = 0; i <= NumOpciones; ++i) {
        if (!activas_[i]) continue;
        if (n++ == fila) return i;
    }
    return 0;
}

void SelectorOpciones::Resalta(int opcion) {
    if (opcion == bajoRaton_) return;
    bajoRaton_ = opcion;
    update();
}

void SelectorOpciones::Suelta(QPoint q) {
    const int opcion = OpcionEn(q);
    if (opcion == 0) return;
    Cierra();
    elige_(opcion);
}

void SelectorOpciones::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect r = rect();
    p.fillRect(r, QColor(236, 228, 210));
    // Raised edge: light top and left, dark bottom and right.
    p.setPen(Qt::white);
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(QColor(119, 26, 18));
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
    QFont letra = font();
    letra.setPixelSize(12);
    p.setFont(letra);
    int y = MargenSelector;
    for (int i = 1; i <= NumOpciones; ++i) {
        if (!activas_[i]) continue;
        if (i == OpcionManual && y > MargenSelector) {
            // The etched separator between the game files and the hand.
            p.setPen(QColor(128, 128, 128));
            p.drawLine(6, y - 1, width() - 7, y - 1);
            p.setPen(Qt::white);
            p.drawLine(6, y, width() - 7, y);
        }
        const QRect fila(3, y + 1, width() - 6, AltoEntradaSelector - 2);
        if (i == bajoRaton_) {
            p.fillRect(fila, QColor(119, 26, 18));
            p.setPen(QColor(255, 244, 220));
        } else {
            p.setPen(QColor(40, 32, 28));
        }
        p.drawText(fila.adjusted(10, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft,
                   QString::fromUtf8(Textos[i]));
        y += AltoEntradaSelector;
    }
}

void SelectorOpciones::mouseMoveEvent(QMouseEvent* e) { Resalta(OpcionEn(e->position().toPoint())); }

// A press on the selector is its own: it must not reach the board below.
void SelectorOpciones::mousePressEvent(QMouseEvent* e) { e->accept(); }

void SelectorOpciones::mouseReleaseEvent(QMouseEvent* e) { Suelta(e->position().toPoint()); }

}  // namespace parchis
