#include "ui/common/controles.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

#include "ui/common/ayuda.h"
#include "ui/common/cursores.h"
#include "ui/common/estilo.h"

namespace parchis {

namespace {

const QColor GrisPlaca(192, 192, 192);
const QColor GrisOscuro(128, 128, 128);
const QColor Granate(119, 26, 18);
const QColor Verde(74, 140, 74);
const QColor Texto(32, 32, 32);

// The colours of the controls in each look: the classic grey plates and
// green faces, or the modern look's ivory plates, wooden faces and amber.
struct Paleta {
    QColor placa, placaBaja, borde, texto, acento, encendido, campo;
    QColor caraAlta, caraBaja, caraApagadaAlta, caraApagadaBaja, apagado;
    QColor pista, letraBoton, brilloBoton;
    bool redondeado;
};

const Paleta& PaletaVigente() {
    static const Paleta clasica{GrisPlaca, GrisPlaca, GrisOscuro, Texto, Granate, Verde, QColor(250, 248, 240),
                                QColor(206, 230, 206), QColor(124, 168, 124), QColor(214, 214, 214),
                                QColor(168, 168, 168), GrisOscuro, QColor(90, 90, 90), QColor(50, 60, 50),
                                QColor(235, 245, 235), false};
    static const Paleta moderna{moderno::Marfil, QColor(243, 231, 209), moderno::Borde, moderno::Tinta,
                                moderno::Madera, moderno::Acento, QColor(255, 253, 248), moderno::Marfil,
                                moderno::Pergamino, QColor(242, 236, 226), QColor(221, 211, 196),
                                QColor(176, 160, 140), QColor(220, 200, 168), moderno::Tinta,
                                QColor(255, 255, 255, 160), true};
    return EsModerno() ? moderna : clasica;
}

constexpr int LadoCasilla = 17;
constexpr QSize TamFlecha(20, 24);
constexpr QSize TamPista(121, 23);
constexpr QSize TamAsa(13, 19);

// A small raised face (the arrow button, the knob's handle, a push button).
void PintaCara(QPainter& p, const QRectF& r, bool hundida, bool activa, qreal radio) {
    const Paleta& c = PaletaVigente();
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    const QColor alto = activa ? c.caraAlta : c.caraApagadaAlta;
    const QColor bajo = activa ? c.caraBaja : c.caraApagadaBaja;
    g.setColorAt(0, hundida ? bajo : alto);
    g.setColorAt(1, hundida ? alto : bajo);
    if (c.redondeado && !hundida) {
        // A soft shadow under the face.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(60, 36, 20, 40));
        p.drawRoundedRect(r.adjusted(0.5, 1.5, -0.5, 0.5), radio, radio);
    }
    p.setPen(QPen(activa ? (c.redondeado ? QColor(138, 106, 72) : Granate) : c.apagado, 1));
    p.setBrush(g);
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radio, radio);
}

}  // namespace

void PintaFondoModerno(QPainter& p, const QRect& r) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient madera(r.topLeft(), r.bottomRight());
    madera.setColorAt(0, moderno::MaderaClara);
    madera.setColorAt(1, moderno::Madera);
    p.fillRect(r, madera);
    const QRectF dentro = QRectF(r).adjusted(4.5, 4.5, -4.5, -4.5);
    QLinearGradient papel(dentro.topLeft(), dentro.bottomLeft());
    papel.setColorAt(0, moderno::FondoVentana);
    papel.setColorAt(1, QColor(238, 226, 204));
    p.setPen(QPen(QColor(60, 36, 20, 120), 1));
    p.setBrush(papel);
    p.drawRoundedRect(dentro, 6, 6);
    p.restore();
}

