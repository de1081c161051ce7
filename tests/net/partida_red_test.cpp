// An administrator and its clients, each on a thread of its own with its
// own record, play through sockets in memory.
#include <gtest/gtest.h>

#include "flow/final.h"
#include "flow/sorteo.h"
#include "net/memoria.h"
#include "net/protocolo.h"
#include "net/textos_red.h"

namespace parchis {
namespace {

using prueba::Ordenador;


// Every seat played by a computer, two games in a row and a chat message
// from each side.  The administrator starts its second game as soon as its
// first ends, so its new game usually reaches a client before the client
// has taken the first game's last moves.
TEST(PartidaEnRed, CuatroOrdenadoresJueganDosPartidasConElMismoLog) {
    prueba::Centralita centralita;
    Ordenador admin(centralita, 1, 0, 11);
    // One client receives everything in pieces of 7 bytes, another byte by byte.
    Ordenador c1(centralita, 2, 1, 21, 7), c2(centralita, 2, 2, 22, 1), c3(centralita, 2, 3, 23);
    std::vector<Ordenador*> todos{&admin, &c1, &c2, &c3};
    std::map<Ordenador*, std::vector<std::string>> logs;
    int aplazadas = 0;
    for (Ordenador* o : todos) {
        o->ui.AlMensaje = [o, &logs](const std::string& titulo) {
            if (titulo == TituloFinal) logs[o].push_back(prueba::LogAdministrador(o->p));
        };
        o->ui.AlEsperar = [o, &aplazadas, enviado = false]() mutable {
            aplazadas += o->red.HayPendiente();
            if (!enviado && o->p.NumJugada >= 10 && o->p.PartidaIniciada) {
                enviado = true;
                o->red.EnviaMensaje("hola de " + o->p.Nombres[4]);
            }
        };
    }
    std::atomic<bool> fin{false};
    auto cliente = [&](Ordenador& c) {
        return [&] {
            c.Juega();
            c.Atiende(fin);
        };
    };
    prueba::EnHilos({[&] {
                         admin.Juega();
                         admin.red.Envia(TextoNuevaPartida(), 0);
                         NuevaPartida(admin.p, admin.ui);
                         // Until every client has finished the second game.
                         while (logs[&c1].size() + logs[&c2].size() + logs[&c3].size() < 6 &&
                                std::chrono::steady_clock::now() < admin.ui.Limite)
                             admin.ui.Espera();
                         fin = true;
                     },
                     cliente(c1), cliente(c2), cliente(c3)});
    ASSERT_EQ(logs[&admin].size(), 2u);
    EXPECT_GT(std::count(logs[&admin][0].begin(), logs[&admin][0].end(), '\n'), 40);
    EXPECT_NE(logs[&admin][0], logs[&admin][1]);
    for (Ordenador* c : {&c1, &c2, &c3}) {
        EXPECT_EQ(logs[c], logs[&admin]) << "client at seat " << c->p.PuestoAdmin;
        EXPECT_EQ(c->p.IdPartida, admin.p.IdPartida);
    }
    EXPECT_GT(aplazadas, 0) << "no new game had to wait for the last moves";
    // Every computer shows the four messages once, in the same order.
    const std::string chat = admin.red.Mensajes().Texto();
    EXPECT_EQ(std::count(chat.begin(), chat.end(), '<'), 4 * 3);
    for (Ordenador* c : {&c1, &c2, &c3}) EXPECT_EQ(c->red.Mensajes().Texto(), chat);
}

}  // namespace
}  // namespace parchis
