// The room server on the loopback: what it pipes, what it refuses, and how
// it stands up to callers that misbehave.  The server runs on a thread of
// its own and is stopped before its counters are read.
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/resource.h>

#include <set>
#include <sstream>
#include <chrono>
#include <vector>
#include <thread>

#include "common/llamada.h"
#include "sala/apertura.h"
#include "sala/servidor.h"

using namespace parchis::sala;
using parchis::prueba::Cerrado;

namespace {

TEST(Apertura, LineasYCodigos) {
    const std::pair<const char*, Papel> casos[] = {
        {"PARCHIS-SALA 1 ADMINISTRADOR", Papel::Administrador},
        {"PARCHIS-SALA 1 ADMINISTRADOR\r", Papel::Administrador},
        {"PARCHIS-SALA 1 ADMINISTRADOR ABC234 ABCDEFGHJKMNPQRS", Papel::Administrador},
        {"PARCHIS-SALA 1 ADMINISTRADOR ABC234", Papel::Ninguno},
        {"PARCHIS-SALA 1 CLIENTE ABC234 49921", Papel::Cliente},
        {"PARCHIS-SALA 1 ENLACE ABC234 ABCDEFGHJKMNPQRS 7", Papel::Enlace},
        {"PARCHIS-SALA 2 ADMINISTRADOR", Papel::Ninguno},            // another version
        {"PARCHIS-SALA 1 CLIENTE ABC0O1 49921", Papel::Ninguno},     // characters a person would mistake
        {"PARCHIS-SALA 1 CLIENTE abc234 49921", Papel::Ninguno},
        {"PARCHIS-SALA 1 CLIENTE ABC234 0", Papel::Ninguno},
        {"PARCHIS-SALA 1 CLIENTE ABC234 65536", Papel::Ninguno},
        {"PARCHIS-SALA 1 CLIENTE ABC234 49921 x", Papel::Ninguno},
        {"PARCHIS-SALA 1 ENLACE ABC234 SHORT 7", Papel::Ninguno},
        {"PARCHIS-SALA 1 ENLACE ABC234 ABCDEFGHJKMNPQRS 0", Papel::Ninguno},
        {"PARCHIS-SALA 1 ADMINISTRADOR\t", Papel::Ninguno},
        {"", Papel::Ninguno},
    };
    for (const auto& [linea, quien] : casos) EXPECT_EQ(LeeApertura(linea).Quien, quien) << linea;
    EXPECT_EQ(LeeApertura("PARCHIS-SALA 1 CLIENTE ABC234 49921").Puerto, 49921);
    EXPECT_EQ(LeeApertura(std::string(200, 'A')).Quien, Papel::Ninguno);

    EXPECT_EQ(NormalizaCodigo(" abc-234 "), "ABC234");
    EXPECT_EQ(NormalizaCodigo("ABC23"), "");
    EXPECT_EQ(NormalizaCodigo("ABC2345"), "");
    std::set<std::string> vistos;
    for (int i = 0; i < 200; ++i) {
        const std::string c = GeneraCodigo(LongitudCodigo);
        ASSERT_EQ(NormalizaCodigo(c), c);
        vistos.insert(c);
    }
    EXPECT_EQ(vistos.size(), 200u);
}

void Manda(int fd, const std::string& s) { ASSERT_EQ(send(fd, s.data(), s.size(), MSG_NOSIGNAL), ssize_t(s.size())); }

std::string Linea(int fd) {
    std::string l;
    char c;
    while (recv(fd, &c, 1, 0) == 1 && c != '\n') l += c;
    return l;
}

// Whether the server has closed `fd`; our end is closed as well.
bool SeCierra(int fd) {
    const bool cerrado = Cerrado(fd);
    close(fd);
    return cerrado;
}

// Up to n bytes: fewer when the other end closes or the wait runs out.
std::string LeeN(int fd, std::size_t n) {
    std::string s(n, '\0');
    s.resize(std::size_t(std::max<ssize_t>(recv(fd, s.data(), n, MSG_WAITALL), 0)));
    return s;
}

class Sala : public ::testing::Test {
protected:
    void Arranca(Limites l = {}) {
        servidor_ = std::make_unique<Servidor>(l, &registro_);
        ASSERT_TRUE(servidor_->Escucha(0, "127.0.0.1"));
        puerto_ = servidor_->Puerto();
        hilo_ = std::thread([this] { servidor_->Sirve(parar_); });
    }
    Medidas Para() {
        if (hilo_.joinable()) {
            parar_ = true;
            hilo_.join();
        }
        return servidor_->Mide();
    }
    void TearDown() override { Para(); }
    int Llama() { return parchis::prueba::LlamaLocal(puerto_); }
    // A caller that sends `linea` and is answered `respuesta`.
    int Pregunta(const std::string& linea, const std::string& respuesta) {
        const int fd = Llama();
        Manda(fd, linea + "\n");
        EXPECT_EQ(Linea(fd), respuesta) << linea;
        return fd;
    }
    // An administrator's room: its control socket, code and key.
    struct SalaAbierta { int control; std::string codigo, clave; };
    SalaAbierta AbreSala() {
        SalaAbierta a{Llama(), "", ""};
        Manda(a.control, "PARCHIS-SALA 1 ADMINISTRADOR\n");
        std::istringstream r(Linea(a.control));
        std::string sala;
        r >> sala >> a.codigo >> a.clave;
        EXPECT_EQ(sala, "SALA");
        return a;
    }
    // A client seated through its link: {client, link}; each sends `tras...`
    // right behind its opening line.
    std::pair<int, int> Une(int control, const std::string& codigo, const std::string& clave,
                            const std::string& trasCliente = "", const std::string& trasEnlace = "") {
        const int cliente = Llama();
        Manda(cliente, "PARCHIS-SALA 1 CLIENTE " + codigo + " 49922\n" + trasCliente);
        EXPECT_EQ(Linea(cliente), "SI");
        std::istringstream r(Linea(control));
        std::string llamada, ip;
        int id = 0, puerto = 0;
        r >> llamada >> id >> ip >> puerto;
        EXPECT_EQ(llamada + " " + ip + " " + std::to_string(puerto), "LLAMADA 127.0.0.1 49922");
        const int enlace = Llama();
        Manda(enlace, "PARCHIS-SALA 1 ENLACE " + codigo + " " + clave + " " + std::to_string(id) + "\n" + trasEnlace);
        return {cliente, enlace};
    }

