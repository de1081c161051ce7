// The desktop's start-up: splash, data folder, screen check, configuration,
// main window, the help hint and, when the last session left a game
// unfinished, that game resumed.
#pragma once

#include <string>

namespace parchis {

class Escritorio;
class Mesa;

inline constexpr const char* NombrePrograma = "Parchís 1.0";

// Runs inside the application's event loop; returns when the window is up,
// or, when a game was resumed, when that game is over or interrupted.
void Arranque(Mesa& mesa, Escritorio& ui, const std::string& carpetaPrograma);

}  // namespace parchis