void PintaMarcoTitulo(QPainter& p, const QRect& r, const QString& titulo, QPoint posTitulo) {
    if (EsModerno()) {
        // An ivory plate with rounded corners, lit from above.
        p.save();
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF caja = QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5);
        QLinearGradient g(caja.topLeft(), caja.bottomLeft());
        g.setColorAt(0, moderno::Marfil);
        g.setColorAt(1, QColor(243, 231, 209));
        p.setPen(QPen(moderno::Borde, 1));
        p.setBrush(g);
        p.drawRoundedRect(caja, 6, 6);
        p.restore();
        if (titulo.isEmpty()) return;
        p.setPen(moderno::Tinta);
        const QFontMetrics m(p.font());
        p.drawText(posTitulo + QPoint(0, m.ascent()), QLatin1Char(' ') + titulo + QLatin1Char(' '));
        return;
    }
    p.fillRect(r, GrisPlaca);
    p.setPen(GrisOscuro);
    p.drawRect(r.adjusted(0, 0, -2, -2));
    p.setPen(Qt::white);
    p.drawRect(r.adjusted(1, 1, -1, -1));
    if (titulo.isEmpty()) return;
    p.setPen(Texto);
    const QFontMetrics m(p.font());
    p.drawText(posTitulo + QPoint(0, m.ascent()), QLatin1Char(' ') + titulo + QLatin1Char(' '));
}

// --- the common base ---------------------------------------------------------------

ControlComun::ControlComun(QWidget* padre, const ServiciosControl& servicios, const QString& titulo)
    : QWidget(padre), servicios_(servicios), titulo_(titulo) {
    // A control is never squeezed below its height (its title would run
    // into its field): a page that shows more controls makes its window
    // taller instead.
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Minimum);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(CursorNumero(CursorManoIndice));
    setToolTip(titulo.trimmed());
}

void ControlComun::PonTitulo(const QString& titulo) {
    if (titulo == titulo_) return;
    titulo_ = titulo;
    setToolTip(titulo.trimmed());
    updateGeometry();
    update();
}

void ControlComun::PonActivo(bool activo) {
    activo_ = activo;
    setCursor(CursorNumero(activo ? CursorManoIndice : CursorFlecha));
    setFocusPolicy(activo ? Qt::StrongFocus : Qt::NoFocus);
    update();
}

void ControlComun::PintaFondo(QPainter& p, QPoint posTitulo) {
    PintaMarcoTitulo(p, rect(), titulo_, posTitulo);
    if (!hasFocus()) return;
    p.setBrush(Qt::NoBrush);
    if (EsModerno()) {
        p.setPen(QPen(moderno::Acento, 2));
        p.drawRoundedRect(QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5), 5, 5);
    } else {
        p.setPen(QPen(Granate, 1, Qt::DotLine));
        p.drawRect(rect().adjusted(2, 2, -3, -3));
    }
}

void ControlComun::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && activo_) Acciona();
}

void ControlComun::keyPressEvent(QKeyEvent* e) {
    const int k = e->key();
    if (activo_ && (k == Qt::Key_Space || k == Qt::Key_Return || k == Qt::Key_Enter))
        Acciona();
    else
        QWidget::keyPressEvent(e);
}

// --- switch ------------------------------------------------------------------------------

Interruptor::Interruptor(QWidget* padre, const ServiciosControl& s, const QString& titulo,
                         std::function<void()> alPulsar)
    : ControlComun(padre, s, titulo), alPulsar_(std::move(alPulsar)) {}

void Interruptor::PonValor(bool valor) {
    if (valor == valor_) return;
    valor_ = valor;
    update();
}

void Interruptor::Acciona() {
    const bool antes = valor_;
    alPulsar_();
    if (valor_ != antes && servicios_.Sonido) servicios_.Sonido(valor_ ? 6 : 7);
}

QSize Interruptor::sizeHint() const {
    return {24 + fontMetrics().horizontalAdvance(QLatin1Char(' ') + titulo_ + QStringLiteral("  ")) + 4,
            std::max(LadoCasilla + 7, fontMetrics().height() + 8)};
}

