#include "ui/windows/estadisticas.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>
#include <algorithm>

#include "core/partida.h"
#include "flow/interfaz.h"
#include "rules/tablero.h"
#include "ui/common/ayuda.h"

namespace parchis {

namespace {

constexpr int TemaAyuda = 2161;
constexpr int SonidoBoton = 9;

constexpr double Margen = 12;
constexpr double ArribaTablas = 52;
// The value table: a 76-pixel head and rows of 28 over three columns.
constexpr double CabezaValores = 76;
constexpr double FilaValores = 28;
constexpr double AnchoColValores[3] = {64, 64, 84};
constexpr double AnchoValores = 64 + 64 + 84;
// The piece table, in text columns.
constexpr double FilaFichas = 18;
constexpr int ColOpciones = 66;
constexpr int PasoOpciones = 4;
constexpr int ColComentarios = 86;
constexpr int ColBarra = 18, LargoBarra = 18;
constexpr int ColumnasTotales = ColComentarios + 45;

const QColor Tinta(32, 36, 52);
const QColor Cabeza(160, 195, 160);
const QColor Fondo(250, 246, 236);
const QColor Rayado(238, 232, 216);

QColor ColorDe(int puestoMesa, int jugador) {
    const ColorRGB c = ColorJugador(puestoMesa, jugador);
    return {c.r, c.g, c.b};
}

// Yellow shapes get a dark outline so that they stand out on the pale page.
QPen Contorno(const QColor& c) {
    return c == QColor(255, 255, 0) ? QPen(QColor(70, 70, 70), 1) : QPen(c.darker(140), 1);
}

QString Q(const std::string& s) { return QString::fromStdString(s); }

void Derecha(QPainter& g, double x, double y, const QString& t) {
    g.drawText(QPointF(x - g.fontMetrics().horizontalAdvance(t), y), t);
}

}  // namespace

TextoEstadisticas::TextoEstadisticas(QWidget* padre, Estadistica e, int puestoMesa)
    : QWidget(padre), e_(std::move(e)), puestoMesa_(puestoMesa),
      fija_(QFontDatabase::systemFont(QFontDatabase::FixedFont)) {
    setObjectName(QStringLiteral("Texto"));
    fija_.setPixelSize(11);
    columna_ = QFontMetricsF(fija_).horizontalAdvance(QLatin1Char('0'));
    x0_ = Margen + AnchoValores + 24;
    int filas = 3;
    for (const JugadorEstadistica& j : e_.Jugadores) filas += static_cast<int>(j.Fichas.size()) + 1;
    const double altoValores = CabezaValores + FilaValores * e_.Distribucion.NumValoresPosibles;
    const double alto = ArribaTablas + std::max(altoValores, filas * FilaFichas) + Margen;
    setFixedSize(static_cast<int>(Columna(ColumnasTotales) + Margen), static_cast<int>(alto));
}

void TextoEstadisticas::paintEvent(QPaintEvent*) {
    QPainter g(this);
    g.fillRect(rect(), Fondo);
    if (!e_.HayPartida) return;
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(Tinta);
    DibujaCabecera(g);
    DibujaValores(g);
    DibujaFichas(g);
}

void TextoEstadisticas::DibujaCabecera(QPainter& g) const {
    QFont f = fija_;
    f.setPixelSize(13);
    f.setBold(true);
    g.setFont(f);
    const QFontMetricsF m(f);
    const double y = 28;
    double x = Margen;
    const QString turno = QStringLiteral("Turno del Jugador:");
    g.drawText(QPointF(x, y), turno);
    x += m.horizontalAdvance(turno) + 10;
    const QColor color = ColorDe(puestoMesa_, e_.Turno);
    g.setPen(Contorno(color));
    g.setBrush(color);
    g.drawRect(QRectF(x, y - 12, 16, 16));
    g.setPen(Tinta);
    x += 24;
    g.drawText(QPointF(x, y), Q(e_.Nombre));
    x += m.horizontalAdvance(QStringLiteral("MMMMMMMMM")) + 24;
    if (e_.NumDados == 2) {
        // The dice go into the blanks: "Dados: 3 y 5".
        const double c = m.horizontalAdvance(QLatin1Char('0'));
        g.drawText(QPointF(x, y), QStringLiteral("Dados:   y"));
        g.drawText(QPointF(x + 7 * c, y), QString::number(e_.Dado1));
        g.drawText(QPointF(x + 11 * c, y), QString::number(e_.Dado2));
    } else {
        g.drawText(QPointF(x, y), QStringLiteral("Dado: ") + QString::number(e_.Dado1));
    }
}

void TextoEstadisticas::DibujaValores(QPainter& g) const {
    const DistribucionValores& d = e_.Distribucion;
    const QRectF cabeza(Margen, ArribaTablas, AnchoValores, CabezaValores);
    g.setPen(QPen(Tinta.lighter(200), 1));
    g.setBrush(Cabeza);
    g.drawRect(cabeza);
    QFont f = font();
    f.setPixelSize(12);
    f.setBold(true);
    g.setFont(f);
    g.setPen(Tinta);
    g.drawText(cabeza.adjusted(6, 4, -6, -30), Qt::AlignCenter | Qt::TextWordWrap,
               Q(TituloTablaValores(d.NumValoresPosibles)));
    const char* columnas[3] = {"Valores", "Totales", "Porcentaje"};
    double x = Margen;
    for (int c = 0; c < 3; ++c) {
        g.drawText(QRectF(x, cabeza.bottom() - 28, AnchoColValores[c], 28), Qt::AlignCenter, columnas[c]);
        x += AnchoColValores[c];
    }
    f.setBold(false);
    g.setFont(f);
    for (int v = 1; v <= d.NumValoresPosibles; ++v) {
        const QRectF fila(Margen, cabeza.bottom() + (v - 1) * FilaValores, AnchoValores, FilaValores);
        g.setPen(QPen(Tinta.lighter(300), 1));
        g.setBrush(v % 2 ? Fondo : Rayado);
        g.drawRect(fila);
        g.setPen(Tinta);
        const double base = fila.center().y() + 5;
        Derecha(g, Margen + 40, base, QString::number(v));
        Derecha(g, Margen + 64 + 44, base, Q(TextoCombinaciones(d.Combinaciones[v])));
        Derecha(g, Margen + 128 + 60, base, Q(TextoPorcentajeValor(d.PorcentajeValor[v])));
    }
}

void TextoEstadisticas::DibujaFichas(QPainter& g) const {
    QFont negrita = fija_;
    negrita.setBold(true);
    g.setFont(negrita);
    double y = ArribaTablas + 13;
    g.drawText(QPointF(Columna(0), y),
               QStringLiteral("                        Posición de cada ficha                 "));
    y += FilaFichas;
    g.drawText(QPointF(Columna(0), y),
               QStringLiteral(" Jugador   Ficha        Gráfico       Casillas Porcent. Situac."));
    g.drawText(QPointF(Columna(ColOpciones), y), QStringLiteral("Opc contar"));
    g.drawText(QPointF(Columna(ColComentarios), y), QStringLiteral("Comentarios"));
    y += FilaFichas;
    for (std::size_t i = 0; i < e_.Valores.size(); ++i)
        Derecha(g, Columna(ColOpciones + 2 + PasoOpciones * static_cast<int>(i)), y,
                QString::number(e_.Valores[i]));
    g.setPen(QPen(Tinta.lighter(250), 1));
    g.drawLine(QPointF(Columna(0), y + 5), QPointF(Columna(ColumnasTotales), y + 5));
    for (const JugadorEstadistica& j : e_.Jugadores) {
        for (const FichaEstadistica& f : j.Fichas) {
            y += FilaFichas;
            DibujaFila(g, j, f, y);
        }
        y += FilaFichas;
        g.setPen(QPen(Tinta.lighter(300), 1));
        g.drawLine(QPointF(Columna(0), y - 8), QPointF(Columna(ColumnasTotales), y - 8));
    }
}

void TextoEstadisticas::DibujaFila(QPainter& g, const JugadorEstadistica& j, const FichaEstadistica& f,
                                   double y) const {
    QFont negrita = fija_;
    negrita.setBold(true);
    g.setPen(Tinta);
    g.setFont(negrita);
    if (&f == &j.Fichas.front()) g.drawText(QPointF(Columna(1), y), Q(j.Nombre));
    g.setFont(fija_);
    Derecha(g, Columna(16), y, QString::number(f.Ficha));
    const QColor color = ColorDe(puestoMesa_, j.Jugador);
    const double largo = LargoBarra * columna_ * f.Casillas / CasillasHastaCasa;
    if (largo > 0) {
        g.setPen(Contorno(color));
        g.setBrush(color);
        g.drawRect(QRectF(Columna(ColBarra), y - 9, largo, 9));
    }
    const QPointF marca(Columna(ColBarra) + largo + 8, y - 4.5);
    if (f.Resguardada) {
        g.setPen(QPen(QColor(0, 110, 0), 1));
        g.setBrush(QColor(40, 180, 40));
        g.drawEllipse(marca, 4, 4);
    } else if (f.Amenazada) {
        QPainterPath triangulo;
        triangulo.moveTo(marca + QPointF(0, -5));
        triangulo.lineTo(marca + QPointF(5, 4));
        triangulo.lineTo(marca + QPointF(-5, 4));
        triangulo.closeSubpath();
        g.fillPath(triangulo, QColor(220, 30, 30));
    }
    g.setPen(Tinta);
    Derecha(g, Columna(45), y, QString::number(f.Casillas));
    Derecha(g, Columna(55), y, Q(TextoPorcentajeFicha(f.Casillas)));
    g.drawText(QPointF(Columna(56), y), Q(TextoSituacion(f)));
    for (std::size_t i = 0; i < f.Destinos.size(); ++i)
        Derecha(g, Columna(ColOpciones + 2 + PasoOpciones * static_cast<int>(i)), y, Q(f.Destinos[i]));
    g.drawText(QPointF(Columna(ColComentarios), y), Q(f.Comentario));
}

VentanaEstadisticas::VentanaEstadisticas(QWidget* padre, Estadistica e, int puestoMesa,
                                         SonidoVentana sonido, AyudaVentana ayuda)
    : QDialog(padre) {
    setWindowTitle(QStringLiteral("Estadísticas"));
    setStyleSheet(QStringLiteral("VentanaEstadisticas { background: #f4ead8; }"));
    auto* texto = new TextoEstadisticas(this, std::move(e), puestoMesa);
    auto* desplazable = new QScrollArea(this);
    desplazable->setWidget(texto);
    desplazable->setFocusPolicy(Qt::StrongFocus);
    desplazable->setFrameShape(QFrame::NoFrame);

    auto boton = [&](const char* caption, const char* nombre) {
        auto* b = new QPushButton(QString::fromUtf8(caption), this);
        b->setObjectName(QString::fromUtf8(nombre));
        b->setMinimumWidth(96);
        b->setCursor(Qt::PointingHandCursor);
        b->setAutoDefault(false);
        return b;
    };
    QPushButton* bAyuda = boton("Ayuda", "Pic_BotAyuda");
    QPushButton* bSalir = boton("Salir", "Pic_BotSalir");
    connect(bAyuda, &QPushButton::clicked, this, [this, sonido, ayuda] {
        if (sonido) sonido(SonidoBoton);
        if (ayuda) ayuda(this, TemaAyuda);
    });
    connect(bSalir, &QPushButton::clicked, this, [this, sonido] {
        if (sonido) sonido(SonidoBoton);
        accept();
    });
    auto* caja = new QVBoxLayout(this);
    caja->addWidget(desplazable, 1);
    auto* fila = new QHBoxLayout;
    fila->addWidget(bAyuda);
    fila->addStretch();
    fila->addWidget(bSalir);
    caja->addLayout(fila);
    setTabOrder(desplazable, bAyuda);
    setTabOrder(bAyuda, bSalir);
    desplazable->setFocus();

    // As large as the text, within the screen; the rest scrolls.
    const QScreen* pantalla = padre ? padre->screen() : QGuiApplication::primaryScreen();
    const QSize zona = pantalla ? pantalla->availableGeometry().size() * 0.95 : QSize(800, 600);
    resize(std::min(texto->width() + 30, zona.width()), std::min(texto->height() + 70, zona.height()));
}

void AbreEstadisticas(QWidget* padre, Partida& p, Interfaz& ui) {
    VentanaEstadisticas v(padre, CalculaEstadisticas(p), p.PuestoMesa,
                          [&ui](int n) { ui.TocaSonido(n, true); }, AbreAyuda);
    v.setWindowModality(Qt::WindowModal);
    v.exec();
}

}  // namespace parchis
