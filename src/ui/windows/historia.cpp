#include "ui/windows/historia.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "core/partida.h"
#include "flow/interfaz.h"
#include "ui/common/ayuda.h"
#include "ui/common/controles.h"

namespace parchis {

namespace {

constexpr int TemaAyuda = 2181;
constexpr int SonidoPagina = 10;
constexpr int CursorPagina = 7;

constexpr int W = CarpetaHistorico::AnchoCarpeta;
constexpr int H = CarpetaHistorico::AltoCarpeta;
constexpr int AnchoEsquina = 25;
constexpr int AltoEsquina = 16;

// The page inside the folder, and where its lines go.
const QRectF Hoja(10, 12, W - 20, H - 20);
constexpr double LineaCabecera = 36;   // baseline of the header
constexpr double PrimeraLinea = 62;    // baseline of the first record's first line
constexpr double Interlineado = 15;
constexpr double Separacion = 4;       // between records

const char* const Cabecera =
    "Fecha         Hora             Ganadores / Perdedores                Puntos";

const QColor Tinta(40, 44, 70);
const QColor TintaSuave(95, 98, 118);
const QColor Papel(253, 250, 240);
const QColor Renglon(196, 214, 234);
const QColor CartonClaro(222, 176, 104);
const QColor CartonOscuro(170, 120, 58);

// The largest size at which the header spans the date's column to the
// points' column and a date ends before the time's column.
QFont FuentePagina() {
    QFont f(QStringLiteral("DejaVu Sans"));
    int tamano = 8;
    for (int px = 8; px <= 16; ++px) {
        f.setPixelSize(px);
        const QFontMetricsF m(f);
        if (m.horizontalAdvance(QString::fromUtf8(Cabecera)) <= 350 &&
            m.horizontalAdvance(QStringLiteral("00-00-0000")) <= 62)
            tamano = px;
    }
    f.setPixelSize(tamano);
    return f;
}

void Texto(QPainter& g, double x, double y, const std::string& s, Qt::Alignment alineacion) {
    const QString t = QString::fromStdString(s);
    const double ancho = g.fontMetrics().horizontalAdvance(t);
    if (alineacion & Qt::AlignHCenter) x -= ancho / 2;
    if (alineacion & Qt::AlignRight) x -= ancho;
    g.drawText(QPointF(x, y), t);
}

// A turned-up corner of the page: the fold shows the back of the sheet.
void Doblez(QPainter& g, bool derecha) {
    const double x0 = derecha ? Hoja.right() : Hoja.left();
    const double y0 = Hoja.bottom();
    const double d = derecha ? -22 : 22;
    QPainterPath hueco;   // the folder seen where the corner lifted
    hueco.moveTo(x0, y0);
    hueco.lineTo(x0 + d, y0);
    hueco.lineTo(x0, y0 - 22);
    hueco.closeSubpath();
    g.fillPath(hueco, CartonOscuro);
    QPainterPath pliegue;
    pliegue.moveTo(x0 + d, y0);
    pliegue.lineTo(x0, y0 - 22);
    pliegue.lineTo(x0 + d, y0 - 22);
    pliegue.closeSubpath();
    QLinearGradient brillo(QPointF(x0 + d, y0 - 22), QPointF(x0 + d / 2, y0 - 11));
    brillo.setColorAt(0, QColor(236, 230, 212));
    brillo.setColorAt(1, QColor(206, 198, 176));
    g.fillPath(pliegue, brillo);
    g.setPen(QPen(QColor(150, 140, 118), 0.8));
    g.drawPath(pliegue);
}

}  // namespace

CarpetaHistorico::CarpetaHistorico(QWidget* padre, std::vector<RegistroHistorico> registros,
                                   double escala, SonidoVentana sonido)
    : QWidget(padre), registros_(std::move(registros)), escala_(escala), sonido_(std::move(sonido)),
      puntero_(this), primera_(static_cast<int>(registros_.size()) - 1) {
    setObjectName(QStringLiteral("Pic_Carpeta"));
    setFixedSize(static_cast<int>(std::ceil(W * escala_)), static_cast<int>(std::ceil(H * escala_)));
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setFont(FuentePagina());
}

bool CarpetaHistorico::PasaPagina(bool anteriores) {
    if (anteriores ? !HayPaginaAnterior(primera_) : !HayPaginaSiguiente(primera_, NumRegistros()))
        return false;
    primera_ += anteriores ? -RegistrosPorPagina : RegistrosPorPagina;
    if (sonido_) sonido_(SonidoPagina);
    update();
    return true;
}

int CarpetaHistorico::Esquina(QPointF punto) const {
    const double x = punto.x() / escala_, y = punto.y() / escala_;
    if (y < H - AltoEsquina || y > H) return 0;
    if (x >= W - AnchoEsquina && x <= W && HayPaginaAnterior(primera_)) return 1;
    if (x >= 0 && x <= AnchoEsquina && HayPaginaSiguiente(primera_, NumRegistros())) return -1;
    return 0;
}

void CarpetaHistorico::mousePressEvent(QMouseEvent* e) {
    if (const int esquina = Esquina(e->position())) PasaPagina(esquina > 0);
    puntero_.PonCursor(Esquina(e->position()) ? CursorPagina : CursorFlecha);
}

void CarpetaHistorico::mouseMoveEvent(QMouseEvent* e) {
    puntero_.PonCursor(Esquina(e->position()) ? CursorPagina : CursorFlecha);
}

void CarpetaHistorico::keyPressEvent(QKeyEvent* e) {
    switch (e->key()) {
        case Qt::Key_PageDown: case Qt::Key_Down: case Qt::Key_Right: PasaPagina(true); break;
        case Qt::Key_PageUp: case Qt::Key_Up: case Qt::Key_Left: PasaPagina(false); break;
        default: QWidget::keyPressEvent(e);
    }
}

void CarpetaHistorico::paintEvent(QPaintEvent*) {
    QPainter g(this);
    g.setRenderHint(QPainter::Antialiasing);
    g.setRenderHint(QPainter::TextAntialiasing);
    g.scale(escala_, escala_);
    DibujaCarpeta(g);
    DibujaPagina(g);
}

// The open folder: its board behind, the sheets of older and newer pages
// peeking out below the page shown, and the corners that can turn lifted.
void CarpetaHistorico::DibujaCarpeta(QPainter& g) const {
    QLinearGradient carton(0, 0, 0, H);
    carton.setColorAt(0, CartonClaro);
    carton.setColorAt(1, CartonOscuro);
    g.setPen(QPen(CartonOscuro.darker(130), 1));
    g.setBrush(carton);
    g.drawRoundedRect(QRectF(0.5, 0.5, W - 1, H - 1), 8, 8);
    const bool anteriores = HayPaginaAnterior(primera_);
    const bool siguientes = HayPaginaSiguiente(primera_, NumRegistros());
    g.setPen(QPen(QColor(190, 182, 160), 0.8));
    g.setBrush(QColor(240, 234, 218));
    for (int capa = 2; capa >= 1; --capa) {
        const double izq = siguientes ? -1.5 * capa : 0, der = anteriores ? 1.5 * capa : 0;
        g.drawRect(Hoja.adjusted(izq, 1.5 * capa, der, 1.5 * capa));
    }
    g.setPen(QPen(QColor(180, 170, 146), 0.8));
    g.setBrush(Papel);
    g.drawRect(Hoja);
    g.setPen(QPen(Renglon, 0.7));
    for (int i = 0; i < RegistrosPorPagina; ++i) {
        const double y = PrimeraLinea + i * (2 * Interlineado + Separacion) + Interlineado + 4;
        g.drawLine(QPointF(Hoja.left() + 6, y), QPointF(Hoja.right() - 6, y));
    }
    g.setPen(QPen(QColor(200, 90, 80), 0.9));
    g.drawLine(QPointF(Hoja.left() + 6, LineaCabecera + 6), QPointF(Hoja.right() - 6, LineaCabecera + 6));
    if (anteriores) Doblez(g, true);
    if (siguientes) Doblez(g, false);
}

void CarpetaHistorico::DibujaPagina(QPainter& g) const {
    QFont normal = font(), negrita = font();
    negrita.setBold(true);
    g.setFont(normal);
    g.setPen(Tinta);
    g.drawText(QPointF(22, LineaCabecera), QString::fromUtf8(Cabecera));
    double y = PrimeraLinea;
    for (int i : RegistrosDePagina(primera_)) {
        const TextoHistorico t = TextoDeRegistro(registros_[i]);
        g.setFont(normal);
        g.setPen(Tinta);
        Texto(g, 22, y, t.Fecha, Qt::AlignLeft);
        Texto(g, 89, y, t.Hora, Qt::AlignLeft);
        Texto(g, 368, y, t.Puntos, Qt::AlignRight);
        g.setFont(negrita);
        Texto(g, 227, y, t.Ganadores, Qt::AlignHCenter);
        g.setFont(normal);
        g.setPen(TintaSuave);
        Texto(g, 228, y + Interlineado, t.Perdedores, Qt::AlignHCenter);
        y += 2 * Interlineado + Separacion;
    }
}

VentanaHistorico::VentanaHistorico(QWidget* padre, std::vector<RegistroHistorico> registros,
                                   SonidoVentana sonido, AyudaVentana ayuda)
    : QDialog(padre), ayuda_(ayuda) {
    setWindowTitle(QStringLiteral("Fichero Histórico de resultados"));
    setObjectName(QStringLiteral("historico"));
    setStyleSheet(QStringLiteral("QDialog#historico { background: #f4ead8; }"));
    // The folder grows with the screen, as the board does.
    const QScreen* pantalla = padre ? padre->screen() : QGuiApplication::primaryScreen();
    const double alto = pantalla ? pantalla->availableGeometry().height() : 600;
    const double escala = std::clamp((alto * 0.8 - 70) / H, 1.0, 2.5);
    carpeta_ = new CarpetaHistorico(this, std::move(registros), escala, sonido);

    // The program's own buttons, as in the settings windows: each press
    // plays the button sound first.
    const ServiciosControl servicios{[sonido](int n) {
                                         if (sonido) sonido(n);
                                     },
                                     [](int) {}};
    auto boton = [&](const char* texto, const char* nombre, const char* consejo, std::function<void()> accion) {
        auto* b = new BotonPulsador(this, servicios, QString::fromUtf8(texto), std::move(accion));
        b->setObjectName(QString::fromUtf8(nombre));
        b->setToolTip(QString::fromUtf8(consejo));
        b->setAccessibleName(QString::fromUtf8(consejo));
        return b;
    };
    auto* bAyuda = boton("Ayuda", "Pic_BotAyuda", "Ayuda sobre Histórico", [this, ayuda] {
        if (ayuda) ayuda(this, TemaAyuda);
    });
    auto* bSalir = boton("Salir", "Pic_BotSalir", "Salir del Histórico", [this] { accept(); });

    auto* caja = new QVBoxLayout(this);
    caja->addWidget(carpeta_, 0, Qt::AlignHCenter);
    auto* fila = new QHBoxLayout;
    fila->addWidget(bAyuda);
    fila->addStretch();
    fila->addWidget(bSalir);
    caja->addLayout(fila);
    caja->setSizeConstraint(QLayout::SetFixedSize);
    setTabOrder(carpeta_, bAyuda);
    setTabOrder(bAyuda, bSalir);
    carpeta_->setFocus();
}

void VentanaHistorico::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_F1 && ayuda_)
        ayuda_(this, TemaAyuda);
    else
        QDialog::keyPressEvent(e);
}

void AbreHistorico(QWidget* padre, Partida& p, Interfaz& ui) {
    VentanaHistorico v(padre, LeeHistorico(p.Carpeta), [&ui](int n) { ui.TocaSonido(n, true); },
                       AbreAyuda);
    // Modal to the main window only: the help it opens stays usable.
    v.setWindowModality(Qt::WindowModal);
    v.exec();
}

}  // namespace parchis
