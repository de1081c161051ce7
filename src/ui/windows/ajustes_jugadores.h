// The player settings window: who plays each seat and how, the person's
// preferences and the network settings.  It changes the record as the
// person clicks and, when left, asks before every change that ends the game
// under way (flow/ajustes_jugadores.h decides).
#pragma once

#include <array>
#include <functional>

#include "core/partida.h"
#include "flow/ajustes_jugadores.h"
#include "flow/interfaz.h"
#include "ui/common/controles.h"

class QLabel;

namespace parchis {

class Tablerito;

// Opens the window modally over `padre` and returns when it has closed.
// Main window: button 1.  Afterwards the main window acts on the requests,
// in this order: PedirRestaurarAnterior, load ZRVEL34.ARE; otherwise
// PedirInicioRed, start network play, and PedirNuevaPartida, a new game when
// PartidaIniciada is true.  `conectado(j)`: a client holds remote seat j.
void AbreVentanaJugadores(QWidget* padre, Partida& p, Interfaz& ui, std::function<bool(int)> conectado = {});

class VentanaJugadores : public VentanaAjustes {
public:
    VentanaJugadores(QWidget* padre, Partida& p, Interfaz& ui, std::function<bool(int)> conectado = {});

    // The controls, for the tests.
    Selector* Estado(int j) const { return estado_[j]; }
    Selector* Control(int j) const { return control_[j]; }
    CampoTexto* Nombre(int j) const { return nombre_[j]; }
    Interruptor* JugarEnRed() const { return jugarEnRed_; }
    Selector* AspectoTablero() const { return aspecto_; }
    Interruptor* PorSala() const { return porSala_; }
    CampoTexto* ServidorSala() const { return servidorSala_; }
    CampoTexto* CodigoSala() const { return codigoSala_; }
    QLabel* Cabecera(int j) const { return cabecera_[j]; }

protected:
    bool PuedeSalir() override;

private:
    QWidget* Columna(int j);
    QWidget* Preferencias();
    QWidget* Red();
    Selector* NuevoSelector(QWidget* padre, int numero, AjusteJugador a, int j = 0);
    Interruptor* NuevoInterruptor(QWidget* padre, int numero, AjusteJugador a);
    void Refresca();

    Partida& p_;
    Interfaz& ui_;
    std::function<bool(int)> conectado_;
    CopiaJugadores copia_;
    std::array<CampoTexto*, 5> nombre_{};
    std::array<Selector*, 5> estado_{}, control_{}, caracter_{};
    std::array<Mando*, 5> nivel_{};
    std::array<QLabel*, 5> cabecera_{};
    Selector* sentido_ = nullptr;
    Selector* aspecto_ = nullptr;
    Selector* modoRed_ = nullptr;
    Selector* puerto_ = nullptr;
    Interruptor* sonido_ = nullptr;
    Interruptor* pausa_ = nullptr;
    Interruptor* tutor_ = nullptr;
    Interruptor* destino_ = nullptr;
    Interruptor* jugarEnRed_ = nullptr;
    Mando* velocidad_ = nullptr;
    CampoTexto* ip_ = nullptr;
    Interruptor* porSala_ = nullptr;
    CampoTexto* servidorSala_ = nullptr;
    CampoTexto* codigoSala_ = nullptr;
    QLabel* miIP_ = nullptr;
    QLabel* puertoFijo_ = nullptr;
    Tablerito* tablerito_ = nullptr;
};

}  // namespace parchis
