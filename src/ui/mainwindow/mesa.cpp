#include "ui/mainwindow/mesa.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include "flow/interfaz.h"
#include "flow/persona.h"
#include "ui/common/ayuda.h"
#include "ui/common/mensaje.h"
#include "ui/mainwindow/botonera.h"
#include "ui/mainwindow/grabadora.h"
#include "ui/mainwindow/ordenes.h"
#include "ui/mainwindow/panel_cuenta.h"

namespace parchis {

namespace {

const QColor FondoColumna(160, 80, 52);

bool SoloModificador(int tecla) {
    return tecla == Qt::Key_Shift || tecla == Qt::Key_Control || tecla == Qt::Key_Alt ||
           tecla == Qt::Key_Meta || tecla == Qt::Key_AltGr || tecla == Qt::Key_CapsLock;
}

}  // namespace

Mesa::Mesa(Partida& p)
    : p_(p), sonidos_(EsperaSinEntrada), tablero_([this](const QRect& r) { repaint(r); }),
      animador_(tablero_, {[this](int n, bool esperar) { TocaSonido(n, esperar); },
                           [this](int u) { Pausa(u); }}),
      puntero_(this) {
    setObjectName(QStringLiteral("mesa"));
    setWindowTitle(QStringLiteral("Parchís"));
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    botonera_ = new Botonera(this, [this](int i) { return BotonDisponible(i); },
                             [this](int i) { PulsaBoton(i); });
    grabadora_ = new Grabadora(this, [this](int boton) { PulsaMando(boton); });
    lista_ = new QListWidget(this);
    lista_->setObjectName(QStringLiteral("Lis_Grabadora"));
    lista_->setFocusPolicy(Qt::NoFocus);
    lista_->setSelectionMode(QAbstractItemView::SingleSelection);
    QFont fija(QStringLiteral("Monospace"));
    fija.setStyleHint(QFont::TypeWriter);
    // A narration line is at most some 25 characters: they fit the list's
    // width without scrolling sideways.
    fija.setPixelSize(11);
    lista_->setFont(fija);
    lista_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lista_->setStyleSheet(QStringLiteral(
        "QListWidget { background: #f4ead8; color: #2a2420; border: 2px solid #771a12; }"
        "QListWidget::item:selected { background: #a0c3a0; color: #202020; }"));
    panel_ = new VistaPanelCuenta(this, [this](int i) {
        if (ui_) SeleccionaValor(p_, *ui_, i);
    });
    auto* ayuda = new QPushButton(QStringLiteral("?"), this);
    ayuda->setObjectName(QStringLiteral("Pic_BotAyuda"));
    ayuda->setToolTip(QStringLiteral(" Ayuda "));
    ayuda->setFocusPolicy(Qt::NoFocus);
    ayuda->setCursor(CursorNumero(CursorManoIndice));
    ayuda->setFixedSize(30, 30);
    connect(ayuda, &QPushButton::clicked, this, [this] {
        TocaSonido(9, true);
        AbreAyuda(this, 5100);
    });
    botonAyuda_ = ayuda;
}

Mesa::~Mesa() = default;

void Mesa::TocaSonido(int n, bool esperar) { sonidos_.Toca(p_.Sonido, esperar ? 2 : 1, n); }

void Mesa::Pausa(int unidades) { parchis::Pausa(unidades, p_.Velocidad); }

int Mesa::Mensaje(const std::string& titulo, const std::string& texto, int lineas, int botones, int ayuda) {
    if (contestador_) return contestador_(titulo, texto, botones);
    AccionesMensaje acciones{[this] { TocaSonido(9, true); }, [this](int tema) { AbreAyuda(this, tema); }};
    return parchis::Mensaje(this, QString::fromStdString(titulo), QString::fromStdString(texto),
                            lineas, botones, ayuda, acciones);
}

void Mesa::Prepara(int anchoPantalla, int altoPantalla) {
    tablero_.Prepara(anchoPantalla, altoPantalla);
    tablero_.AsignaColores(p_.PuestoMesa);
    tablero_.DibujaTablero(p_.NumFichas);
    tablero_.DibujaNombres(p_);
    DisponeVentana();
    if (QScreen* pantalla = screen()) {
        const QRect zona = pantalla->availableGeometry();
        move(zona.left() + std::max(0, (zona.width() - width()) / 2), zona.top());
    }
}

void Mesa::DisponeVentana() {
    const int lado = tablero_.Me().LadoLienzo;
    setFixedSize(lado + AnchoColumna, lado);
    const int centro = lado + AnchoColumna / 2;
    botonera_->setGeometry(centro - AnchoBotonera / 2, 12, AnchoBotonera,
                           p_.JugarEnRed ? AltoBotoneraRed : AltoBotonera);
    const int arribaMando = botonera_->geometry().bottom() + 1 + 14;
    grabadora_->setGeometry(centro - AnchoMando / 2, arribaMando, AnchoMando, AltoMando);
    botonAyuda_->move(centro + AnchoMando / 2 + 20, arribaMando + (AltoMando - 30) / 2);
    const int arribaLista = grabadora_->geometry().bottom() + 1 + 6;
    lista_->setGeometry(centro - 97, arribaLista, 194, lado - 5 - arribaLista);
    panel_->move(centro - AnchoPanelCuenta / 2, arribaLista);
    update();
}

void Mesa::ActualizaLista() {
    const auto& lineas = p_.ListaJugadas;
    bool igual = lista_->count() <= static_cast<int>(lineas.size());
    for (int i = 0; igual && i < lista_->count(); ++i)
        igual = lista_->item(i)->text() == QString::fromStdString(lineas[i]);
    if (!igual) lista_->clear();
    for (std::size_t i = lista_->count(); i < lineas.size(); ++i)
        lista_->addItem(QString::fromStdString(lineas[i]));
    lista_->scrollToBottom();
}

void Mesa::MuestraPanel(const PanelCuenta& panel) { panel_->Muestra(panel); }

void Mesa::MuestraIndicacion(const std::string& texto) {
    tablero_.MuestraMensaje(QString::fromStdString(texto));
}

void Mesa::TerminaModoManual() {
    raton_.ModoManual = false;
    raton_.Arrastrando = false;
}

bool Mesa::BotonDisponible(int i) const {
    const bool persona = p_.Turno >= 1 && p_.Turno <= 4 && p_.Control[p_.Turno] == 1;
    const bool mando = raton_.MandoEncendido;
    switch (i) {
        case 1: return !mando;
        case 2: return !mando && !p_.EsperandoFicha;
        case 3: return !mando && !raton_.EsperandoRed;
        case 4: return p_.EsperandoFicha && persona;
        case 5: return p_.NumJugada >= 2 && persona;
        case 8: return !(p_.PartidaIniciada && !p_.EsperandoTirada && !p_.EsperandoFicha && !raton_.EsperandoRed);
        default: return true;
    }
}

void Mesa::PulsaBoton(int i) {
    TocaSonido(9, true);
    if (!ui_ || saliendo_) return;
    switch (i) {
        case 0: OrdenNuevaPartida(*this, *ui_); break;
        case 3: OrdenTutor(*this, *ui_); break;
        case 6: AbreAyuda(this, 0); break;
        case 7: OrdenSalir(*this, *ui_); break;
        default: break;
    }
}

void Mesa::Sal() {
    saliendo_ = true;
    p_.PartidaIniciada = false;
    p_.EsperandoTirada = false;
    p_.EsperandoFicha = false;
    hide();
    // The engine, if one is waiting, unwinds first; the application ends
    // when control is back in its own loop.
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
}

void Mesa::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    const QRect tablero(0, 0, tablero_.Me().LadoLienzo, tablero_.Me().LadoLienzo);
    const QRect zona = e->rect();
    p.drawPixmap(zona.intersected(tablero), tablero_.Superficie(), zona.intersected(tablero));
    const QRect columna(tablero.right() + 1, 0, width() - tablero.width(), height());
    if (zona.intersects(columna)) p.fillRect(zona.intersected(columna), FondoColumna);
}

