// The data folder: the program's own folder when it can be written to, or
// else a folder of the user's ($XDG_DATA_HOME/parchis/, by default
// ~/.local/share/parchis/).
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "core/partida.h"

namespace parchis {

inline constexpr const char* FicheroPrueba = "CSCD.WRK";
inline constexpr const char* FicheroHistorial = "ZRVEL34.HIS";

// Looks up an environment variable; tests pass their own.
using ConsultaEntorno = std::function<std::optional<std::string>(const std::string&)>;

std::optional<std::string> EntornoDelSistema(const std::string& variable);

// The user's data folder for the program, with a trailing '/'; empty when
// neither XDG_DATA_HOME (absolute) nor HOME is set.
std::string CarpetaUsuario(const ConsultaEntorno& entorno);

// True for the system's program folders (/usr/..., /opt/..., /bin,
// /sbin): a program there is an installed copy shared by every user.
bool CarpetaDelSistema(const std::string& carpeta);

// Sets Carpeta to the program's folder (with a trailing '/') when a file can
// be created there and it is not a system folder (root can write to /usr/bin,
// but an installed program must not leave its files there).  Otherwise Carpeta is the user's data folder, created if
// missing; when it holds no configuration yet, the configuration and the
// history are copied into it from the program's folder (a history already
// there is never overwritten).  Errors are ignored: the program goes on with
// the Carpeta it has.
void PrepararCarpeta(Partida& p, const std::string& carpetaPrograma,
                     const ConsultaEntorno& entorno = EntornoDelSistema);

}  // namespace parchis
