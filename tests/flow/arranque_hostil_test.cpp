// Start-up and exit in a data folder that is not as the program left it:
// another copy running on it, a configuration that cannot be read or
// written, a postponed game that cannot be played.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <fstream>
#include <tuple>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "common/ficheros.h"
#include "common/otro_usuario.h"
#include "common/posicion.h"
#include "core/bloqueo.h"
#include "core/configuracion.h"
#include "core/estado.h"
#include "flow/arranque.h"
#include "flow/ayudas_flow.h"
#include "flow/interfaz_prueba.h"

namespace parchis {
namespace {

namespace fs = std::filesystem;
using prueba::Lee;

// A copy of the program that holds the folder until it is killed.
pid_t OtraCopia(const std::string& carpeta) {
    int listo[2];
    if (pipe(listo) != 0) return -1;
    const pid_t hijo = fork();
    if (hijo == 0) {
        BloqueoCarpeta bloqueo(carpeta);
        if (write(listo[1], "x", 1) != 1) _exit(1);
        pause();
        _exit(0);
    }
    char c;
    return read(listo[0], &c, 1) == 1 ? hijo : -1;
}

// A second copy touches nothing, whatever stands in the lock file's place:
// a lock file it cannot write (another user's) or a folder of that name
// still guard the folder, and a link makes every copy refuse.  Once the
// first copy is dead a plain lock file is no obstacle, and the start
// removes what a save cut short left.
TEST(ArranqueHostil, UnaSegundaCopiaNoTocaNadaYUnaCopiaMuertaNoEstorba) {
    // `luego`: the start succeeds once the other copy is dead.
    const struct {
        const char* nombre; std::function<void(const fs::path&)> prepara; const char* aviso; bool luego;
    } casos[] = {
        {"nada", [](const fs::path&) {}, "Otra copia de este programa", true},
        {"de solo lectura", [](const fs::path& f) { std::ofstream(f) << ""; chmod(f.c_str(), 0444); },
         "Otra copia de este programa", false},
        {"carpeta", [](const fs::path& f) { fs::create_directory(f); }, "Otra copia de este programa", false},
        {"enlace", [](const fs::path& f) { fs::create_symlink("/tmp", f); }, "No se puede comprobar", false},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        prueba::CarpetaTemporal carpeta;
        const fs::path temporal = carpeta.ruta / "ZRVEL34.INI.parchis-tmp1234";
        std::ofstream(temporal) << "a medias";
        prueba::ComoUsuarioCorriente(carpeta.Texto(), [&] {
            c.prepara(carpeta.ruta / FicheroBloqueo);
            const pid_t otra = OtraCopia(carpeta.Texto());
            ASSERT_GT(otra, 0);
            Partida p;
            prueba::InterfazPrueba ui(p);
            EXPECT_FALSE(Arranque(p, ui, carpeta.ruta.string()));
            ASSERT_EQ(ui.Mensajes.size(), 1u);
            EXPECT_NE(ui.Mensajes[0].Texto.find(c.aviso), std::string::npos) << ui.Mensajes[0].Texto;
            EXPECT_FALSE(fs::exists(carpeta.ruta / "ZRVEL34.INI"));
            EXPECT_TRUE(fs::exists(temporal)) << "the other copy may be writing it";
            kill(otra, SIGKILL);
            waitpid(otra, nullptr, 0);
            if (!c.luego) return;
            Partida q;
            prueba::InterfazPrueba otraUi(q);
            EXPECT_TRUE(Arranque(q, otraUi, carpeta.ruta.string()));
            EXPECT_TRUE(fs::exists(carpeta.ruta / "ZRVEL34.INI"));
            EXPECT_FALSE(fs::exists(temporal)) << "left by a save cut short";
        });
    }
}

// A postponed game: seat 2 left its box onto 39, seat 1 could not move and
// seat 2 throws move 3; the file puts seat 2's piece on `casilla`.
void Pospuesta(const prueba::CarpetaTemporal& carpeta, int casilla) {
    Partida p = prueba::PartidaEnJuego();
    p.Carpeta = carpeta.Texto();
    prueba::Pon(p, 2, 1, casilla);
    prueba::Anota(p, Jugada{2, 0, 5, 0, 5, 3, 1, 0, 0, 39, 0, 1, 3, 0});
    prueba::Anota(p, Jugada{1, 0, 3, 0, 3, 2, 0, 0, 0, 0, 0, 1, 0, 0});
    p.Turno = 2;
    GuardarConfiguracion(p);
}

// Without a postponed game start-up waits for a command, and creates the
// configuration with the defaults; one that cannot be read is reported and
// the defaults are used.  A postponed game resumes where it stopped, manual
// moves and all; one that cannot be played (its position no longer follows
// from its log) is set aside, the settings kept, and so is every damaged
// game after it.  A file the person cannot replace stays as it was, through
// the run and its exit.
TEST(ArranqueHostil, LaPartidaPospuestaSeReanudaOSeAparta) {
    using Carpeta = const prueba::CarpetaTemporal&;
    const auto basura = [](Carpeta c) { std::ofstream(c.ruta / "ZRVEL34.INI") << std::string(1 << 22, '1'); };
    const struct {
        const char* nombre;
        std::function<void(Carpeta)> prepara;
        int turno, numero;      // who throws which move first: 0 when set aside, -1 any
        const char* apartado;   // the copy of the damaged file; "" when there can be none
        const char* error;      // the start of the loading error shown, "" for none
    } casos[] = {
        {"sin partida", [](Carpeta) {}, 0, 0, nullptr, ""},
        {"una carpeta", [](Carpeta c) { fs::create_directory(c.ruta / "ZRVEL34.INI"); }, 0, 0, nullptr,
         "CID ERROR "},
        {"basura", basura, 0, 0, "ZRVEL34.INI.dañado", ""},
        {"retocada", [](Carpeta c) { Pospuesta(c, 45); }, 0, 0, "ZRVEL34.INI.dañado", ""},
        {"la segunda dañada",
         [&](Carpeta c) {
             std::ofstream(c.ruta / "ZRVEL34.INI.dañado") << "la primera";
             basura(c);
         },
         0, 0, "ZRVEL34.INI.dañado.2", ""},
        {"de solo lectura",
         [](Carpeta c) {
             Pospuesta(c, 45);
             chmod((c.ruta / "ZRVEL34.INI").c_str(), 0444);
         },
         0, 0, "", ""},
        {"enlace a una carpeta de solo lectura",
         [](Carpeta c) {
             fs::create_directory(c.ruta / "real");
             fs::create_symlink("real/ZRVEL34.INI", c.ruta / "ZRVEL34.INI");
             Pospuesta(c, 45);
             chmod((c.ruta / "real").c_str(), 0555);
         },
         0, 0, "", ""},
        {"a mano", [](Carpeta c) { Pospuesta(c, 39); }, 2, 3, nullptr, ""},
        {"de verdad", [](Carpeta c) { prueba::PospuestaDeVerdad(c.Texto(), false); }, -1, -1, nullptr, ""},
        {"con movimientos a mano", [](Carpeta c) { prueba::PospuestaDeVerdad(c.Texto(), true); }, -1, -1,
         nullptr, ""},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        prueba::CarpetaTemporal carpeta;
        c.prepara(carpeta);
        const std::string antes = Lee(carpeta.ruta / "ZRVEL34.INI");
        prueba::ComoUsuarioCorriente(carpeta.Texto(), [&] {
            Partida p;
            prueba::InterfazPrueba ui(p);
            int turno = 0, numero = 0;
            ui.AlCeder = [&] { turno = p.Turno, numero = p.NumJugada, p.PartidaIniciada = false; };
            EXPECT_TRUE(Arranque(p, ui, carpeta.ruta.string()));
            const auto e = ui.ConTitulo("Error en la carga de datos iniciales");
            EXPECT_EQ(std::tuple(e.size(), e.empty() ? "" : e[0].Texto.substr(0, 10), ui.Cesiones != 0,
                                 p.PartidaIniciada),
                      std::tuple(*c.error ? 1u : 0u, c.error, c.turno != 0, false));
            EXPECT_TRUE(fs::exists(carpeta.ruta / "ZRVEL34.INI"));
            if (antes.empty()) {   // no file to read: the defaults
                EXPECT_EQ(p.Nombres[2], "Roberto");
            }
            if (c.turno > 0) {
                EXPECT_EQ(std::tuple(turno, numero, p.Fichas[2][1], p.Carpeta),
                          std::tuple(c.turno, c.numero, 39, carpeta.Texto()));
            }
            const bool aparte = c.apartado && *c.apartado;
            EXPECT_EQ(fs::exists(carpeta.ruta / "ZRVEL34.INI.dañado"), aparte);
            if (!c.apartado) return;
            const auto aviso = ui.ConTitulo("Continuar la partida anterior");
            ASSERT_EQ(aviso.size(), 1u);
            EXPECT_NE(aviso[0].Texto.find(aparte ? c.apartado : "No se ha podido guardar aparte"), std::string::npos);
            if (aparte) {
                EXPECT_EQ(Lee(carpeta.ruta / c.apartado), antes);
                EXPECT_EQ(Lee(carpeta.ruta / "ZRVEL34.INI"), ContenidoFichero(p)) << "the settings, no game";
            } else {
                EXPECT_TRUE(SalirDelPrograma(p, ui));
                EXPECT_EQ(Lee(carpeta.ruta / "ZRVEL34.INI"), antes);
                EXPECT_FALSE(fs::exists(carpeta.ruta / "real" / "ZRVEL34.INI.dañado"));
            }
        });
        if (fs::exists(carpeta.ruta / "ZRVEL34.INI.dañado.2")) {
            EXPECT_EQ(Lee(carpeta.ruta / "ZRVEL34.INI.dañado"), "la primera");
        }
    }
}

// A configuration the user cannot read is left for them to repair, and one
// they cannot write is not lost at exit without a question.
TEST(ArranqueHostil, ConfiguracionProtegida) {
    prueba::CarpetaTemporal carpeta;
    const fs::path ini = carpeta.ruta / "ZRVEL34.INI";
    Partida pospuesta = prueba::PartidaEnJuego();
    pospuesta.Carpeta = carpeta.Texto();
    GuardarConfiguracion(pospuesta);
    const std::string guardado = Lee(ini);
    prueba::ComoUsuarioCorriente(carpeta.Texto(), [&] {
        chmod(ini.c_str(), 0200);
        Partida p;
        prueba::InterfazPrueba ui(p);
        ui.AlMensaje = [&](const prueba::MensajeVisto&) { EXPECT_EQ(fs::file_size(ini), guardado.size()); };
        EXPECT_TRUE(Arranque(p, ui, carpeta.ruta.string()));
        const auto error = ui.ConTitulo("Error en la carga de datos iniciales");
        ASSERT_EQ(error.size(), 1u);
        EXPECT_NE(error[0].Texto.find("no se modifica"), std::string::npos);
        EXPECT_TRUE(SalirDelPrograma(p, ui));

        chmod(ini.c_str(), 0444);
        for (const int respuesta : {Cancelar, Aceptar}) {
            Partida q = pospuesta;
            q.NumJugada = 7;
            prueba::InterfazPrueba otra(q);
            otra.Responde("Posponer la partida en juego", Aceptar);
            otra.Responde("Posponer la partida en juego", respuesta);
            EXPECT_EQ(SalirDelPrograma(q, otra), respuesta == Aceptar);
            EXPECT_EQ(otra.Mensajes.size(), 2u) << "a second question before the game is lost";
        }
        EXPECT_EQ(Lee(ini), guardado);
    });
}

}  // namespace
}  // namespace parchis