void Interruptor::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const int y = (height() - LadoCasilla) / 2;
    PintaFondo(p, {20, (height() - fontMetrics().height()) / 2});
    const QRectF caja(4, y, LadoCasilla, LadoCasilla);
    const Paleta& c = PaletaVigente();
    p.setPen(QPen(activo_ ? (c.redondeado ? c.borde.darker(130) : Granate) : c.apagado, 1));
    p.setBrush(valor_ ? (activo_ ? c.encendido : c.apagado) : c.campo);
    p.drawRoundedRect(caja.adjusted(0.5, 0.5, -0.5, -0.5), c.redondeado ? 4.5 : 3, c.redondeado ? 4.5 : 3);
    if (valor_) {
        QPainterPath marca;
        marca.moveTo(caja.left() + 4, caja.center().y());
        marca.lineTo(caja.left() + 7.5, caja.bottom() - 4);
        marca.lineTo(caja.right() - 3.5, caja.top() + 4);
        p.setPen(QPen(Qt::white, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(marca);
    }
}

// --- selector -----------------------------------------------------------------------------

Selector::Selector(QWidget* padre, const ServiciosControl& s, const QString& titulo, std::function<bool()> alPulsar)
    : ControlComun(padre, s, titulo), alPulsar_(std::move(alPulsar)) {}

void Selector::PonValor(const QString& valor) {
    if (valor == valor_) return;
    valor_ = valor;
    update();
}

void Selector::Acciona() {
    if (servicios_.Sonido) servicios_.Sonido(6);
    pulsada_ = true;
    repaint();
    const bool hecho = alPulsar_();
    if (hecho && servicios_.Pausa) servicios_.Pausa(60);
    pulsada_ = false;
    repaint();
    if (hecho && servicios_.Sonido) servicios_.Sonido(7);
}

QSize Selector::sizeHint() const {
    const QFontMetrics m = fontMetrics();
    const int ancho = std::max(m.horizontalAdvance(QStringLiteral("  ") + titulo_ + QStringLiteral("  ")),
                               m.horizontalAdvance(valor_) + TamFlecha.width() + 24);
    return {std::max(ancho, 150), m.height() + TamFlecha.height() + 10};
}

QRect Selector::Flecha() const {
    return {width() - TamFlecha.width() - 5, height() - TamFlecha.height() - 4, TamFlecha.width(),
            TamFlecha.height()};
}

void Selector::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    PintaFondo(p, {3, 3});
    const QRect flecha = Flecha();
    const QRect campo(6, flecha.top(), flecha.left() - 9, flecha.height());
    const Paleta& pal = PaletaVigente();
    p.setPen(pal.borde);
    p.setBrush(pal.campo);
    if (pal.redondeado)
        p.drawRoundedRect(QRectF(campo).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    else
        p.drawRect(QRectF(campo).adjusted(0.5, 0.5, -0.5, -0.5));
    p.setPen(activo_ ? pal.texto : pal.apagado);
    p.drawText(campo.adjusted(5, 0, -3, 0), Qt::AlignVCenter | Qt::AlignLeft,
               fontMetrics().elidedText(valor_, Qt::ElideRight, campo.width() - 8));
    PintaCara(p, flecha, pulsada_, activo_, pal.redondeado ? 5 : 3);
    const QPointF c = QRectF(flecha).center() + (pulsada_ ? QPointF(1, 1) : QPointF(0, 0));
    QPainterPath punta;
    punta.moveTo(c + QPointF(-4, -5));
    punta.lineTo(c + QPointF(4, 0));
    punta.lineTo(c + QPointF(-4, 5));
    punta.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(activo_ ? pal.acento : pal.apagado);
    p.drawPath(punta);
}

// --- knob -----------------------------------------------------------------------------------

Mando::Mando(QWidget* padre, const ServiciosControl& s, const QString& titulo, int minimo, int maximo,
             std::function<bool(int)> alMover)
    : ControlComun(padre, s, titulo), alMover_(std::move(alMover)), minimo_(minimo), maximo_(maximo),
      valor_(minimo) {}

void Mando::PonValor(int valor) {
    valor = std::clamp(valor, minimo_, maximo_);
    if (valor == valor_) return;
    valor_ = valor;
    update();
}

QSize Mando::sizeHint() const {
    const QFontMetrics m = fontMetrics();
    const int ancho = m.horizontalAdvance(QStringLiteral("  ") + titulo_ + QStringLiteral("  100  "));
    return {std::max(ancho, TamPista.width() + 44), std::max(15, m.height() + 2) + TamPista.height() + 5};
}

QRect Mando::Pista() const {
    return {5, std::max(15, fontMetrics().height() + 2), TamPista.width(), TamPista.height()};
}

QRect Mando::Asa() const {
    const QRect pista = Pista();
    const int recorrido = pista.width() - TamAsa.width();
    const int x = pista.left() + (valor_ - minimo_) * recorrido / std::max(1, maximo_ - minimo_);
    return {x, pista.top() + (pista.height() - TamAsa.height()) / 2, TamAsa.width(), TamAsa.height()};
}

void Mando::Mueve(int valor) {
    valor = std::clamp(valor, minimo_, maximo_);
    if (valor == valor_) return;
    if (!alMover_(valor)) {
        arrastrando_ = false;
        setCursor(CursorNumero(CursorManoIndice));
    }
}

void Mando::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    PintaFondo(p, {3, 1});
    const Paleta& c = PaletaVigente();
    p.setPen(activo_ ? c.acento : c.apagado);
    p.drawText(QRect(0, 1, width() - 8, fontMetrics().height()), Qt::AlignRight | Qt::AlignTop,
               QString::number(valor_));
    const QRectF pista = Pista();
    const qreal medio = pista.center().y();
    const QRectF surco(pista.left() + 4, medio - 2.5, pista.width() - 8, 5);
    p.setPen(QPen(c.borde, 1));
    p.setBrush(c.pista);
    p.drawRoundedRect(surco, 2.5, 2.5);
    if (c.redondeado && activo_) {
        // The track filled up to the handle.
        p.setPen(Qt::NoPen);
        p.setBrush(c.encendido);
        p.drawRoundedRect(QRectF(surco.left(), surco.top(), QRectF(Asa()).center().x() - surco.left(), surco.height()),
                          2.5, 2.5);
    }
    p.setPen(QPen(c.borde, 1));
    const int marcas = std::min(10, maximo_ - minimo_);
    for (int i = 0; i <= marcas; ++i) {
        const qreal x = pista.left() + TamAsa.width() / 2.0 + i * (pista.width() - TamAsa.width()) / qreal(marcas);
        p.drawLine(QPointF(x, pista.bottom() - 2), QPointF(x, pista.bottom()));
    }
    PintaCara(p, Asa(), arrastrando_, activo_, c.redondeado ? 5 : 3);
    const QRectF asa = Asa();
    p.setPen(QPen(activo_ ? c.acento : c.apagado, 1));
    p.drawLine(QPointF(asa.center().x(), asa.top() + 4), QPointF(asa.center().x(), asa.bottom() - 4));
}

