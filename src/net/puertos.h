// The ports of network play.  The environment variable
// PARCHIS_DESPLAZAMIENTO_PUERTOS shifts all of them by one whole number, so
// that several copies of the program (and the tests) can play on one
// machine without colliding; a value that is not a whole number, or that
// would put a port outside 1024..65535, is ignored.
#pragma once

namespace parchis {

inline constexpr const char* VariableDesplazamientoPuertos = "PARCHIS_DESPLAZAMIENTO_PUERTOS";

// The shift the variable asks for, 0 when it is unset or unusable.
int DesplazamientoPuertos();
// The same rule on a given text (null = unset).
int DesplazamientoPuertos(const char* texto);

// The administrator listens here: 49924 shifted.
int PuertoAdministrador();
// A client connects from here: 49920 + MiPuerto (1..3), shifted.
int PuertoCliente(int miPuerto);
// A room server (parchis-sala) listens here unless told otherwise: 49930,
// shifted when the shifted port exists.
int PuertoSala();

}  // namespace parchis
