// Network play on the Qt sockets over the loopback: each computer of the
// game (record, services, sockets, Red) runs on a thread of its own, as it
// would in a program of its own, and every wait gives up after a bounded
// time.  A client's games after the first run inside the handler of the
// new-game message, so they prove that an arrival can be waited for inside
// another's handler.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>

#include "common/carpeta_temporal.h"
#include "common/interfaz_muda.h"
#include "core/configuracion.h"
#include "flow/final.h"
#include "flow/motor.h"
#include "flow/sorteo.h"
#include "net/puertos.h"
#include "net/qt/conexiones_qt.h"
#include "net/red.h"
#include "rules/tablero.h"
#include "tools/huella.h"

namespace parchis {
namespace {

constexpr double Limite = 60;   // seconds any computer may wait in one test

// A port nobody listens on now, so that parallel runs do not collide.
int PuertoLibre() {
    QTcpServer s;
    s.listen(QHostAddress::LocalHost, 0);
    return s.serverPort();
}

struct Equipo : prueba::InterfazMuda {
    explicit Equipo(int modo) : prueba::InterfazMuda(7 + modo) {
        AplicaValoresPorDefecto(p);
        for (int j = 1; j <= 4; ++j) p.Control[j] = 2;
        p.PausaEntreJugadas = false;
        p.Sonido = false;
        p.Carpeta = carpeta.Texto();
        p.JugarEnRed = true;
        p.ModoRed = static_cast<Entero>(modo);
        p.IPAdministrador = "127.0.0.1";
        conexiones.PonOyente(&red);
        despertador.start(20);
        reloj.start();
    }
    void Cede() override { QCoreApplication::processEvents(); }
    void Espera() override {
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        red.Atiende();
        if (reloj.elapsed() > Limite * 1000) {
            ADD_FAILURE() << "una espera no termina";
            std::abort();   // a hung wait fails the test instead of hanging it
        }
    }
    double Reloj() override { return reloj.elapsed() / 1000.0; }
    int Mensaje(const std::string& titulo, const std::string& texto, int, int, int) override {
        mensajes.push_back(titulo + ": " + texto);
        if (titulo == TituloFinal || titulo == TituloLimite)
            huellas.push_back(texto::HuellaPartida(p, titulo == TituloFinal ? p.Turno : 0));
        if (titulo == "Jugador desconectado") return Cancelar;
        if (texto.rfind("Se  ha  cortado", 0) == 0) p.PartidaIniciada = false;   // nothing left to play
        return Aceptar;
    }
    void MuestraJugada(int, bool adelante) override {
        if (adelante && trasJugada) trasJugada(*this);
    }
    void EnviaRed(const std::string& texto, int salvo) override { red.Envia(texto, salvo); }
    void CierraRed() override { red.TerminarRed(); }
    int PeticionConexion(const std::string&, const std::vector<std::string>& opciones) override {
        return opciones.empty() ? -1 : 0;
    }
    void AbreAjustesJugadores() override { ++ajustesAbiertos; }
    int Cuenta(const std::string& principio) const {
        return int(std::count_if(mensajes.begin(), mensajes.end(),
                                 [&](const std::string& m) { return m.rfind(principio, 0) == 0; }));
    }
    // Waits with events running; false when `hecho` did not come in time.
    template <typename F>
    bool EsperaHasta(F hecho, double segundos) {
        const double fin = Reloj() + segundos;
        while (!hecho() && Reloj() < fin) Espera();
        return hecho();
    }

