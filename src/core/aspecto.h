// The board's look: one of the program's own settings, declared with the
// others.
#pragma once

#include "core/preferencias_propias.h"
