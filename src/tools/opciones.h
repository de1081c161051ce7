// The terminal tool's command line.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/partida.h"

namespace parchis::texto {

struct Opciones {
    long Partidas = 1;
    std::optional<std::uint64_t> Semilla;   // the time of day when absent
    bool Silencioso = false;
    bool Comprobar = false;
    bool TiempoProceso = false;               // each decision's processor time too
    bool Ayuda = false;
    std::string Carpeta;                     // where the history goes; a temporary one when empty
    std::string Analiza;                     // a saved game whose chances are printed
    int Margen = 2;                          // ...each within this many points (95 %)
    // Changes to the default players and rules, applied in order.
    std::vector<std::string> Cambios;
};

// Parses argv; a wrong option gives its error message.
std::optional<Opciones> LeeOpciones(int argc, char** argv, std::string& error);

// Applies the rule and player options to a record holding the defaults.
// Returns an error message for a value out of range.
std::string AplicaCambios(const Opciones& o, Partida& p);

extern const char* const TextoAyuda;

}  // namespace parchis::texto
