// The program's one random generator, for the implementations of Interfaz:
// seeded once (from the time of day, or with a fixed seed for repeatable
// runs), then uniform numbers in [0, 1).
#pragma once

#include <cstdint>
#include <random>

namespace parchis {

class Generador {
public:
    void Siembra(std::uint64_t semilla) { motor_.seed(semilla); }
    void SiembraConLaHora();
    double Siguiente() { return std::generate_canonical<double, 53>(motor_); }

private:
    std::mt19937_64 motor_;
};

// A die from a uniform number in [0, 1): 1 to 6.
inline int CaraDado(double x) {
    const int cara = 1 + static_cast<int>(x * 6);
    return cara < 1 ? 1 : cara > 6 ? 6 : cara;
}

}  // namespace parchis
