// Helpers shared by the core tests: random records, and plain file access
// for checking what the program wrote.
#pragma once

#include <random>
#include <string>

#include "common/carpeta_temporal.h"
#include "common/ficheros.h"
#include "common/posicion.h"
#include "core/configuracion.h"
#include "core/partida.h"

namespace parchis::prueba {

// A record as validation leaves it, with every stored field drawn at random
// and the log holding numJugada-1 entries (when iniciada).
Partida RegistroAleatorio(std::mt19937& azar, int numJugada, bool iniciada);

// Every stored field of the two records is equal (the log included).
void EsperaMismoRegistro(const Partida& a, const Partida& b);

// The file's text with `texto` laid at state-line position `pos` (the
// line's opening quote is byte 0).
std::string ConCampo(std::string contenido, int pos, const std::string& texto);

}  // namespace parchis::prueba
