// The room server under load on the loopback: N rooms, each an
// administrator (its control connection and three links) and three
// clients, exchanging messages at a game's pace.  In a game among people a
// throw and a move go out about every two seconds, each relayed by the
// administrator to the three clients, and now and then a chat line: here
// each room sends one 40-byte message every 250 ms, in turn the
// administrator to all three clients and one client to the administrator
// (8 messages a second per room, some three times a busy game).  Each message
// carries the time it was sent; the delay is taken when it is read at the
// other end, through the server.
//
// Counters: rooms held, messages relayed per second, and the 50th and 99th
// percentile delays in milliseconds.  PARCHIS_BENCH_SEGUNDOS sets the
// measured time per size (5).
#include <arpa/inet.h>
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <netinet/tcp.h>
#include <sys/epoll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "sala/servidor.h"

namespace {

using namespace parchis::sala;
using Reloj = std::chrono::steady_clock;
constexpr std::size_t Largo = 40;

int Llama(int puerto) {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<uint16_t>(puerto));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (fd < 0 || connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) return -1;
    const int si = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &si, sizeof si);
    return fd;
}

std::string Linea(int fd) {
    std::string l;
    char c;
    while (recv(fd, &c, 1, 0) == 1 && c != '\n') l += c;
    return l;
}

void Manda(int fd, const std::string& s) { (void)!send(fd, s.data(), s.size(), MSG_NOSIGNAL); }

struct Sala {
    int control = -1;
    std::array<int, 3> clientes{}, enlaces{};
    double proxima = 0;
    int turno = 0;
};

// Opens a room and seats three clients; false when the server refuses.
bool Prepara(int puerto, Sala& s) {
    s.control = Llama(puerto);
    if (s.control < 0) return false;
    Manda(s.control, "PARCHIS-SALA 1 ADMINISTRADOR\n");
    std::istringstream r(Linea(s.control));
    std::string sala, codigo, clave;
    r >> sala >> codigo >> clave;
    if (sala != "SALA") return false;
    for (int k = 0; k < 3; ++k) {
        s.clientes[k] = Llama(puerto);
        if (s.clientes[k] < 0) return false;
        Manda(s.clientes[k], "PARCHIS-SALA 1 CLIENTE " + codigo + " " + std::to_string(49921 + k) + "\n");
        if (Linea(s.clientes[k]) != "SI") return false;
        std::istringstream l(Linea(s.control));
        std::string llamada, id;
        l >> llamada >> id;
        s.enlaces[k] = Llama(puerto);
        if (s.enlaces[k] < 0) return false;
        Manda(s.enlaces[k], "PARCHIS-SALA 1 ENLACE " + codigo + " " + clave + " " + id + "\n");
    }
    return true;
}

double Segundos() { return std::chrono::duration<double>(Reloj::now().time_since_epoch()).count(); }

void BM_Salas(benchmark::State& estado) {
    rlimit r{};
    getrlimit(RLIMIT_NOFILE, &r);
    r.rlim_cur = r.rlim_max;
    setrlimit(RLIMIT_NOFILE, &r);
    const int n = static_cast<int>(estado.range(0));
    const char* s = std::getenv("PARCHIS_BENCH_SEGUNDOS");
    const double duracion = s ? std::atof(s) : 5;

    Limites l;
    l.Conexiones = 8 * n + 64;
    l.ConexionesPorDireccion = l.Conexiones;
    l.Salas = l.SalasPorDireccion = n;
    Servidor servidor(l);
    if (!servidor.Escucha(0, "127.0.0.1")) {
        estado.SkipWithError("no se puede escuchar");
        return;
    }
    volatile bool parar = false;
    std::thread hilo([&] { servidor.Sirve(parar); });

    std::vector<Sala> salas(n);
    int abiertas = 0;
    for (Sala& sala : salas) abiertas += Prepara(servidor.Puerto(), sala);
    const int ep = epoll_create1(0);
    std::vector<std::string> pendiente(8 * n + 1024);
    for (Sala& sala : salas)
        for (int k = 0; k < 3; ++k)
            for (const int fd : {sala.clientes[k], sala.enlaces[k]}) {
                if (fd < 0) continue;
                fcntl(fd, F_SETFL, O_NONBLOCK);
                epoll_event e{};
                e.events = EPOLLIN;
                e.data.fd = fd;
                epoll_ctl(ep, EPOLL_CTL_ADD, fd, &e);
                if (std::size_t(fd) >= pendiente.size()) pendiente.resize(fd + 1);
            }
    const double inicio0 = Segundos();
    for (int i = 0; i < n; ++i) salas[i].proxima = inicio0 + 0.25 * i / n;   // spread over the period

    std::vector<double> retrasos;
    std::uint64_t recibidos = 0;
    char mensaje[Largo + 1];
    for (auto _ : estado) {
        const double fin = Segundos() + duracion;
        double ahora;
        while ((ahora = Segundos()) < fin) {
            for (Sala& sala : salas) {
                if (sala.control < 0 || ahora < sala.proxima) continue;
                sala.proxima += 0.25;
                std::snprintf(mensaje, sizeof mensaje, "ZRA3401%024.9f%9s", ahora, "");
                if (sala.turno % 2 == 0)
                    for (const int e : sala.enlaces) Manda(e, std::string(mensaje, Largo));
                else
                    Manda(sala.clientes[(sala.turno / 2) % 3], std::string(mensaje, Largo));
                ++sala.turno;
            }
            epoll_event ev[256];
            const int listos = epoll_wait(ep, ev, 256, 1);
            const double llegada = Segundos();
            for (int i = 0; i < listos; ++i) {
                char bytes[4096];
                const int fd = ev[i].data.fd;
                const ssize_t leidos = recv(fd, bytes, sizeof bytes, 0);
                if (leidos <= 0) continue;
                std::string& p = pendiente[fd];
                p.append(bytes, std::size_t(leidos));
                std::size_t k = 0;
                for (; k + Largo <= p.size(); k += Largo) {
                    retrasos.push_back(llegada - std::atof(p.substr(k + 7, 24).c_str()));
                    ++recibidos;
                }
                p.erase(0, k);
            }
        }
    }
    parar = true;
    hilo.join();
    std::sort(retrasos.begin(), retrasos.end());
    const auto percentil = [&](double q) {
        return retrasos.empty() ? 0.0 : 1000 * retrasos[std::size_t(q * (retrasos.size() - 1))];
    };
    estado.counters["salas"] = abiertas;
    estado.counters["mensajes_s"] = double(recibidos) / duracion;
    estado.counters["p50_ms"] = percentil(0.50);
    estado.counters["p99_ms"] = percentil(0.99);
    for (Sala& sala : salas) {
        close(sala.control);
        for (int k = 0; k < 3; ++k) {
            close(sala.clientes[k]);
            close(sala.enlaces[k]);
        }
    }
    close(ep);
}

}  // namespace

BENCHMARK(BM_Salas)->Arg(10)->Arg(100)->Arg(500)->Arg(1000)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
BENCHMARK_MAIN();