    std::ostringstream registro_;
    std::unique_ptr<Servidor> servidor_;
    volatile bool parar_ = false;
    std::thread hilo_;
    int puerto_ = 0;
};

// Every byte value, and bytes sent right behind the opening lines, cross
// unchanged and in order both ways; the end of one side ends the other.
// The administrator closes its room.
TEST_F(Sala, CopiaLosBytesTalCual) {
    Arranca();
    const auto [control, codigo, clave] = AbreSala();
    const auto [cliente, enlace] = Une(control, codigo, clave, "ZRA3404", "ZRA34031");
    EXPECT_EQ(LeeN(enlace, 7), "ZRA3404");
    EXPECT_EQ(LeeN(cliente, 8), "ZRA34031");
    std::string todos;
    for (int i = 0; i < 4096; ++i) todos += char(i * 7 % 256);
    Manda(cliente, todos);
    EXPECT_EQ(LeeN(enlace, todos.size()), todos);
    Manda(enlace, todos + "fin");
    close(enlace);
    EXPECT_EQ(LeeN(cliente, todos.size() + 3), todos + "fin");
    EXPECT_TRUE(SeCierra(cliente));
    Manda(control, "CIERRA\n");
    EXPECT_TRUE(SeCierra(control));
    const Medidas m = Para();
    EXPECT_EQ(m.BytesCopiados, 2 * todos.size() + 3 + 7 + 8);
    EXPECT_EQ(m.Salas, 0);
    EXPECT_NE(registro_.str().find("sala " + codigo + " abierta"), std::string::npos);
}

// An administrator that closes its room and goes at once, with a call it
// never read: its connection ends in a reset, and the server still hears
// the room closed rather than waiting for the administrator to come back.
TEST_F(Sala, ElCierreSeOyeAunqueLaConexionAcabeDeGolpe) {
    Arranca();
    const auto [control, codigo, clave] = AbreSala();
    const int cliente = Llama();
    Manda(cliente, "PARCHIS-SALA 1 CLIENTE " + codigo + " 49922\n");
    EXPECT_EQ(Linea(cliente), "SI");
    pollfd llamada{control, POLLIN, 0};
    ASSERT_EQ(poll(&llamada, 1, 5000), 1);
    Manda(control, "CIERRA\n");
    close(control);
    EXPECT_TRUE(Cerrado(cliente));
    close(cliente);
    Para();
    EXPECT_NE(registro_.str().find("sala " + codigo + " cerrada: el administrador la ha cerrado"), std::string::npos)
        << registro_.str();
}

// The administrator's control connection is lost: the seated client's
// pipe goes on and callers are told to call again.  The administrator
// takes its room back with the code and key (not with a wrong key; a
// second comeback replaces the first) and hears the next caller.  Once it
// is lost for good, the room closes with its pipes.
TEST_F(Sala, ElAdministradorVuelveASuSala) {
    Arranca({.Reclamo = 1});
    const auto [control, codigo, clave] = AbreSala();
    const auto [cliente, enlace] = Une(control, codigo, clave);
    close(control);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    Manda(cliente, "sigue");
    EXPECT_EQ(LeeN(enlace, 5), "sigue");
    const std::string vuelta = "PARCHIS-SALA 1 ADMINISTRADOR " + codigo + " ";
    const std::string sala = "SALA " + codigo + " " + clave;
    close(Pregunta("PARCHIS-SALA 1 CLIENTE " + codigo + " 49922", "NO AUSENTE"));
    close(Pregunta(vuelta + "2222222222222222", "NO CODIGO"));
    const int primera = Pregunta(vuelta + clave, sala);
    const int segunda = Pregunta(vuelta + clave, sala);
    EXPECT_TRUE(SeCierra(primera));
    const auto [nuevo, nuevoEnlace] = Une(segunda, codigo, clave);
    Manda(nuevo, "hola");
    EXPECT_EQ(LeeN(nuevoEnlace, 4), "hola");
    close(segunda);
    for (const int fd : {cliente, enlace, nuevo, nuevoEnlace}) EXPECT_TRUE(SeCierra(fd));
    EXPECT_EQ(Para().Salas, 0);
    for (const char* linea : {" sin administrador", " recuperada por 127.0.0.1", " cerrada: el administrador se ha ido"})
        EXPECT_NE(registro_.str().find("sala " + codigo + linea), std::string::npos) << registro_.str();
}

// A wrong code and an unknown one get the same answer; past the allowance
// of wrong codes even the right one is refused for a while.
TEST_F(Sala, CodigosEquivocados) {
    Arranca({.Fallos = 3, .RecargaFallo = 600});
    const auto [control, codigo, clave] = AbreSala();
    const std::pair<std::string, const char*> casos[] = {
        {"PARCHIS-SALA 1 CLIENTE 222222 1", "NO CODIGO"}, {"PARCHIS-SALA 1 CLIENTE 333333 1", "NO CODIGO"},
        {"PARCHIS-SALA 1 ENLACE " + codigo + " 2222222222222222 1", "NO CODIGO"},
        {"PARCHIS-SALA 1 CLIENTE " + codigo + " 1", "NO ESPERE"}};
    for (const auto& [linea, respuesta] : casos) EXPECT_TRUE(SeCierra(Pregunta(linea, respuesta))) << linea;
    close(control);
}

// Junk, over-long openings, a thousand connections at once and a peer that
// never reads: each is closed, the counters stay within the caps, and a
// room still works afterwards.
TEST_F(Sala, ClientesHostiles) {
    const Limites l{.ConexionesPorDireccion = 40, .Salida = 16 * 1024, .EsperaApertura = 1, .Atasco = 1};
    Arranca(l);
    for (const std::string& basura : {std::string("\x16\x03\x01\x02\x00GET / HTTP/1.1\n", 21), std::string(500, 'x'),
                                     std::string("PARCHIS-SALA 1 ADMINISTRADOR EXTRA\n")}) {
        const int fd = Llama();
        send(fd, basura.data(), basura.size(), MSG_NOSIGNAL);
        EXPECT_TRUE(SeCierra(fd));
    }
    std::vector<int> mil;
    for (int i = 0; i < 1000; ++i)
        if (const int fd = Llama(); fd >= 0) mil.push_back(fd);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    int abiertas = 0;
    for (const int fd : mil) {
        pollfd p{fd, POLLIN, 0};
        abiertas += poll(&p, 1, 0) == 0;   // not closed by the server yet
    }
    EXPECT_LE(abiertas, l.ConexionesPorDireccion);
    for (const int fd : mil) close(fd);

    const auto [control, codigo, clave] = AbreSala();
    const auto [cliente, enlace] = Une(control, codigo, clave);
    const int buffer = 4096;
    setsockopt(cliente, SOL_SOCKET, SO_RCVBUF, &buffer, sizeof buffer);
    // The link floods a client that reads nothing: the server stops taking
    // and, after a while, closes the client and with it the link.
    const std::string trozo(64 * 1024, 'z');
    timeval corto{0, 200000};
    setsockopt(enlace, SOL_SOCKET, SO_SNDTIMEO, &corto, sizeof corto);
    std::size_t mandados = 0;
    const auto hasta = std::chrono::steady_clock::now() + std::chrono::seconds(15);
    while (std::chrono::steady_clock::now() < hasta) {
        const ssize_t n = send(enlace, trozo.data(), trozo.size(), MSG_NOSIGNAL);
        if (n > 0) mandados += std::size_t(n);
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) break;
    }
    EXPECT_LT(mandados, 64u * 1024 * 1024) << "held back by the system's buffers, not swallowed";
    EXPECT_TRUE(Cerrado(enlace));
    close(cliente);
    close(enlace);
    const auto [otro, otroEnlace] = Une(control, codigo, clave);
    Manda(otro, "hola");
    EXPECT_EQ(LeeN(otroEnlace, 4), "hola");
    const Medidas m = Para();
    EXPECT_LE(m.Conexiones, 3);
    EXPECT_LE(m.BytesRetenidos, 4 * l.Salida);
    close(otro);
    close(otroEnlace);
    close(control);
}

