#include "ui/mainwindow/escritorio.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QEventLoop>
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QTimer>

#include "flow/red.h"
#include "net/red.h"
#include "ui/mainwindow/mesa.h"
#include "ui/mainwindow/ordenes.h"
#include "ui/mainwindow/paneles_red.h"

namespace parchis {

Escritorio::Escritorio(Mesa& mesa) : mesa_(mesa) {}

void Escritorio::FijaSemilla(std::uint64_t semilla) {
    generador_.Siembra(semilla);
    semillaFija_ = true;
}

// What arrived from the network while the events ran and had to wait for
// the engine to be ready (a client's new game) runs from every wait.
void Escritorio::Cede() {
    if (mesa_.Saliendo()) return mesa_.Sal();   // as in Espera
    QCoreApplication::processEvents();
    if (Red* red = mesa_.RedDeJuego()) red->Atiende();
}

// A waiting engine sleeps until the window system has something; the timer
// wakes it at least once a second for the network turn panel's clock.
void Escritorio::Espera() {
    // Whatever was left on the stack when the window closed (a game started
    // by a flow below the exit) unwinds rather than waits.
    if (mesa_.Saliendo()) return mesa_.Sal();
    QTimer despertador;
    despertador.setSingleShot(true);
    despertador.start(1000);
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    if (Red* red = mesa_.RedDeJuego()) red->Atiende();
}

void Escritorio::Pausa(int unidades) { mesa_.Pausa(unidades); }

double Escritorio::Reloj() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio_).count();
}

FechaHora Escritorio::Ahora() {
    const QDateTime t = QDateTime::currentDateTime();
    return {t.date().year(), t.date().month(), t.date().day(), t.time().hour(), t.time().minute()};
}

void Escritorio::SiembraAleatorio() {
    if (!semillaFija_) generador_.SiembraConLaHora();
}

double Escritorio::Aleatorio() { return generador_.Siguiente(); }

void Escritorio::TocaSonido(int n, bool esperar) { mesa_.TocaSonido(n, esperar); }

int Escritorio::Mensaje(const std::string& titulo, const std::string& texto, int lineas, int botones,
                        int ayuda) {
    return mesa_.Mensaje(titulo, texto, lineas, botones, ayuda);
}

void Escritorio::MuestraMensaje(const std::string& texto) { mesa_.MuestraEstado(texto); }

void Escritorio::PonPuntero(Puntero puntero) {
    mesa_.PonPuntero(puntero == Puntero::Espera ? CursorReloj : CursorFlecha);
}

bool Escritorio::DadosElegidos(int& dado1, int& dado2) { return mesa_.TomaDadosElegidos(dado1, dado2); }

void Escritorio::DibujaDados(int jugador, int dado1, int dado2) {
    mesa_.Lienzo().DibujaDados(jugador, mesa_.Juego().NumDados, dado1, dado2);
}

void Escritorio::BorraDados() { mesa_.Lienzo().BorraDados(mesa_.Juego().NumDados); }

void Escritorio::MuestraTableroVacio() {
    Tablero& t = mesa_.Lienzo();
    t.AsignaColores(mesa_.Juego().PuestoMesa);
    t.DibujaTablero(mesa_.Juego().NumFichas);
    t.DibujaNombres(mesa_.Juego());
}

void Escritorio::MuestraCuadroEspera(int jugador) {
    mesa_.Animacion().MuestraCuadroEspera(mesa_.Juego(), jugador);
}

void Escritorio::PresentaPartida() {
    const Partida& p = mesa_.Juego();
    MuestraTableroVacio();
    mesa_.Lienzo().MuestraMensaje(QString::fromStdString(p.TextoTurno));
    mesa_.Animacion().PresentaPartida(p);
    mesa_.MuestraTiradaEnCurso();
}

void Escritorio::MuestraJugada(int n, bool adelante) {
    mesa_.PonEsperandoRed(false);
    mesa_.RevisaIndicaciones();
    mesa_.Animacion().MuestraJugada(mesa_.Juego(), n, adelante, mesa_.MandoEncendido());
}

void Escritorio::SenalaFicha(int jugador, int ficha, FormaSenal forma) {
    mesa_.Animacion().SenalaFicha(mesa_.Juego(), jugador, ficha, forma == FormaSenal::Tutor);
}

void Escritorio::MuestraEmblema(int jugador, int paso) { mesa_.Animacion().MuestraEmblema(jugador, paso); }

void Escritorio::MuestraPanel(const PanelCuenta& panel) { mesa_.MuestraPanel(panel); }

void Escritorio::MuestraIndicacion(const std::string& texto) { mesa_.MuestraIndicacion(texto); }

void Escritorio::ActualizaLista() { mesa_.ActualizaLista(); }

