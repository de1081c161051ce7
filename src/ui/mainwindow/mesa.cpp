#include "ui/mainwindow/mesa.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDialog>
#include <QIcon>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <cmath>

#include "flow/interfaz.h"
#include "flow/persona.h"
#include "flow/red.h"
#include "flow/textos_ajustes.h"
#include "ui/common/ayuda.h"
#include "ui/common/estilo.h"
#include "ui/common/mensaje.h"
#include "ui/mainwindow/botonera.h"
#include "ui/mainwindow/dados_manuales.h"
#include "ui/mainwindow/grabadora.h"
#include "ui/mainwindow/ordenes.h"
#include "ui/mainwindow/panel_cuenta.h"
#include "ui/mainwindow/paneles_red.h"
#include "ui/mainwindow/selector.h"

namespace parchis {

namespace {

const QColor FondoColumna(160, 80, 52);

// The seat whose narration line this is: the line starts with its name.
int JugadorDeLinea(const Partida& p, const QString& linea) {
    int mejor = 0, largo = 0;
    for (int j = 1; j <= 4; ++j) {
        const QString nombre = QString::fromStdString(p.Nombres[j]).trimmed();
        // After the move's number, if any.
        QString resto = linea.trimmed();
        while (!resto.isEmpty() && (resto.front().isDigit() || resto.front().isSpace())) resto.remove(0, 1);
        if (!nombre.isEmpty() && nombre.size() > largo && resto.startsWith(nombre)) {
            mejor = j;
            largo = static_cast<int>(nombre.size());
        }
    }
    return mejor;
}

bool SoloModificador(int tecla) {
    return tecla == Qt::Key_Shift || tecla == Qt::Key_Control || tecla == Qt::Key_Alt ||
           tecla == Qt::Key_Meta || tecla == Qt::Key_AltGr || tecla == Qt::Key_CapsLock;
}

}  // namespace

Mesa::Mesa(Partida& p)
    : p_(p), sonidos_(EsperaSinEntrada), tablero_([this](const QRect& r) { repaint(r); }),
      animador_(tablero_, {[this](int n, bool esperar) { TocaSonido(n, esperar); },
                           [this](int u) { Pausa(u); },
                           // The automatic tutor's hand is seen at every speed
                           // but the highest, where nothing waits; the hand the
                           // Tutor button asks for, at every speed.
                           [this](int ms) { EsperaSinEntrada(p_.Velocidad >= 100 && !tutorPedido_ ? 0 : ms); }}),
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
    lista_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lista_->setToolTip(QStringLiteral(" Jugadas de la partida "));
    EstiloLista();
    AvisaCambiosDeAspecto([this](Aspecto a) { CambiaAspecto(a); });
    panel_ = new VistaPanelCuenta(this, [this](int i) {
        if (ui_) SeleccionaValor(p_, *ui_, i);
    });
    botonAyuda_ = new BotonAyuda(this, [this] {
        TocaSonido(9, true);
        AbreAyuda(this, 5100);
    });
    selector_ = new SelectorOpciones(this, [this](int opcion) { EligeOpcion(opcion); });
    dados_ = new ListaDados(this, [this](int linea) { EligeLineaDados(linea); });
    esperaRed_ = new PanelEsperaRed(this);
    turnoRed_ = new PanelTurnoRed(this);
    const ServiciosControl servicios{[this](int n) { TocaSonido(n, true); }, [this](int u) { Pausa(u); }};
    peticion_ = new PanelPeticion(this, servicios, QString::fromStdString(TextoOpcion(p_, 36)),
                                  [this] { AbreAyuda(this, 5100); });
}

// The look is no longer followed by a window that is gone.
Mesa::~Mesa() { AvisaCambiosDeAspecto({}); }

void Mesa::TocaSonido(int n, bool esperar) { sonidos_.Toca(p_.Sonido, esperar ? 2 : 1, n); }

void Mesa::Pausa(int unidades) { parchis::Pausa(unidades, p_.Velocidad); }

