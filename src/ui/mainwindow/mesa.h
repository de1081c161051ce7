// The main window (`mesa`): the board on the left, drawn on a persistent
// surface; to its right the button bar, the recorder's remote control and
// the list of moves.  The mouse and the keyboard talk to a waiting turn
// engine only through the record's flags.
#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/partida.h"
#include "flow/grabadora.h"
#include "ui/board/animacion.h"
#include "ui/board/raton.h"
#include "ui/board/tablero.h"
#include "ui/common/cursores.h"
#include "ui/common/pausa.h"
#include "ui/common/sonido.h"
#include "ui/mainwindow/ordenes.h"

class QListWidget;

namespace parchis {

class Interfaz;
class Red;
class Botonera;
class Grabadora;
class ListaDados;
class PanelEsperaRed;
class PanelPeticion;
class PanelTurnoRed;
class SelectorOpciones;
class VistaPanelCuenta;
struct PanelCuenta;

// Width of the column right of the board, narrower when the screen is.
inline constexpr int AnchoColumna = 236;
inline constexpr int AnchoColumnaMinimo = 204;

inline constexpr const char* TextoModoManual = "Moviendo fichas manualmente";
inline constexpr const char* TextoDadosManuales = "Eligiendo el resultado de la tirada de dados";
inline constexpr const char* TextoOpcionesPedidas = "La partida se detendrá en la próxima tirada para mostrar las opciones";

class Mesa : public QWidget {
public:
    explicit Mesa(Partida& p);
    ~Mesa() override;

    // The services the engine sees; set once, before anything runs.
    void PonInterfaz(Interfaz* ui) { ui_ = ui; }
    // The other windows, wired once at start-up.
    void PonVentanas(VentanasMesa v) { ventanas_ = std::move(v); }
    const VentanasMesa& Ventanas() const { return ventanas_; }
    // Network play, set once at start-up (a test may leave it unset).
    void PonRed(Red* red) { red_ = red; }
    Red* RedDeJuego() const { return red_; }

    Partida& Juego() { return p_; }
    Tablero& Lienzo() { return tablero_; }
    Animador& Animacion() { return animador_; }

    // A sound when the Sonido preference is on; `esperar` to its end.
    void TocaSonido(int n, bool esperar);
    // The speed-scaled pause.
    void Pausa(int unidades);
    // The message dialog; a test may answer it instead (`Contestador`).
    int Mensaje(const std::string& titulo, const std::string& texto, int lineas, int botones, int ayuda);
    using Contestador = std::function<int(const std::string& titulo, const std::string& texto, int botones)>;
    void PonContestador(Contestador c) { contestador_ = std::move(c); }

    // Metrics, empty board, name plates and layout, from the usable screen.
    void Prepara(int anchoPantalla, int altoPantalla);
    // DisponeVentana: the board and the column of controls.
    void DisponeVentana();
    // Again when network play has started or ended since.
    void RevisaDisposicion();
    void PonPuntero(int numero) { puntero_.PonCursor(numero); }
    int Puntero() const { return puntero_.Actual(); }

    void ActualizaLista();
    QListWidget* Lista() const { return lista_; }
    // The counting panel and the prompt show only while a person at this
    // computer chooses a piece.
    void MuestraPanel(const PanelCuenta& panel);
    void MuestraIndicacion(const std::string& texto);
    // The status bar, as the game flow asks for it.
    void MuestraEstado(const std::string& texto);
    // The board drawn again half way through a throw (names, colours or the
    // look changed while a piece is chosen): the throw's dice, and the
    // prompt of a person here.
    void MuestraTiradaEnCurso();
    // A move has been shown or the game has stopped: whatever asked the
    // person to act goes.
    void RevisaIndicaciones();
    bool PersonaEligiendo() const;
    void TerminaModoManual();
    bool MandoEncendido() const { return raton_.MandoEncendido; }
    const EstadoRaton& Raton() const { return raton_; }

    // Commands of the button bar, by index.
    bool BotonDisponible(int i) const;
    void PulsaBoton(int i);

