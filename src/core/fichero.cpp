#include "core/fichero.h"

#include <algorithm>
#include <cerrno>
#include <limits>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace parchis {

namespace {

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() { Cierra(); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Fd() const { return fd_; }
    bool Abierto() const { return fd_ >= 0; }
    // Closing can report a late write error, so callers that wrote check it.
    bool Cierra() {
        if (fd_ < 0) return true;
        const bool bien = close(fd_) == 0;
        fd_ = -1;
        return bien;
    }

private:
    int fd_;
};

bool EscribeTodo(int fd, const std::string& contenido) {
    std::size_t hecho = 0;
    while (hecho < contenido.size()) {
        const ssize_t n = write(fd, contenido.data() + hecho, contenido.size() - hecho);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        hecho += static_cast<std::size_t>(n);
    }
    return true;
}

std::string CarpetaDe(const std::string& ruta) {
    const auto barra = ruta.rfind('/');
    if (barra == std::string::npos) return ".";
    return barra == 0 ? "/" : ruta.substr(0, barra);
}

// Makes the rename itself durable; failure here loses nothing already written.
void SincronizaCarpeta(const std::string& ruta) {
    Descriptor carpeta(open(CarpetaDe(ruta).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (carpeta.Abierto()) fsync(carpeta.Fd());
}

}  // namespace

int LeeFichero(const std::string& ruta, std::string& contenido, std::size_t maximo) {
    Descriptor fichero(open(ruta.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fichero.Abierto()) return errno;
    try {
        std::string leido;
        char buffer[65536];
        while (leido.size() < maximo) {
            const std::size_t pedir = std::min(sizeof buffer, maximo - leido.size());
            const ssize_t n = read(fichero.Fd(), buffer, pedir);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) return errno;
            if (n == 0) break;
            leido.append(buffer, static_cast<std::size_t>(n));
        }
        contenido = std::move(leido);
    } catch (const std::bad_alloc&) {
        return ENOMEM;
    }
    return 0;
}

bool EscribeFichero(const std::string& ruta, const std::string& contenido) {
    const std::string temporal = ruta + ".tmp" + std::to_string(getpid());
    Descriptor fichero(open(temporal.c_str(),
                            O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0666));
    if (!fichero.Abierto()) return false;
    const bool escrito = EscribeTodo(fichero.Fd(), contenido) && fsync(fichero.Fd()) == 0 &&
                         fichero.Cierra() && rename(temporal.c_str(), ruta.c_str()) == 0;
    if (!escrito) {
        unlink(temporal.c_str());
        return false;
    }
    SincronizaCarpeta(ruta);
    return true;
}

bool CopiaFichero(const std::string& origen, const std::string& destino) {
    std::string contenido;
    return LeeFichero(origen, contenido, std::numeric_limits<std::size_t>::max()) == 0 &&
           EscribeFichero(destino, contenido);
}

}  // namespace parchis
