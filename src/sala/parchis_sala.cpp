// parchis-sala: the room server of network play over the internet.
#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>

#include "net/puertos.h"
#include "sala/apertura.h"
#include "sala/servidor.h"

namespace {

volatile bool Parar = false;
extern "C" void AlParar(int) { Parar = true; }

const char* const Ayuda =
    "Uso: parchis-sala [opciones]\n"
    "Servidor de salas del parchís: los jugadores se reúnen con un código de sala\n"
    "sin abrir puertos en su router.\n"
    "  --puerto P                puerto de escucha (49930, desplazado por\n"
    "                            PARCHIS_DESPLAZAMIENTO_PUERTOS)\n"
    "  --direccion IP            dirección IPv4 de escucha (0.0.0.0: todas)\n"
    "  --salas N                 salas abiertas a la vez como máximo (1000)\n"
    "  --conexiones N            conexiones a la vez como máximo (4096)\n"
    "  --conexiones-por-ip N     conexiones de una misma dirección (32)\n"
    "  --salas-por-ip N          salas de una misma dirección (4)\n"
    "  --inactividad S           segundos sin tráfico tras los que se cierra una sala (3600)\n"
    "  --ayuda                   muestra esta ayuda\n"
    "Se detiene con SIGTERM o SIGINT. Solo escribe en la salida de errores:\n"
    "una línea por sala abierta o cerrada.\n";

// Why the server cannot listen, in the words of the rest of its messages.
std::string CausaEscucha(int error) {
    switch (error) {
    case EADDRINUSE: return "la dirección y el puerto ya están en uso (¿otro parchis-sala?)";
    case EACCES: case EPERM: return "no hay permiso para usar ese puerto";
    case EADDRNOTAVAIL: return "esa dirección no es de este equipo";
    case EINVAL: return "no es una dirección IPv4 (como 0.0.0.0 o 192.168.1.10)";
    default: return std::strerror(error);
    }
}

bool Numero(const char* texto, long minimo, long maximo, long& valor) {
    char* fin = nullptr;
    errno = 0;
    const long n = std::strtol(texto, &fin, 10);
    if (*texto == '\0' || *fin != '\0' || errno || n < minimo || n > maximo) return false;
    valor = n;
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace parchis;
    sala::Limites limites;
    long puerto = PuertoSala();
    std::string direccion = "0.0.0.0";
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--ayuda" || a == "-h" || a == "--help") {
            std::cout << Ayuda;
            return 0;
        }
        if (i + 1 >= argc) {
            std::cerr << "parchis-sala: opción desconocida o sin valor: " << a << "\n" << Ayuda;
            return 2;
        }
        const char* v = argv[++i];
        long n = 0;
        bool bien = true;
        if (a == "--direccion") direccion = v;
        else if (a == "--puerto") bien = Numero(v, 1, 65535, puerto);
        else if (a == "--salas") bien = Numero(v, 1, 1'000'000, n) && (limites.Salas = int(n));
        else if (a == "--conexiones") bien = Numero(v, 1, 1'000'000, n) && (limites.Conexiones = int(n));
        else if (a == "--conexiones-por-ip") bien = Numero(v, 1, 1'000'000, n) && (limites.ConexionesPorDireccion = int(n));
        else if (a == "--salas-por-ip") bien = Numero(v, 1, 1'000'000, n) && (limites.SalasPorDireccion = int(n));
        else if (a == "--inactividad") bien = Numero(v, 1, 604800, n) && (limites.Inactividad = double(n)) > 0;
        else {
            std::cerr << "parchis-sala: opción desconocida: " << a << "\n" << Ayuda;
            return 2;
        }
        if (!bien) {
            std::cerr << "parchis-sala: valor no válido para " << a << ": " << v << "\n";
            return 2;
        }
    }
    // Every connection is a descriptor: take all the system allows us.
    rlimit r{};
    if (getrlimit(RLIMIT_NOFILE, &r) == 0 && r.rlim_cur < r.rlim_max) {
        r.rlim_cur = r.rlim_max;
        setrlimit(RLIMIT_NOFILE, &r);
    }
    std::signal(SIGPIPE, SIG_IGN);
    struct sigaction parar {};
    parar.sa_handler = AlParar;
    sigaction(SIGTERM, &parar, nullptr);
    sigaction(SIGINT, &parar, nullptr);

    sala::Servidor servidor(limites, &std::cerr);
    if (!servidor.Escucha(int(puerto), direccion)) {
        std::cerr << "parchis-sala: no se puede escuchar en " << direccion << ":" << puerto << ": "
                  << CausaEscucha(errno) << "\n";
        return 1;
    }
    std::cerr << "parchis-sala: escuchando en " << direccion << ":" << servidor.Puerto() << std::endl;
    servidor.Sirve(Parar);
    std::cerr << "parchis-sala: detenido" << std::endl;
    return 0;
}
