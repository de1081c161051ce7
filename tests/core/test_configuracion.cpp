#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <sys/resource.h>

#include "ayudas_core.h"
#include "core/configuracion.h"
#include "core/estado.h"

namespace parchis {
namespace {

using prueba::CarpetaTemporal;
using prueba::Escribe;
using prueba::Lee;

TEST(Configuracion, ErroresDeAperturaConCausaReal) {
    CarpetaTemporal carpeta;
    Escribe(carpeta.Texto() + "fichero", "x");
    std::filesystem::create_directory(carpeta.Texto() + "conCarpeta");
    std::filesystem::create_directory(carpeta.Texto() + "conCarpeta/ZRVEL34.INI");
    const std::string falta = "CID ERROR 76: No existe el fichero de inicialización ZRVEL34.INI";
    struct Caso {
        std::string carpeta;
        Entero codigo;
        std::string texto;   // empty: no message
        bool seCrea;
    } casos[] = {
        {carpeta.Texto(), 53, "", true},
        {carpeta.Texto() + "no-existe/", 76, falta, false},
        {carpeta.Texto() + "fichero/", 76, falta, false},
        {carpeta.Texto() + "conCarpeta/", 75, "CID ERROR 75", false},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.carpeta);
        Partida p;
        p.Carpeta = c.carpeta;
        p.Nivel[1] = 7;
        const ResultadoConfiguracion r = LeerConfiguracion(p);
        EXPECT_EQ(r.FaltaIni, c.codigo);
        EXPECT_EQ(r.Aviso, c.texto.empty() ? std::nullopt
                                           : std::optional(AvisoUsuario{"Error en la carga de datos iniciales",
                                                                        c.texto, 3, 1, 0}));
        EXPECT_EQ(p.Nivel[1], 50);   // the defaults, whatever the failure
        EXPECT_EQ(p.Nombres[3], "María");
        // A missing file is created holding the defaults.
        EXPECT_EQ(Lee(c.carpeta + "ZRVEL34.INI"), c.seCrea ? ContenidoFichero(prueba::RegistroPorDefecto()) : "");
    }
}

// A drive that is not ready is named without its final slash.
TEST(Configuracion, AvisoDeUnidadNoPreparada) {
    EXPECT_EQ(CodigoErrorCarga(EIO, "/media/usb/juegos/"), 68);
    EXPECT_EQ(AvisoErrorCarga(68, "/media/usb/juegos/")->Texto, "CID ERROR 68: Unidad /media/usb/juegos: no preparada");
}

TEST(Configuracion, UnaEscrituraFallidaDejaElFicheroAnterior) {
    CarpetaTemporal carpeta;
    Partida p = prueba::RegistroPorDefecto();
    p.Carpeta = carpeta.Texto();
    GuardarConfiguracion(p);
    const std::string anterior = Lee(carpeta.Texto() + "ZRVEL34.INI");
    p.Nombres[1] = "Otra";
    // Writes fail once the file passes 100 bytes (a limit root obeys too).
    rlimit original{};
    getrlimit(RLIMIT_FSIZE, &original);
    rlimit limite = original;
    limite.rlim_cur = 100;
    const auto senal = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &limite);
    GuardarConfiguracion(p);
    setrlimit(RLIMIT_FSIZE, &original);
    std::signal(SIGXFSZ, senal);
    EXPECT_EQ(Lee(carpeta.Texto() + "ZRVEL34.INI"), anterior);
    // Nothing else is left behind in the folder.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(carpeta.Texto()), {}), 1);
    // A folder below a file cannot be written: the file stays as it was.
    p.Carpeta = carpeta.Texto() + "ZRVEL34.INI/";
    GuardarConfiguracion(p);
    EXPECT_EQ(Lee(carpeta.Texto() + "ZRVEL34.INI"), anterior);
}

TEST(Configuracion, CargarEstadoIndicaSiPudoAbrir) {
    CarpetaTemporal carpeta;
    Partida guardada = prueba::RegistroPorDefecto();
    guardada.Carpeta = carpeta.Texto();
    guardada.Velocidad = 90;
    GuardarEstado(guardada, "prueba.par");
    // File, simulation; then loaded correctly, a game loaded, speed.
    const std::pair<std::pair<const char*, bool>, std::vector<int>> casos[] = {
        {{"falta.par", false}, {false, false, 10}},
        {{"prueba.par", false}, {true, true, 90}},
        {{"prueba.par", true}, {true, false, 90}}};
    for (const auto& [caso, esperado] : casos) {
        Partida p;
        p.Carpeta = carpeta.Texto();
        p.Velocidad = 10;
        p.LeyendoSimulacion = caso.second;
        CargarEstado(p, caso.first);
        EXPECT_EQ((std::vector<int>{p.CargaCorrecta, p.PartidaCargada, p.Velocidad}), esperado) << caso.first;
    }
}

}  // namespace
}  // namespace parchis
