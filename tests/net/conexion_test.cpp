// Seating callers, the resume marks and a client that drops out, between
// computers in memory.
#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "core/estado.h"
#include "flow/red.h"
#include "flow/sorteo.h"
#include "net/memoria.h"
#include "net/protocolo.h"
#include "net/textos_red.h"

namespace parchis {
namespace {

using prueba::Ordenador;

int Cuenta(const std::vector<std::string>& textos, const std::string& parte) {
    return static_cast<int>(std::count_if(textos.begin(), textos.end(),
                                          [&](const std::string& t) { return t.find(parte) != std::string::npos; }));
}

// Seats 1 and 3 remote: the first caller is refused, the second offered
// both seats and given the first, the third offered only the one left, and
// a caller after that is refused without asking anybody.
TEST(Conexion, CadaLlamadaSeResponde) {
    prueba::Centralita centralita;
    Ordenador admin(centralita, 1, 0, 1);
    admin.p.Control[2] = 2;
    admin.p.Nombres = {"", "Ana", "Benito", "Carmen", "Admin"};
    int llamadas = 0;
    admin.ui.Elige = [&](const std::vector<std::string>&) { return ++llamadas == 1 ? -1 : 0; };
    Ordenador a(centralita, 2, 1, 2), b(centralita, 2, 2, 3), c(centralita, 2, 3, 4), tarde(centralita, 2, 1, 5);
    std::atomic<bool> listo{false}, fin{false};
    prueba::EnHilos({[&] {
                         admin.red.IniciarRed();
                         listo = true;
                         admin.Atiende(fin);
                     },
                     [&] { a.red.IniciarRed(); }, [&] { b.red.IniciarRed(); }, [&] { c.red.IniciarRed(); },
                     [&] {
                         while (!listo) std::this_thread::yield();
                         tarde.red.IniciarRed();
                         fin = true;
                     }});
    ASSERT_EQ(admin.ui.Opciones.size(), 3u);
    EXPECT_EQ(admin.ui.Opciones[1], (std::vector<std::string>{"Ana (Oeste)", "Carmen (Este)"}));
    EXPECT_EQ(admin.ui.Opciones[2], (std::vector<std::string>{"Carmen (Este)"}));
    EXPECT_EQ(Cuenta(admin.ui.Textos, " ha sido rechazada."), 1);
    EXPECT_EQ(Cuenta(admin.ui.Textos, " se ha asignado al jugador Ana (Oeste)"), 1);
    EXPECT_EQ(Cuenta(admin.ui.Textos, " se ha asignado al jugador Carmen (Este)"), 1);
    EXPECT_EQ(admin.ui.Paneles.front(),
              "Conectando con jugadores en red\nJugador Ana      : Pendiente de conexión\r\n"
              "Jugador Carmen   : Pendiente de conexión\r\n\r\n Tiempo de espera.: 0 segundos.");
    EXPECT_TRUE(admin.p.PedirNuevaPartida);
    std::vector<int> puestos;
    for (Ordenador* o : {&a, &b, &c, &tarde}) {
        if (o->p.JugarEnRed) {
            puestos.push_back(o->p.PuestoAdmin);
            EXPECT_TRUE(o->p.PedirNuevaPartida);
            EXPECT_EQ(o->p.Nombres[4], o->p.PuestoAdmin == 1 ? "Ana" : "Carmen") << "the snapshot";
        } else {
            EXPECT_EQ(Cuenta(o->ui.Textos, TextoRechazado), 1);
        }
    }
    std::sort(puestos.begin(), puestos.end());
    EXPECT_EQ(puestos, (std::vector<int>{1, 3}));
    EXPECT_FALSE(tarde.p.JugarEnRed);
}

// The administrator offers to resume only when both sides hold a restore
// file of the same game at the same move, the client's written at the seat
// it is given now.
TEST(Conexion, MarcasDeReanudacion) {
    const struct {
        bool ficheroAdmin, ficheroCliente;
        const char* id;
        int jugada, puesto;
        const char* marca;
        bool pregunta;
    } casos[] = {
        {true, true, "1234", 17, 1, "12340017", true},
        {true, true, "1234", 17, 2, "00000000", false},
        {true, true, "1234", 18, 1, "12340018", false},
        {true, true, "9999", 17, 1, "99990017", false},
        {false, true, "1234", 17, 1, "12340017", false},
        {true, false, "", 0, 0, "00000000", false},
    };
    for (const auto& k : casos) {
        SCOPED_TRACE(k.marca);
        prueba::Centralita centralita;
        Ordenador admin(centralita, 1, 0, 1), cliente(centralita, 2, 1, 2);
        admin.p.Control = {0, 3, 2, 2, 2};
        Partida guardada = admin.p;
        guardada.IdPartida = "1234";
        guardada.NumJugada = 17;
        if (k.ficheroAdmin) ASSERT_TRUE(GuardarEstado(guardada, FicheroRestauracion));
        guardada.Carpeta = cliente.p.Carpeta;
        guardada.IdPartida = k.id;
        guardada.NumJugada = static_cast<Entero>(k.jugada);
        guardada.PuestoAdmin = static_cast<Entero>(k.puesto);
        if (k.ficheroCliente) ASSERT_TRUE(GuardarEstado(guardada, FicheroRestauracion));
        admin.ui.Respuestas[TituloContinuar] = Cancelar;
        prueba::EnHilos({[&] { admin.red.IniciarRed(); }, [&] { cliente.red.IniciarRed(); }});
        ASSERT_FALSE(cliente.conexiones.Enviados.empty());
        EXPECT_EQ(cliente.conexiones.Enviados[0], std::string("ZRA3404") + k.marca);
        EXPECT_EQ(Cuenta(admin.ui.Titulos, TituloContinuar), k.pregunta ? 1 : 0);
        EXPECT_TRUE(admin.p.PedirNuevaPartida);
        EXPECT_TRUE(cliente.p.PedirNuevaPartida);
    }
}

// A client gone mid-game: the administrator is told, its seat passes to the
// computer and the game goes on to the end with the other client.
TEST(Conexion, UnClienteQueSeVaLoJuegaElOrdenador) {
    prueba::Centralita centralita;
    Ordenador admin(centralita, 1, 0, 1), c1(centralita, 2, 1, 2), c2(centralita, 2, 2, 3);
    admin.p.Control = {0, 3, 3, 2, 2};
    admin.ui.Respuestas[TituloDesconectado] = Cancelar;
    c2.ui.AlEsperar = [&] {
        if (c2.p.NumJugada < 30 || !c2.p.JugarEnRed) return;
        c2.conexiones.Cierra(0);   // the program is killed: nothing more from it
        c2.p.JugarEnRed = c2.p.PartidaIniciada = false;
    };
    prueba::EnHilos({[&] { admin.Juega(); }, [&] { c1.Juega(); }, [&] { c2.Juega(); }});
    EXPECT_EQ(Cuenta(admin.ui.Titulos, TituloDesconectado), 1);
    const int ido = c2.p.PuestoAdmin;   // the callers are seated in the order they come
    EXPECT_EQ(Cuenta(admin.ui.Textos, "Se ha cortado la comunicación con  el jugador " + admin.p.Nombres[ido] + "."), 1);
    EXPECT_EQ(admin.p.Control[ido], 2);
    EXPECT_EQ(admin.p.Control[3 - ido], 3);
    EXPECT_TRUE(admin.p.JugarEnRed);
    ASSERT_EQ(admin.ui.Finales.size(), 1u);
    EXPECT_EQ(c1.ui.Finales, admin.ui.Finales);
}

// A new game that comes while the client's game still has queued moves
// waits for them, with what came after it; then it starts from the waits.
TEST(Conexion, LaNuevaPartidaEsperaALasUltimasJugadas) {
    prueba::Centralita centralita;
    prueba::Ordenador admin(centralita, 1, 0, 1), c(centralita, 2, 1, 2);
    admin.p.Control = {0, 3, 2, 2, 2};
    prueba::EnHilos({[&] { admin.red.IniciarRed(); }, [&] { c.red.IniciarRed(); }});
    ASSERT_TRUE(c.p.JugarEnRed);
    c.p.PartidaIniciada = true;
    c.p.ColaRed = "010300";
    admin.p.IdPartida = "4242";
    c.red.AlRecibir(0, TextoNuevaPartida() + TextoInstantanea(admin.p) + "ZRA34010500");
    EXPECT_EQ(c.p.ColaRed, "010300");
    EXPECT_TRUE(c.red.HayPendiente());
    c.red.Atiende();
    EXPECT_TRUE(c.red.HayPendiente()) << "the game's throw is still queued";
    c.p.ColaRed.clear();
    c.ui.Limite = std::chrono::steady_clock::now();   // the new game's draw ends at its first wait
    c.red.Atiende();
    EXPECT_FALSE(c.red.HayPendiente());
    EXPECT_EQ(c.p.IdPartida, "4242");
    EXPECT_EQ(Cuenta(c.ui.Titulos, TituloComienza), 1);
}

}  // namespace
}  // namespace parchis
