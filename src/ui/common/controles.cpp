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

namespace parchis {

namespace {

const QColor GrisPlaca(192, 192, 192);
const QColor GrisOscuro(128, 128, 128);
const QColor Granate(119, 26, 18);
const QColor Verde(74, 140, 74);
const QColor Texto(32, 32, 32);

constexpr int LadoCasilla = 17;
constexpr QSize TamFlecha(20, 24);
constexpr QSize TamPista(121, 23);
constexpr QSize TamAsa(13, 19);

// A small raised face (the arrow button, the knob's handle, a push button).
void PintaCara(QPainter& p, const QRectF& r, bool hundida, bool activa, qreal radio) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    const QColor alto = activa ? QColor(206, 230, 206) : QColor(214, 214, 214);
    const QColor bajo = activa ? QColor(124, 168, 124) : QColor(168, 168, 168);
    g.setColorAt(0, hundida ? bajo : alto);
    g.setColorAt(1, hundida ? alto : bajo);
    p.setPen(QPen(activa ? Granate : GrisOscuro, 1));
    p.setBrush(g);
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radio, radio);
}

}  // namespace

void PintaMarcoTitulo(QPainter& p, const QRect& r, const QString& titulo, QPoint posTitulo) {
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
    if (hasFocus()) {
        p.setPen(QPen(Granate, 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
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
    p.setPen(QPen(activo_ ? Granate : GrisOscuro, 1));
    p.setBrush(valor_ ? (activo_ ? Verde : GrisOscuro) : QColor(250, 248, 240));
    p.drawRoundedRect(caja.adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
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
    p.setPen(GrisOscuro);
    p.setBrush(QColor(250, 248, 240));
    p.drawRect(QRectF(campo).adjusted(0.5, 0.5, -0.5, -0.5));
    p.setPen(activo_ ? Texto : GrisOscuro);
    p.drawText(campo.adjusted(5, 0, -3, 0), Qt::AlignVCenter | Qt::AlignLeft,
               fontMetrics().elidedText(valor_, Qt::ElideRight, campo.width() - 8));
    PintaCara(p, flecha, pulsada_, activo_, 3);
    const QPointF c = QRectF(flecha).center() + (pulsada_ ? QPointF(1, 1) : QPointF(0, 0));
    QPainterPath punta;
    punta.moveTo(c + QPointF(-4, -5));
    punta.lineTo(c + QPointF(4, 0));
    punta.lineTo(c + QPointF(-4, 5));
    punta.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(activo_ ? Granate : GrisOscuro);
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
    p.setPen(activo_ ? Granate : GrisOscuro);
    p.drawText(QRect(0, 1, width() - 8, fontMetrics().height()), Qt::AlignRight | Qt::AlignTop,
               QString::number(valor_));
    const QRectF pista = Pista();
    const qreal medio = pista.center().y();
    p.setPen(QPen(GrisOscuro, 1));
    p.setBrush(QColor(90, 90, 90));
    p.drawRoundedRect(QRectF(pista.left() + 4, medio - 2.5, pista.width() - 8, 5), 2.5, 2.5);
    p.setPen(QPen(GrisOscuro, 1));
    const int marcas = std::min(10, maximo_ - minimo_);
    for (int i = 0; i <= marcas; ++i) {
        const qreal x = pista.left() + TamAsa.width() / 2.0 + i * (pista.width() - TamAsa.width()) / qreal(marcas);
        p.drawLine(QPointF(x, pista.bottom() - 2), QPointF(x, pista.bottom()));
    }
    PintaCara(p, Asa(), arrastrando_, activo_, 3);
    const QRectF asa = Asa();
    p.setPen(QPen(activo_ ? Granate : GrisOscuro, 1));
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
    const QRectF r = QRectF(rect()).adjusted(1, 1, -1, -1);
    PintaCara(p, r, false, activo_, r.height() / 2);
    p.setPen(QPen(activo_ ? QColor(235, 245, 235) : QColor(230, 230, 230), 1));
    p.drawLine(QPointF(r.left() + r.height() / 2, r.top() + 2), QPointF(r.right() - r.height() / 2, r.top() + 2));
    QFont negrita = font();
    negrita.setBold(true);
    p.setFont(negrita);
    p.setPen(activo_ ? QColor(50, 60, 50) : GrisOscuro);
    p.drawText(r, Qt::AlignCenter, titulo_);
    if (hasFocus()) {
        p.setPen(QPen(Granate, 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(r.adjusted(3, 3, -3, -3), r.height() / 2 - 3, r.height() / 2 - 3);
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
    campo_->setStyleSheet(QStringLiteral(
        "QLineEdit { background: #faf8f0; border: 1px solid #808080; padding: 1px 4px; color: #202020; }"
        "QLineEdit:focus { border: 1px solid #771a12; }"));
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
    : QDialog(padre), servicios_(s) {
    setWindowTitle(titulo.trimmed());
    setModal(true);
    auto* caja = new QVBoxLayout(this);
    caja->setContentsMargins(12, 12, 12, 10);
    caja->setSpacing(8);
    auto* banda = new QLabel(titulo, this);
    banda->setObjectName(QStringLiteral("Tex_Titulo"));
    banda->setStyleSheet(QStringLiteral(
        "background: #a0c3a0; color: #323c32; font-weight: bold; border: 1px solid #771a12; padding: 4px 8px;"));
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

void VentanaAjustes::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape)
        Sal();
    else if (e->key() != Qt::Key_Return && e->key() != Qt::Key_Enter)
        QDialog::keyPressEvent(e);
}

void VentanaAjustes::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(244, 234, 216));
    p.setPen(Granate);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.setPen(QColor(224, 128, 96));
    p.drawRect(rect().adjusted(3, 3, -4, -4));
}

}  // namespace parchis
