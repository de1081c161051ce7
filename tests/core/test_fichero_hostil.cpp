// Data files in a folder the user arranged: links, protected files, pipes in
// place of files, and what a save cut short leaves behind.
#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "ayudas_core.h"
#include "common/otro_usuario.h"
#include "core/configuracion.h"
#include "core/fichero.h"

namespace parchis {
namespace {

namespace fs = std::filesystem;
using prueba::CarpetaTemporal;
using prueba::Escribe;
using prueba::Lee;

mode_t Modo(const std::string& ruta) {
    struct stat datos{};
    lstat(ruta.c_str(), &datos);
    return datos.st_mode;
}

// A link is followed: its target is replaced in its own folder and the link
// stays a link, whether it names the target from its own folder, by a full
// path, or names a file not made yet.
TEST(FicheroHostil, UnEnlaceSeSigueHastaSuDestino) {
    CarpetaTemporal carpeta;
    const std::string datos = carpeta.Ruta() + "datos/", otra = carpeta.Ruta() + "otra/";
    fs::create_directories(datos);
    fs::create_directories(otra);
    const struct {
        const char* enlace;
        std::string apunta, destino;
        bool existe;
    } casos[] = {
        {"relativo.par", "../otra/relativo.par", otra + "relativo.par", true},
        {"absoluto.par", otra + "absoluto.par", otra + "absoluto.par", true},
        {"cadena.par", "relativo2.par", otra + "final.par", true},
        {"colgante.par", otra + "nuevo.par", otra + "nuevo.par", false},
    };
    fs::create_symlink(otra + "final.par", datos + "relativo2.par");
    for (const auto& c : casos) {
        SCOPED_TRACE(c.enlace);
        if (c.existe) Escribe(c.destino, "viejo");
        fs::create_symlink(c.apunta, datos + c.enlace);
        ASSERT_TRUE(EscribeFichero(datos + c.enlace, "nuevo"));
        EXPECT_TRUE(fs::is_symlink(datos + c.enlace));
        EXPECT_EQ(Lee(c.destino), "nuevo");
    }
}

// Pipes and devices in place of a data file are refused at once: reading,
// replacing and appending neither block nor replace them.
TEST(FicheroHostil, NiTuberiasNiDispositivos) {
    CarpetaTemporal carpeta;
    const std::string tuberia = carpeta.Ruta() + "ZRVEL34.INI";
    ASSERT_EQ(mkfifo(tuberia.c_str(), 0666), 0);
    alarm(10);   // a blocked open ends the test program instead of hanging it
    for (const std::string& ruta : {tuberia, std::string("/dev/zero")}) {
        SCOPED_TRACE(ruta);
        std::string contenido = "sin tocar";
        EXPECT_EQ(LeeFichero(ruta, contenido), EACCES);
        EXPECT_EQ(contenido, "sin tocar");
        EXPECT_FALSE(AnadeAFichero(ruta, "x"));
    }
    EXPECT_FALSE(EscribeFichero(tuberia, "x"));
    EXPECT_FALSE(SePuedeReemplazar(tuberia));
    EXPECT_TRUE(S_ISFIFO(Modo(tuberia)));
    alarm(0);
}

TEST(FicheroHostil, SeConservanLosPermisosYNoSeReemplazaLoProtegido) {
    CarpetaTemporal carpeta;
    const std::string privado = carpeta.Ruta() + "privado.par", protegido = carpeta.Ruta() + "ZRVEL34.INI";
    Escribe(privado, "viejo");
    Escribe(protegido, "protegido");
    chmod(privado.c_str(), 0600);
    chmod(protegido.c_str(), 0444);
    prueba::ComoUsuarioCorriente(carpeta.Ruta(), [&] {
        EXPECT_TRUE(EscribeFichero(privado, "nuevo"));
        EXPECT_EQ(Lee(privado), "nuevo");
        EXPECT_EQ(Modo(privado) & 07777, 0600u);

        EXPECT_FALSE(SePuedeReemplazar(protegido));
        EXPECT_FALSE(EscribeFichero(protegido, "nuevo"));
        EXPECT_TRUE(EscribeFichero(protegido, "protegido")) << "nothing to change";
        EXPECT_EQ(Lee(protegido), "protegido");
        EXPECT_EQ(Modo(protegido) & 07777, 0444u);

        // A file that cannot be read at start-up is never replaced that run.
        chmod(protegido.c_str(), 0200);
        Partida p;
        p.Carpeta = carpeta.Ruta();
        const ResultadoConfiguracion r = LeerConfiguracion(p);
        EXPECT_EQ(r.FaltaIni, 75);
        EXPECT_TRUE(p.ConservarIni);
        EXPECT_EQ(p.Nombres[1], "Carmen");
        EXPECT_FALSE(GuardarConfiguracion(p));
        chmod(protegido.c_str(), 0644);
        EXPECT_EQ(Lee(protegido), "protegido");
    });
}

TEST(FicheroHostil, SeBorranLosTemporalesQueSonNuestros) {
    CarpetaTemporal carpeta;
    const std::string datos = carpeta.Ruta() + "datos/", otra = carpeta.Ruta() + "otra/";
    fs::create_directories(datos);
    fs::create_directories(otra);
    const struct {
        std::string ruta;
        bool queda;
    } casos[] = {
        {datos + "ZRVEL34.INI", true},
        {datos + "ZRVEL34.INI.parchis-tmp4242", false},
        {datos + "ZRVEL34.INI.tmp4242", false},
        {datos + "tarde.par.tmp17", false},
        {datos + "tarde.par.parchis-tmp17", false},
        {datos + "notas.txt.tmp17", true},
        {datos + "tarde.par.parchis-tmpxyz", true},
        {otra + "real.par.parchis-tmp99", false},
        {otra + "ajeno.par.parchis-tmp99", true},
    };
    for (const auto& c : casos) Escribe(c.ruta, "x");
    fs::create_symlink("../otra/real.par", datos + "enlace.par");
    fs::create_directory(datos + "carpeta.par.parchis-tmp5");
    BorraTemporales(datos);
    for (const auto& c : casos) EXPECT_EQ(fs::exists(c.ruta), c.queda) << c.ruta;
    EXPECT_TRUE(fs::is_directory(datos + "carpeta.par.parchis-tmp5"));

}

}  // namespace
}  // namespace parchis
