#include "core/carpeta.h"

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <system_error>
#include <unistd.h>

#include "core/configuracion.h"
#include "core/fichero.h"

namespace parchis {

namespace {

std::string ConBarra(std::string carpeta) {
    if (carpeta.empty() || carpeta.back() != '/') carpeta += '/';
    return carpeta;
}

// Creating and deleting a file is the only sure test that a folder can be
// written to (permissions alone miss read-only media).
bool SePuedeEscribir(const std::string& carpeta) {
    const std::string prueba = carpeta + FicheroPrueba;
    const int fd = open(prueba.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    close(fd);
    unlink(prueba.c_str());
    return true;
}

bool Existe(const std::string& ruta) { return access(ruta.c_str(), F_OK) == 0; }

bool SePuedeAbrir(const std::string& ruta) {
    const int fd = open(ruta.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    close(fd);
    return true;
}

}  // namespace

std::optional<std::string> EntornoDelSistema(const std::string& variable) {
    const char* valor = std::getenv(variable.c_str());
    if (valor == nullptr) return std::nullopt;
    return std::string(valor);
}

std::string CarpetaUsuario(const ConsultaEntorno& entorno) {
    // A relative XDG_DATA_HOME is to be ignored, as the convention says.
    if (const auto datos = entorno("XDG_DATA_HOME"); datos && !datos->empty() && datos->front() == '/')
        return ConBarra(*datos) + "parchis/";
    if (const auto casa = entorno("HOME"); casa && !casa->empty())
        return ConBarra(*casa) + ".local/share/parchis/";
    return {};
}

bool CarpetaDelSistema(const std::string& carpeta) {
    const std::string c = ConBarra(carpeta);
    for (const char* sistema : {"/usr/", "/opt/", "/bin/", "/sbin/"})
        if (c.starts_with(sistema)) return true;
    return false;
}

void PrepararCarpeta(Partida& p, const std::string& carpetaPrograma, const ConsultaEntorno& entorno) {
    const std::string programa = ConBarra(carpetaPrograma);
    p.Carpeta = programa;
    if (!CarpetaDelSistema(programa) && SePuedeEscribir(programa)) return;

    const std::string usuario = CarpetaUsuario(entorno);
    if (usuario.empty()) return;
    p.Carpeta = usuario;
    std::error_code ignorado;
    std::filesystem::create_directories(usuario, ignorado);
    if (SePuedeAbrir(usuario + FicheroConfiguracion)) return;
    CopiaFichero(programa + FicheroConfiguracion, usuario + FicheroConfiguracion);
    // The history kept here may be newer than the program folder's copy.
    if (!Existe(usuario + FicheroHistorial))
        CopiaFichero(programa + FicheroHistorial, usuario + FicheroHistorial);
}

}  // namespace parchis
