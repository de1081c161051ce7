// Helpers shared by the core tests: temporary folders, plain file access for
// checking what the program wrote, and records holding the defaults.
#pragma once

#include "common/carpeta_temporal.h"
#include "common/ficheros.h"
#include "common/posicion.h"
#include "core/configuracion.h"
#include "core/partida.h"
