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

}  // namespace

BloqueoCarpeta::BloqueoCarpeta(const std::string& carpeta) : ruta_(carpeta + FicheroBloqueo) {
    // A copy that is leaving removes the file it held; the lock taken must be
    // on the file that is in the folder now, so the attempt is repeated when
    // the file changed under it.
    for (int intento = 0; intento < 8; ++intento) {
        const int fd = open(ruta_.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
        if (fd < 0) return;
        if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
            if (errno == EWOULDBLOCK) estado_ = EstadoBloqueo::Ocupado;
            close(fd);
            return;
        }
        if (MismoFichero(fd, ruta_)) {
            fd_ = fd;
            estado_ = EstadoBloqueo::Tomado;
            return;
        }
        close(fd);
    }
}

BloqueoCarpeta::~BloqueoCarpeta() {
    if (fd_ < 0) return;
    // Removed while still locked, so no other copy can be holding it.
    unlink(ruta_.c_str());
    close(fd_);
}

}  // namespace parchis