void Mando::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton || !activo_) return;
    arrastrando_ = true;
    setCursor(CursorNumero(CursorManoCerrada));
    mouseMoveEvent(e);
}

void Mando::mouseMoveEvent(QMouseEvent* e) {
    if (!arrastrando_) return;
    const QRect pista = Pista();
    const double x = e->position().x() - pista.left() - TamAsa.width() / 2.0;
    const double parte = x / std::max(1, pista.width() - TamAsa.width());
    Mueve(minimo_ + static_cast<int>(std::lround(parte * (maximo_ - minimo_))));
    update();
}

void Mando::mouseReleaseEvent(QMouseEvent*) {
    if (!arrastrando_) return;
    arrastrando_ = false;
    setCursor(CursorNumero(CursorManoIndice));
    update();
}

void Mando::keyPressEvent(QKeyEvent* e) {
    const int paso = std::max(1, (maximo_ - minimo_) / 10);
    if (activo_ && (e->key() == Qt::Key_Left || e->key() == Qt::Key_Down))
        Mueve(valor_ - paso);
    else if (activo_ && (e->key() == Qt::Key_Right || e->key() == Qt::Key_Up))
        Mueve(valor_ + paso);
    else
        QWidget::keyPressEvent(e);
}

// --- push button --------------------------------------------------------------------------