    // The options selector and what its entries do.
    SelectorOpciones* Selector() const { return selector_; }
    // A right click while the game plays on asks for the options: the next
    // throw of this computer waits, and they open there.  True once when
    // asked.
    bool TomaOpcionesPedidas();
    void OlvidaOpcionesPedidas() { opcionesPedidas_.reset(); }
    bool HayOpcionesPedidas() const { return opcionesPedidas_.has_value(); }
    void EligeOpcion(int opcion);
    void AlternaModoManual();
    void AlternaDadosManuales();
    // The dice list: a line chosen; and the throw taken from it (hidden).
    ListaDados* Dados() const { return dados_; }
    void EligeLineaDados(int linea);
    bool TomaDadosElegidos(int& dado1, int& dado2);
    void OcultaListaDados();

    // --- the recorder's remote control (mesa_mando.cpp) ---
    // A press on remote button `boton` (BotonMando), as a click on it does.
    void PulsaMando(int boton);
    const EstadoMando& Mando() const { return mando_; }
    // The remote's picture; the board follows its power (no clicks while on).
    void MuestraMando(bool encendido, int pulsado);
    void SeleccionaLinea(int indice);
    // A new game: the remote goes off where it stands.
    void OlvidaMando();

    // --- network play ---
    PanelEsperaRed* EsperaRed() const { return esperaRed_; }
    PanelTurnoRed* TurnoRed() const { return turnoRed_; }
    // The connection request: while it is shown the button bar waits for
    // its answer.
    PanelPeticion* Peticion() const { return peticion_; }
    void MuestraPeticion(const std::string& texto, const std::vector<std::string>& opciones);
    void OcultaPeticion();
    // A remote throw or move is awaited: the hourglass over the board, no
    // tutor, the chat available.
    void PonEsperandoRed(bool si);

    // The program is being left: waits end at once and nothing new starts.
    bool Saliendo() const { return saliendo_; }
    // Leaves (again: a game a flow below the exit started is stopped too).
    void Sal();
    // The program is told to stop from outside, where nobody may be there
    // to answer: open windows end as if cancelled, the remote goes back to
    // the present, and the exit accepts its own questions, so a game under
    // way is postponed as a person leaving would postpone it.
    void Termina();

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void ClicIzquierdo(int x, int y);
    void ClicDerecho(int x, int y);
    void EvaluaCursor(int x, int y);
    // The pointer set again for where it is now (after a window over the
    // board closed, by keyboard too).
    void RenuevaCursor();
    void Tecla(int tecla, Qt::KeyboardModifiers modificadores);
    void Sigue();
    void ColocaColumna();
    void MuestraTextoEstado();
    // The look changed: the board, the column and the move list follow.
    void CambiaAspecto(Aspecto a);
    void EstiloLista();
    // Manual moves: a piece taken, carried and dropped.
    void EmpiezaArrastre(int x, int y);
    void TerminaArrastre(int x, int y);
    void CancelaArrastre();
    void JugadaManual(int destino);

    Partida& p_;
    Interfaz* ui_ = nullptr;
    Sonidos sonidos_;
    Tablero tablero_;
    Animador animador_;
    PunteroVentana puntero_;
    EstadoRaton raton_;
    int fichaBajoRaton_ = 0;
    PiezaMesa arrastrada_;
    int origenArrastre_ = 0;
    bool indicacionVisible_ = false;
    VentanasMesa ventanas_;
    Contestador contestador_;
    bool saliendo_ = false;
    bool cierrePendiente_ = false;   // a close request waits, or is being asked
    bool terminando_ = false;        // told to stop: see Termina
    bool aceptaSalida_ = false;      // the exit's questions are being asked
    bool tutorPedido_ = false;       // the Tutor button's hand is being shown
    EstadoMando mando_;

    Botonera* botonera_ = nullptr;
    Grabadora* grabadora_ = nullptr;
    QListWidget* lista_ = nullptr;
    VistaPanelCuenta* panel_ = nullptr;
    QWidget* botonAyuda_ = nullptr;
    SelectorOpciones* selector_ = nullptr;
    ListaDados* dados_ = nullptr;
    PanelEsperaRed* esperaRed_ = nullptr;
    PanelPeticion* peticion_ = nullptr;
    PanelTurnoRed* turnoRed_ = nullptr;
    Red* red_ = nullptr;
    int arribaLista_ = 0;
    std::optional<QPoint> opcionesPedidas_;   // where the right click was
    double escala_ = 1;   // the column's scale: 1 up to 800 x 600
};

}  // namespace parchis
