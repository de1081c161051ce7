// The services through which the game flow reaches the outside world: the
// window system, the screen, the speaker, the clock, the dice and the
// network.  The desktop implements it with its widgets, the terminal tool by
// printing, the tests with a scripted double.  Nothing in the game flow
// touches the outside world any other way.
//
// The engine runs on the window thread as straight-line code.  Where it
// waits (for a click, a remote throw, a new game) it checks a flag of the
// record and calls Espera, inside which the desktop runs pending events:
// mouse handlers clear EsperandoFicha or EsperandoTirada, socket handlers
// fill ColaRed, a window command may even run a whole new game.  Pausa and
// the move animations let repaints through but no input.
#pragma once

#include <string>
#include <vector>

#include "flow/historico.h"
#include "rules/panel.h"

namespace parchis {

// Answers of Mensaje.
inline constexpr int Aceptar = -1;
inline constexpr int Cancelar = 0;

// The main window's pointer.
enum class Puntero { Normal, Espera };

// The hand that points at the piece about to move: a suggestion for a
// person, or a move chosen by the computer or received from the network.
enum class FormaSenal { Tutor, Ordenador };

// Outcome of the offer to switch the screen to 800x600.
enum class CambioPantalla { NoPosible, Hecho, Reiniciar, Fallido };

class Interfaz {
public:
    virtual ~Interfaz() = default;

    // True for the playouts of an analysis: the engine then skips what only a
    // person needs (narration, the counting panel) and the end of the game
    // (message, history, tallies), leaving the winner in Turno.
    virtual bool Simulacion() const { return false; }

    // --- time and chance ------------------------------------------------------
    // Runs the pending window events once, without waiting for more.
    virtual void Cede() = 0;
    // One check of a waiting loop: runs the pending window events and, on the
    // desktop, sleeps until the next one arrives (or a clock on screen needs
    // redrawing), so a program that waits for a person uses no processor.
    virtual void Espera() { Cede(); }
    // Waits `unidades` scaled by the game speed, without running events.
    virtual void Pausa(int unidades) = 0;
    // Seconds on a monotonic clock.
    virtual double Reloj() = 0;
    // Local date and time, for the history.
    virtual FechaHora Ahora() = 0;
    // The one random generator: seeded once at start-up, then uniform in [0, 1).
    virtual void SiembraAleatorio() = 0;
    virtual double Aleatorio() = 0;

    // --- sound, messages, pointer ------------------------------------------------
    virtual void TocaSonido(int n, bool esperar) = 0;
    // Modal message; botones 1 = Aceptar, 2 = Aceptar and Cancelar.  Returns
    // Aceptar (-1) or Cancelar (0).  ayuda 0 = no help topic.
    virtual int Mensaje(const std::string& titulo, const std::string& texto, int lineas,
                        int botones, int ayuda) = 0;
    // The status bar.
    virtual void MuestraMensaje(const std::string& texto) = 0;
    virtual void PonPuntero(Puntero puntero) = 0;

    // --- dice -------------------------------------------------------------------
    // True, with the values, when the person chose the dice by hand in the
    // main window's dice list (which is then hidden).
    virtual bool DadosElegidos(int& dado1, int& dado2) = 0;
    // Draws dice in seat j's corner; dado2 = 0 with one die.
    virtual void DibujaDados(int jugador, int dado1, int dado2) = 0;
    virtual void BorraDados() = 0;

    // --- board ------------------------------------------------------------------
    // Empty board with the name plates.
    virtual void MuestraTableroVacio() = 0;
    // Seat j's waiting box fills one piece at a time.
    virtual void MuestraCuadroEspera(int jugador) = 0;
    // The whole position of the record, piece by piece (a resumed game).
    virtual void PresentaPartida() = 0;
    // Log entry n has just been played on the record (forward) or undone
    // (backward): show the piece travelling.
    virtual void MuestraJugada(int n, bool adelante) = 0;
    // Points three times at piece `ficha` of seat j.
    virtual void SenalaFicha(int jugador, int ficha, FormaSenal forma) = 0;
    // Step 1..4 of the winner's emblem in the winner's corner.
    virtual void MuestraEmblema(int jugador, int paso) = 0;

    // --- a person's turn -------------------------------------------------------
    virtual void MuestraPanel(const PanelCuenta& panel) = 0;
    // The prompt line of the main window.
    virtual void MuestraIndicacion(const std::string& texto) = 0;

    // --- main window ------------------------------------------------------------
    // ListaJugadas has changed.
    virtual void ActualizaLista() = 0;
    // The game has started, stopped or changed mode: the window lays out its
    // controls from the record.
    virtual void ActualizaControles() = 0;
    // A throw is about to be made: pieces can no longer be moved by hand.
    virtual void TerminaModoManual() = 0;
    // Asked at each throw of this computer outside network play: true once
    // when the person asked during play for the options that only a waiting
    // throw allows; that throw then waits for the person.
    virtual bool OpcionesPedidas() { return false; }
    virtual bool GrabadoraEncendida() = 0;
    virtual void ApagaGrabadora() = 0;
    // The recorder's remote: the power light and the button held down (-1
    // for none).  While the light is on the board takes no clicks.
    virtual void MuestraMando(bool /*encendido*/, int /*pulsado*/) {}
    // Line `indice` of the move list becomes the selected one.
    virtual void SeleccionaLinea(int /*indice*/) {}
    // The rules settings window, modal.
    virtual void AbreReglas() = 0;
    // The network turn panel: who is to move and for how long.
    virtual void MuestraTurnoRed(const std::string& nombre, int segundos) = 0;

    // --- network ----------------------------------------------------------------
    // The administrator sends to every connected client except the one that
    // plays seat `salvo` (0 = none); a client sends to the administrator.
    virtual void EnviaRed(const std::string& texto, int salvo) = 0;
    virtual void CierraRed() = 0;
    // The waiting panel of network play (connecting, waiting for players),
    // its text already ending in the waiting time; shown until hidden.
    virtual void MuestraEsperaRed(const std::string& /*titulo*/, const std::string& /*texto*/,
                                  int /*lineas*/) {}
    virtual void OcultaEsperaRed() {}
    // The connection request panel: the text and the seats offered.  Runs
    // events until the person answers; returns the chosen option's index,
    // or -1 when the connection is refused.
    virtual int PeticionConexion(const std::string& /*texto*/,
                                 const std::vector<std::string>& /*opciones*/) {
        return -1;
    }
    // The player settings window, as the main window's button opens it,
    // with what it leaves asked done afterwards.
    virtual void AbreAjustesJugadores() {}
    // A chat message was added to the list: redraw it and, when the chat
    // window is closed, open it.
    virtual void LlegaMensajeChat() {}

    // --- start-up -----------------------------------------------------------------
    virtual void TamanoPantalla(int& ancho, int& alto) = 0;
    virtual CambioPantalla CambiaPantalla() = 0;
    // Board metrics, empty board, name plates, main window laid out, splash
    // closed.
    virtual void PreparaVentana() = 0;
};

}  // namespace parchis
