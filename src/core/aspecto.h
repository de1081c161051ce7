// The board's look, kept in a small file of ours in the data folder
// (PARCHIS.ASP), apart from the game's configuration file, whose layout is
// fixed.  One line: "Aspecto=Clasico" or "Aspecto=Moderno".
#pragma once

#include <string>

namespace parchis {

enum class Aspecto { Clasico = 0, Moderno = 1 };

inline constexpr const char* FicheroAspecto = "PARCHIS.ASP";

// The look the file's text names; anything else (a missing, damaged or
// foreign file) is the classic look.
Aspecto AspectoDeTexto(const std::string& texto);
std::string TextoDeAspecto(Aspecto a);

// Read from and written to `carpeta` (ending in '/').  Writing replaces the
// file atomically and returns whether it could.
Aspecto LeeAspecto(const std::string& carpeta);
bool EscribeAspecto(const std::string& carpeta, Aspecto a);

}  // namespace parchis
