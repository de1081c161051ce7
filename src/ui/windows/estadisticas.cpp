#include "ui/windows/estadisticas.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QScrollArea>
#include <QTabWidget>
#include <QValueAxis>
#include <QVBoxLayout>
#include <algorithm>
#include <chrono>

#include "core/partida.h"
#include "flow/interfaz.h"
#include "flow/jugada.h"
#include "rules/tablero.h"
#include "ui/board/pintor.h"
#include "ui/common/estilo.h"

namespace parchis {

namespace {

constexpr int TemaAyuda = 2161;

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
// The comment goes on a line of its own under the piece's row, indented:
// the table is then as wide as its value cells, and the window no wider
// than the board.
constexpr int ColumnasTotales = ColComentarios;
constexpr int ColComentarioDebajo = 4;

const QColor Tinta(32, 36, 52);
const QColor Cabeza(160, 195, 160);
const QColor Fondo(250, 246, 236);
const QColor Rayado(238, 232, 216);

// The seat's colour as the board paints it, in either look.
QColor ColorDe(int puestoMesa, int jugador) {
    return PintorDe(AspectoVigente()).Colores(puestoMesa)[jugador];
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

TextoEstadisticas::TextoEstadisticas(QWidget* padre, Estadistica e, int puestoMesa, int anchoMaximo)
    : QWidget(padre), e_(std::move(e)), puestoMesa_(puestoMesa),
      fija_(QFontDatabase::systemFont(QFontDatabase::FixedFont)) {
    setObjectName(QStringLiteral("Texto"));
    x0_ = Margen;
    // The largest type from 11 pixels down to 8 that lets the table fit.
    for (int tamano = 11; tamano >= 8; --tamano) {
        fija_.setPixelSize(tamano);
        columna_ = QFontMetricsF(fija_).horizontalAdvance(QLatin1Char('0'));
        if (Columna(ColumnasTotales) + Margen <= anchoMaximo) break;
    }
    const double altoValores = CabezaValores + FilaValores * e_.Distribucion.NumValoresPosibles;
    const double alto = ArribaTablas + AltoFichas() + 16 + altoValores + Margen;
    setFixedSize(static_cast<int>(Columna(ColumnasTotales) + Margen), static_cast<int>(alto));
}

double TextoEstadisticas::AltoFichas() const {
    int filas = 3;
    for (const JugadorEstadistica& j : e_.Jugadores) {
        filas += static_cast<int>(j.Fichas.size()) + 1;
        for (const FichaEstadistica& f : j.Fichas) filas += f.Comentario.empty() ? 0 : 1;
    }
    return filas * FilaFichas;
}

void TextoEstadisticas::paintEvent(QPaintEvent*) {
    QPainter g(this);
    g.fillRect(rect(), Fondo);
    if (!e_.HayPartida) return;
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(Tinta);
    DibujaCabecera(g);
    DibujaValores(g, DibujaFichas(g) + 16);
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

void TextoEstadisticas::DibujaValores(QPainter& g, double arriba) const {
    const DistribucionValores& d = e_.Distribucion;
    const QRectF cabeza(Margen, arriba, AnchoValores, CabezaValores);
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

double TextoEstadisticas::DibujaFichas(QPainter& g) const {
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
    g.drawText(QPointF(Columna(ColComentarioDebajo), y + FilaFichas), QStringLiteral("Comentarios"));
    y += FilaFichas;
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
            if (!f.Comentario.empty()) y += FilaFichas;
        }
        y += FilaFichas;
        g.setPen(QPen(Tinta.lighter(300), 1));
        g.drawLine(QPointF(Columna(0), y - 8), QPointF(Columna(ColumnasTotales), y - 8));
    }
    return y;
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
    if (!f.Comentario.empty()) {
        g.setPen(Tinta.lighter(160));
        g.drawText(QPointF(Columna(ColComentarioDebajo), y + FilaFichas), Q(f.Comentario));
    }
}

// --- "Posibilidades" ------------------------------------------------------------

namespace {

QString Porcentaje(double x, int decimales) {
    return QString::number(100 * x, 'f', decimales).replace(QLatin1Char('.'), QLatin1Char(','));
}

QString Miles(std::int64_t n) {
    QString t = QString::number(n);
    for (int i = t.size() - 3; i > 0; i -= 3) t.insert(i, QLatin1Char('.'));
    return t;
}

constexpr double AltoBarraPosibilidad = 30;

}  // namespace

PanelPosibilidades::PanelPosibilidades(QWidget* padre, const Partida& p) : QWidget(padre) {
    setObjectName(QStringLiteral("Posibilidades"));
    puestoMesa_ = p.PuestoMesa;
    parejas_ = p.ModoJuego == 2;
    int filas = 0;
    for (int j = 1; j <= 4; ++j) {
        activo_[j] = p.Estado[j] == 1 && (!parejas_ || j <= 2);
        nombres_[j] = NombreDe(p, j);
        if (parejas_ && j <= 2) nombres_[j] += " y " + NombreDe(p, j + 2);
        filas += activo_[j] ? 1 : 0;
    }
    setMinimumHeight(static_cast<int>(56 + filas * (AltoBarraPosibilidad + 12) + 60));
    setMinimumWidth(360);
}

void PanelPosibilidades::Pon(const Posibilidades& r, bool terminado, bool valido) {
    r_ = r;
    terminado_ = terminado;
    valido_ = valido;
    update();
}

void PanelPosibilidades::paintEvent(QPaintEvent*) {
    QPainter g(this);
    g.fillRect(rect(), Fondo);
    g.setRenderHint(QPainter::Antialiasing);
    QFont f = font();
    f.setPixelSize(13);
    f.setBold(true);
    g.setFont(f);
    g.setPen(Tinta);
    g.drawText(QPointF(Margen, 24), parejas_ ? QStringLiteral("Posibilidades de ganar de cada pareja")
                                             : QStringLiteral("Posibilidades de ganar de cada jugador"));
    f.setBold(false);
    f.setPixelSize(12);
    g.setFont(f);
    if (!valido_) {
        g.drawText(QPointF(Margen, 56), QStringLiteral("No hay ninguna partida en juego."));
        return;
    }
    const double xNombre = Margen, xBarra = Margen + 150, ancho = width() - xBarra - Margen - 110;
    double y = 44;
    for (int j = 1; j <= 4; ++j) {
        if (!activo_[j]) continue;
        const QRectF fila(xBarra, y, ancho, AltoBarraPosibilidad);
        g.setPen(QPen(Tinta.lighter(300), 1));
        g.setBrush(Rayado);
        g.drawRect(fila);
        const QColor color = ColorDe(puestoMesa_, j);
        g.setPen(Contorno(color));
        g.setBrush(color);
        g.drawRect(QRectF(xNombre, y + 7, 16, 16));
        if (r_.Partidas > 0) {
            const double q = r_.Probabilidad(j), m = r_.Margen(j);
            g.drawRect(QRectF(xBarra, y + 4, ancho * q, AltoBarraPosibilidad - 8));
            // The margin as a whisker across the bar's end.
            g.setPen(QPen(Tinta, 2));
            const double a = xBarra + ancho * std::max(0.0, q - m), b = xBarra + ancho * std::min(1.0, q + m);
            const double centro = y + AltoBarraPosibilidad / 2;
            g.drawLine(QPointF(a, centro), QPointF(b, centro));
            g.drawLine(QPointF(a, centro - 6), QPointF(a, centro + 6));
            g.drawLine(QPointF(b, centro - 6), QPointF(b, centro + 6));
            g.setPen(Tinta);
            g.drawText(QRectF(fila.right() + 8, y, 110, AltoBarraPosibilidad), Qt::AlignVCenter | Qt::AlignLeft,
                       Porcentaje(q, 1) + QStringLiteral(" % ± ") + Porcentaje(m, 1));
        }
        g.setPen(Tinta);
        g.drawText(QRectF(xNombre + 24, y, xBarra - xNombre - 28, AltoBarraPosibilidad), Qt::AlignVCenter | Qt::AlignLeft,
                   Q(nombres_[j]));
        y += AltoBarraPosibilidad + 12;
    }
    QString estado;
    if (r_.Partidas == 0)
        estado = QStringLiteral("Jugando partidas simuladas desde esta posición...");
    else
        estado = (terminado_ ? QStringLiteral("Estimación terminada: ") : QStringLiteral("Calculando: ")) +
                 Miles(r_.Terminadas) + QStringLiteral(" partidas simuladas; margen del 95 %.");
    g.drawText(QRectF(Margen, y + 4, width() - 2 * Margen, 40), Qt::TextWordWrap, estado);
}

// --- the window ----------------------------------------------------------------

namespace {

ServiciosControl ServiciosDe(Interfaz& ui) {
    return {[&ui](int n) { ui.TocaSonido(n, true); }, [&ui](int u) { ui.Pausa(u); }};
}

// The widest the window may be: the board's width at 800x600 (some 540
// pixels, the height the window can use), and 640 on larger screens.
int AnchoMaximo(QWidget* padre) {
    const QScreen* pantalla = padre ? padre->screen() : QGuiApplication::primaryScreen();
    if (!pantalla) return 540;
    const QSize zona = pantalla->availableGeometry().size();
    return std::clamp(std::min(zona.height() * 9 / 10, zona.width() * 2 / 3), 400, 640);
}

QString Celda(const QString& t, bool cabeza = false) {
    return cabeza ? QStringLiteral("<th align=right>&nbsp;%1&nbsp;</th>").arg(t)
                  : QStringLiteral("<td align=right>&nbsp;%1&nbsp;</td>").arg(t);
}

QString Esperado(double x) { return QString::number(x, 'f', 1).replace(QLatin1Char('.'), QLatin1Char(',')); }

}  // namespace

VentanaEstadisticas::VentanaEstadisticas(QWidget* padre, const ServiciosControl& s, const Partida& p)
    : VentanaAjustes(padre, s, QStringLiteral(" Estadísticas"), TemaAyuda, QStringLiteral("Ayuda sobre Estadísticas"),
                     QStringLiteral("Salir de Estadísticas")),
      p_(p), ancho_(AnchoMaximo(padre)) {
    auto* caja = new QVBoxLayout(Cuerpo());
    caja->setContentsMargins(0, 0, 0, 0);
    auto* paginas = new QTabWidget(Cuerpo());
    paginas->setObjectName(QStringLiteral("Paginas"));
    paginas->setStyleSheet(QStringLiteral(
        "QTabWidget::pane { border: 1px solid #771a12; background: #faf6ec; }"
        "QTabBar::tab { background: #c8b898; border: 1px solid #771a12; padding: 4px 10px; color: #323c32; }"
        "QTabBar::tab:selected { background: #a0c3a0; font-weight: bold; }"));
    caja->addWidget(paginas);

    turno_ = new QScrollArea(paginas);
    turno_->setFrameShape(QFrame::NoFrame);
    turno_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // The page's paper beside a surface narrower than the page.
    QPalette papel = turno_->viewport()->palette();
    papel.setColor(QPalette::Window, Fondo);
    turno_->viewport()->setPalette(papel);
    turno_->viewport()->setAutoFillBackground(true);
    paginas->addTab(turno_, QStringLiteral("Turno"));

    auto* dados = new QScrollArea(paginas);
    dados->setFrameShape(QFrame::NoFrame);
    dados->setWidgetResizable(true);
    auto* hojaDados = new QWidget(dados);
    hojaDados->setObjectName(QStringLiteral("Dados"));
    hojaDados->setStyleSheet(QStringLiteral("#Dados { background: #faf6ec; } QLabel { color: #202434; }"));
    auto* cajaDados = new QVBoxLayout(hojaDados);
    alcance_ = new Selector(hojaDados, s, QStringLiteral("Tiradas contadas"), [this] {
        todas_ = !todas_;
        MuestraDados();
        return true;
    });
    alcance_->setObjectName(QStringLiteral("Sel_Alcance"));
    cajaDados->addWidget(alcance_, 0, Qt::AlignLeft);
    tablaDados_ = new QLabel(hojaDados);
    tablaDados_->setObjectName(QStringLiteral("Tabla_Dados"));
    tablaDados_->setTextFormat(Qt::RichText);
    cajaDados->addWidget(tablaDados_);
    veredicto_ = new QLabel(hojaDados);
    veredicto_->setObjectName(QStringLiteral("Veredicto"));
    veredicto_->setWordWrap(true);
    cajaDados->addWidget(veredicto_);
    grafico_ = new QChartView(hojaDados);
    grafico_->setObjectName(QStringLiteral("Grafico"));
    grafico_->setRenderHint(QPainter::Antialiasing);
    grafico_->setMinimumHeight(230);
    cajaDados->addWidget(grafico_);
    cajaDados->addStretch();
    dados->setWidget(hojaDados);
    paginas->addTab(dados, QStringLiteral("Dados"));

    posibilidades_ = new PanelPosibilidades(paginas, p_);
    paginas->addTab(posibilidades_, QStringLiteral("Posibilidades"));

    Construye();
    connect(&reloj_, &QTimer::timeout, this, [this] { Sondea(); });
    reloj_.start(250);
    PreparaFoco(paginas);

    // As large as the pages, within the screen and the board's width.
    const QScreen* pantalla = padre ? padre->screen() : QGuiApplication::primaryScreen();
    const QSize zona = pantalla ? pantalla->availableGeometry().size() * 0.95 : QSize(800, 600);
    resize(ancho_, std::min(720, zona.height()));
}

VentanaEstadisticas::~VentanaEstadisticas() {
    reloj_.stop();
    analisis_.reset();   // stops the worker threads and waits for them
}

std::uint64_t VentanaEstadisticas::Firma() const {
    return HuellaPartida(p_) * 31 + static_cast<std::uint64_t>(p_.Turno) * 7 +
           (p_.PartidaIniciada ? 1 : 0) + (p_.TiradaNueva ? 2 : 0) + (p_.EsperandoFicha ? 4 : 0) +
           static_cast<std::uint64_t>(p_.NumJugada) * 1000003;
}

void VentanaEstadisticas::Construye() {
    firma_ = Firma();
    // The page's width: the window's less its frame, the page's and a
    // scroll bar.
    auto* texto = new TextoEstadisticas(turno_, CalculaEstadisticas(p_), p_.PuestoMesa, ancho_ - 60);
    delete turno_->takeWidget();
    turno_->setWidget(texto);
    partida_ = CuentaTiradas(p_);
    general_ = p_.Carpeta.empty() ? RecuentoGeneral{} : CargaRecuento(p_.Carpeta);
    MuestraDados();
    analisis_.reset();
    if (p_.PartidaIniciada) {
        const auto semilla = static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
        analisis_ = std::make_unique<Analisis>(p_, semilla, 0.02, 200000, 0, false, true);
        ++arranques_;
    }
    Sondea();
}

void VentanaEstadisticas::Sondea() {
    if (Firma() != firma_) {
        Construye();
        return;
    }
    const bool valido = analisis_ && analisis_->Valido();
    posibilidades_->Pon(valido ? analisis_->Estimacion() : Posibilidades{}, valido && analisis_->Terminado(),
                        valido);
    if (!valido || analisis_->Terminado()) reloj_.setInterval(1000);
}

void VentanaEstadisticas::MuestraDados() {
    alcance_->PonValor(todas_ ? QStringLiteral("Todas las partidas") : QStringLiteral("Esta partida"));
    const RecuentoDados& r = todas_ ? general_.Recuento : partida_;
    const CuentaDados& todos = r[0];
    std::vector<int> columnas;
    for (int j = 1; j <= 4; ++j)
        if (p_.Estado[j] == 1 || r[j].Dados() > 0) columnas.push_back(j);
    QString t = QStringLiteral("<table cellspacing=0 cellpadding=2 border=1 style='border-color:#b0a890'>");
    t += QStringLiteral("<tr style='background:#a0c3a0'>") + Celda(QString(), true) +
         Celda(QStringLiteral("Esperado"), true);
    for (int j : columnas) t += Celda(Q(NombreDe(p_, j)), true);
    t += Celda(QStringLiteral("Todos"), true) + QStringLiteral("</tr>");
    auto fila = [&](const QString& titulo, double esperado, auto valor, bool rayada) {
        t += rayada ? QStringLiteral("<tr style='background:#eee8d8'>") : QStringLiteral("<tr>");
        t += Celda(QStringLiteral("<b>%1</b>").arg(titulo)) + Celda(esperado < 0 ? QString() : Esperado(esperado));
        for (int j : columnas) t += Celda(QString::number(valor(r[j])));
        t += Celda(QStringLiteral("<b>%1</b>").arg(valor(todos))) + QStringLiteral("</tr>");
    };
    int n = 0;
    for (int c = 1; c <= 6; ++c)
        fila(QStringLiteral("Cara %1").arg(c), CarasEsperadas(todos), [c](const CuentaDados& d) { return d.Caras[c]; },
             ++n % 2 == 0);
    const bool dos = todos.TiradasDos > 0;
    if (dos) {
        for (int v = 2; v <= 12; ++v)
            fila(QStringLiteral("Suma %1").arg(v), SumasEsperadas(todos, v),
                 [v](const CuentaDados& d) { return d.Sumas[v]; }, ++n % 2 == 0);
        fila(QStringLiteral("Dobles"), DoblesEsperados(todos), [](const CuentaDados& d) { return d.Dobles; },
             ++n % 2 == 0);
    }
    fila(QStringLiteral("Tiradas"), -1,
         [](const CuentaDados& d) { return d.Tiradas + d.TiradasDos; }, ++n % 2 == 0);
    // Each seat's own test, as the probability that fair dice stray as far.
    t += QStringLiteral("<tr>") + Celda(QStringLiteral("<b>Azar</b>")) + Celda(QString());
    for (int j : columnas) {
        const PruebaDados pj = PruebaCaras(r[j]);
        t += Celda(pj.Suficiente ? Q(TextoProbabilidad(pj.Probabilidad)) : QStringLiteral("-"));
    }
    const PruebaDados caras = PruebaCaras(todos);
    t += Celda(caras.Suficiente ? Q(TextoProbabilidad(caras.Probabilidad)) : QStringLiteral("-")) +
         QStringLiteral("</tr></table>");
    tablaDados_->setText(t);

    QString v = QStringLiteral("<b>") + Q(Veredicto(caras)) + QStringLiteral(".</b>");
    if (dos && PruebaSumas(todos).Suficiente)
        v += QStringLiteral("<br>Sumas de los dos dados: ") + Q(Veredicto(PruebaSumas(todos))) + QStringLiteral(".");
    v += QStringLiteral("<br><small>Fila «Azar»: probabilidad de que unos dados sin trucar se aparten "
                        "de lo esperado tanto o más que los de cada jugador.</small>");
    if (todas_) v += QStringLiteral("<br><small>%1 partidas terminadas en este ordenador.</small>").arg(general_.Partidas);
    veredicto_->setText(v);

    // Observed against expected faces, all seats together.
    auto* observado = new QBarSet(QStringLiteral("Observado"));
    auto* esperado = new QBarSet(QStringLiteral("Esperado"));
    observado->setColor(QColor(60, 130, 60));
    esperado->setColor(QColor(200, 190, 160));
    QStringList caras6;
    double maximo = 1;
    for (int c = 1; c <= 6; ++c) {
        *observado << static_cast<double>(todos.Caras[c]);
        *esperado << CarasEsperadas(todos);
        caras6 << QString::number(c);
        maximo = std::max({maximo, static_cast<double>(todos.Caras[c]), CarasEsperadas(todos)});
    }
    auto* serie = new QBarSeries;
    serie->append(observado);
    serie->append(esperado);
    auto* grafico = new QChart;
    grafico->addSeries(serie);
    grafico->setTitle(QStringLiteral("Caras de los dados: observado y esperado"));
    auto* ejeX = new QBarCategoryAxis;
    ejeX->append(caras6);
    grafico->addAxis(ejeX, Qt::AlignBottom);
    serie->attachAxis(ejeX);
    auto* ejeY = new QValueAxis;
    ejeY->setRange(0, maximo * 1.1);
    ejeY->applyNiceNumbers();
    ejeY->setLabelFormat(QStringLiteral("%.0f"));
    grafico->addAxis(ejeY, Qt::AlignLeft);
    serie->attachAxis(ejeY);
    grafico->legend()->setAlignment(Qt::AlignBottom);
    grafico->setMargins(QMargins(4, 4, 4, 4));
    QChart* viejo = grafico_->chart();
    grafico_->setChart(grafico);
    delete viejo;
}

void AbreEstadisticas(QWidget* padre, Partida& p, Interfaz& ui) {
    VentanaEstadisticas v(padre, ServiciosDe(ui), p);
    v.setWindowModality(Qt::WindowModal);
    v.exec();
}

}  // namespace parchis
