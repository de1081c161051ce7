// A client takes the administrator's seats and rules from the snapshot, and
// only from a snapshot that a state file of the same content would pass.
#include <gtest/gtest.h>

#include "core/codificacion.h"
#include "core/configuracion.h"
#include "core/estado.h"
#include "net/instantanea.h"

namespace parchis {
namespace {

Partida DelAdministrador() {
    Partida a;
    AplicaValoresPorDefecto(a);
    a.Nombres = {"", "Ana", "Benito", "Carmen", "María"};
    a.Nivel = {0, 10, 20, 30, 40};
    a.Control = {0, 3, 3, 2, 1};
    a.Caracter = {0, 1, 2, 3, 1};
    a.Estado = {0, 1, 1, 2, 1};
    a.NumDados = 2;
    a.Sentido = 1;
    a.FichasPorJugador = 2;
    a.BarreraCompaneros = true;
    a.PausaEntreJugadas = false;
    a.IdPartida = "4711";
    return a;
}

Partida Cliente() {
    Partida c;
    AplicaValoresPorDefecto(c);
    c.PuestoAdmin = 2;
    c.Sonido = false;
    c.Velocidad = 10;
    c.IPAdministrador = "10.0.0.1";
    c.Fichas[4][1] = 33;
    return c;
}

TEST(Instantanea, PuestosGiradosYReglasTomadas) {
    const std::string linea = ComponerEstado(DelAdministrador()).Linea1;
    for (bool automatico : {false, true}) {
        Partida c = Cliente();
        ASSERT_TRUE(AplicarInstantanea(c, linea, automatico));
        // Seat s = 2: the administrator's 1, 2, 3, 4 are here 3, 4, 1, 2.
        EXPECT_EQ(c.Nombres, (std::array<std::string, 5>{"", "Carmen", "María", "Ana", "Benito"}));
        EXPECT_EQ(c.Nivel, (std::array<Entero, 5>{0, 30, 40, 10, 20}));
        EXPECT_EQ(c.Estado, (std::array<Entero, 5>{0, 2, 1, 1, 1}));
        EXPECT_EQ(c.Control, (std::array<Entero, 5>{0, 2, 3, 3, static_cast<Entero>(automatico ? 2 : 1)}));
        EXPECT_EQ(c.NumDados, 2);
        EXPECT_EQ(c.Sentido, 1);
        EXPECT_EQ(c.NumFichas, 8);
        EXPECT_EQ(c.NumJugadores, 3);
        EXPECT_TRUE(c.BarreraCompaneros);
        EXPECT_FALSE(c.PausaEntreJugadas);
        EXPECT_EQ(c.IdPartida, "4711");
        // This computer's own settings and position stay.
        EXPECT_FALSE(c.Sonido);
        EXPECT_EQ(c.Velocidad, 10);
        EXPECT_EQ(c.IPAdministrador, "10.0.0.1");
        EXPECT_EQ(c.Fichas[4][1], 33);
        EXPECT_EQ(c.PuestoAdmin, 2);
    }
}

TEST(Instantanea, UnaLineaDanadaNoTocaNada) {
    const std::string buena = ComponerEstado(DelAdministrador()).Linea1;
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
