// The rules window ("Normas de juego"): the house rules on four pages.  It
// changes the record as the person clicks and, when left, asks before a
// change that ends the game under way (flow/ajustes_reglas.h decides).
#pragma once

#include <vector>

#include "core/partida.h"
#include "flow/ajustes_reglas.h"
#include "flow/interfaz.h"
#include "ui/common/controles.h"

class QTabWidget;

namespace parchis {

// Opens the rules window modally over `padre` and returns when it has
// closed.  Afterwards PedirNuevaPartida asks the main window for a new game
// (when PartidaIniciada is true).  Main window: button 2; the opening
// draw's "Cancelar".
void AbreVentanaReglas(QWidget* padre, Partida& p, Interfaz& ui);

class VentanaReglas : public VentanaAjustes {
public:
    VentanaReglas(QWidget* padre, Partida& p, Interfaz& ui);

    // The control of rule `numero` (for the tests).
    ControlComun* Control(int numero) const;
    QTabWidget* Paginas() const { return paginas_; }

protected:
    bool PuedeSalir() override;

private:
    void Refresca();

    Partida& p_;
    Interfaz& ui_;
    CopiaReglas copia_;
    QTabWidget* paginas_;
    std::vector<std::pair<const ControlRegla*, ControlComun*>> controles_;
};

}  // namespace parchis
