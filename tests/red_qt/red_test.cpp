// Network play on the Qt sockets over the loopback: each computer of the
// game (record, services, sockets, Red) runs on a thread of its own, as it
// would in a program of its own.  Their clocks run ten times faster than
// real time, so that the fixed pauses of network play pass quickly, and a
// computer still waiting a minute after it was made stops the test.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdlib>
#include <deque>
#include <functional>
#include <fstream>
#include <memory>
#include <set>
#include <thread>

#include <unistd.h>

#include "common/carpeta_temporal.h"
#include "common/interfaz_muda.h"
#include "common/llamada.h"
#include "common/posicion.h"
#include "core/codificacion.h"
#include "core/configuracion.h"
#include "core/estado.h"
#include "flow/final.h"
#include "flow/motor.h"
#include "flow/red.h"
#include "flow/sorteo.h"
#include "net/protocolo.h"
#include "net/puertos.h"
#include "net/qt/conexiones_qt.h"
#include "net/mensajes.h"
#include "net/red.h"
#include "net/textos_red.h"
#include "tools/huella.h"

namespace parchis {
namespace {

constexpr int LimiteMs = 60000;

// Ports of one network game only: the administrator's and the three
// clients' are free now, and above the range the system hands out to
// outgoing connections, so that the other tests' many connections cannot
// take a client's port before it binds it.  Each process starts looking at
// a place of its own, and each call moves on.
void PuertosNuevos() {
    static int siguiente = 61010 + static_cast<int>(getpid() % 4000);
    int desde = 32768, hasta = 60999;
    std::ifstream("/proc/sys/net/ipv4/ip_local_port_range") >> desde >> hasta;
    const int primero = hasta + 4 <= 65000 ? std::max(hasta + 4, 1028) : 1028, huecos = 65535 - primero + 1;
    for (int intento = 0; intento < 400; ++intento) {
        const int admin = primero + (siguiente - primero + intento * 7) % huecos;
        std::array<QTcpServer, 4> s;
        bool libres = true;
        for (int k = 0; k < 4 && libres; ++k)
            libres = s[k].listen(QHostAddress::AnyIPv4, static_cast<quint16>(admin - k));
        if (!libres) continue;
        siguiente = admin + 7;
        setenv(VariableDesplazamientoPuertos, std::to_string(admin - 49924).c_str(), 1);
        return;
    }
    FAIL() << "no free ports";
}

// How many times `parte` occurs in all of `textos`.
int Cuenta(const std::vector<std::string>& textos, const std::string& parte) {
    int n = 0;
    for (const std::string& t : textos)
        for (auto i = t.find(parte); i != std::string::npos; i = t.find(parte, i + 1)) ++n;
    return n;
}

int Charlas(const std::string& chat) { return Cuenta({chat}, "<<< Mensaje de "); }

// What a computer saw; a client's is taken out of its thread as it ends.
struct Visto {
    Partida p;
    std::vector<std::string> mensajes, huellas;
    std::vector<std::array<Entero, 5>> controles;   // at each game's end
    std::string chat;
    int ajustesAbiertos = 0;
    bool cerrado = false;
};

// Computers at every seat but the remote ones; messages answered Aceptar,
// but Cancelar to resuming and to a dropped client (its seat goes to the
// computer); callers offered the first free seat after `rechazos` refusals.
struct Equipo : prueba::InterfazMuda, Visto {
    Equipo(int modo, int miPuerto) : prueba::InterfazMuda(7 + modo) {
        AplicaValoresPorDefecto(p);
        for (int j = 1; j <= 4; ++j) p.Control[j] = 2;
        p.PausaEntreJugadas = false;
        p.Sonido = false;
        p.Carpeta = carpeta.Texto();
        p.JugarEnRed = true;
        p.ModoRed = static_cast<Entero>(modo);
        p.MiPuerto = static_cast<Entero>(miPuerto);
        p.IPAdministrador = "127.0.0.1";
        red.PonPropioAutomatico(true);
        despertador.start(20);
        reloj.start();
    }
    void Cede() override { QCoreApplication::processEvents(); }
    void Espera() override {
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        red.Atiende();
        if (vigia) vigia(*this);
        if (reloj.elapsed() > LimiteMs) {
            ADD_FAILURE() << "una espera no termina";
            std::abort();   // a hung wait fails the test instead of hanging it
        }
    }
    double Reloj() override { return reloj.elapsed() / 100.0; }   // ten times real time
    int Mensaje(const std::string& titulo, const std::string& texto, int, int, int) override {
        mensajes.push_back(titulo + ": " + texto);
        if (titulo == TituloFinal || titulo == TituloLimite) {
            huellas.push_back(texto::HuellaPartida(p, titulo == TituloFinal ? p.Turno : 0));
            controles.push_back(p.Control);
        }
        if (titulo == TituloDesconectado || titulo == TituloContinuar) return Cancelar;
        if (texto == TextoCorteAdministrador) p.PartidaIniciada = false;   // nothing left to play
        return Aceptar;
    }
    void MuestraJugada(int, bool adelante) override {
        if (adelante && vigia) vigia(*this);
    }
    void EnviaRed(const std::string& texto, int salvo) override { red.Envia(texto, salvo); }
    void CierraRed() override { red.TerminarRed(); }
    int PeticionConexion(const std::string&, const std::vector<std::string>& o) override {
        opciones.push_back(o);
        return rechazos-- > 0 ? -1 : 0;
    }
    void AbreAjustesJugadores() override { ++ajustesAbiertos; }
    void EsperaHasta(const std::function<bool()>& hecho) { while (!hecho()) Espera(); }

