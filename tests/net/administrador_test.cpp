// The administrator against callers that do not keep to the protocol, over
// sockets kept in memory: what a client sends may only play its own seat,
// and a caller that says nothing cannot hold up the start.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <stdexcept>

#include "common/carpeta_temporal.h"
#include "common/interfaz_muda.h"
#include "common/sockets_en_memoria.h"
#include "core/configuracion.h"
#include "core/estado.h"
#include "flow/red.h"
#include "net/mensajes.h"
#include "net/protocolo.h"
#include "net/red.h"
#include "net/textos_red.h"

namespace parchis {
namespace {

// Every wait is one second of the clock, and runs the script's step for it.
struct Administrador : prueba::InterfazMuda {
    Administrador() : prueba::InterfazMuda(3) {
        AplicaValoresPorDefecto(p);
        p.Carpeta = carpeta.Texto();
        p.Control = {0, 3, 3, 2, 1};
        p.JugarEnRed = true;
        p.ModoRed = 1;
    }
    double Reloj() override { return segundo; }
    void Espera() override {
        if (++segundo > 1000) throw std::runtime_error("the start never comes");
        if (guion) guion(segundo);
    }
    int Mensaje(const std::string& titulo, const std::string&, int, int, int) override {
        mensajes.push_back(titulo);
        return Aceptar;
    }
    int PeticionConexion(const std::string&, const std::vector<std::string>&) override { return 0; }
    void MuestraEsperaRed(const std::string&, const std::string& texto, int) override { panel = texto; }
    // A caller seated at the first free seat, which tells its mark or not.
    void Llama(int peticion, bool marca) {
        const auto antes = sockets.estado;
        red.AlPedirConexion(peticion, "127.0.0.1", 49921);
        for (int k = 1; k <= 3 && marca; ++k)
            if (sockets.estado[k] != antes[k]) red.AlRecibir(k, "ZRA3404" + marcaCliente);
    }

    prueba::CarpetaTemporal carpeta;
    Partida p;
    prueba::SocketsEnMemoria sockets;
    Red red{p, *this, sockets};
    std::function<void(int)> guion;
    std::string panel;
    std::string marcaCliente = std::string(8, '0');
    std::vector<std::string> mensajes;
    int segundo = 0;
};

// Seat 1's client repeats its mark; seat 2's says nothing, and ten seconds
// later gives its seat back to the next caller, with whom play starts.
// Then seat 2's client throws and moves for seat 1 and floods the queue:
// all dropped, and seat 1's throw, sent after it all, is taken.  A chat
// whose prefix came in lower case goes back to everybody in our own frame.
TEST(Administrador, CadaClienteSoloPorSuPuestoYSinCallados) {
    Administrador a;
    std::string panelCallado;
    a.guion = [&](int s) {
        if (s == 1) {
            a.Llama(1, true);
            a.red.AlRecibir(1, "ZRA3404" + std::string(8, '0'));
        }
        if (s == 2) a.Llama(2, false);
        if (s == 14) {
            panelCallado = a.panel;
            a.Llama(3, true);
        }
    };
    a.red.IniciarRed();
    ASSERT_TRUE(a.p.JugarEnRed);
    EXPECT_TRUE(a.p.PedirNuevaPartida);
    EXPECT_EQ(a.sockets.cerradas, std::vector<int>{2});
    EXPECT_NE(panelCallado.find("Pendiente de conexión"), std::string::npos) << panelCallado;
    EXPECT_GT(a.segundo, 14) << "the repeated mark does not stand for the silent caller's";

    a.p.Turno = 1;
    a.p.NumJugada = 1;
    std::string riada = "ZRA34010606" "ZRA3406000150050310000022";
    for (int n = 0; n < 3000; ++n) riada += "ZRA34010505";
    a.red.AlRecibir(2, riada);
    EXPECT_LT(a.p.ColaRed.size(), 20000u) << "one client's share of the queue is bounded";
    a.red.AlRecibir(1, "ZRA34010300");
    ASSERT_TRUE(TomaTirada(a.p));
    EXPECT_EQ(a.p.Dado1 * 10 + a.p.Dado2, 30);
    EXPECT_EQ(a.p.ColaRed, "");
    a.p.Turno = 2;
    a.red.AlRecibir(2, "ZRA34010400");
    ASSERT_TRUE(TomaTirada(a.p));
    EXPECT_EQ(a.p.Dado1 * 10 + a.p.Dado2, 40);

    std::vector<std::pair<int, std::string>> enviados;
    a.sockets.alEnviar = [&](int k, const std::string& t) { enviados.emplace_back(k, t); };
    a.red.AlRecibir(1, "zRa3420" + RegistroChat("Ana", "10:00", "hola"));
    ASSERT_EQ(enviados.size(), 2u);
    for (const auto& [k, t] : enviados) EXPECT_EQ(t.substr(0, 7), "ZRA3420") << k;
}

// Listening fails: the person hears why once, from the room layer when it
// said why itself (a room that cannot be opened is no busy port), and of
// the port otherwise; network play ends.
TEST(Administrador, SinEscuchaUnSoloAviso) {
    for (const bool avisa : {false, true}) {
        Administrador a;
        a.sockets.alEscuchar = [&] {
            if (avisa) a.red.AlFallar(0, ErrorServidorSala, "No se puede abrir una sala en el servidor x.");
            return false;
        };
        a.red.IniciarRed();
        EXPECT_FALSE(a.p.JugarEnRed);
        EXPECT_EQ(a.mensajes, std::vector<std::string>{TituloErrorAdministrador}) << avisa;
    }
}

// A restore point cut short (a crash, a full disk) keeps its resume mark
// but is no game to resume: damaged before the start, no resume is
// offered; damaged after the marks were told, the resume is refused and a
// new game starts from the record as it was.
TEST(Administrador, RestauracionDanadaNoSeReanuda) {
    const struct {
        int danadaEn;   // second of the wait at which the file is cut; 0: never
        bool pregunta, reanuda;
    } casos[] = {{0, true, true}, {-1, false, false}, {4, true, false}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.danadaEn);
        Administrador a;
        const std::string antes = a.p.IdPartida;
        Partida g = a.p;
        g.IdPartida = "1234";
        g.NumJugada = 17;
        ASSERT_TRUE(GuardarEstado(g, FicheroRestauracion));
        const auto fichero = a.carpeta.ruta / FicheroRestauracion;
        const auto corta = [&] { std::filesystem::resize_file(fichero, 870); };
        std::string linea;
        ASSERT_TRUE(PrimeraLineaDeEstado(fichero.string(), linea));
        a.marcaCliente = MarcaDeLinea(linea);
        if (c.danadaEn < 0) corta();
        a.guion = [&](int s) {
            if (s <= 2) a.Llama(s, true);
            if (s == c.danadaEn) corta();
        };
        a.red.IniciarRed();
        EXPECT_EQ(std::count(a.mensajes.begin(), a.mensajes.end(), TituloContinuar), c.pregunta ? 1 : 0);
        EXPECT_EQ(a.p.IdPartida, c.reanuda ? g.IdPartida : antes);
        EXPECT_EQ(a.p.PedirNuevaPartida, !c.reanuda);
    }
}

}  // namespace
}  // namespace parchis