int Mesa::Mensaje(const std::string& titulo, const std::string& texto, int lineas, int botones, int ayuda) {
    // Told to stop, only the exit's own questions are accepted: nothing else
    // may start while the program ends.
    if (terminando_) return aceptaSalida_ ? Aceptar : Cancelar;
    if (contestador_) return contestador_(titulo, texto, botones);
    AccionesMensaje acciones{[this] { TocaSonido(9, true); }, [this](int tema) { AbreAyuda(this, tema); }};
    return parchis::Mensaje(this, QString::fromStdString(titulo), QString::fromStdString(texto),
                            lineas, botones, ayuda, acciones);
}

void Mesa::Prepara(int anchoPantalla, int altoPantalla) {
    tablero_.Prepara(anchoPantalla, altoPantalla, devicePixelRatioF());
    const Aspecto aspecto = p_.Carpeta.empty() ? AspectoVigente() : LeeAspecto(p_.Carpeta);
    tablero_.AsignaAspecto(aspecto);
    if (AspectoVigente() != aspecto) AplicaAspecto(aspecto);
    tablero_.AsignaColores(p_.PuestoMesa);
    tablero_.DibujaTablero(p_.NumFichas);
    tablero_.DibujaNombres(p_);
    DisponeVentana();
    if (QScreen* pantalla = screen()) {
        const QRect zona = pantalla->availableGeometry();
        move(zona.left() + std::max(0, (zona.width() - width()) / 2), zona.top());
    }
}

// The column takes what the screen leaves beside the board, up to its own
// width, so that the window always fits the screen it was measured for.
void Mesa::DisponeVentana() {
    const Medidas& me = tablero_.Me();
    const int lado = me.LadoLienzo;
    // The window manager's frame takes a few pixels on each side.
    // On a board larger than 800 x 600's the list grows with it.
    escala_ = EscalaColumna(me.LadoCasilla);
    const int columna = std::clamp(me.AnchoPantalla - lado - 8, AnchoColumnaMinimo,
                                   static_cast<int>(AnchoColumna * escala_));
    setFixedSize(lado + columna, lado);
    const int centro = lado + columna / 2;
    const auto e = [this](int v) { return static_cast<int>(std::lround(v * escala_)); };
    botonera_->setGeometry(centro - e(AnchoBotonera) / 2, 12, e(AnchoBotonera),
                           e(p_.JugarEnRed ? AltoBotoneraRed : AltoBotonera));
    int arribaMando = botonera_->geometry().bottom() + 1 + 14;
    // The network's turn display takes what the shorter button bar leaves.
    turnoRed_->setVisible(p_.JugarEnRed);
    if (p_.JugarEnRed) {
        turnoRed_->setGeometry(centro - AnchoBotonera / 2, botonera_->geometry().bottom() + 1 + 6, AnchoBotonera,
                               AltoTurnoRed);
        arribaMando = turnoRed_->geometry().bottom() + 1 + 14;
    }
    grabadora_->setGeometry(centro - e(AnchoMando) / 2, arribaMando, e(AnchoMando), e(AltoMando));
    botonAyuda_->setGeometry(centro + e(AnchoMando) / 2 + e(16), arribaMando + (e(AltoMando) - e(LadoBotonAyuda)) / 2,
                             e(LadoBotonAyuda), e(LadoBotonAyuda));
    arribaLista_ = grabadora_->geometry().bottom() + 1 + 6;
    EstiloLista();
    ColocaColumna();
    update();
}

void Mesa::RevisaDisposicion() {
    if (turnoRed_->isHidden() == p_.JugarEnRed) DisponeVentana();
}

// Below the remote: the dice list (while a throw is awaited) or the
// counting panel (while a piece is chosen) in one place, then the list of
// moves in what is left, never hidden.
void Mesa::ColocaColumna() {
    const int lado = tablero_.Me().LadoLienzo;
    const int centro = lado + (width() - lado) / 2;
    int y = arribaLista_;
    dados_->move(centro - AnchoListaDados / 2, arribaLista_);
    panel_->move(centro - AnchoPanelCuenta / 2, arribaLista_);
    if (!dados_->isHidden()) y = std::max(y, dados_->geometry().bottom() + 5);
    if (!panel_->isHidden()) y = std::max(y, panel_->geometry().bottom() + 5);
    const int ancho = escala_ > 1 ? std::min(width() - lado - 12, static_cast<int>(194 * escala_)) : 194;
    lista_->setGeometry(centro - ancho / 2, y, ancho, std::max(40, lado - 5 - y));
    lista_->scrollToBottom();
}

