// How the room server's address splits into host and port, and how an
// administrator keeps its room when its control connection is lost.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <thread>
#include <vector>

#include "common/llamada.h"
#include "net/qt/sala_qt.h"
#include "sala/servidor.h"

namespace parchis {
namespace {

TEST(ServidorSala, NombreDireccionYPuerto) {
    const struct { const char* texto; const char* host; int puerto; } casos[] = {
        {"salas.ejemplo.org", "salas.ejemplo.org", 0},
        {"203.0.113.5:49930", "203.0.113.5", 49930},
        {"2001:db8::5", "2001:db8::5", 0},
        {"[2001:db8::5]", "2001:db8::5", 0},
        {"[2001:db8::5]:49930", "2001:db8::5", 49930},
    };
    for (const auto& c : casos) EXPECT_EQ(SeparaServidor(c.texto), std::pair(std::string(c.host), c.puerto));
    // An address that does not read comes back whole, with port -1.
    for (const std::string malo : {"salas:0", ":49930", "[2001:db8::5]:", "[2001:db8::5]49930", "[2001:db8::5",
                                   "[]:49930", "[::1]:70000"})
        EXPECT_EQ(SeparaServidor(malo), std::pair(malo, -1));
}

// Cuts the administrator's connections to the room server, as a network
// fault would: both ends see them end.
void Corta(ConexionesSalaQt& admin) {
    for (QTcpSocket* s : admin.findChildren<QTcpSocket*>())
        if (s->state() == QAbstractSocket::ConnectedState) shutdown(static_cast<int>(s->socketDescriptor()), SHUT_RDWR);
}

// Runs the events for `ms` milliseconds.
void Atiende(int ms) {
    QElapsedTimer reloj;
    reloj.start();
    while (reloj.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

struct Oyente : OyenteConexiones {
    void AlPedirConexion(int, const std::string&, int) override { ++llamadas; }
    void AlRecibir(int, const std::string&) override {}
    void AlCerrar(int) override {}
    void AlFallar(int, int n, const std::string& d) override { fallos.push_back(std::to_string(n) + " " + d); }
    int llamadas = 0;
    std::vector<std::string> fallos;
};

// The control connection is cut during network play: the room is asked
// back in the background and the next client that gives the code is
// heard.  Cut between two network plays, the next one asks it back.  Both
// keep the code the players were given.
TEST(SalaRecuperada, ElAdministradorConservaSuCodigo) {
    sala::Servidor servidor;
    ASSERT_TRUE(servidor.Escucha(0, "127.0.0.1"));
    volatile bool parar = false;
    std::thread hilo([&] { servidor.Sirve(parar); });
    Oyente oyente;
    ConexionesSalaQt admin;
    admin.PonOyente(&oyente);
    admin.PonSala("127.0.0.1:" + std::to_string(servidor.Puerto()), "");
    ASSERT_TRUE(admin.Escucha(0));
    const std::string codigo = admin.Codigo();
    Corta(admin);
    // A client gives the code until one is heard, for at most 8 seconds.
    QElapsedTimer reloj;
    reloj.start();
    while (oyente.llamadas == 0 && reloj.elapsed() < 8000) {
        const int fd = prueba::LlamaLocal(servidor.Puerto());
        const std::string linea = "PARCHIS-SALA 1 CLIENTE " + codigo + " 49921\n";
        send(fd, linea.data(), linea.size(), MSG_NOSIGNAL);
        Atiende(300);
        close(fd);
    }
    EXPECT_GT(oyente.llamadas, 0);
    EXPECT_EQ(admin.Codigo(), codigo);
    admin.Cierra(0);
    Atiende(300);   // the caller's link is refused
    Corta(admin);
    Atiende(300);
    ASSERT_TRUE(admin.Escucha(0));
    EXPECT_EQ(admin.Codigo(), codigo);
    EXPECT_EQ(oyente.fallos, std::vector<std::string>{});

    // A client of a room that waits for its administrator calls again
    // later, as when an administrator is not listening yet.
    const int control = prueba::LlamaLocal(servidor.Puerto());
    char sala[64] = {};
    send(control, "PARCHIS-SALA 1 ADMINISTRADOR\n", 29, MSG_NOSIGNAL);
    ASSERT_GT(recv(control, sala, sizeof sala - 1, 0), 12);
    close(control);
    Atiende(200);
    Oyente oyenteCliente;
    ConexionesSalaQt cliente;
    cliente.PonOyente(&oyenteCliente);
    cliente.PonSala("127.0.0.1:" + std::to_string(servidor.Puerto()), std::string(sala + 5, 6));
    cliente.Conecta("", 0, 49921);
    Atiende(300);
    EXPECT_EQ(oyenteCliente.fallos, std::vector<std::string>{std::to_string(ErrorConexionRechazada) +
                                                            " El Administrador de la sala no está conectado en este momento."});
    parar = true;
    hilo.join();
}

// A room server that answers the administrator with no end of line, all
// at once or a byte at a time for three seconds: the room is refused within
// the wait, the flood as an unexpected answer that is not piled up.
TEST(ServidorSala, UnaRespuestaSinFinDeLineaNoSeEspera) {
    for (const bool goteo : {false, true}) {
        SCOPED_TRACE(goteo ? "poco a poco" : "de golpe");
        const int escucha = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t largo = sizeof a;
        ASSERT_EQ(bind(escucha, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
        listen(escucha, 1);
        getsockname(escucha, reinterpret_cast<sockaddr*>(&a), &largo);
        std::thread servidor([&] {
            const int fd = accept(escucha, nullptr, nullptr);
            send(fd, std::string(goteo ? 1 : 1 << 20, 'S').data(), goteo ? 1 : 1 << 20, MSG_NOSIGNAL);
            for (int i = 0; goteo && i < 60 && send(fd, "S", 1, MSG_NOSIGNAL) == 1; ++i) usleep(50000);
            close(fd);
        });
        Oyente oyente;
        ConexionesSalaQt admin;
        admin.PonOyente(&oyente);
        admin.PonEspera(500);
        admin.PonSala("127.0.0.1:" + std::to_string(ntohs(a.sin_port)), "");
        QElapsedTimer reloj;
        reloj.start();
        EXPECT_FALSE(admin.Escucha(0));
        EXPECT_LT(reloj.elapsed(), 1500);
        const std::string motivo = goteo ? "No se puede abrir una sala en el servidor 127.0.0.1:" +
                                               std::to_string(ntohs(a.sin_port)) + "."
                                         : "El servidor de salas ha respondido de forma inesperada.";
        EXPECT_EQ(oyente.fallos, std::vector<std::string>{std::to_string(ErrorServidorSala) + " " + motivo});
        servidor.join();
        close(escucha);
    }
}

}  // namespace
}  // namespace parchis
