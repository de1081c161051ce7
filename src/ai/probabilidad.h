// The distribution of the values a seat's throw can count under the current
// rules: how many entries of each value appear over all the equally likely
// throws (6 with one die, 36 with two).  The statistics window prints it and
// the computer player weighs captures with it.
#pragma once

#include <array>

#include "core/partida.h"

namespace parchis {

inline constexpr int MaxValor = 24;   // highest value a throw can count (double 6 counted twice)

struct DistribucionValores {
    int NumValoresPosibles = 0;                    // highest value with a count above 0
    std::array<int, MaxValor + 1> Combinaciones{}; // [1..24]
    std::array<double, MaxValor + 1> PorcentajeValor{};  // [1..24], share of all entries x 100
};

// The distribution for `jugador`, whose waiting box decides the bonus of a
// six or a double.  A seat outside 1..4 gets the distribution of a seat with
// pieces in its box.
DistribucionValores ProbabilidadValores(const Partida& p, int jugador);

// The same for a seat whose box is empty (true) or not (false).
DistribucionValores DistribucionSegunEspera(const Partida& p, bool cajaVacia);

}  // namespace parchis