void Mesa::ActualizaLista() {
    const auto& lineas = p_.ListaJugadas;
    bool igual = lista_->count() <= static_cast<int>(lineas.size());
    for (int i = 0; igual && i < lista_->count(); ++i)
        igual = lista_->item(i)->text() == QString::fromStdString(lineas[i]);
    if (!igual) lista_->clear();
    const bool marcas = tablero_.AspectoActual() == Aspecto::Moderno;
    for (std::size_t i = lista_->count(); i < lineas.size(); ++i) {
        auto* item = new QListWidgetItem(QString::fromStdString(lineas[i]), lista_);
        // The modern look marks each line with its player's colour.
        if (!marcas) continue;
        const int j = JugadorDeLinea(p_, item->text());
        const int lado = lista_->fontMetrics().height();
        QPixmap marca(lado * 2, lado * 2);
        marca.setDevicePixelRatio(2);
        marca.fill(Qt::transparent);
        QPainter pintor(&marca);
        pintor.setRenderHint(QPainter::Antialiasing);
        const QColor c = j ? tablero_.ColorDe(j) : QColor(0, 0, 0, 0);
        pintor.setPen(j ? QPen(c.darker(160), 1) : Qt::NoPen);
        pintor.setBrush(c);
        pintor.drawEllipse(QRectF(lado * 0.22, lado * 0.22, lado * 0.56, lado * 0.56));
        pintor.end();
        item->setIcon(QIcon(marca));
    }
    lista_->scrollToBottom();
}

// A person at this computer is to choose a piece and has not been spared
// the choice (a single possible move is played at once).
bool Mesa::PersonaEligiendo() const {
    const int t = p_.Turno;
    if (!p_.PartidaIniciada || !p_.EsperandoFicha || t < 1 || t > 4) return false;
    if (p_.Control[t] != 1 || EsRemoto(p_)) return false;
    const DecisionTurno d = DecideTurno(p_);
    return d == DecisionTurno::Sugerencia || d == DecisionTurno::EsperaPersona;
}

void Mesa::MuestraPanel(const PanelCuenta& panel) {
    panel_->Muestra(PersonaEligiendo() ? panel : PanelCuenta{});
    ColocaColumna();
    botonera_->update();
}

void Mesa::MuestraIndicacion(const std::string& texto) {
    if (!PersonaEligiendo()) return;
    tablero_.MuestraMensaje(QString::fromStdString(texto));
    indicacionVisible_ = true;
}

void Mesa::MuestraTiradaEnCurso() {
    if (!p_.PartidaIniciada || !p_.EsperandoFicha || p_.Dado1 == 0) return;
    tablero_.DibujaDados(p_.Turno, p_.NumDados, p_.Dado1, p_.Dado2);
    MuestraIndicacion(p_.Indicacion);
}

// While a computer seat of this computer looks at its throw, what it must
// do is no prompt for anybody.
void Mesa::MuestraEstado(const std::string& texto) {
    const int t = p_.Turno;
    const bool ordenador = t >= 1 && t <= 4 && p_.Control[t] == 2 && !EsRemoto(p_);
    if (p_.PartidaIniciada && p_.EsperandoFicha && ordenador && !texto.empty()) return;
    tablero_.MuestraMensaje(QString::fromStdString(texto));
    indicacionVisible_ = false;
    botonera_->update();
}

void Mesa::RevisaIndicaciones() {
    if (PersonaEligiendo()) return;
    if (!panel_->isHidden()) {
        panel_->Muestra(PanelCuenta{});
        ColocaColumna();
    }
    if (indicacionVisible_) tablero_.MuestraMensaje(QString());
    indicacionVisible_ = false;
    botonera_->update();
}

