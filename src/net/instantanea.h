// A client takes the seats and rules of the administrator's game from the
// snapshot (the 900-character state line).  The line comes from another
// computer, so it is read by the state-file reader on a scratch record and
// used only when every field taken from it is readable and within what the
// validation of a state file accepts.
#pragma once

#include <string>

#include "core/partida.h"

namespace parchis {

// Applies the snapshot `linea` (UTF-8) to a client's record: each seat's
// name, level, state, control and character go to the seat it has here
// (the administrator's seat becomes remote, the own seat manual, or
// computer when `propioAutomatico`), and the rules and IdPartida are
// taken.  Returns false, with the record untouched, for a line that fails.
bool AplicarInstantanea(Partida& p, const std::string& linea, bool propioAutomatico);

}  // namespace parchis
