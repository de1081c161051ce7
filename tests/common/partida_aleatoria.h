// Whole games played by the turn engine without a window, under random house
// rules.  A seat is the computer player or a person who clicks at random
// among the moves the counting panel allows, now and then after marking
// another value or following the tutor.
#pragma once

#include <functional>
#include <random>

#include "common/interfaz_muda.h"
#include "core/partida.h"

namespace parchis::prueba {

// Random house rules, direction and activated seats (at least two).
void ReglasAleatorias(Partida& p, std::mt19937& azar);

// A new board under p's rules, NumFichas following FichasPorJugador, every
// seat the computer or a person at a random level and character, and the
// first throw for a random activated seat.
void EmpiezaPartida(Partida& p, std::mt19937& azar);

class InterfazAzar : public InterfazMuda {
public:
    InterfazAzar(Partida& p, unsigned semilla) : InterfazMuda(semilla), p_(p), azar_(semilla) {}

    // After log entry n has been played forward.
    std::function<void(Partida&, int n)> TrasJugada;
    // Just before the computer player is asked for the move of Turno (a
    // person's seat too: it prepares the tutor's suggestion).
    std::function<void(Partida&)> AntesDeElegir;
    // Every message, by its title.
    std::function<void(const std::string&)> AlMensaje;
    // The game stops once this many entries have been played.
    int MaxEntradas = 1 << 30;
    int Ultima = 0;   // the last entry played forward

    void Cede() override;
    // Aceptar, but for the offer to write the game into the history.
    int Mensaje(const std::string& titulo, const std::string&, int, int, int) override;
    void PonPuntero(Puntero puntero) override;
    void MuestraJugada(int n, bool adelante) override;

private:
    void Persona();
    bool ClicAzar();

    Partida& p_;
    std::mt19937 azar_;
    long cesiones_ = 0;
};

// Plays the game set up in p to its end: true when a seat has every piece
// home, false when stopped at ui.MaxEntradas.  NumJugada is left one past the
// last entry.
bool JuegaPartidaAleatoria(Partida& p, InterfazAzar& ui);

}  // namespace parchis::prueba