bool Mesa::BotonDisponible(int i) const {
    const bool persona = p_.Turno >= 1 && p_.Turno <= 4 && p_.Control[p_.Turno] == 1;
    const bool mando = raton_.MandoEncendido;
    switch (i) {
        case 1: return !mando && ventanas_.Jugadores;
        case 2: return !mando && !p_.EsperandoFicha && ventanas_.Reglas;
        case 3: return !mando && !raton_.EsperandoRed;
        case 4: return p_.EsperandoFicha && persona && ventanas_.Estadisticas;
        // The record of finished games: whenever the board is idle, a throw
        // is awaited or a person is to choose a piece.
        case 5:
            return !mando && ventanas_.Historico &&
                   (!p_.PartidaIniciada || p_.EsperandoTirada || (p_.EsperandoFicha && persona));
        case 8:
            return !(p_.PartidaIniciada && !p_.EsperandoTirada && !p_.EsperandoFicha && !raton_.EsperandoRed) &&
                   ventanas_.Mensajes;
        default: return true;
    }
}

void Mesa::PulsaBoton(int i) {
    TocaSonido(9, true);
    if (!ui_ || saliendo_ || !BotonDisponible(i)) return;
    selector_->Cierra();
    switch (i) {
        case 0: OrdenNuevaPartida(*this, *ui_); break;
        case 3:
            tutorPedido_ = true;
            OrdenTutor(*this, *ui_);
            tutorPedido_ = false;
            break;
        case 6: AbreAyuda(this, 0); break;
        case 7: OrdenSalir(*this, *ui_); break;
        default: OrdenVentana(*this, *ui_, i); break;
    }
    botonera_->update();
}

void Mesa::MuestraPeticion(const std::string& texto, const std::vector<std::string>& opciones) {
    selector_->Cierra();
    botonera_->setEnabled(false);
    peticion_->Muestra(texto, opciones);
}

void Mesa::OcultaPeticion() {
    peticion_->hide();
    botonera_->setEnabled(true);
    setFocus();
}

void Mesa::PonEsperandoRed(bool si) {
    if (raton_.EsperandoRed == si) return;
    raton_.EsperandoRed = si;
    const QPoint q = mapFromGlobal(QCursor::pos());
    if (rect().contains(q)) EvaluaCursor(q.x(), q.y());
    botonera_->update();
}

void Mesa::Sal() {
    p_.PartidaIniciada = false;
    p_.EsperandoTirada = false;
    p_.EsperandoFicha = false;
    if (saliendo_) return;
    saliendo_ = true;
    hide();
    // The engine, if one is waiting, unwinds first; the application ends
    // when control is back in its own loop.
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
}

void Mesa::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    const QRect tablero(0, 0, tablero_.Me().LadoLienzo, tablero_.Me().LadoLienzo);
    const QRect zona = e->rect();
    const QRect parte = zona.intersected(tablero);
    p.drawPixmap(QRectF(parte), tablero_.Superficie(), tablero_.Fuente(parte));
    const QRect columna(tablero.right() + 1, 0, width() - tablero.width(), height());
    if (!zona.intersects(columna)) return;
    if (tablero_.AspectoActual() == Aspecto::Clasico) {
        p.fillRect(zona.intersected(columna), FondoColumna);
        return;
    }
    // A dark wooden column, lit from the board's side.
    QLinearGradient g(columna.topLeft(), columna.topRight());
    g.setColorAt(0, QColor(58, 34, 18));
    g.setColorAt(0.04, QColor(110, 70, 40));
    g.setColorAt(1, QColor(78, 46, 24));
    p.fillRect(zona.intersected(columna), g);
}

void Mesa::EstiloLista() {
    if (tablero_.AspectoActual() == Aspecto::Clasico) {
        QFont fija(QStringLiteral("Monospace"));
        fija.setStyleHint(QFont::TypeWriter);
        // A narration line is at most some 25 characters: they fit the
        // list's width without scrolling sideways; the list grows with the
        // column on a large screen.
        fija.setPixelSize(static_cast<int>(std::lround(11 * escala_)));
        lista_->setFont(fija);
        lista_->setIconSize(QSize());
        lista_->setStyleSheet(QStringLiteral(
            "QListWidget { background: #f4ead8; color: #2a2420; border: 2px solid #771a12; }"
            "QListWidget::item:selected { background: #a0c3a0; color: #202020; }"));
        return;
    }
    QFont letra(QStringLiteral("DejaVu Sans"));
    letra.setPixelSize(static_cast<int>(std::lround(11 * escala_)));
    lista_->setFont(letra);
    const int lado = QFontMetrics(letra).height();
    lista_->setIconSize(QSize(lado, lado));
    lista_->setStyleSheet(QStringLiteral(
        "QListWidget { background: #fbf6ec; color: #3a2a20; border: 1px solid #2e1a0c; border-radius: 8px;"
        " padding: 4px; }"
        "QListWidget::item { padding: 1px 0; }"
        "QListWidget::item:selected { background: #e2c79a; color: #2a1a10; border-radius: 4px; }"));
}

