#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "ayudas_core.h"
#include "core/carpeta.h"

namespace parchis {
namespace {

using prueba::CarpetaTemporal;
using prueba::Escribe;
using prueba::Lee;

ConsultaEntorno Entorno(std::map<std::string, std::string> variables) {
    return [variables](const std::string& nombre) -> std::optional<std::string> {
        const auto v = variables.find(nombre);
        if (v == variables.end()) return std::nullopt;
        return v->second;
    };
}

// A folder in which "CSCD.WRK" cannot be created even by root: a folder of
// that name is already there.
struct ProgramaSoloLectura {
    CarpetaTemporal raiz;
    std::string programa = raiz.Texto() + "programa/";
    std::string datos = raiz.Texto() + "datos/parchis/";
    ProgramaSoloLectura() {
        std::filesystem::create_directories(programa + "CSCD.WRK");
        Escribe(programa + "ZRVEL34.INI", "ini del programa");
        Escribe(programa + "ZRVEL34.HIS", "historial del programa");
    }
    ConsultaEntorno Xdg() const { return Entorno({{"XDG_DATA_HOME", raiz.Texto() + "datos"}}); }
};

// Without permission the program's files are copied to the user's folder,
// but nothing the user already has there is overwritten.
TEST(Carpeta, SinPermisoSeCopianLosFicherosQueFaltan) {
    struct Caso {
        const char* ini;   // nullptr: not there
        const char* his;
        std::string iniFinal, hisFinal;
    } casos[] = {
        {nullptr, nullptr, "ini del programa", "historial del programa"},
        {"ini propio", nullptr, "ini propio", ""},
        {"ini propio", "historial propio", "ini propio", "historial propio"},
        {nullptr, "historial propio", "ini del programa", "historial propio"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.iniFinal + " / " + c.hisFinal);
        ProgramaSoloLectura caso;
        std::filesystem::create_directories(caso.datos);
        if (c.ini) Escribe(caso.datos + "ZRVEL34.INI", c.ini);
        if (c.his) Escribe(caso.datos + "ZRVEL34.HIS", c.his);
        Partida p;
        PrepararCarpeta(p, caso.programa, caso.Xdg());
        EXPECT_EQ(p.Carpeta, caso.datos);
        EXPECT_EQ(Lee(caso.datos + "ZRVEL34.INI"), c.iniFinal);
        EXPECT_EQ(Lee(caso.datos + "ZRVEL34.HIS"), c.hisFinal);
    }
}

// Beside the program when it can write there, leaving nothing behind; else
// the user's folder (a relative XDG_DATA_HOME ignored), made when missing,
// or the program's when the user has none.  Installed among the system's
// programs, always the user's folder (as root it could write beside itself).
TEST(Carpeta, DondeQuedanLosDatos) {
    CarpetaTemporal raiz;
    Escribe(raiz.Texto() + "fichero", "x");
    std::filesystem::create_directory(raiz.Texto() + "programa");
    const std::string bajoFichero = raiz.Texto() + "fichero/programa";
    const struct {
        std::string programa;
        std::map<std::string, std::string> entorno;
        std::string carpeta;
    } casos[] = {
        {raiz.Texto() + "programa", {}, raiz.Texto() + "programa/"},
        {bajoFichero, {{"XDG_DATA_HOME", "relativa"}, {"HOME", raiz.Texto() + "casa"}},
         raiz.Texto() + "casa/.local/share/parchis/"},
        {bajoFichero, {}, bajoFichero + "/"},
        {"/usr/bin", {{"XDG_DATA_HOME", raiz.Texto() + "xdg/"}}, raiz.Texto() + "xdg/parchis/"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.programa);
        Partida p;
        PrepararCarpeta(p, c.programa, Entorno(c.entorno));
        EXPECT_EQ(p.Carpeta, c.carpeta);
        EXPECT_TRUE(c.entorno.empty() || std::filesystem::is_directory(p.Carpeta));
        EXPECT_FALSE(std::filesystem::exists(c.programa + "/CSCD.WRK"));
        EXPECT_FALSE(std::filesystem::exists(p.Carpeta + "ZRVEL34.INI"));
    }
}

TEST(CarpetaSistema, SoloLasCarpetasDeProgramasDelSistema) {
    for (const char* sistema : {"/usr/bin", "/usr/local/games/", "/opt/parchis/bin", "/bin", "/sbin/"})
        EXPECT_TRUE(CarpetaDelSistema(sistema)) << sistema;
    for (const char* propia : {"/usrx/bin", "/home/ana/usr/bin", "/tmp/opt/", "/binarios", ""})
        EXPECT_FALSE(CarpetaDelSistema(propia)) << propia;
}

}  // namespace
}  // namespace parchis
