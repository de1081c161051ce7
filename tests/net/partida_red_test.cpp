// An administrator and its clients, each on a thread of its own with its
// own record, play through sockets in memory.
#include <gtest/gtest.h>

#include "flow/final.h"
#include "net/memoria.h"
#include "net/textos_red.h"

namespace parchis {
namespace {

using prueba::Ordenador;

// Every seat played by a computer: the three clients' own seats and the
// administrator's.  At the end every computer holds the same log.
TEST(PartidaEnRed, CuatroOrdenadoresTerminanConElMismoLog) {
    prueba::Centralita centralita;
    Ordenador admin(centralita, 1, 0, 11);
    // One client receives everything in pieces of 7 bytes, another byte by byte.
    Ordenador c1(centralita, 2, 1, 21, 7), c2(centralita, 2, 2, 22, 1), c3(centralita, 2, 3, 23);
    prueba::EnHilos({[&] { admin.Juega(); }, [&] { c1.Juega(); }, [&] { c2.Juega(); }, [&] { c3.Juega(); }});
    const std::string log = prueba::LogAdministrador(admin.p);
    EXPECT_GT(std::count(log.begin(), log.end(), '\n'), 40);
    for (const Ordenador* c : {&c1, &c2, &c3}) {
        EXPECT_EQ(prueba::LogAdministrador(c->p), log) << "client at seat " << c->p.PuestoAdmin;
        EXPECT_EQ(std::count(c->ui.Titulos.begin(), c->ui.Titulos.end(), TituloFinal), 1);
    }
}

}  // namespace
}  // namespace parchis