// Out of descriptors, callers wait in the backlog without the server
// spinning on its listener; once a connection ends it takes callers again.
TEST(SalaSinDescriptores, NoGiraYVuelveAAtender) {
    Servidor servidor;
    ASSERT_TRUE(servidor.Escucha(0, "127.0.0.1"));
    rlimit antes{};
    getrlimit(RLIMIT_NOFILE, &antes);
    const int libre = dup(0);
    close(libre);
    rlimit poco = antes;
    poco.rlim_cur = rlim_t(libre + 8);   // both ends of each call are ours
    setrlimit(RLIMIT_NOFILE, &poco);
    std::vector<int> llamadas;
    for (int fd; (fd = parchis::prueba::LlamaLocal(servidor.Puerto(), 1)) >= 0;) {
        llamadas.push_back(fd);
        servidor.Vuelta(0);
    }
    int vueltas = 0;
    for (const auto hasta = std::chrono::steady_clock::now() + std::chrono::milliseconds(300);
         std::chrono::steady_clock::now() < hasta; ++vueltas)
        servidor.Vuelta(50);
    setrlimit(RLIMIT_NOFILE, &antes);
    EXPECT_LT(vueltas, 30);
    for (const int fd : llamadas) close(fd);
    const int fd = parchis::prueba::LlamaLocal(servidor.Puerto(), 1);
    Manda(fd, "PARCHIS-SALA 1 ADMINISTRADOR\n");
    for (int i = 0; i < 10; ++i) servidor.Vuelta(20);
    EXPECT_EQ(Linea(fd).substr(0, 5), "SALA ");
    close(fd);
}

// A room where nothing happens is closed, and its administrator told so by
// the end of its connection.
TEST_F(Sala, SalaInactivaSeCierra) {
    Arranca({.Inactividad = 1});
    const auto [control, codigo, clave] = AbreSala();
    EXPECT_TRUE(SeCierra(control));
    EXPECT_EQ(Para().Salas, 0);
    EXPECT_NE(registro_.str().find("cerrada: inactiva"), std::string::npos);
}

}  // namespace