    prueba::CarpetaTemporal carpeta;
    Partida p;
    ConexionesQt conexiones;
    Red red{p, *this, conexiones};
    QTimer despertador;
    QElapsedTimer reloj;
    std::vector<std::string> mensajes, huellas;
    std::function<void(Equipo&)> trasJugada;
    int ajustesAbiertos = 0;
};

// What a client saw, taken out of its thread.
struct Visto {
    int puesto = 0, cortes = 0, ajustesAbiertos = 0;
    std::vector<std::string> huellas;
    std::string chat;
};

// A client on a thread of its own: joins, plays `partidas` games (or until
// its game is cut) and leaves.
std::unique_ptr<QThread> Cliente(int miPuerto, int partidas, Visto& visto,
                                 std::function<void(Equipo&)> trasJugada = {}, std::string chat = {}) {
    std::unique_ptr<QThread> hilo(QThread::create([=, &visto] {
        Equipo c(2);
        c.p.MiPuerto = static_cast<Entero>(miPuerto);
        c.red.PonPropioAutomatico(true);
        c.trasJugada = trasJugada;
        c.red.IniciarRed();
        if (!chat.empty()) c.red.EnviaMensaje(chat);
        if (c.p.PedirNuevaPartida) NuevaPartida(c.p, c);
        c.EsperaHasta([&] { return int(c.huellas.size()) >= partidas || !c.p.JugarEnRed; }, Limite);
        c.red.TerminarRed();
        visto = {c.p.PuestoAdmin, c.Cuenta("Juego en red: Se  ha  cortado"), c.ajustesAbiertos, c.huellas,
                 c.red.Mensajes().Texto()};
    }));
    hilo->start();
    return hilo;
}

struct Administrador : testing::Test {
    Administrador() {
        // Ports of this test only: the administrator's is one nobody uses now.
        const std::string desplazamiento = std::to_string(PuertoLibre() - 49924);
        setenv(VariableDesplazamientoPuertos, desplazamiento.c_str(), 1);
    }
    ~Administrador() override {
        for (auto& h : hilos)
            if (!h->wait(static_cast<unsigned long>(Limite * 1000))) std::abort();
    }
    void Empieza(int remotos) {
        for (int j = 1; j <= remotos; ++j) a.p.Control[j] = 3;
        CuentaJugadores(a.p);
        a.red.IniciarRed();
        ASSERT_TRUE(a.p.JugarEnRed);
    }
    bool Terminados() {
        return std::all_of(hilos.begin(), hilos.end(), [](auto& h) { return h->isFinished(); });
    }
    Equipo a{1};
    std::vector<std::unique_ptr<QThread>> hilos;
};

TEST_F(Administrador, TresClientesJueganDosPartidasYSeHablan) {
    std::array<Visto, 3> vistos;
    // The clients call before anybody listens: refused, they try again.
    for (int k = 1; k <= 3; ++k) hilos.push_back(Cliente(k, 2, vistos[k - 1], {}, k == 2 ? "hola" : ""));
    a.EsperaHasta([] { return false; }, 0.5);
    Empieza(3);
    NuevaPartida(a.p, a);
    a.EnviaRed("ZRA3408", 0);
    NuevaPartida(a.p, a);
    ASSERT_TRUE(a.EsperaHasta([&] { return Terminados(); }, Limite));
    ASSERT_EQ(a.huellas.size(), 2u);
    std::vector<int> puestos;
    for (const Visto& v : vistos) {
        EXPECT_EQ(v.huellas, a.huellas);
        puestos.push_back(v.puesto);
        EXPECT_EQ(v.chat, a.red.Mensajes().Texto());
    }
    std::sort(puestos.begin(), puestos.end());
    EXPECT_EQ(puestos, (std::vector<int>{1, 2, 3}));
    const std::string chat = a.red.Mensajes().Texto();
    EXPECT_EQ(chat.find("<<< Mensaje de "), chat.rfind("<<< Mensaje de "));   // once
    EXPECT_NE(chat.find("hola"), std::string::npos);
}

TEST_F(Administrador, ElPuestoDeUnClienteCaidoLoJuegaElOrdenador) {
    Visto visto;
    hilos.push_back(Cliente(1, 1, visto, [](Equipo& c) {
        if (c.p.NumJugada < 30) return;
        c.conexiones.Cierra(0);   // as a program that was killed
        c.p.PartidaIniciada = false;
        c.p.JugarEnRed = false;
    }));
    Empieza(1);
    NuevaPartida(a.p, a);
    EXPECT_EQ(a.Cuenta("Jugador desconectado: Se ha cortado la comunicación con  el jugador"), 1);
    EXPECT_EQ(a.p.Control[1], 2);
    ASSERT_EQ(a.huellas.size(), 1u);   // the game went on to its end
    EXPECT_TRUE(visto.huellas.empty());
}

TEST_F(Administrador, UnClienteSinAdministradorLoDiceYTermina) {
    Visto visto;
    hilos.push_back(Cliente(2, 1, visto));
    a.trasJugada = [](Equipo& e) {
        if (e.p.NumJugada < 30) return;
        e.red.TerminarRed();
        e.p.PartidaIniciada = false;
    };
    Empieza(1);
    NuevaPartida(a.p, a);
    ASSERT_TRUE(a.EsperaHasta([&] { return Terminados(); }, Limite));
    EXPECT_EQ(visto.cortes, 1);
    EXPECT_EQ(visto.ajustesAbiertos, 1);   // "Aceptar": the settings, to connect again
    EXPECT_TRUE(visto.huellas.empty());
}

// A client written by hand sends its resume mark one byte at a time; a
// second caller finds no free seat and sees its connection closed.
TEST_F(Administrador, UnMensajeLlegaByteAByte) {
    std::string recibido;
    bool otroCerrado = false;
    hilos.emplace_back(QThread::create([&] {
        QTcpSocket s, otro;
        s.connectToHost("127.0.0.1", PuertoAdministrador());
        if (!s.waitForConnected(5000) || !s.waitForReadyRead(5000)) return;
        recibido = s.readAll().toStdString();
        for (char c : std::string("ZRA340400000000")) {
            s.write(&c, 1);
            s.waitForBytesWritten(1000);
            QThread::msleep(5);
        }
        while (recibido.size() < 8 + 907 + 8 && s.waitForReadyRead(10000)) recibido += s.readAll().toStdString();
        otro.connectToHost("127.0.0.1", PuertoAdministrador());
        otroCerrado = otro.waitForConnected(5000) && !otro.waitForReadyRead(5000) &&
                      otro.state() == QAbstractSocket::UnconnectedState;
    }));
    hilos.back()->start();
    Empieza(1);
    EXPECT_TRUE(a.p.PedirNuevaPartida);   // the mark counted: play starts
    ASSERT_TRUE(a.EsperaHasta([&] { return Terminados(); }, 20));
    ASSERT_EQ(recibido.size(), 8u + 907 + 8);
    EXPECT_EQ(recibido.substr(0, 15), "ZRA34031ZRA3411");
    EXPECT_EQ(recibido.substr(8 + 907), "ZRA34021");
    EXPECT_TRUE(otroCerrado);
}

}  // namespace
}  // namespace parchis
