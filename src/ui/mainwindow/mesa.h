// The main window (`mesa`): the board on the left, drawn on a persistent
// surface; to its right the button bar, the recorder's remote control and
// the list of moves.  The mouse and the keyboard talk to a waiting turn
// engine only through the record's flags.
#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

#include "core/partida.h"
#include "flow/grabadora.h"
#include "ui/board/animacion.h"
#include "ui/board/raton.h"
#include "ui/board/tablero.h"
#include "ui/common/cursores.h"
#include "ui/common/pausa.h"
#include "ui/common/sonido.h"

class QListWidget;

namespace parchis {

class Interfaz;
class Botonera;
class Grabadora;
class VistaPanelCuenta;
struct PanelCuenta;

// Width of the column right of the board.
inline constexpr int AnchoColumna = 236;

class Mesa : public QWidget {
public:
    explicit Mesa(Partida& p);
    ~Mesa() override;

    // The services the engine sees; set once, before anything runs.
    void PonInterfaz(Interfaz* ui) { ui_ = ui; }

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
    void PonPuntero(int numero) { puntero_.PonCursor(numero); }
    int Puntero() const { return puntero_.Actual(); }

    void ActualizaLista();
    QListWidget* Lista() const { return lista_; }
    void MuestraPanel(const PanelCuenta& panel);
    void MuestraIndicacion(const std::string& texto);
    void TerminaModoManual();
    bool MandoEncendido() const { return raton_.MandoEncendido; }

    // Commands of the button bar, by index.
    bool BotonDisponible(int i) const;
    void PulsaBoton(int i);

    // --- the recorder's remote control (mesa_mando.cpp) ---
    // A press on remote button `boton` (BotonMando), as a click on it does.
    void PulsaMando(int boton);
    const EstadoMando& Mando() const { return mando_; }
    // The remote's picture; the board follows its power (no clicks while on).
    void MuestraMando(bool encendido, int pulsado);
    void SeleccionaLinea(int indice);
    // A new game: the remote goes off where it stands.
    void OlvidaMando();

    // The program is being left: waits end at once and nothing new starts.
    bool Saliendo() const { return saliendo_; }
    void Sal();

protected:
    void paintEvent(QPaintEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void ClicIzquierdo(int x, int y);
    void ClicDerecho();
    void EvaluaCursor(int x, int y);
    void Tecla(int tecla, Qt::KeyboardModifiers modificadores);

    Partida& p_;
    Interfaz* ui_ = nullptr;
    Sonidos sonidos_;
    Tablero tablero_;
    Animador animador_;
    PunteroVentana puntero_;
    EstadoRaton raton_;
    int fichaBajoRaton_ = 0;
    Contestador contestador_;
    bool saliendo_ = false;
    bool cierrePendiente_ = false;   // a close request waits, or is being asked
    EstadoMando mando_;

    Botonera* botonera_ = nullptr;
    Grabadora* grabadora_ = nullptr;
    QListWidget* lista_ = nullptr;
    VistaPanelCuenta* panel_ = nullptr;
    QWidget* botonAyuda_ = nullptr;
};

}  // namespace parchis
