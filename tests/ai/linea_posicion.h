// A position at which the computer player is asked for a move, as one line
// of text: the throw's working fields, the tail of the log the rules still
// read (back to every seat's newest first move of a throw), and the state
// line of a saved game.  Sets of positions are kept in files of such lines.
#pragma once

#include <string>
#include <vector>

#include "core/partida.h"

namespace parchis::prueba {

std::string LineaPosicion(const Partida& p);

// False when the line is not one LineaPosicion wrote.
bool LeePosicion(const std::string& linea, Partida& p);

// Every line of the file; empty when it cannot be read.
std::vector<Partida> PosicionesDeFichero(const std::string& ruta);

}  // namespace parchis::prueba
