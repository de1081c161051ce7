// parchis-texto --analiza: the chances of each seat of a saved or
// postponed game, and how its dice have behaved.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>

namespace parchis::texto {

// Prints the analysis of the game in `fichero`, each seat's chance within
// `margen` (a fraction, 95 %); returns the program's exit code (1 when the
// file cannot be read or holds no game that can go on).
int AnalizaFichero(const std::string& fichero, std::uint64_t semilla, double margen, std::ostream& salida,
                   std::ostream& errores);

}  // namespace parchis::texto
