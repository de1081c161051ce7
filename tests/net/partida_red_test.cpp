// Four computers in memory play whole games with computers at every seat.
#include <gtest/gtest.h>

#include "flow/sorteo.h"
#include "net/memoria.h"
#include "net/protocolo.h"

namespace parchis {
namespace {

// Two games in a row, the second started by the administrator as soon as
// its first ends (so it often reaches a client that has not yet taken the
// first game's last moves), and a chat message from every computer.  One
// client receives everything in pieces of 7 bytes, another byte by byte.
TEST(PartidaEnRed, CuatroOrdenadoresJueganDosPartidasConElMismoLog) {
    prueba::Centralita centralita;
    prueba::Ordenador admin(centralita, 1, 0, 11), c1(centralita, 2, 1, 21, 7), c2(centralita, 2, 2, 22, 1),
        c3(centralita, 2, 3, 23);
    for (prueba::Ordenador* o : {&admin, &c1, &c2, &c3})
        o->ui.AlEsperar = [o, enviado = false]() mutable {
            if (enviado || o->p.NumJugada < 10 || !o->p.PartidaIniciada) return;
            enviado = true;
            o->red.EnviaMensaje("hola de " + o->p.Nombres[4]);
        };
    std::atomic<bool> fin{false};
    const auto cliente = [&](prueba::Ordenador& c) {
        return [&] {
            c.Juega();
            c.Atiende(fin);
        };
    };
    prueba::EnHilos({[&] {
                         admin.Juega();
                         admin.red.Envia(TextoNuevaPartida(), 0);
                         NuevaPartida(admin.p, admin.ui);
                         while (c1.ui.Terminadas + c2.ui.Terminadas + c3.ui.Terminadas < 6 &&
                                std::chrono::steady_clock::now() < admin.ui.Limite)
                             admin.ui.Espera();
                         fin = true;
                     },
                     cliente(c1), cliente(c2), cliente(c3)});
    ASSERT_EQ(admin.ui.Finales.size(), 2u);
    EXPECT_GT(std::count(admin.ui.Finales[0].begin(), admin.ui.Finales[0].end(), '\n'), 40);
    const std::string chat = admin.red.Mensajes().Texto();
    EXPECT_EQ(std::count(chat.begin(), chat.end(), '<'), 4 * 3) << "each message once";
    for (prueba::Ordenador* c : {&c1, &c2, &c3}) {
        EXPECT_EQ(c->ui.Finales, admin.ui.Finales) << "client at seat " << c->p.PuestoAdmin;
        EXPECT_EQ(c->red.Mensajes().Texto(), chat);
    }
}

}  // namespace
}  // namespace parchis