BotonPulsador::BotonPulsador(QWidget* padre, const ServiciosControl& s, const QString& rotulo,
                             std::function<void()> alPulsar)
    : ControlComun(padre, s, rotulo), alPulsar_(std::move(alPulsar)) {
    setToolTip(QString());
}

void BotonPulsador::Acciona() {
    if (servicios_.Sonido) servicios_.Sonido(9);
    alPulsar_();
}

QSize BotonPulsador::sizeHint() const {
    return {std::max(92, fontMetrics().horizontalAdvance(titulo_) + 30), fontMetrics().height() + 12};
}

// The face: rounded left and right ends joined by a middle band.
void BotonPulsador::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const Paleta& c = PaletaVigente();
    const QRectF r = QRectF(rect()).adjusted(1, 1, -1, c.redondeado ? -2 : -1);
    // The modern face is a rounded rectangle like the program's other buttons.
    const qreal radio = c.redondeado ? 6 : r.height() / 2;
    PintaCara(p, r, false, activo_, radio);
    p.setPen(QPen(activo_ ? c.brilloBoton : QColor(230, 230, 230), 1));
    p.drawLine(QPointF(r.left() + radio, r.top() + 2), QPointF(r.right() - radio, r.top() + 2));
    QFont negrita = font();
    negrita.setBold(true);
    p.setFont(negrita);
    p.setPen(activo_ ? c.letraBoton : c.apagado);
    p.drawText(r, Qt::AlignCenter, titulo_);
    if (hasFocus()) {
        p.setBrush(Qt::NoBrush);
        if (c.redondeado) {
            p.setPen(QPen(moderno::Madera, 2));
            p.drawRoundedRect(r.adjusted(1, 1, -1, -1), radio - 1, radio - 1);
        } else {
            p.setPen(QPen(Granate, 1, Qt::DotLine));
            p.drawRoundedRect(r.adjusted(3, 3, -3, -3), r.height() / 2 - 3, r.height() / 2 - 3);
        }
    }
}

// --- text field ---------------------------------------------------------------------------

CampoTexto::CampoTexto(QWidget* padre, const QString& titulo, int largoMaximo,
                       std::function<void(const QString&)> alCambiar)
    : QWidget(padre), titulo_(titulo) {
    auto* caja = new QVBoxLayout(this);
    caja->setContentsMargins(6, fontMetrics().height() + 5, 6, 6);
    campo_ = new QLineEdit(this);
    campo_->setMaxLength(largoMaximo);
    campo_->setToolTip(titulo.trimmed());
    HojaSegunAspecto(campo_,
                     QStringLiteral("QLineEdit { background: #faf8f0; border: 1px solid #808080; padding: 1px 4px;"
                                    " color: #202020; }"
                                    "QLineEdit:focus { border: 1px solid #771a12; }"),
                     QStringLiteral("QLineEdit { background: #fffdf8; border: 1px solid #b99670; border-radius: 4px;"
                                    " padding: 1px 4px; color: #3a2a20; selection-background-color: #e2c79a;"
                                    " selection-color: #2a1a10; }"
                                    "QLineEdit:focus { border: 2px solid #b0703c; padding: 0px 3px; }"));
    caja->addWidget(campo_);
    connect(campo_, &QLineEdit::textEdited, this, [f = std::move(alCambiar)](const QString& t) { f(t); });
}

