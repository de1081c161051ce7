// The computer player written plainly, step by step as the game has always
// made its choice: the whole state saved and loaded as state text at every
// node of the search, every estimate computed with the rules' own
// functions, nothing cached.  It is slow; the tests compare the real player
// with it on many positions, and the benchmark times it.
#pragma once

#include <string>

#include "ai/eleccion.h"
#include "core/partida.h"

namespace parchis::prueba {

enum class CopiaBorrador {
    Texto,      // the state text kept in memory
    Ficheros,   // state files in Carpeta, deleted at the end
};

bool EligeJugadaLiteral(Partida& p, const RelojBusqueda& reloj, CopiaBorrador copia);

}  // namespace parchis::prueba