void Mesa::CambiaAspecto(Aspecto a) {
    if (a == tablero_.AspectoActual() && tablero_.Me().LadoLienzo > 0) return;
    tablero_.AsignaAspecto(a);
    EstiloLista();
    lista_->clear();
    ActualizaLista();
    if (tablero_.Me().LadoLienzo == 0) return;
    tablero_.DibujaTablero(p_.NumFichas);
    if (p_.PartidaIniciada)
        tablero_.RedibujaMesa(p_, QString::fromStdString(p_.TextoTurno));
    else
        tablero_.DibujaNombres(p_);
    MuestraTiradaEnCurso();
    DisponeVentana();
    for (QWidget* w : findChildren<QWidget*>()) w->update();
}

// A window or question closed (by the keyboard too) left the pointer over
// the board unchanged in the window system: it is set again as soon as the
// board takes input again.
bool Mesa::event(QEvent* e) {
    if (e->type() == QEvent::WindowUnblocked || e->type() == QEvent::WindowActivate)
        QTimer::singleShot(0, this, [this] { RenuevaCursor(); });
    return QWidget::event(e);
}

void Mesa::RenuevaCursor() {
    if (saliendo_) return;
    const QPoint q = mapFromGlobal(QCursor::pos());
    if (!rect().contains(q)) return;
    const PunteroTablero r = CursorTablero(tablero_.Me(), p_, raton_, q.x(), q.y());
    fichaBajoRaton_ = r.FichaBajoRaton;
    puntero_.Renueva(r.Cursor);
}

void Mesa::EvaluaCursor(int x, int y) {
    const PunteroTablero r = CursorTablero(tablero_.Me(), p_, raton_, x, y);
    fichaBajoRaton_ = r.FichaBajoRaton;
    puntero_.PonCursor(r.Cursor);
}

void Mesa::mouseMoveEvent(QMouseEvent* e) {
    const QPoint q = e->position().toPoint();
    if (selector_->Abierto()) {
        // Dragged from the press that opened it, the pointer still belongs
        // to the window: the selector follows it.  Off the selector, no
        // entry is highlighted.
        const QPoint local = selector_->mapFrom(this, q);
        selector_->Resalta(selector_->rect().contains(local) ? selector_->OpcionEn(local) : 0);
    }
    EvaluaCursor(q.x(), q.y());
}

void Mesa::mousePressEvent(QMouseEvent* e) {
    const QPoint q = e->position().toPoint();
    // A connection request is answered in its panel first.
    if (saliendo_ || !peticion_->isHidden()) return;
    if (selector_->Abierto()) {
        selector_->Cierra();
        return;
    }
    if (q.x() >= tablero_.Me().LadoLienzo) return;
    if (e->button() == Qt::LeftButton) {
        if (raton_.ModoManual && !raton_.MandoEncendido)
            EmpiezaArrastre(q.x(), q.y());
        else
            ClicIzquierdo(q.x(), q.y());
    }
    if (e->button() == Qt::RightButton) ClicDerecho(q.x(), q.y());
    EvaluaCursor(q.x(), q.y());
}

void Mesa::mouseReleaseEvent(QMouseEvent* e) {
    const QPoint q = e->position().toPoint();
    if (e->button() == Qt::LeftButton && raton_.Arrastrando) TerminaArrastre(q.x(), q.y());
    if (e->button() == Qt::RightButton && selector_->Abierto()) selector_->Suelta(selector_->mapFrom(this, q));
    if (!saliendo_) EvaluaCursor(q.x(), q.y());
}