// A game that stops takes the hand-made play and the prompts with it.
void Escritorio::ActualizaControles() {
    const Partida& p = mesa_.Juego();
    // Nobody is waited for once the game or the network has stopped.
    if (!p.PartidaIniciada || !p.JugarEnRed) {
        mesa_.PonEsperandoRed(false);
        mesa_.TurnoRed()->Muestra({}, 0);
    }
    if (!p.PartidaIniciada) {
        mesa_.OlvidaOpcionesPedidas();
        mesa_.TerminaModoManual();
        mesa_.OcultaListaDados();
        AtiendeAlQuedarLibre();
    }
    mesa_.RevisaIndicaciones();
    mesa_.DisponeVentana();
}

// A new game the administrator sent behind the last moves of the game that
// has just ended waits for a wait; with no game left there is none, so it
// starts once the engine has unwound.
void Escritorio::AtiendeAlQuedarLibre() {
    Red* red = mesa_.RedDeJuego();
    if (!red || !red->HayPendiente()) return;
    QTimer::singleShot(0, &mesa_, [this] {
        Red* r = mesa_.RedDeJuego();
        if (r && r->HayPendiente() && !mesa_.Saliendo()) r->Atiende();
    });
}

void Escritorio::TerminaModoManual() { mesa_.TerminaModoManual(); }

bool Escritorio::OpcionesPedidas() { return mesa_.TomaOpcionesPedidas(); }

bool Escritorio::GrabadoraEncendida() { return mesa_.MandoEncendido(); }

void Escritorio::ApagaGrabadora() { mesa_.OlvidaMando(); }

void Escritorio::MuestraMando(bool encendido, int pulsado) { mesa_.MuestraMando(encendido, pulsado); }

void Escritorio::SeleccionaLinea(int indice) { mesa_.SeleccionaLinea(indice); }

void Escritorio::AbreReglas() {
    if (mesa_.Ventanas().Reglas) mesa_.Ventanas().Reglas();
}

// Called from every wait of a network game: the seat waited for, and
// whether that wait is for another computer.
void Escritorio::MuestraTurnoRed(const std::string& nombre, int segundos) {
    const Partida& p = mesa_.Juego();
    mesa_.TurnoRed()->Muestra(nombre, segundos);
    mesa_.PonEsperandoRed(p.PartidaIniciada && EsRemoto(p));
}

void Escritorio::EnviaRed(const std::string& texto, int salvo) {
    if (Red* red = mesa_.RedDeJuego()) red->Envia(texto, salvo);
}

void Escritorio::CierraRed() {
    if (Red* red = mesa_.RedDeJuego()) red->TerminarRed();
}

void Escritorio::MuestraEsperaRed(const std::string& titulo, const std::string& texto, int lineas) {
    mesa_.RevisaDisposicion();
    const bool administrador = mesa_.Juego().ModoRed == 1;
    mesa_.EsperaRed()->PonCodigo(administrador && codigoSala_ ? QString::fromStdString(codigoSala_()) : QString());
    mesa_.EsperaRed()->Muestra(titulo, texto, lineas);
}

void Escritorio::OcultaEsperaRed() { mesa_.EsperaRed()->hide(); }

// The answer ends the wait; so do leaving the program and the end of
// network play (a refusal then).
int Escritorio::PeticionConexion(const std::string& texto, const std::vector<std::string>& opciones) {
    mesa_.MuestraPeticion(texto, opciones);
    const PanelPeticion& panel = *mesa_.Peticion();
    while (panel.Respuesta() == -2 && !mesa_.Saliendo() && mesa_.Juego().JugarEnRed) Espera();
    const int respuesta = panel.Respuesta();
    mesa_.OcultaPeticion();
    return respuesta >= 0 ? respuesta : -1;
}

void Escritorio::AbreAjustesJugadores() { OrdenVentana(mesa_, *this, 1); }

// The chat window's own opening redraws it when it is already open.
void Escritorio::LlegaMensajeChat() {
    if (mesa_.Ventanas().Mensajes) mesa_.Ventanas().Mensajes();
}

// The usable height: the screen less the desktop's panels and the window's
// title bar.
void Escritorio::TamanoPantalla(int& ancho, int& alto) {
    QScreen* pantalla = QGuiApplication::primaryScreen();
    const QRect zona = pantalla ? pantalla->availableGeometry() : QRect(0, 0, 800, 600);
    const int titulo = mesa_.style()->pixelMetric(QStyle::PM_TitleBarHeight);
    ancho = zona.width();
    alto = zona.height() - titulo;
}

// There is no changing the screen's resolution here.
CambioPantalla Escritorio::CambiaPantalla() { return CambioPantalla::NoPosible; }

void Escritorio::PreparaVentana() {
    int ancho = 0, alto = 0;
    TamanoPantalla(ancho, alto);
    mesa_.Prepara(ancho, alto);
    mesa_.ActualizaLista();
    mesa_.show();
    if (careta_) careta_->close();
    careta_ = nullptr;
}

}  // namespace parchis
