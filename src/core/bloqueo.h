// One program per data folder.  A copy of the program holds a lock on the
// file ZRVEL34.BLQ of its data folder while it runs; the system releases it
// when the process ends, however it ends, so a program that was killed
// never keeps the next one out.
#pragma once

#include <string>

namespace parchis {

inline constexpr const char* FicheroBloqueo = "ZRVEL34.BLQ";

enum class EstadoBloqueo {
    Tomado,       // the folder is this process's
    Ocupado,      // another copy of the program runs on it
    SinBloqueo,   // the lock file cannot be made (a read-only folder): go on without
    Imposible,    // something that cannot be locked has the lock file's name
};

class BloqueoCarpeta {
public:
    // Tries to take `carpeta` (ending in '/') for this process, at once.
    explicit BloqueoCarpeta(const std::string& carpeta);
    // Releases the folder and removes the lock file.
    ~BloqueoCarpeta();
    BloqueoCarpeta(const BloqueoCarpeta&) = delete;
    BloqueoCarpeta& operator=(const BloqueoCarpeta&) = delete;

    EstadoBloqueo Estado() const { return estado_; }

private:
    std::string ruta_;
    int fd_ = -1;
    bool propio_ = false;   // made or writable by this user: removed at the end
    EstadoBloqueo estado_ = EstadoBloqueo::SinBloqueo;
};

}  // namespace parchis