void CampoTexto::PonTexto(const QString& texto) {
    if (campo_->text() == texto) return;
    const int caret = campo_->cursorPosition() - (campo_->text().size() - texto.size());
    campo_->setText(texto);
    campo_->setCursorPosition(std::clamp(caret, 0, static_cast<int>(texto.size())));
}

void CampoTexto::paintEvent(QPaintEvent*) {
    QPainter p(this);
    PintaMarcoTitulo(p, rect(), titulo_, {3, 3});
}

// --- the window's frame ------------------------------------------------------------------

VentanaAjustes::VentanaAjustes(QWidget* padre, const ServiciosControl& s, const QString& titulo,
                               int temaAyuda, const QString& ayudaTooltip, const QString& salirTooltip)
    : QDialog(padre), servicios_(s), temaAyuda_(temaAyuda) {
    setWindowTitle(titulo.trimmed());
    setModal(true);
    auto* caja = new QVBoxLayout(this);
    caja->setContentsMargins(12, 12, 12, 10);
    caja->setSpacing(8);
    auto* banda = new QLabel(titulo, this);
    banda->setObjectName(QStringLiteral("Tex_Titulo"));
    HojaSegunAspecto(banda,
                     QStringLiteral("background: #a0c3a0; color: #323c32; font-weight: bold; border: 1px solid #771a12;"
                                    " padding: 4px 8px;"),
                     QString::fromLatin1(moderno::BandaTitulo));
    caja->addWidget(banda);
    cuerpo_ = new QWidget(this);
    caja->addWidget(cuerpo_, 1);
    filaBotones_ = new QWidget(this);
    auto* fila = new QHBoxLayout(filaBotones_);
    fila->setContentsMargins(0, 0, 0, 0);
    fila->addStretch();
    auto* ayuda = new BotonPulsador(filaBotones_, s, QStringLiteral("Ayuda"),
                                    [this, temaAyuda] { AbreAyuda(this, temaAyuda); });
    ayuda->setObjectName(QStringLiteral("Pic_BotAyuda"));
    ayuda->setToolTip(ayudaTooltip);
    auto* salir = new BotonPulsador(filaBotones_, s, QStringLiteral("Salir"), [this] { Sal(); });
    salir->setObjectName(QStringLiteral("Pic_BotSalir"));
    salir->setToolTip(salirTooltip);
    fila->addWidget(ayuda);
    fila->addWidget(salir);
    caja->addWidget(filaBotones_);
}

void VentanaAjustes::AnadeBoton(BotonPulsador* b) {
    auto* fila = static_cast<QHBoxLayout*>(filaBotones_->layout());
    b->setParent(filaBotones_);
    fila->insertWidget(fila->count() - 2, b);
}

void VentanaAjustes::PreparaFoco(QWidget* primero) {
    QWidget* anterior = nullptr;
    for (QWidget* w : cuerpo_->findChildren<QWidget*>())
        if (w->focusPolicy() & Qt::TabFocus) anterior = w;
    for (QWidget* b : filaBotones_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (anterior) setTabOrder(anterior, b);
        anterior = b;
    }
    primero->setFocus();
}

void VentanaAjustes::Sal() {
    if (saliendo_ || !PuedeSalir()) return;
    saliendo_ = true;
    accept();
}

void VentanaAjustes::closeEvent(QCloseEvent* e) {
    e->ignore();
    Sal();
}

// Esc leaves, F1 opens the window's help, as its buttons do.
void VentanaAjustes::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape)
        Sal();
    else if (e->key() == Qt::Key_F1)
        AbreAyuda(this, temaAyuda_);
    else if (e->key() != Qt::Key_Return && e->key() != Qt::Key_Enter)
        QDialog::keyPressEvent(e);
}

void VentanaAjustes::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (EsModerno()) {
        PintaFondoModerno(p, rect());
        return;
    }
    p.fillRect(rect(), QColor(244, 234, 216));
    p.setPen(Granate);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.setPen(QColor(224, 128, 96));
    p.drawRect(rect().adjusted(3, 3, -4, -4));
}

}  // namespace parchis