void Mesa::EvaluaCursor(int x, int y) {
    const PunteroTablero r = CursorTablero(tablero_.Me(), p_, raton_, x, y);
    fichaBajoRaton_ = r.FichaBajoRaton;
    puntero_.PonCursor(r.Cursor);
}

void Mesa::mouseMoveEvent(QMouseEvent* e) {
    const QPoint q = e->position().toPoint();
    EvaluaCursor(q.x(), q.y());
}

void Mesa::mousePressEvent(QMouseEvent* e) {
    const QPoint q = e->position().toPoint();
    if (q.x() >= tablero_.Me().LadoLienzo || saliendo_) return;
    if (e->button() == Qt::LeftButton) ClicIzquierdo(q.x(), q.y());
    if (e->button() == Qt::RightButton) ClicDerecho();
    EvaluaCursor(q.x(), q.y());
}

void Mesa::ClicIzquierdo(int x, int y) {
    if (raton_.MandoEncendido) return;
    const int t = p_.Turno;
    if (t >= 1 && t <= 4 && p_.Control[t] == 1 && p_.EsperandoFicha) {
        const int k = FichaMovibleEnPunto(tablero_.Me(), p_, x, y);
        if (k != 0 && p_.ValorCuenta != 0) EligeFichaPersona(p_, k);
    }
    if (p_.EsperandoTirada && !raton_.ModoManual) p_.EsperandoTirada = false;
}