    prueba::CarpetaTemporal carpeta;
    ConexionesQt conexiones;
    Red red{p, *this, conexiones};
    QTimer despertador;   // ends a blocked wait now and then
    QElapsedTimer reloj;
    std::vector<std::vector<std::string>> opciones;
    std::function<void(Equipo&)> vigia;   // after each wait and each move shown
    int rechazos = 0;
};

using Guion = std::function<void(Equipo&)>;

// Plays the games that come until network play ends.
const Guion Juega = [](Equipo& c) {
    if (c.p.PedirNuevaPartida) NuevaPartida(c.p, c);
    c.EsperaHasta([&] { return !c.p.JugarEnRed; });
};

// The clients' threads and what each saw, which outlives them.
struct Hilos {
    ~Hilos() {
        for (auto& h : hilos)
            if (!h->wait(LimiteMs)) std::abort();
    }
    Visto& Lanza(std::function<void(Visto&)> tarea) {
        Visto& v = vistos.emplace_back();
        hilos.emplace_back(QThread::create([tarea, &v] { tarea(v); }));
        hilos.back()->start();
        return v;
    }
    // A client: `preparar` before it joins, `jugar` once it has joined.
    Visto& Cliente(int miPuerto, Guion preparar, Guion jugar) {
        return Lanza([=](Visto& v) {
            Equipo c(2, miPuerto);
            if (preparar) preparar(c);
            c.red.IniciarRed();
            if (jugar) jugar(c);
            v = c;
            v.chat = c.red.Mensajes().Texto();
            c.red.TerminarRed();
        });
    }
    bool Terminados() const {
        return std::all_of(hilos.begin(), hilos.end(), [](auto& h) { return h->isFinished(); });
    }
    std::deque<Visto> vistos;
    std::vector<std::unique_ptr<QThread>> hilos;
};

// Seats 1 and 3 remote; the clients call before anybody listens and try
// again.  The first caller heard is refused, the second offered both seats,
// the third only the one left; a caller after the start is closed without
// asking anybody.  Each computer's chat message reaches every computer
// once, in the same order everywhere.  Then seat 1's client is killed at
// move 30: the administrator says so, the computer takes that seat, the
// snapshot tells seat 3's client and the game ends alike on both.  At move
// 30 of the next game the administrator leaves: seat 3's client says so
// and opens the settings to connect again.
TEST(EnRed, RechazoChatCaidaDeUnClienteYDelAdministrador) {
    PuertosNuevos();
    Hilos hilos;
    Equipo a(1, 0);
    const Guion juega = [](Equipo& c) {
        if (!c.p.JugarEnRed) return;
        c.red.EnviaMensaje("hola de " + c.p.Nombres[4]);
        c.vigia = [](Equipo& e) {
            if (e.p.PuestoAdmin != 1 || e.p.NumJugada < 30 || !e.p.JugarEnRed) return;
            e.conexiones.Cierra(0);   // as a program that was killed: nothing more from it
            e.p.PartidaIniciada = e.p.JugarEnRed = false;
        };
        Juega(c);
    };
    for (int k = 1; k <= 3; ++k) hilos.Cliente(k, {}, juega);
    QThread::msleep(300);
    a.p.Nombres = {"", "Ana", "Benito", "Carmen", "Admin"};
    a.rechazos = 1;
    a.p.Control = {0, 3, 2, 3, 2};
    a.red.IniciarRed();
    ASSERT_TRUE(a.p.JugarEnRed);
    const Visto& tarde = hilos.Lanza([](Visto& v) {
        QTcpSocket s;
        s.connectToHost("127.0.0.1", PuertoAdministrador());
        v.cerrado = s.waitForConnected(5000) && !s.waitForReadyRead(5000) &&
                    s.state() == QAbstractSocket::UnconnectedState;
    });
    a.red.EnviaMensaje("hola de Admin");
    a.EsperaHasta([&] { return Charlas(a.red.Mensajes().Texto()) >= 3; });
    NuevaPartida(a.p, a);
    a.vigia = [](Equipo& e) {
        if (e.p.NumJugada < 30 || !e.p.JugarEnRed) return;
        e.red.TerminarRed();
        e.p.PartidaIniciada = false;
    };
    a.red.Envia(TextoNuevaPartida(), 0);
    NuevaPartida(a.p, a);
    a.EsperaHasta([&] { return hilos.Terminados(); });
    const std::vector<std::string> ambos{"Ana (Oeste)", "Carmen (Este)"};
    EXPECT_EQ(a.opciones, (std::vector<std::vector<std::string>>{ambos, ambos, {"Carmen (Este)"}}));
    EXPECT_TRUE(tarde.cerrado);
    for (const char* aviso : {" ha sido rechazada.", " se ha asignado al jugador Ana (Oeste)",
                              " se ha asignado al jugador Carmen (Este)", "Se ha cortado la comunicación con  el jugador Ana."})
        EXPECT_EQ(Cuenta(a.mensajes, aviso), 1) << aviso;
    EXPECT_EQ(a.p.Control, (std::array<Entero, 5>{0, 2, 2, 3, 2}));
    const std::string chat = a.red.Mensajes().Texto();
    EXPECT_EQ(Charlas(chat), 3);
    ASSERT_EQ(a.huellas.size(), 1u);
    std::multiset<int> puestos;
    for (int k = 0; k < 3; ++k) {
        const Visto& v = hilos.vistos[k];
        if (v.p.PuestoAdmin == 0) {
            EXPECT_EQ(Cuenta(v.mensajes, TextoRechazado), 1);
            continue;
        }
        puestos.insert(v.p.PuestoAdmin);
        EXPECT_EQ(v.p.Nombres[4], v.p.PuestoAdmin == 1 ? "Ana" : "Carmen") << "the snapshot";
        EXPECT_EQ(v.chat, chat);
        const bool sigue = v.p.PuestoAdmin == 3;
        EXPECT_EQ(v.huellas, sigue ? a.huellas : std::vector<std::string>{});
        EXPECT_EQ(Cuenta(v.mensajes, TextoCorteAdministrador), sigue ? 1 : 0);
        EXPECT_EQ(v.ajustesAbiertos, sigue ? 1 : 0);
        if (sigue) {
            EXPECT_EQ(v.controles.at(0)[ConvertirPuesto(v.p, 1)], 2) << "the snapshot after the drop";
        }
    }
    EXPECT_EQ(puestos, (std::multiset<int>{1, 3}));
}

// Bytes of memory this process holds now, and its peak since the last
// call that asked to start a new peak.
long Residente(bool pico) {
    if (!pico) std::ofstream("/proc/self/clear_refs") << "5";
    std::ifstream estado("/proc/self/status");
    const std::string campo = pico ? "VmHWM:" : "VmRSS:";
    for (std::string palabra; estado >> palabra;)
        if (palabra == campo && estado >> palabra) return std::stol(palabra) * 1024;
    return 0;
}

// A caller of plain sockets, blocking, each wait bounded; it calls again
// until the administrator listens.
struct Llamada {
    Llamada() {
        for (int n = 0; n < 500 && fd < 0; ++n) {
            if (n > 0) QThread::msleep(10);
            fd = prueba::LlamaLocal(PuertoAdministrador(), 20);
        }
    }
    ~Llamada() { close(fd); }
    bool Envia(const std::string& t) { return send(fd, t.data(), t.size(), MSG_NOSIGNAL) == ssize_t(t.size()); }
    int fd = -1;
};

// Seat 1 is taken first by a caller that says nothing: it is closed and
// the seat given to the next caller.  That one tells its mark and then
// sends a flood of chat without ever reading what comes back: the
// administrator drops it as a lost client, and its memory stays bounded.
TEST(Abusos, CalladoYClienteQueNoLee) {
    PuertosNuevos();
    Equipo a(1, 0);
    a.p.Control[1] = 3;
    a.red.PonEsperaMarca(1);
    std::atomic<bool> adelante = false, callado = false;
    std::atomic<int> enviadas = 0;
    std::thread llamadas([&] {
        Llamada c;
        callado = c.fd >= 0 && prueba::Cerrado(c.fd);
        Llamada l;
        l.Envia(TextoMarca(MarcaClienteSinFichero));
        for (int n = 0; n < 1000 && !adelante; ++n) QThread::msleep(10);
        const std::string chat = TextoChat(RegistroChat("Pesado", "12:00", "bla"));
        while (enviadas < 100000 && l.Envia(chat)) ++enviadas;
    });
    a.red.IniciarRed();
    ASSERT_TRUE(a.p.JugarEnRed);
    const long antes = Residente(false);
    adelante = true;
    a.EsperaHasta([&] { return !a.p.JugarEnRed; });
    const long crecido = Residente(true) - antes;
    llamadas.join();
    EXPECT_TRUE(callado);
    EXPECT_EQ(a.opciones.size(), 2u);
    EXPECT_EQ(Cuenta(a.mensajes, "Se ha cortado la comunicación con  el jugador "), 1);
    EXPECT_LT(enviadas, 100000) << "the flood is cut off";
    EXPECT_LT(crecido, 8 << 20) << enviadas << " chats";
}

// The administrator offers to resume only when the client's restore file
// names the game and the move of its own, and was written at the seat the
// client is given now.
TEST(Reanudacion, SoloConLasMismasMarcas) {
    const struct {
        const char* id;
        int jugada, puesto;
        bool pregunta;
    } casos[] = {{"1234", 17, 1, true}, {"1234", 17, 2, false}, {"1234", 18, 1, false}, {"9999", 17, 1, false}};
    const auto guarda = [](Partida g, const char* id, int jugada, int puesto) {
        g.IdPartida = id;
        g.NumJugada = static_cast<Entero>(jugada);
        g.PuestoAdmin = static_cast<Entero>(puesto);
        ASSERT_TRUE(GuardarEstado(g, FicheroRestauracion));
    };
    for (const auto& k : casos) {
        SCOPED_TRACE(testing::Message() << k.id << k.jugada << k.puesto);
        PuertosNuevos();
        Hilos hilos;
        Equipo a(1, 0);
        a.p.Control[1] = 3;
        guarda(a.p, "1234", 17, 0);
        const Visto& cliente = hilos.Cliente(1, [&](Equipo& c) { guarda(c.p, k.id, k.jugada, k.puesto); }, {});
        a.red.IniciarRed();
        a.EsperaHasta([&] { return hilos.Terminados(); });
        EXPECT_EQ(Cuenta(a.mensajes, TituloContinuar), k.pregunta ? 1 : 0);
        EXPECT_TRUE(a.p.PedirNuevaPartida);
        EXPECT_TRUE(cliente.p.PedirNuevaPartida);
    }
}

// A new game that comes while the game under way has just been won and is
// closing (its winner's message, the history question) waits with what
// came after it; then it starts from the waits.  (One that comes while
// moves are still queued fails the four-program games.)  One that comes in
// the middle of a game starts at once, and its draw is no turn of the game
// left: the terminal program told the draw's throws as that game's, its
// own seat's from a tumbling frame.
TEST(NuevaPartidaEnRed, EsperaAQueTermineLaGanadaYDejaLaInterrumpida) {
    struct Cliente : Equipo {
        Cliente() : Equipo(2, 1) {}
        void DibujaDados(int, int d1, int d2) override {
            if (p.PartidaIniciada && Cuenta(mensajes, "Sale ") == 0) tiradasEnPartida.push_back(d1 * 10 + d2);
        }
        std::vector<int> tiradasEnPartida;
    };
    Partida admin = prueba::RegistroPorDefecto();
    admin.IdPartida = "4242";
    std::string llegada = TextoNuevaPartida() + Windows1252DesdeUtf8(TextoInstantanea(admin));
    for (const char* tirada : {"0606", "0505", "0404", "0303"}) llegada += std::string("ZRA3401") + tirada;
    for (const bool ganada : {true, false}) {
        SCOPED_TRACE(ganada);
        Cliente c;
        c.p.PuestoAdmin = 1;
        c.p.PartidaIniciada = true;
        c.p.Turno = 3;
        if (ganada) c.p.EnCasa[3] = c.p.NumFichas;
        c.vigia = [](Equipo& e) { e.p.PartidaIniciada = e.p.JugarEnRed = false; };   // at the first move
        c.red.AlRecibir(0, llegada);
        c.red.Atiende();
        EXPECT_EQ(c.red.HayPendiente(), ganada);
        EXPECT_EQ(c.p.IdPartida == "4242", !ganada);
        c.p.PartidaIniciada = false;   // the won game closes
        c.red.Atiende();
        EXPECT_FALSE(c.red.HayPendiente());
        EXPECT_EQ(c.p.IdPartida, "4242");
        EXPECT_EQ(Cuenta(c.mensajes, TituloComienza), 1);
        EXPECT_EQ(Cuenta(c.mensajes, "Sale "), 1);
        EXPECT_EQ(c.tiradasEnPartida, std::vector<int>{}) << "drawn as throws of the game left";
    }
}

}  // namespace
}  // namespace parchis
