// Saved games by name: save, list, load and delete round trips, the
// overwrite warning, names that cannot be file names, failed saves and
// damaged files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <tuple>

#include "core/estado.h"
#include "core/fichero.h"
#include "common/ficheros.h"
#include "common/posicion.h"
#include "flow/ayudas_flow.h"
#include "flow/interfaz_prueba.h"
#include "flow/partidas_guardadas.h"

namespace parchis {
namespace {

namespace fs = std::filesystem;
using Resultado = DialogoPartidas::Resultado;

struct Guardadas : testing::Test {
    Guardadas() { p.Carpeta = carpeta.Texto(); }
    Resultado Acciona(ModoPartidas modo, const std::string& nombre) {
        DialogoPartidas d(p, ui, modo);
        d.CambiaNombre(nombre);
        return d.Acciona();
    }
    Resultado Guarda(const std::string& nombre) { return Acciona(ModoPartidas::Guardar, nombre); }
    prueba::CarpetaTemporal carpeta;
    Partida p = prueba::PartidaEnJuego();
    prueba::InterfazPrueba ui{p};
};

TEST_F(Guardadas, SaveListLoadAndDeleteByName) {
    p.Nombres[1] = "Íñigo";
    EXPECT_EQ(Guarda("  Partida de María  "), Resultado::Cerrar);
    EXPECT_EQ(Guarda("antes"), Resultado::Cerrar);
    fs::rename(carpeta.ruta / "antes.par", carpeta.ruta / "antes.PAR");
    EXPECT_EQ(ListaPartidas(p.Carpeta), (std::vector<std::string>{"antes", "Partida de María"}));

    Partida otra = prueba::PartidaEnJuego();
    otra.Carpeta = p.Carpeta;
    prueba::InterfazPrueba otraUi(otra);
    DialogoPartidas carga(otra, otraUi, ModoPartidas::Cargar);
    carga.CambiaNombre("antes");   // the extension in capitals
    EXPECT_TRUE(carga.BotonActivo());
    carga.CambiaNombre("Partida de María");
    EXPECT_EQ(carga.Intro(), Resultado::Cerrar);
    EXPECT_EQ(otra.Nombres[1], "Íñigo");
    EXPECT_TRUE(otra.PartidaCargada && !otra.CargandoPartida);

    DialogoPartidas borra(p, ui, ModoPartidas::Borrar);
    borra.CambiaNombre("antes");
    EXPECT_EQ(borra.Intro(), Resultado::Nada);   // Enter deletes nothing
    EXPECT_EQ(borra.Acciona(), Resultado::Borrada);
    EXPECT_EQ(ListaPartidas(p.Carpeta), std::vector<std::string>{"Partida de María"});
}

TEST_F(Guardadas, AnExistingNameIsOverwrittenOnlyAfterTheWarning) {
    ASSERT_EQ(Guarda("Una"), Resultado::Cerrar);
    p.Nombres[2] = "Otro";
    DialogoPartidas d(p, ui, ModoPartidas::Guardar);
    d.CambiaNombre("Una");
    EXPECT_EQ(d.DobleClic(), Resultado::Nada);
    EXPECT_EQ(d.LineaMensaje().substr(0, 25), "  Ya  existe  un  archivo");
    EXPECT_EQ(d.DobleClic(), Resultado::Nada);   // a double-click never overwrites
    d.CambiaNombre("Una ");                       // the same name typed again: warned again
    EXPECT_EQ(d.Acciona(), Resultado::Nada);
    EXPECT_EQ(d.Acciona(), Resultado::Cerrar);
    std::string contenido;
    ASSERT_EQ(LeeFichero(carpeta.Texto() + "Una.par", contenido), 0);
    EXPECT_EQ(contenido, ContenidoFichero(p));
}

TEST_F(Guardadas, NamesThatAreNoPlainFileNamesAreRefused) {
    std::string largo;   // 59 characters of four bytes each: too long with the writer's temporary name
    for (int i = 0; i < 59; ++i) largo += "😀";
    for (const std::string& nombre : std::vector<std::string>{"../fuera", "a/b", "a\\b", ".", "..", "a\tb", largo}) {
        ui.Mensajes.clear();
        EXPECT_EQ(Guarda(nombre), Resultado::Nada) << nombre;
        EXPECT_EQ(ui.Mensajes.size(), 1u) << nombre;
        DialogoPartidas carga(p, ui, ModoPartidas::Cargar);
        carga.CambiaNombre(nombre);
        EXPECT_FALSE(carga.BotonActivo()) << nombre;
    }
    EXPECT_TRUE(fs::is_empty(carpeta.ruta));
    EXPECT_FALSE(fs::exists(carpeta.ruta.parent_path() / "fuera.par"));
    // 70 characters are cut to 64.
    EXPECT_EQ(Guarda(std::string(70, 'x')), Resultado::Cerrar);
    EXPECT_TRUE(fs::exists(carpeta.ruta / (std::string(64, 'x') + ".par")));
}

TEST_F(Guardadas, AFailedSaveSaysSoAndKeepsTheDialogOpen) {
    p.Carpeta = carpeta.Texto() + "ya-no-existe/";
    EXPECT_EQ(Guarda("Perdida"), Resultado::Nada);
    const auto error = ui.ConTitulo("Error al guardar la partida");
    ASSERT_EQ(error.size(), 1u);
    EXPECT_NE(error[0].Texto.find("la carpeta de datos no existe"), std::string::npos);
    EXPECT_TRUE(p.CargaCorrecta);
}

// A saved game is checked as a postponed one: a damaged file is refused and
// the game in play stays exactly as it was; manual moves are part of a game.
TEST_F(Guardadas, ADamagedGameIsNotLoaded) {
    prueba::PospuestaDeVerdad(p.Carpeta, true);
    const std::string bueno = prueba::Lee(carpeta.ruta / "ZRVEL34.INI");
    Partida leida;
    LeerEstado(leida, bueno);
    ASSERT_GT(leida.NumJugada, 20);
    const auto retocada = [&](const std::function<void(Partida&)>& cambia) {
        Partida q = leida;
        cambia(q);
        return ContenidoFichero(q);
    };
    const auto alReves = [&] {   // the log's entries in the opposite order
        std::string c = bueno;
        const std::size_t inicio = 904 + 1, n = static_cast<std::size_t>(leida.NumJugada - 1);
        for (std::size_t e = 0; e < n; ++e) c.replace(inicio + e * 20, 20, bueno, inicio + (n - 1 - e) * 20, 20);
        return c;
    };
    const struct {
        const char* nombre;
        std::string contenido;
    } casos[] = {
        {"cortada en 903", bueno.substr(0, 903)},
        {"cortada en 1000", bueno.substr(0, 1000)},
        {"cortada en 1180", bueno.substr(0, 1180)},
        {"registro al revés", alReves()},
        {"ficha movida", retocada([](Partida& q) { q.Fichas[1][2] = q.Fichas[1][2] == 0 ? 30 : 0; })},
        {"casillas", retocada([](Partida& q) { std::swap(q.Casillas[5], q.Casillas[50]); })},
        {"NumJugada 9999", retocada([](Partida& q) { q.NumJugada = 9999; })},
        {"sin partida", retocada([](Partida& q) { q.PartidaIniciada = false; })},
        {"comillas y unos", "\"" + std::string(900, '1')},
        {"unas letras", "\"solo unas letras\"\r\n\"\"\r\n"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        std::ofstream(carpeta.ruta / "rota.par", std::ios::binary) << c.contenido;
        ui.Mensajes.clear();
        const Partida antes = p;
        EXPECT_EQ(Acciona(ModoPartidas::Cargar, "rota"), Resultado::Nada);
        const auto error = ui.ConTitulo("Error al cargar la partida");
        ASSERT_EQ(error.size(), 1u);
        EXPECT_NE(error[0].Texto.find("está dañado"), std::string::npos);
        p.CargaCorrecta = antes.CargaCorrecta;
        EXPECT_TRUE(p == antes);
    }
    fs::copy_file(carpeta.ruta / "ZRVEL34.INI", carpeta.ruta / "buena.par");
    EXPECT_EQ(Acciona(ModoPartidas::Cargar, "buena"), Resultado::Cerrar);
    EXPECT_EQ(std::tuple(prueba::Tablero(p), p.NumJugada), std::tuple(prueba::Tablero(leida), leida.NumJugada));
}

}  // namespace
}  // namespace parchis
