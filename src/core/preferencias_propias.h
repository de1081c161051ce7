// The program's own settings, kept in a small file of ours in the data
// folder (PARCHIS.ASP), apart from the game's configuration file, whose
// layout is fixed.  One "Clave=Valor" line each:
//   Aspecto=Clasico | Aspecto=Moderno      the board's look
//   JugarEnRed=Si   | JugarEnRed=No        the network switch as the player
//                                          settings window was last left
//   JugarPorSala=Si | JugarPorSala=No      ...and whether through a room,
//   ServidorSala=host[:port]               on which room server
// The reader trusts nothing: unknown keys and values, damaged lines and
// anything past the first few kilobytes are ignored (the default stays).
#pragma once

#include <cstddef>
#include <string>

namespace parchis {

enum class Aspecto { Clasico = 0, Moderno = 1 };

inline constexpr const char* FicheroPreferencias = "PARCHIS.ASP";
inline constexpr const char* FicheroAspecto = FicheroPreferencias;
inline constexpr std::size_t LargoServidor = 60;

struct PreferenciasPropias {
    Aspecto AspectoTablero = Aspecto::Clasico;
    bool JugarEnRed = false;
    bool JugarPorSala = false;
    std::string ServidorSala;   // up to LargoServidor characters, no blanks
    bool operator==(const PreferenciasPropias&) const = default;
};

PreferenciasPropias PreferenciasDeTexto(const std::string& texto);
std::string TextoDePreferencias(const PreferenciasPropias& p);

// Read from and written to `carpeta` (ending in '/').  Writing replaces the
// file atomically and returns whether it could; a missing or unreadable
// file reads as the defaults.
PreferenciasPropias LeePreferencias(const std::string& carpeta);
bool EscribePreferencias(const std::string& carpeta, const PreferenciasPropias& p);

// One setting changed, the others kept as the file has them: a file that
// is there but cannot be read is left alone (false).
Aspecto LeeAspecto(const std::string& carpeta);
bool EscribeAspecto(const std::string& carpeta, Aspecto a);
// The network settings (switch, room, server) as given, the look kept;
// nothing is written when the file already has them.
bool EscribeRed(const std::string& carpeta, bool enRed, bool porSala, const std::string& servidor);

}  // namespace parchis
