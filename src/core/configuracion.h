// The configuration file ZRVEL34.INI: a whole state file holding the players,
// the rules, the preferences and, when the program was left in the middle of
// a game, that game.
#pragma once

#include <optional>
#include <string>

#include "core/partida.h"

namespace parchis {

inline constexpr const char* FicheroConfiguracion = "ZRVEL34.INI";

// A message for the person, to be shown later through the program's message
// dialog: title, text, the number of lines the dialog is sized for, the
// button set (1 Aceptar; 2 Aceptar and Cancelar) and a help topic (0: none).
struct AvisoUsuario {
    std::string Titulo;
    std::string Texto;
    int Lineas = 0;
    int Botones = 1;
    int Ayuda = 0;
    bool operator==(const AvisoUsuario&) const = default;
};

struct ResultadoConfiguracion {
    Entero FaltaIni = 0;                 // code of the failure to open; 0 when read
    std::optional<AvisoUsuario> Aviso;   // the message to show, if the code has one
};

// The program's code for errno `error` met opening the configuration file
// in the folder `carpeta`:
//   ENOMEM -> 7 (no memory)          ENOENT, folder there -> 53 (no file)
//   ENOENT, no folder; ENOTDIR -> 76 (path not found)
//   EIO ENXIO ENODEV ENOMEDIUM -> 68 (device not ready)
//   EOVERFLOW EFBIG -> 6 (overflow)
//   EACCES EPERM EISDIR EROFS ELOOP -> 75 (access refused)
//   EMFILE ENFILE -> 67 (too many files)   ENAMETOOLONG -> 52 (bad name)
//   anything else -> 57 (input/output failure)
Entero CodigoErrorCarga(int error, const std::string& carpeta);

// The message for a code, if it has one.  `carpeta` names the device of
// code 68.
std::optional<AvisoUsuario> AvisoErrorCarga(Entero codigo, const std::string& carpeta);

// Defaults for the players, rules and preferences; other fields keep their
// values.
void AplicaValoresPorDefecto(Partida& p);
// The name seat j (1..4) starts with.
const char* NombrePorDefecto(int j);

// Reads Carpeta + ZRVEL34.INI into the record (validated).  When it cannot
// be opened: the defaults; a missing file is written with them, while one
// that is there but cannot be read is left alone for the whole run
// (ConservarIni).
ResultadoConfiguracion LeerConfiguracion(Partida& p);

// Writes the record to Carpeta + ZRVEL34.INI (atomically); false when it
// was not written.
bool GuardarConfiguracion(const Partida& p);

// Whether GuardarConfiguracion can be expected to succeed: the file may be
// replaced and was not left alone at start-up.
bool SePuedeGuardarConfiguracion(const Partida& p);

}  // namespace parchis
