// The terminal program's network roles on the command line: taken out of
// argv before the other options are read.
#pragma once

#include <cstdint>
#include <string>

#include "core/partida.h"
#include "tools/opciones.h"

namespace parchis::texto {

struct OpcionesRed {
    int Clientes = 0;           // --administrador N: clients awaited at seats 1..N
    std::string Administrador;  // --cliente IP
    int PuestoPropio = 0;       // --puesto-propio K: "Mi puerto" of the client
    int EsperaMaxima = 60;      // seconds without news before giving up
    std::string Sala;           // --sala SERVIDOR: play through a room on that server
    std::string Codigo;         // --codigo C: the room a client joins
    bool Activa() const { return Clientes > 0 || !Administrador.empty(); }
};

// Removes the network options from argv (argc shrinks); false with an
// error message for a wrong one.
bool SeparaOpcionesRed(int& argc, char** argv, OpcionesRed& red, std::string& error);

// Plays o.Partidas games in the network role; the program's exit code.
int JuegaEnRed(const OpcionesRed& red, const Opciones& o, Partida& p, std::uint64_t semilla);

extern const char* const AyudaRed;

}  // namespace parchis::texto
