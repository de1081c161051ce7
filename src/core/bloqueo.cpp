#include "core/bloqueo.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace parchis {

namespace {

bool MismoFichero(int fd, const std::string& ruta) {
    struct stat abierto{}, enCarpeta{};
    return fstat(fd, &abierto) == 0 && lstat(ruta.c_str(), &enCarpeta) == 0 &&
           abierto.st_dev == enCarpeta.st_dev && abierto.st_ino == enCarpeta.st_ino;
}

// A lock is taken on a file opened only for reading as well, so a lock file
// this user cannot write (another user's) or a folder of that name guards
// the folder just the same.  A link is never followed.
int AbreBloqueo(const std::string& ruta, bool& propio) {
    constexpr int Comun = O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
    propio = true;
    const int fd = open(ruta.c_str(), O_RDWR | O_CREAT | Comun, 0644);
    if (fd >= 0 || errno == ENOENT) return fd;
    propio = false;
    return open(ruta.c_str(), O_RDONLY | Comun);
}

}  // namespace

BloqueoCarpeta::BloqueoCarpeta(const std::string& carpeta) : ruta_(carpeta + FicheroBloqueo) {
    // A copy that is leaving removes the file it held; the lock taken must be
    // on the file that is in the folder now, so the attempt is repeated when
    // the file changed under it.
    for (int intento = 0; intento < 8; ++intento) {
        bool propio = false;
        const int fd = AbreBloqueo(ruta_, propio);
        if (fd < 0) {
            // Nothing there and nothing can be made (a read-only folder): no
            // copy can write in it either.  Something there that cannot be
            // opened (a link) would let two copies in: none starts.
            struct stat datos{};
            estado_ = lstat(ruta_.c_str(), &datos) == 0 ? EstadoBloqueo::Imposible : EstadoBloqueo::SinBloqueo;
            return;
        }
        if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
            if (errno == EWOULDBLOCK) estado_ = EstadoBloqueo::Ocupado;
            close(fd);
            return;
        }
        if (MismoFichero(fd, ruta_)) {
            fd_ = fd;
            propio_ = propio;
            estado_ = EstadoBloqueo::Tomado;
            return;
        }
        close(fd);
    }
}

BloqueoCarpeta::~BloqueoCarpeta() {
    if (fd_ < 0) return;
    // Removed while still locked, so no other copy can be holding it; a
    // file that is not this user's stays.
    if (propio_) unlink(ruta_.c_str());
    close(fd_);
}

}  // namespace parchis
