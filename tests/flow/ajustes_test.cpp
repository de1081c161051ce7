// The player and rules settings: what each click changes or refuses, and
// the exit check's questions, undoing and requests for the main window.
#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "core/configuracion.h"
#include "core/estado.h"
#include "core/fichero.h"
#include "core/preferencias_propias.h"
#include "flow/ajustes_jugadores.h"
#include "flow/ajustes_reglas.h"
#include "flow/arranque.h"
#include "flow/final.h"
#include "flow/motor.h"
#include "flow/ayudas_flow.h"
#include "flow/interfaz_prueba.h"

namespace parchis {
namespace {

using prueba::InterfazPrueba;

struct Ajustes : testing::Test {
    Ajustes() {
        p.Carpeta = carpeta.Texto();
        p.NumJugada = 3;   // two moves made
    }
    static std::vector<std::string> Titulos(const InterfazPrueba& u) {
        std::vector<std::string> t;
        for (const auto& m : u.Mensajes) t.push_back(m.Titulo);
        return t;
    }
    prueba::CarpetaTemporal carpeta;
    Partida p = prueba::PartidaEnJuego();
    InterfazPrueba ui{p};
};

// Control of the game: Remoto needs network play; an administrator's seats
// 1-3 are never Manual and its seat 4 never Automático.
TEST_F(Ajustes, ControlStepsAndCorrections) {
    struct Caso { bool red; int puesto; int desde; std::vector<int> pasos; };
    const Caso casos[] = {
        {false, 2, 1, {2, 1, 2}},
        {true, 2, 2, {3, 2, 3}},
        {true, 4, 1, {1, 1}},
    };
    for (const auto& c : casos) {
        p.JugarEnRed = c.red;
        p.ModoRed = 1;
        p.Control[c.puesto] = static_cast<Entero>(c.desde);
        for (int esperado : c.pasos) {
            ASSERT_TRUE(CambiaAjusteJugador(p, ui, AjusteJugador::Control, c.puesto));
            EXPECT_EQ(p.Control[c.puesto], esperado) << "red " << c.red << " puesto " << c.puesto;
        }
    }
}

TEST_F(Ajustes, RefusedChangesLeaveTheRecordAsItWas) {
    struct Caso { int modoRed; AjusteJugador a; int puesto; const char* titulo; };
    const Caso casos[] = {
        {2, AjusteJugador::Sentido, 0, "Juego en Red"}, {2, AjusteJugador::Control, 2, "Juego en Red"},
        {2, AjusteJugador::Pausa, 0, "Juego en Red"},   {1, AjusteJugador::Tutor, 0, "Partida en red"},
        {1, AjusteJugador::Estado, 4, "Juego en Red"},
    };
    for (const auto& c : casos) {
        p.JugarEnRed = true;
        p.ModoRed = static_cast<Entero>(c.modoRed);
        const Partida antes = p;
        ui.Mensajes.clear();
        EXPECT_FALSE(CambiaAjusteJugador(p, ui, c.a, c.puesto, 70));
        EXPECT_TRUE(p == antes);
        EXPECT_EQ(Titulos(ui), std::vector<std::string>{c.titulo});
    }
    p.ModoRed = 2;   // a client: the rules are the administrator's
    const Partida antes = p;
    EXPECT_FALSE(CambiaRegla(p, ui, 66));
    EXPECT_TRUE(p == antes);
    EXPECT_TRUE(CambiaAjusteJugador(p, ui, AjusteJugador::MiPuerto));   // the client's own port
}

TEST_F(Ajustes, NamesAndAdministratorAddresses) {
    for (auto [texto, nombre] : {std::pair{"  maría JOSÉ", "María Jos"}, {"ñOÑO", "Ñoño"}, {"a b", "A B"}})
        EXPECT_EQ(NombreCorregido(texto), nombre);
    const std::pair<const char*, bool> casos[] = {
        {"192.168.1.20", true}, {" 192 .168. 1.20 ", true}, {"10.0.0", false}, {"10.0.0.256", false},
        {"10.0..0.1", true},    {"a.b.c.d", true},          {"1.2.3.4.5", false}, {"", false},
    };
    for (const auto& [ip, valida] : casos) EXPECT_EQ(DireccionValida(ip), valida) << ip;
    EXPECT_EQ(std::pair(DireccionPrivada("172.20.1.1"), DireccionPrivada("172.32.1.1")), std::pair(true, false));
}

TEST_F(Ajustes, TheWindowStaysOpenUntilTheSettingsCanBePlayed) {
    const CopiaJugadores copia = EmpiezaAjustesJugadores(p);
    EXPECT_TRUE(std::filesystem::exists(carpeta.ruta / "ZRVEL34.ARE")) << "the situation before network play";
    p.Estado = {0, 2, 2, 2, 1};
    EXPECT_FALSE(SalidaAjustesJugadores(p, ui, copia));
    p.Estado[2] = 1;
    p.JugarEnRed = true;
    p.ModoRed = 1;
    EXPECT_FALSE(SalidaAjustesJugadores(p, ui, copia));
    p.ModoRed = 2;
    p.IPAdministrador = "10.0.0";
    EXPECT_FALSE(SalidaAjustesJugadores(p, ui, copia));
    // Switching network play on was asked before the address was found wrong.
    // Through a room the address is not asked for: the server and the code are.
    p.JugarPorSala = true;
    EXPECT_FALSE(SalidaAjustesJugadores(p, ui, copia));
    PonServidorSala(p, " salas.ejemplo.org:49930 ");
    PonCodigoSala(p, "k7m-4q");
    EXPECT_FALSE(SalidaAjustesJugadores(p, ui, copia));
    PonCodigoSala(p, "k7m 4qx");
    EXPECT_EQ(p.CodigoSala, "K7M4QX");
    EXPECT_TRUE(SalidaAjustesJugadores(p, ui, copia));
    EXPECT_EQ(p.ServidorSala, "salas.ejemplo.org:49930");
    EXPECT_EQ(Titulos(ui), (std::vector<std::string>{"Número de Jugadores", "Número de Jugadores en Red",
                                                  "Jugar en red", "Dirección IP", "Jugar en red",
                                                  "Servidor de salas", "Jugar en red", "Código de sala",
                                                  "Jugar en red"}));
}

// Each change that ends the game: the question, and what Aceptar and
// Cancelar leave.
TEST_F(Ajustes, ChangesThatEndTheGame) {
    const struct {
        const char* nombre; std::function<void(Partida&)> cambia; int respuesta; std::vector<std::string> titulos;
        bool nueva, restaurar; std::function<bool(const Partida&)> comprueba;
    } casos[] = {
        {"players confirmed", [](Partida& q) { q.Estado[1] = 2; }, Aceptar, {"Jugadores Activados"}, true,
         false, [](const Partida& q) { return q.Estado[1] == 2; }},
        {"players refused", [](Partida& q) { q.Estado[1] = 2; }, Cancelar, {"Jugadores Activados"}, false,
         false, [](const Partida& q) { return q.Estado[1] == 1; }},
        {"direction refused", [](Partida& q) { q.Sentido = 1; }, Cancelar, {"Sentido del juego"}, false,
         false, [](const Partida& q) { return q.Sentido == 2; }},
        {"direction before two moves", [](Partida& q) { q.Sentido = 1; q.NumJugada = 1; }, Cancelar, {},
         false, false, [](const Partida& q) { return q.Sentido == 1; }},
        {"network left, back to before", [](Partida& q) { q.JugarEnRed = false; }, Aceptar,
         {"Jugar en red", "Restaurar situación anterior"}, false, true,
         [](const Partida& q) { return !q.JugarEnRed; }},
        {"network not left", [](Partida& q) { q.JugarEnRed = false; q.Control[2] = 2; }, Cancelar,
         {"Jugar en red"}, false, false, [](const Partida& q) { return q.JugarEnRed && q.Control[2] == 3; }},
        {"network through a room refused", [](Partida& q) { q.JugarPorSala = true; q.ServidorSala = "s"; },
         Cancelar, {"Modo de juego en red"}, false, false,
         [](const Partida& q) { return !q.JugarPorSala && q.ServidorSala.empty(); }},
    };
    for (const auto& c : casos) {
        Partida q = p;
        if (std::string(c.nombre).find("network") != std::string::npos) {
            q.JugarEnRed = true;
            q.ModoRed = 1;
            q.Control[2] = 3;
        }
        InterfazPrueba u(q);
        const CopiaJugadores copia = EmpiezaAjustesJugadores(q);
        c.cambia(q);
        for (const auto& t : c.titulos) u.Responde(t, c.respuesta);
        ASSERT_TRUE(SalidaAjustesJugadores(q, u, copia)) << c.nombre;
        EXPECT_EQ(std::tuple(Titulos(u), q.PedirNuevaPartida, q.PedirRestaurarAnterior, c.comprueba(q)),
                  std::tuple(c.titulos, c.nueva, c.restaurar, true)) << c.nombre;
    }
}

// A name left blank in the window keeps the one the seat had (or, with
// none, its first); any other is kept trimmed.
TEST_F(Ajustes, ABlankNameKeepsTheSeatsName) {
    const struct { const char* antes; const char* escrito; const char* queda; } casos[] = {
        {"Ana", "", "Ana"}, {"Ana", "   ", "Ana"}, {"", " ", "Roberto"}, {"Ana", " Eva ", "Eva"}};
    for (const auto& c : casos) {
        p.Nombres[2] = c.antes;
        const CopiaJugadores copia = EmpiezaAjustesJugadores(p);
        p.Nombres[2] = c.escrito;
        ASSERT_TRUE(SalidaAjustesJugadores(p, ui, copia));
        EXPECT_EQ(p.Nombres[2], c.queda) << "'" << c.escrito << "'";
    }
}

// A seat given to the computer in the player settings while its person is
// choosing a piece: nobody is left to choose, so the computer makes its
// move and the game goes on to its end.
TEST_F(Ajustes, ASeatGivenToTheComputerWhileItsPersonChoosesPlaysOn) {
    p.NumJugada = 0;
    p.Control[4] = 1;
    bool cedido = false;
    ui.Persona = [&] {
        ASSERT_TRUE(CambiaAjusteJugador(p, ui, AjusteJugador::Control, 4));
        cedido = p.Control[4] == 2;
    };
    JuegaPartida(p, ui);
    EXPECT_TRUE(cedido);
    EXPECT_EQ(ui.ConTitulo(TituloFinal).size(), 1u);
    EXPECT_FALSE(p.PartidaIniciada);
}

TEST_F(Ajustes, AnAdministratorsChangesReachTheClients) {
    p.JugarEnRed = true;
    p.ModoRed = 1;
    p.Control[1] = 3;
    const CopiaJugadores copia = EmpiezaAjustesJugadores(p);
    p.Nombres[2] = "ROBERTO";   // the same name to the clients
    ASSERT_TRUE(SalidaAjustesJugadores(p, ui, copia));
    EXPECT_TRUE(ui.Enviados.empty());
    p.Caracter[3] = 3;
    ASSERT_TRUE(SalidaAjustesJugadores(p, ui, copia));
    ASSERT_EQ(ui.Enviados.size(), 1u);
    EXPECT_EQ(ui.Enviados[0].first.substr(0, 7), "ZRA3411");
}

// A change is in the configuration file as the window closes, not only at
// exit: a client's network address survives a crash.  A game under way is
// kept as the exit keeps it; a network game is not.
TEST_F(Ajustes, ChangedSettingsAreWrittenAsTheWindowCloses) {
    const std::tuple<bool, std::function<void(Partida&)>, bool> casos[] = {
        {false, [](Partida&) {}, false},
        {false, [](Partida& q) { q.Nombres[2] = "Rosa"; }, true},
        {true, [](Partida& q) { q.IPAdministrador = "192.168.1.9"; }, true},
    };
    for (const auto& [enRed, cambia, escrito] : casos) {
        std::filesystem::remove(carpeta.ruta / FicheroConfiguracion);
        p.JugarEnRed = enRed;
        const CopiaJugadores copia = EmpiezaAjustesJugadores(p);
        cambia(p);
        ASSERT_TRUE(SalidaAjustesJugadores(p, ui, copia));
        ASSERT_EQ(std::filesystem::exists(carpeta.ruta / FicheroConfiguracion), escrito);
        Partida leida;
        leida.Carpeta = carpeta.Texto();
        CargarEstado(leida, FicheroConfiguracion);
        // The address is kept blank-padded; "Jugar en red" itself is never stored.
        EXPECT_EQ(escrito && leida.Nombres == p.Nombres && leida.IPAdministrador.starts_with(p.IPAdministrador) &&
                      leida.PartidaIniciada == !enRed,
                  escrito);
    }
}

// "Jugar en red" is kept in the program's own file as the window is left:
// the next start (after a crash as after an exit) offers it, switched on
// with the address and role, and nothing connects until the window is
// confirmed; declining it is kept too.  A damaged file offers nothing.
TEST_F(Ajustes, NetworkPlayIsOfferedAgainAtTheNextStart) {
    const auto reinicia = [&](const std::string& fichero = {}) {
        if (!fichero.empty()) {
            ASSERT_TRUE(EscribeFichero(carpeta.Texto() + FicheroPreferencias, fichero));
        }
        p = Partida{};
        InterfazPrueba u(p);
        ASSERT_TRUE(Arranque(p, u, carpeta.ruta.string()));
        EXPECT_FALSE(p.JugarEnRed);
    };
    EscribeAspecto(carpeta.Texto(), Aspecto::Moderno);
    // 0: switched on by hand; 1: offered and confirmed; 2: offered, declined.
    for (int vez = 0; vez <= 2; ++vez) {
        SCOPED_TRACE(vez);
        InterfazPrueba u(p);
        const CopiaJugadores copia = EmpiezaAjustesJugadores(p);
        EXPECT_EQ(p.JugarEnRed, vez > 0);
        if (vez == 0) {
            p.JugarEnRed = true;
            p.IPAdministrador = "192.168.1.9";
        }
        EXPECT_TRUE(p.ModoRed == 2 && p.IPAdministrador.starts_with("192.168.1.9"));
        u.Responde("Jugar en red", vez < 2 ? Aceptar : Cancelar);
        ASSERT_TRUE(SalidaAjustesJugadores(p, u, copia));
        EXPECT_EQ(p.PedirInicioRed, vez < 2);
        ASSERT_NO_FATAL_FAILURE(reinicia());
        EXPECT_EQ(p.JugarEnRedRecordado, vez < 2);
    }
    EXPECT_EQ(LeeAspecto(carpeta.Texto()), Aspecto::Moderno);
    const std::string danados[] = {std::string("JugarEnRed=Si\0\n", 15), std::string(5000, 'x') + "\nJugarEnRed=Si\n"};
    for (const std::string& d : danados) {
        ASSERT_NO_FATAL_FAILURE(reinicia(d));
        EXPECT_FALSE(p.JugarEnRedRecordado) << d.size();
        EmpiezaAjustesJugadores(p);
        EXPECT_FALSE(p.JugarEnRed);
    }
    // The room server is offered again at the next start.
    ASSERT_NO_FATAL_FAILURE(reinicia("JugarPorSala=Si\nServidorSala=salas.ejemplo.org\n"));
    EXPECT_TRUE(p.JugarPorSala && p.ServidorSala == "salas.ejemplo.org");
}

// --- rules -------------------------------------------------------------------------------

TEST_F(Ajustes, RuleChangesDuringAGameCancelledLeaveEveryFieldAsItWas) {
    const Partida antes = p;
    const CopiaReglas copia = CopiaDeReglas(p);
    for (const auto& c : ControlesReglas()) ASSERT_TRUE(CambiaRegla(p, ui, c.Numero));
    EXPECT_EQ(p.NumFichas, 8);
    p.ModoJuego = 1;   // pairs needs four players: not this test's question
    for (const char* t : {"Número de dados", "Fichas por jugador"}) ui.Responde(t, Cancelar);
    ASSERT_TRUE(SalidaReglas(p, ui, copia));
    EXPECT_EQ(std::tuple(Titulos(ui), p.PedirNuevaPartida, p.NumDados, p.FichasPorJugador, p.NumFichas),
              std::tuple(std::vector<std::string>{"Número de dados", "Fichas por jugador"}, false, antes.NumDados,
                         antes.FichasPorJugador, antes.NumFichas));
    EXPECT_NE(p.SeisConTodas, antes.SeisConTodas);   // taken without a question
}

TEST_F(Ajustes, OneAcceptedNewGameCoversTheOtherRules) {
    const CopiaReglas copia = CopiaDeReglas(p);
    CambiaRegla(p, ui, 9);
    CambiaRegla(p, ui, 4);
    ASSERT_TRUE(SalidaReglas(p, ui, copia));
    EXPECT_EQ(std::tuple(Titulos(ui), p.PedirNuevaPartida, p.NumDados),
              std::tuple(std::vector<std::string>{"Modo de juego"}, true, 2));
}

TEST_F(Ajustes, PairsNeedFourPlayers) {
    p.Estado[2] = 2;
    const CopiaReglas copia = CopiaDeReglas(p);
    CambiaRegla(p, ui, 9);
    EXPECT_FALSE(SalidaReglas(p, ui, copia));
    ASSERT_EQ(ui.Mensajes.size(), 1u);
    EXPECT_NE(ui.Mensajes[0].Texto.find("estan en juego 3 jugadores."), std::string::npos);
    CambiaRegla(p, ui, 9);
    EXPECT_TRUE(SalidaReglas(p, ui, copia));
}

}  // namespace
}  // namespace parchis
