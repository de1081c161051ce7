#include <gtest/gtest.h>

#include <filesystem>

#include "ayudas_core.h"
#include "core/carpeta.h"

namespace parchis {
namespace {

TEST(CarpetaSistema, SoloLasCarpetasDeProgramasDelSistema) {
    for (const char* sistema : {"/usr/bin", "/usr/local/games/", "/opt/parchis/bin", "/bin", "/sbin/"})
        EXPECT_TRUE(CarpetaDelSistema(sistema)) << sistema;
    for (const char* propia : {"/usrx/bin", "/home/ana/usr/bin", "/tmp/opt/", "/binarios", ""})
        EXPECT_FALSE(CarpetaDelSistema(propia)) << propia;
}

// Installed in /usr/bin, the program uses the user's folder even when it
// could write beside itself (as root it can), and leaves nothing there.
TEST(CarpetaSistema, InstaladoUsaLaCarpetaDelUsuario) {
    prueba::CarpetaTemporal datos;
    const ConsultaEntorno entorno = [&](const std::string& nombre) -> std::optional<std::string> {
        if (nombre == "XDG_DATA_HOME") return datos.Texto();
        return std::nullopt;
    };
    Partida p;
    PrepararCarpeta(p, "/usr/bin", entorno);
    EXPECT_EQ(p.Carpeta, datos.Texto() + "parchis/");
    EXPECT_TRUE(std::filesystem::is_directory(p.Carpeta));
    EXPECT_FALSE(std::filesystem::exists("/usr/bin/CSCD.WRK"));
}

}  // namespace
}  // namespace parchis