void Mesa::ClicIzquierdo(int x, int y) {
    if (raton_.MandoEncendido) return;
    const int t = p_.Turno;
    if (t >= 1 && t <= 4 && p_.Control[t] == 1 && p_.EsperandoFicha) {
        const int k = FichaMovibleEnPunto(tablero_.Me(), p_, x, y);
        if (k != 0 && p_.ValorCuenta != 0) EligeFichaPersona(p_, k);
    }
    if (p_.EsperandoTirada && !raton_.ModoManual) {
        OcultaListaDados();
        p_.EsperandoTirada = false;
    }
    botonera_->update();
}

// Over a movable piece while one must be chosen, the right button shows
// where it can go; otherwise, while a throw is awaited or no game is under
// way, it opens the options selector (never in a network game).
void Mesa::ClicDerecho(int x, int y) {
    if (raton_.MandoEncendido) return;
    if (p_.IndicarDestino && p_.EsperandoFicha && puntero_.Actual() == CursorManoVerde &&
        fichaBajoRaton_ != 0) {
        animador_.DestellaDestinos(p_, fichaBajoRaton_);
        return;
    }
    if (p_.JugarEnRed || !ui_) return;
    if (p_.PartidaIniciada && !p_.EsperandoTirada) {
        // While the game plays on (always, with no pause between moves) the
        // click is remembered: the next throw waits and the options open.
        opcionesPedidas_ = QPoint(x, y);
        MuestraEstado(TextoOpcionesPedidas);
        return;
    }
    selector_->Abre(QPoint(x, y), OpcionesOfrecidas(p_.PartidaIniciada, p_.EsperandoTirada),
                    tablero_.Me().LadoLienzo);
}

bool Mesa::TomaOpcionesPedidas() {
    if (!opcionesPedidas_) return false;
    const QPoint punto = *opcionesPedidas_;
    opcionesPedidas_.reset();
    // The engine sets the throw waiting once this returns.
    QTimer::singleShot(0, this, [this, punto] {
        if (saliendo_ || !p_.PartidaIniciada || !p_.EsperandoTirada || p_.JugarEnRed || raton_.MandoEncendido)
            return;
        selector_->Abre(punto, OpcionesOfrecidas(true, true), tablero_.Me().LadoLienzo);
    });
    return true;
}

void Mesa::keyPressEvent(QKeyEvent* e) {
    if (saliendo_ || !peticion_->isHidden() || SoloModificador(e->key()) || e->isAutoRepeat()) return;
    Tecla(e->key(), e->modifiers());
}

// F1 is help, as everywhere.  Any other key first leaves the manual mode
// and closes the dice list; Esc, Q and Ctrl+C stop there, every other key
// is "go".
void Mesa::Tecla(int tecla, Qt::KeyboardModifiers modificadores) {
    if (tecla == Qt::Key_F1) {
        AbreAyuda(this, 5100);
        return;
    }
    selector_->Cierra();
    if (raton_.ModoManual || raton_.Arrastrando) AlternaModoManual();
    if (!dados_->isHidden()) AlternaDadosManuales();
    const bool ctrlC = tecla == Qt::Key_C && (modificadores & Qt::ControlModifier);
    if (tecla == Qt::Key_Escape || tecla == Qt::Key_Q || ctrlC || raton_.MandoEncendido) return;
    Sigue();
    botonera_->update();
}

void Mesa::Sigue() {
    const int t = p_.Turno;
    if (p_.EsperandoTirada) {
        p_.EsperandoTirada = false;
    } else if (p_.EsperandoFicha && t >= 1 && t <= 4 && p_.Control[t] == 1) {
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
    if (terminando_) {
        if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) d->reject();
        // A remote stepping on its own stops first.
        if (mando_.AvanceAuto || mando_.RetrocesoAuto) PulsaMando(MandoPotencia);
    }
    if (EnEspera() || QApplication::activeModalWidget()) {
        cierrePendiente_ = true;
        QTimer::singleShot(50, this, [this] {
            cierrePendiente_ = false;
            close();
        });
        return;
    }
    cierrePendiente_ = true;
    if (terminando_ && mando_.MandoEncendido) PulsaMando(MandoPotencia);
    aceptaSalida_ = terminando_;
    OrdenSalir(*this, *ui_);
    aceptaSalida_ = cierrePendiente_ = false;
}

void Mesa::Termina() {
    terminando_ = true;
    close();
}

}  // namespace parchis
