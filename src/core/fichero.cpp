#include "core/fichero.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <limits>
#include <new>
#include <string_view>
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

std::string NombreDe(const std::string& ruta) { return ruta.substr(ruta.rfind('/') + 1); }

// Makes the rename itself durable; failure here loses nothing already written.
void SincronizaCarpeta(const std::string& ruta) {
    Descriptor carpeta(open(CarpetaDe(ruta).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (carpeta.Abierto()) fsync(carpeta.Fd());
}

bool PuedeEscribir(const std::string& ruta) {
    return faccessat(AT_FDCWD, ruta.c_str(), W_OK, AT_EACCESS) == 0;
}

// Opens an existing regular file without blocking: a pipe with nobody at the
// other end would otherwise hang the open, and a device is never ours.
int AbreRegular(const std::string& ruta, int modo) {
    struct stat datos{};
    if (stat(ruta.c_str(), &datos) == 0 && !S_ISREG(datos.st_mode)) {
        errno = S_ISDIR(datos.st_mode) ? EISDIR : EACCES;
        return -1;
    }
    const int fd = open(ruta.c_str(), modo | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
    // Checked again on what was opened, in case the name changed meanwhile.
    if (fd >= 0 && (fstat(fd, &datos) != 0 || !S_ISREG(datos.st_mode))) {
        close(fd);
        errno = EACCES;
        return -1;
    }
    return fd;
}

bool MismoContenido(const std::string& ruta, const std::string& contenido) {
    std::string actual;
    return LeeFichero(ruta, actual, contenido.size() + 1) == 0 && actual == contenido;
}

// "name" + digits at the end of `nombre`, with something before it.
bool AcabaEnNumero(std::string_view nombre, std::string_view marca) {
    const auto pos = nombre.rfind(marca);
    if (pos == std::string_view::npos || pos == 0) return false;
    const auto cifras = nombre.substr(pos + marca.size());
    return !cifras.empty() && std::all_of(cifras.begin(), cifras.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Ours: the current mark, or the ".tmp" + number that saves of the state
// files were once given.
bool EsTemporal(std::string_view nombre) {
    if (AcabaEnNumero(nombre, MarcaTemporal)) return true;
    if (!AcabaEnNumero(nombre, ".tmp")) return false;
    const auto base = nombre.substr(0, nombre.rfind(".tmp"));
    return base.rfind("ZRVEL34.", 0) == 0 || (base.size() > 4 && base.substr(base.size() - 4) == ".par");
}

// Removes the regular files of `carpeta` that `borrar` picks by name.
template <typename Criterio>
void BorraDe(const std::string& carpeta, Criterio borrar) {
    DIR* d = opendir(carpeta.c_str());
    if (d == nullptr) return;
    while (const dirent* e = readdir(d)) {
        const std::string ruta = carpeta + "/" + e->d_name;
        struct stat datos{};
        if (borrar(std::string_view(e->d_name)) && lstat(ruta.c_str(), &datos) == 0 && S_ISREG(datos.st_mode))
            unlink(ruta.c_str());
    }
    closedir(d);
}

// Reads from the descriptor's position up to `maximo` bytes.
int LeeHasta(int fd, std::string& contenido, std::size_t maximo) {
    try {
        std::string leido;
        char buffer[65536];
        while (leido.size() < maximo) {
            const std::size_t pedir = std::min(sizeof buffer, maximo - leido.size());
            const ssize_t n = read(fd, buffer, pedir);
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

}  // namespace

int LeeFichero(const std::string& ruta, std::string& contenido, std::size_t maximo) {
    Descriptor fichero(AbreRegular(ruta, O_RDONLY));
    if (!fichero.Abierto()) return errno;
    return LeeHasta(fichero.Fd(), contenido, maximo);
}

int LeeFinalFichero(const std::string& ruta, std::string& contenido, std::size_t maximo,
                    std::size_t bloque) {
    Descriptor fichero(AbreRegular(ruta, O_RDONLY));
    if (!fichero.Abierto()) return errno;
    struct stat datos{};
    if (fstat(fichero.Fd(), &datos) != 0) return errno;
    // Whole blocks counted from the start, so a short last one stays last.
    const auto tamano = static_cast<std::size_t>(datos.st_size);
    const std::size_t bloques = (tamano + bloque - 1) / bloque;
    const std::size_t caben = maximo / bloque;
    const std::size_t desde = bloques > caben ? (bloques - caben) * bloque : 0;
    if (lseek(fichero.Fd(), static_cast<off_t>(desde), SEEK_SET) < 0) return errno;
    return LeeHasta(fichero.Fd(), contenido, caben * bloque);
}

std::string DestinoReal(const std::string& ruta) {
    std::string actual = ruta;
    // The system's own limit on links followed in one name.
    for (int paso = 0; paso < 40; ++paso) {
        char destino[PATH_MAX];
        const ssize_t n = readlink(actual.c_str(), destino, sizeof destino);
        if (n <= 0 || static_cast<std::size_t>(n) >= sizeof destino) return actual;
        std::string siguiente(destino, static_cast<std::size_t>(n));
        actual = siguiente.front() == '/' ? siguiente : CarpetaDe(actual) + "/" + siguiente;
    }
    return actual;
}

bool SePuedeReemplazar(const std::string& ruta) {
    const std::string destino = DestinoReal(ruta);
    struct stat datos{};
    if (lstat(destino.c_str(), &datos) == 0 && (!S_ISREG(datos.st_mode) || !PuedeEscribir(destino)))
        return false;
    return PuedeEscribir(CarpetaDe(destino));
}

bool EscribeFichero(const std::string& ruta, const std::string& contenido) {
    const std::string destino = DestinoReal(ruta);
    struct stat anterior{};
    const bool existe = lstat(destino.c_str(), &anterior) == 0;
    if (existe && MismoContenido(destino, contenido)) return true;
    if (existe && !S_ISREG(anterior.st_mode)) {
        errno = S_ISDIR(anterior.st_mode) ? EISDIR : EACCES;
        return false;
    }
    if (existe && !PuedeEscribir(destino)) return false;
    const std::string temporal = destino + MarcaTemporal + std::to_string(getpid());
    Descriptor fichero(open(temporal.c_str(),
                            O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0666));
    if (!fichero.Abierto()) return false;
    // The new file is what the old one was to its owner and group.
    if (existe) {
        fchmod(fichero.Fd(), anterior.st_mode & 07777);
        if ((anterior.st_uid != geteuid() || anterior.st_gid != getegid()) &&
            fchown(fichero.Fd(), anterior.st_uid, anterior.st_gid) != 0) {
            // Only root may give a file away; the group may still be kept.
            if (fchown(fichero.Fd(), static_cast<uid_t>(-1), anterior.st_gid) != 0) {}
        }
    }
    const bool escrito = EscribeTodo(fichero.Fd(), contenido) && fsync(fichero.Fd()) == 0 &&
                         fichero.Cierra() && rename(temporal.c_str(), destino.c_str()) == 0;
    if (!escrito) {
        const int causa = errno;
        unlink(temporal.c_str());
        errno = causa;
        return false;
    }
    SincronizaCarpeta(destino);
    return true;
}

bool AnadeAFichero(const std::string& ruta, const std::string& contenido) {
    Descriptor fichero(AbreRegular(ruta, O_WRONLY | O_APPEND | O_CREAT));
    return fichero.Abierto() && EscribeTodo(fichero.Fd(), contenido) && fichero.Cierra();
}

bool CopiaFichero(const std::string& origen, const std::string& destino) {
    std::string contenido;
    return LeeFichero(origen, contenido, std::numeric_limits<std::size_t>::max()) == 0 &&
           EscribeFichero(destino, contenido);
}

std::string ApartaFichero(const std::string& ruta) {
    const std::string origen = DestinoReal(ruta);
    const std::string base = origen + ".dañado";
    std::string nombre = base;
    for (int n = 2; n < 10000 && access(nombre.c_str(), F_OK) == 0; ++n) nombre = base + "." + std::to_string(n);
    return rename(origen.c_str(), nombre.c_str()) == 0 ? nombre : std::string();
}

void BorraTemporales(const std::string& carpeta) {
    BorraDe(carpeta, EsTemporal);
    // A linked file is saved next to its target.
    DIR* d = opendir(carpeta.c_str());
    if (d == nullptr) return;
    while (const dirent* e = readdir(d)) {
        const std::string ruta = carpeta + "/" + e->d_name;
        const std::string destino = DestinoReal(ruta);
        if (destino == ruta) continue;
        const std::string prefijo = NombreDe(destino) + MarcaTemporal;
        BorraDe(CarpetaDe(destino), [&](std::string_view nombre) {
            return nombre.rfind(prefijo, 0) == 0 && AcabaEnNumero(nombre, MarcaTemporal);
        });
    }
    closedir(d);
}

}  // namespace parchis