void Mesa::ClicDerecho() {
    if (raton_.MandoEncendido) return;
    if (p_.IndicarDestino && p_.EsperandoFicha && puntero_.Actual() == CursorManoVerde &&
        fichaBajoRaton_ != 0)
        animador_.DestellaDestinos(p_, fichaBajoRaton_);
}

void Mesa::keyPressEvent(QKeyEvent* e) {
    if (saliendo_ || SoloModificador(e->key())) return;
    Tecla(e->key(), e->modifiers());
}

void Mesa::Tecla(int tecla, Qt::KeyboardModifiers modificadores) {
    if (raton_.ModoManual) TerminaModoManual();
    const bool ctrlC = tecla == Qt::Key_C && (modificadores & Qt::ControlModifier);
    if (tecla == Qt::Key_Escape || tecla == Qt::Key_Q || ctrlC || raton_.MandoEncendido) return;
    if (p_.EsperandoTirada) {
        p_.EsperandoTirada = false;
    } else if (p_.EsperandoFicha) {
        const EleccionJugada& e = p_.JugadaElegida;
        if (e.Ficha == 0) return;
        p_.FichaJugada = e.Ficha;
        p_.CasillaOrigen = e.Origen;
        p_.CasillaFinal = e.Destino;
        p_.ValorCuenta = e.Valor;
        p_.IndiceValor = e.Indice;
        p_.TipoJugada = e.Tipo;
        p_.EsperandoFicha = false;
    } else if (!p_.PartidaIniciada && ui_) {
        OrdenNuevaPartida(*this, *ui_);
    }
}

// The close box can be pressed while a move is being shown or a message is
// open, where the exit button cannot: the exit then waits until that is
// over, so that it never finds the game half way through a move.
void Mesa::closeEvent(QCloseEvent* e) {
    if (saliendo_) {
        e->accept();
        return;
    }
    e->ignore();
    if (cierrePendiente_ || !ui_) return;
    if (EnEspera() || QApplication::activeModalWidget()) {
        cierrePendiente_ = true;
        QTimer::singleShot(50, this, [this] {
            cierrePendiente_ = false;
            close();
        });
        return;
    }
    cierrePendiente_ = true;
    OrdenSalir(*this, *ui_);
    cierrePendiente_ = false;
}

}  // namespace parchis
