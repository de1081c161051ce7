// A client takes the administrator's seats and rules from the snapshot, and
// only from a snapshot that a state file of the same content would pass.
#include <gtest/gtest.h>

#include "core/codificacion.h"
#include "common/posicion.h"
#include "core/estado.h"
#include "net/instantanea.h"

namespace parchis {
namespace {

std::string LineaDelAdministrador() {
    Partida a = prueba::RegistroPorDefecto();
    a.Nombres = {"", "Ana", "Benito", "Carmen", "María"};
    a.Nivel = {0, 10, 20, 30, 40};
    a.Control = {0, 3, 3, 2, 1};
    a.Estado = {0, 1, 1, 2, 1};
    a.NumDados = 2;
    a.Sentido = 1;
    a.FichasPorJugador = 2;
    a.BarreraCompaneros = true;
    a.IdPartida = "4711";
    return ComponerEstado(a).Linea1;
}

// At the administrator's seat 2, with settings and a position of its own.
Partida Cliente() {
    Partida c = prueba::RegistroPorDefecto();
    c.PuestoAdmin = 2;
    c.Sonido = false;
    c.IPAdministrador = "10.0.0.1";
    c.Fichas[4][1] = 33;
    return c;
}

TEST(Instantanea, PuestosGiradosYReglasTomadas) {
    const std::string linea = LineaDelAdministrador();
    for (bool automatico : {false, true}) {
        Partida c = Cliente();
        ASSERT_TRUE(AplicarInstantanea(c, linea, automatico));
        // Seat s = 2: the administrator's 1, 2, 3, 4 are here 3, 4, 1, 2.
        EXPECT_EQ(c.Nombres, (std::array<std::string, 5>{"", "Carmen", "María", "Ana", "Benito"}));
        EXPECT_EQ(c.Nivel, (std::array<Entero, 5>{0, 30, 40, 10, 20}));
        EXPECT_EQ(c.Estado, (std::array<Entero, 5>{0, 2, 1, 1, 1}));
        EXPECT_EQ(c.Control, (std::array<Entero, 5>{0, 2, 3, 3, static_cast<Entero>(automatico ? 2 : 1)}));
        EXPECT_EQ(std::tuple(c.NumDados, c.Sentido, c.NumFichas, c.NumJugadores, c.BarreraCompaneros, c.IdPartida),
                  std::tuple(2, 1, 8, 3, true, "4711"));
        // This computer's own settings and position stay.
        EXPECT_EQ(std::tuple(c.Sonido, c.IPAdministrador, c.Fichas[4][1], c.PuestoAdmin),
                  std::tuple(false, "10.0.0.1", 33, 2));
    }
}

TEST(Instantanea, UnaLineaDanadaNoTocaNada) {
    const std::string buena = LineaDelAdministrador();
    const struct {
        const char* caso;
        std::size_t pos;   // 1-based
        std::string texto;
    } danos[] = {
        {"seat state 7", 13, "7"},        {"level 500", 10, "500"},       {"control x", 14, "x"},
        {"three dice", 813, "5"},        {"direction 9", 805, "9"},      {"boolean 'xx'", 801, "xx"},
        {"a quote in a name", 2, "\""}, {"a line break", 700, "\n"},    {"a control byte", 30, "\x01"},
        {"exit method 0", 817, "0"},
    };
    for (const auto& d : danos) {
        // Positions count characters: "María" is one byte each on the wire.
        std::string bytes = Windows1252DesdeUtf8(buena);
        bytes.replace(d.pos - 1, d.texto.size(), d.texto);
        const std::string linea = Utf8DesdeWindows1252(bytes);
        Partida c = Cliente();
        const Partida antes = c;
        EXPECT_FALSE(AplicarInstantanea(c, linea, false)) << d.caso;
        EXPECT_TRUE(c == antes) << d.caso;
    }
    Partida c = Cliente();
    EXPECT_FALSE(AplicarInstantanea(c, buena.substr(0, 899), false)) << "short";
    EXPECT_FALSE(AplicarInstantanea(c, buena + "x", false)) << "long";
    c.PuestoAdmin = 0;
    EXPECT_FALSE(AplicarInstantanea(c, buena, false)) << "no seat yet";
}

}  // namespace
}  // namespace parchis
