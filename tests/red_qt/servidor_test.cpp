// How the room server's address splits into host and port.
#include <gtest/gtest.h>

#include "net/qt/sala_qt.h"

namespace parchis {
namespace {

TEST(ServidorSala, NombreDireccionYPuerto) {
    const struct { const char* texto; const char* host; int puerto; } casos[] = {
        {"salas.ejemplo.org", "salas.ejemplo.org", 0},
        {"203.0.113.5:49930", "203.0.113.5", 49930},
        {"2001:db8::5", "2001:db8::5", 0},
        {"[2001:db8::5]", "2001:db8::5", 0},
        {"[2001:db8::5]:49930", "2001:db8::5", 49930},
        {"salas:0", "salas:0", -1},
        {":49930", ":49930", -1},
        {"[2001:db8::5]:", "[2001:db8::5]:", -1},
        {"[2001:db8::5]49930", "[2001:db8::5]49930", -1},
        {"[2001:db8::5", "[2001:db8::5", -1},
        {"[]:49930", "[]:49930", -1},
        {"[::1]:70000", "[::1]:70000", -1},
    };
    for (const auto& c : casos) {
        const auto [host, puerto] = SeparaServidor(c.texto);
        EXPECT_EQ(host, c.host) << c.texto;
        EXPECT_EQ(puerto, c.puerto) << c.texto;
    }
}

}  // namespace
}  // namespace parchis
