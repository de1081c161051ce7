// The program's data on disk: the folder that holds them, the settings and
// state files, and data files in a folder the user arranged (links,
// protected files, pipes in place of files, and what a save cut short
// leaves behind).
#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <map>
#include <tuple>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "ayudas_core.h"
#include "common/otro_usuario.h"
#include "core/carpeta.h"
#include "core/configuracion.h"
#include "core/estado.h"
#include "core/fichero.h"
#include "core/preferencias_propias.h"

namespace parchis {
namespace {

namespace fs = std::filesystem;
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

// Without permission the program's files are copied to the user's folder,
// but nothing the user already has there is overwritten.
TEST(Carpeta, SinPermisoSeCopianLosFicherosQueFaltan) {
    // The user's files before (nullptr: not there) and after.
    const struct { const char *ini, *his; std::string iniFinal, hisFinal; } casos[] = {
        {nullptr, nullptr, "ini del programa", "historial del programa"},
        {"ini propio", nullptr, "ini propio", ""},
        {"ini propio", "historial propio", "ini propio", "historial propio"},
        {nullptr, "historial propio", "ini del programa", "historial propio"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.iniFinal + " / " + c.hisFinal);
        CarpetaTemporal raiz;
        const std::string programa = raiz.Texto() + "programa/", datos = raiz.Texto() + "datos/parchis/";
        // "CSCD.WRK" cannot be created there even by root: a folder of that
        // name is already there.
        fs::create_directories(programa + "CSCD.WRK");
        Escribe(programa + "ZRVEL34.INI", "ini del programa");
        Escribe(programa + "ZRVEL34.HIS", "historial del programa");
        fs::create_directories(datos);
        if (c.ini) Escribe(datos + "ZRVEL34.INI", c.ini);
        if (c.his) Escribe(datos + "ZRVEL34.HIS", c.his);
        Partida p;
        PrepararCarpeta(p, programa, Entorno({{"XDG_DATA_HOME", raiz.Texto() + "datos"}}));
        EXPECT_EQ(std::tuple(p.Carpeta, Lee(datos + "ZRVEL34.INI"), Lee(datos + "ZRVEL34.HIS")),
                  std::tuple(datos, c.iniFinal, c.hisFinal));
    }
}

// Beside the program when it can write there, leaving nothing behind; else
// the user's folder (a relative XDG_DATA_HOME ignored), made when missing,
// or the program's when the user has none.  Installed among the system's
// programs, always the user's folder (as root it could write beside itself).
TEST(Carpeta, DondeQuedanLosDatos) {
    CarpetaTemporal raiz;
    Escribe(raiz.Texto() + "fichero", "x");
    fs::create_directory(raiz.Texto() + "programa");
    const std::string bajoFichero = raiz.Texto() + "fichero/programa";
    const struct { std::string programa; std::map<std::string, std::string> entorno; std::string carpeta; } casos[] = {
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
        EXPECT_TRUE(c.entorno.empty() || fs::is_directory(p.Carpeta));
        EXPECT_FALSE(fs::exists(c.programa + "/CSCD.WRK"));
        EXPECT_FALSE(fs::exists(p.Carpeta + "ZRVEL34.INI"));
    }
}

TEST(CarpetaSistema, SoloLasCarpetasDeProgramasDelSistema) {
    for (const char* sistema : {"/usr/bin", "/usr/local/games/", "/opt/parchis/bin", "/bin", "/sbin/"})
        EXPECT_TRUE(CarpetaDelSistema(sistema)) << sistema;
    for (const char* propia : {"/usrx/bin", "/home/ana/usr/bin", "/tmp/opt/", "/binarios", ""})
        EXPECT_FALSE(CarpetaDelSistema(propia)) << propia;
}

TEST(Configuracion, ErroresDeAperturaConCausaReal) {
    CarpetaTemporal carpeta;
    Escribe(carpeta.Texto() + "fichero", "x");
    fs::create_directory(carpeta.Texto() + "conCarpeta");
    fs::create_directory(carpeta.Texto() + "conCarpeta/ZRVEL34.INI");
    const std::string falta = "CID ERROR 76: No existe el fichero de inicialización ZRVEL34.INI";
    // The message's text is empty when there is none.
    const struct { std::string carpeta; Entero codigo; std::string texto; bool seCrea; } casos[] = {
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
        EXPECT_EQ(std::tuple(p.Nivel[1], p.Nombres[3]), std::tuple(50, "María")) << "the defaults";
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
    EXPECT_EQ(std::distance(fs::directory_iterator(carpeta.Texto()), {}), 1);
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

mode_t Modo(const std::string& ruta) {
    struct stat datos{};
    lstat(ruta.c_str(), &datos);
    return datos.st_mode;
}

// The link stays a link and its target, existing or not yet, is replaced.
TEST(FicheroHostil, UnEnlaceSeSigueHastaSuDestino) {
    CarpetaTemporal carpeta;
    const std::string otra = carpeta.Texto() + "otra/";
    fs::create_directories(otra);
    Escribe(otra + "relativo.par", "viejo");
    const std::pair<std::string, std::string> casos[] = {{"relativo.par", "otra/relativo.par"},
                                                         {"colgante.par", otra + "nuevo.par"}};
    for (const auto& [enlace, apunta] : casos) {
        fs::create_symlink(apunta, carpeta.Texto() + enlace);
        ASSERT_TRUE(EscribeFichero(carpeta.Texto() + enlace, "nuevo")) << enlace;
        EXPECT_TRUE(fs::is_symlink(carpeta.Texto() + enlace));
        EXPECT_EQ(Lee(apunta.front() == '/' ? apunta : carpeta.Texto() + apunta), "nuevo");
    }
}

// Pipes and devices are refused at once, neither blocking nor replaced.
TEST(FicheroHostil, NiTuberiasNiDispositivos) {
    CarpetaTemporal carpeta;
    const std::string tuberia = carpeta.Texto() + "ZRVEL34.INI";
    ASSERT_EQ(mkfifo(tuberia.c_str(), 0666), 0);
    alarm(10);   // a blocked open ends the test program instead of hanging it
    for (const std::string& ruta : {tuberia, std::string("/dev/zero")}) {
        std::string contenido;
        EXPECT_EQ(LeeFichero(ruta, contenido), EACCES) << ruta;
        EXPECT_FALSE(AnadeAFichero(ruta, "x")) << ruta;
    }
    EXPECT_FALSE(EscribeFichero(tuberia, "x"));
    EXPECT_TRUE(S_ISFIFO(Modo(tuberia)));
    alarm(0);
}

TEST(FicheroHostil, SeConservanLosPermisosYNoSeReemplazaLoProtegido) {
    CarpetaTemporal carpeta;
    const std::string privado = carpeta.Texto() + "privado.par", protegido = carpeta.Texto() + "ZRVEL34.INI";
    Escribe(privado, "viejo");
    Escribe(protegido, "protegido");
    chmod(privado.c_str(), 0600);
    chmod(protegido.c_str(), 0444);
    prueba::ComoUsuarioCorriente(carpeta.Texto(), [&] {
        EXPECT_TRUE(EscribeFichero(privado, "nuevo"));
        EXPECT_EQ(Modo(privado) & 07777, 0600u);
        EXPECT_FALSE(EscribeFichero(protegido, "nuevo"));
        EXPECT_TRUE(EscribeFichero(protegido, "protegido")) << "nothing to change";
        EXPECT_EQ(Lee(protegido), "protegido");
        EXPECT_EQ(Modo(protegido) & 07777, 0444u);
    });
}

// Changing one preference keeps the others: with a file that cannot be
// read, none is written.
TEST(FicheroHostil, UnaPreferenciaIlegibleNoSePisa) {
    CarpetaTemporal carpeta;
    const std::string fichero = carpeta.Texto() + FicheroPreferencias;
    const std::string antes = "Aspecto=Clasico\nJugarEnRed=Si\nJugarPorSala=Si\nServidorSala=salas.ejemplo.org\n";
    Escribe(fichero, antes);
    chmod(fichero.c_str(), 0200);
    prueba::ComoUsuarioCorriente(carpeta.Texto(), [&] {
        EXPECT_FALSE(EscribeAspecto(carpeta.Texto(), Aspecto::Moderno));
        EXPECT_FALSE(EscribeRed(carpeta.Texto(), true, false, ""));
        chmod(fichero.c_str(), 0600);
        EXPECT_EQ(Lee(fichero), antes);
    });
}

TEST(FicheroHostil, SeBorranLosTemporalesQueSonNuestros) {
    CarpetaTemporal carpeta;
    const std::string datos = carpeta.Texto() + "datos/", otra = carpeta.Texto() + "otra/";
    fs::create_directories(datos);
    fs::create_directories(otra);
    const std::pair<std::string, bool> casos[] = {
        {datos + "ZRVEL34.INI", true},          {datos + "ZRVEL34.INI.parchis-tmp42", false},
        {datos + "ZRVEL34.INI.tmp42", false},    {datos + "tarde.par.tmp17", false},
        {datos + "notas.txt.tmp17", true},       {datos + "tarde.par.parchis-tmpxyz", true},
        {otra + "real.par.parchis-tmp9", false}, {otra + "ajeno.par.parchis-tmp9", true},
    };
    for (const auto& [ruta, queda] : casos) Escribe(ruta, "x");
    fs::create_symlink("../otra/real.par", datos + "enlace.par");
    BorraTemporales(datos);
    for (const auto& [ruta, queda] : casos) EXPECT_EQ(fs::exists(ruta), queda) << ruta;
}
}  // namespace
}  // namespace parchis
