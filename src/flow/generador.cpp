#include "flow/generador.h"

#include <chrono>

namespace parchis {

void Generador::SiembraConLaHora() {
    const auto ahora = std::chrono::system_clock::now().time_since_epoch();
    Siembra(static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::microseconds>(ahora).count()));
}

}  // namespace parchis
