// The titles and value texts of the settings controls, by the number each
// control carries (the settings windows and the main window's selectors
// share them).  The rules word the exit and six rules with "doble" when the
// game is played with two dice.
#pragma once

#include <string>
#include <vector>

#include "core/partida.h"

namespace parchis {

// The title of control `numero` (11-14, 21-24, 31-34 and 71-74 are one per
// seat); empty for a number no control carries.
std::string TextoOpcion(const Partida& p, int numero);

// The texts of a selector's values, value 1 first; empty for a control that
// is not a selector.
std::vector<std::string> TextosValores(const Partida& p, int numero);

}  // namespace parchis
