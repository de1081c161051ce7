// The game's sounds, by number, from the program's own resources.
#pragma once

#include <array>
#include <functional>
#include <map>
#include <memory>

class QSoundEffect;

namespace parchis {

class Sonidos {
public:
    static constexpr std::array<int, 14> Numeros = {1, 5, 6, 7, 9, 10, 11, 12, 13, 14, 15, 17, 18, 19};

    // `espera` waits a number of milliseconds ("play to the end"); the
    // desktop passes a wait that lets paints through but not input.
    explicit Sonidos(std::function<void(double)> espera);
    ~Sonidos();

    // modo 1 plays and returns at once; any other mode returns when the
    // sound has ended.  With `activo` (the Sonido preference) off nothing is
    // started and nothing is stopped.  A number without a sound is ignored.
    void Toca(bool activo, int modo, int numero);

    // Length of a sound in milliseconds, 0 for a number without one.
    double Duracion(int numero) const;

    // The last sound started, 0 for none.
    int UltimoSonido() const { return ultimo_; }

private:
    std::function<void(double)> espera_;
    std::map<int, double> duraciones_;
    std::map<int, std::unique_ptr<QSoundEffect>> efectos_;   // empty without audio output
    QSoundEffect* sonando_ = nullptr;
    int ultimo_ = 0;
};

}  // namespace parchis
