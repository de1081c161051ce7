// A person's turn: the counting panel, the prompt line, the tutor's
// suggestion and the click that chooses a piece.  The desktop maps a click
// on the board to a piece number and calls EligeFichaPersona; a click on a
// panel toggle calls SeleccionaValor.
#pragma once

#include "core/partida.h"
#include "flow/interfaz.h"

namespace parchis {

// What the engine does once the computer player has looked at the throw.
enum class DecisionTurno {
    NoPuedeMover,   // no piece can count: a move of kind 1 or 2 is recorded
    JuegaElegida,   // the computer's choice is played at once
    Sugerencia,     // a person, shown the tutor's suggestion, then chooses
    EsperaPersona,  // a person chooses without a suggestion
};
DecisionTurno DecideTurno(const Partida& p);

// Lays out and shows the counting panel and the prompt for the seat to move.
void PreparaPanelCuenta(Partida& p, Interfaz& ui);

// The person clicked the toggle of row i.
void SeleccionaValor(Partida& p, Interfaz& ui, int i);

// Builds Indicacion and shows it.
void MuestraIndicacion(Partida& p, Interfaz& ui);

// Points at the piece of JugadaElegida in the tutor's form, the panel
// showing the suggested value meanwhile.
void MuestraSugerencia(Partida& p, Interfaz& ui);

// The person chose piece k while the engine waits for the move.  Fills the
// move being made and releases the engine; a piece that cannot move is
// refused (false) and nothing changes.
bool EligeFichaPersona(Partida& p, int ficha);

}  // namespace parchis
