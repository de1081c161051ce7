// The saved-games dialog: save the game under way, load a saved game or
// delete one, by name (flow/partidas_guardadas.h decides).
#pragma once

#include "core/partida.h"
#include "flow/interfaz.h"
#include "flow/partidas_guardadas.h"
#include "ui/common/controles.h"

class QLabel;
class QLineEdit;
class QListWidget;

namespace parchis {

// Opens the dialog modally over `padre` in one of its modes and returns
// when it has closed.  After a load, PartidaCargada is true and the board
// shows the loaded game: the main window resumes it.  Main window: the
// options selector's "Guardar esta partida" (Guardar), "Cargar una
// partida" (Cargar) and "Borrar una partida" (Borrar).
void AbrePartidasGuardadas(QWidget* padre, Partida& p, Interfaz& ui, ModoPartidas modo);

class VentanaPartidas : public VentanaAjustes {
public:
    VentanaPartidas(QWidget* padre, Partida& p, Interfaz& ui, ModoPartidas modo);

    QLineEdit* Nombre() const { return nombre_; }
    QListWidget* Lista() const { return lista_; }
    QLabel* LineaMensaje() const { return mensaje_; }
    BotonPulsador* Boton() const { return boton_; }

private:
    void RellenaLista();
    void Actualiza();
    void Resuelve(DialogoPartidas::Resultado r);

    Partida& p_;
    DialogoPartidas dialogo_;
    QLabel* mensaje_;
    QLineEdit* nombre_;
    QListWidget* lista_;
    BotonPulsador* boton_;
};

}  // namespace parchis
