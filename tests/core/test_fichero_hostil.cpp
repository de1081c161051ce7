// Data files in a folder the user arranged: links, protected files, pipes in
// place of files, and what a save cut short leaves behind.
#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "ayudas_core.h"
#include "common/otro_usuario.h"
#include "core/fichero.h"

namespace parchis {
namespace {

namespace fs = std::filesystem;
using prueba::Escribe;
using prueba::Lee;

mode_t Modo(const std::string& ruta) {
    struct stat datos{};
    lstat(ruta.c_str(), &datos);
    return datos.st_mode;
}

// The link stays a link and its target, existing or not yet, is replaced.
TEST(FicheroHostil, UnEnlaceSeSigueHastaSuDestino) {
    prueba::CarpetaTemporal carpeta;
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
    prueba::CarpetaTemporal carpeta;
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
    prueba::CarpetaTemporal carpeta;
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

TEST(FicheroHostil, SeBorranLosTemporalesQueSonNuestros) {
    prueba::CarpetaTemporal carpeta;
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
