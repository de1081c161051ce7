// The main window's side of the recorder's remote control: presses go to the
// game flow, which tells the window back what to show.
#include <QListWidget>

#include "flow/interfaz.h"
#include "ui/mainwindow/botonera.h"
#include "ui/mainwindow/grabadora.h"
#include "ui/mainwindow/mesa.h"

namespace parchis {

void Mesa::PulsaMando(int boton) {
    if (!ui_ || saliendo_ || boton < 0 || boton >= NumBotonesMando) return;
    if (boton == MandoPotencia && !mando_.MandoEncendido) {
        // Manual mode is left as its own entry leaves it, and the dice list goes.
        if (raton_.ModoManual || raton_.Arrastrando) AlternaModoManual();
        OcultaListaDados();
    }
    parchis::PulsaMando(p_, mando_, *ui_, boton);
}

void Mesa::MuestraMando(bool encendido, int pulsado) {
    raton_.MandoEncendido = encendido;
    if (encendido) TerminaModoManual();
    // Back at the present no line of the list is the one on the board.
    if (!encendido) lista_->clearSelection();
    grabadora_->Muestra(encendido, pulsado);
    // Some commands of the bar are unavailable while the remote is on.
    botonera_->update();
}

void Mesa::SeleccionaLinea(int indice) {
    if (indice < 0 || indice >= lista_->count()) {
        lista_->clearSelection();
        return;
    }
    lista_->setCurrentRow(indice);
    lista_->scrollToItem(lista_->item(indice));
}

void Mesa::OlvidaMando() {
    mando_ = EstadoMando{};
    MuestraMando(false, -1);
}

}  // namespace parchis
