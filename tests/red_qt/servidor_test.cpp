// How the room server's address splits into host and port, and how an
// administrator keeps its room when its control connection is lost.
#include <gtest/gtest.h>
#include <poll.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <atomic>
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

// Relays every connection to the room server, and cuts the administrators'
// control connections when told, as a home router that forgets them would.
class Relevo {
public:
    explicit Relevo(int destino) : destino_(destino) {
        escucha_ = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t largo = sizeof a;
        bind(escucha_, reinterpret_cast<sockaddr*>(&a), largo);
        listen(escucha_, 16);
        getsockname(escucha_, reinterpret_cast<sockaddr*>(&a), &largo);
        puerto_ = ntohs(a.sin_port);
        hilo_ = std::thread([this] { Sirve(); });
    }
    ~Relevo() {
        parar_ = true;
        hilo_.join();
        for (const Par& p : pares_) close(p.a), close(p.b);
        close(escucha_);
    }
    int Puerto() const { return puerto_; }
    void CortaControl() { cortar_ = true; }

private:
    struct Par {
        int a, b;
        bool control;
    };
    void Sirve() {
        while (!parar_) {
            std::vector<pollfd> p{{escucha_, POLLIN, 0}};
            for (const Par& par : pares_) p.push_back({par.a, POLLIN, 0}), p.push_back({par.b, POLLIN, 0});
            poll(p.data(), p.size(), 20);
            if (p[0].revents & POLLIN) pares_.push_back({accept(escucha_, nullptr, nullptr), prueba::LlamaLocal(destino_), false});
            for (std::size_t i = 0; i + 1 < p.size() && i / 2 < pares_.size(); ++i) {
                Par& par = pares_[i / 2];
                if (!(p[i + 1].revents & (POLLIN | POLLHUP))) continue;
                char bytes[4096];
                const ssize_t n = recv(p[i + 1].fd, bytes, sizeof bytes, 0);
                if (i % 2 == 0 && n > 0) par.control |= std::string(bytes, n).starts_with("PARCHIS-SALA 1 ADMINISTRADOR");
                if (n <= 0 || send(i % 2 == 0 ? par.b : par.a, bytes, n, MSG_NOSIGNAL) != n) shutdown(par.a, SHUT_RDWR), shutdown(par.b, SHUT_RDWR);
            }
            if (cortar_.exchange(false))
                for (const Par& par : pares_)
                    if (par.control) shutdown(par.a, SHUT_RDWR), shutdown(par.b, SHUT_RDWR);
        }
    }
    int destino_, escucha_, puerto_ = 0;
    std::vector<Par> pares_;
    std::atomic<bool> parar_ = false, cortar_ = false;
    std::thread hilo_;
};

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
    void AlFallar(int, int, const std::string& d) override { fallos.push_back(d); }
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
    Relevo relevo(servidor.Puerto());
    Oyente oyente;
    ConexionesSalaQt admin;
    admin.PonOyente(&oyente);
    admin.PonSala("127.0.0.1:" + std::to_string(relevo.Puerto()), "");
    ASSERT_TRUE(admin.Escucha(0));
    const std::string codigo = admin.Codigo();
    // A client gives the code until one is heard, for at most 8 seconds.
    const auto oida = [&] {
        QElapsedTimer reloj;
        reloj.start();
        for (const int antes = oyente.llamadas; oyente.llamadas == antes && reloj.elapsed() < 8000;) {
            const int fd = prueba::LlamaLocal(servidor.Puerto());
            const std::string linea = "PARCHIS-SALA 1 CLIENTE " + codigo + " 49921\n";
            send(fd, linea.data(), linea.size(), MSG_NOSIGNAL);
            Atiende(300);
            close(fd);
        }
        return oyente.llamadas > 0;
    };
    relevo.CortaControl();
    EXPECT_TRUE(oida());
    EXPECT_EQ(admin.Codigo(), codigo);
    admin.Cierra(0);
    relevo.CortaControl();
    Atiende(300);
    ASSERT_TRUE(admin.Escucha(0));
    EXPECT_EQ(admin.Codigo(), codigo);
    EXPECT_EQ(oyente.fallos, std::vector<std::string>{});
    parar = true;
    hilo.join();
}

}  // namespace
}  // namespace parchis
