// The computer player's estimate of a position for the seat to move: what
// each of its pieces can win (captures it can make with the seat's next
// throw) and lose (captures the other seats can make on it) before the
// seat's next turn, the partial sums of targets ahead, threats behind and
// pieces held behind its barriers, the progress of every seat and which
// pieces are sheltered.  A choice compares this estimate before and after
// each sequence of moves.
#pragma once

#include <array>
#include <cstdint>

#include "ai/alcance.h"
#include "ai/probabilidad.h"
#include "core/partida.h"

namespace parchis {

// What stays fixed during one choice.
struct ContextoValoracion {
    int Jugador = 0;
    int NumFichas = 0;
    bool Parejas = false;
    int Socio = 0;              // the partner in pairs mode, else 0
    int Posicion = 2;           // standing towards the partner: 1 behind, 2 level, 3 ahead
    // Value of each piece in the position before the sequence [seat][piece].
    std::array<std::array<double, MaxFichas + 1>, 5> ValorPieza{};
    std::array<DistribucionValores, 2> Distribucion{};   // [seat's box is empty]
    const AlcanceFichas* Alcance = nullptr;

    const DistribucionValores& DistribucionDe(const Partida& p, int jugador) const {
        return Distribucion[p.EnEspera[jugador] == 0 ? 1 : 0];
    }
};

// No initial values: only the first NumTerminos are ever read, and clearing
// the whole table made every estimate start with a few kilobytes of writes.
struct TerminoGanancia {
    Entero Casilla;         // where the capture lands
    double Valor;
};

struct ValorEstado {
    // Capture terms of piece k are Terminos[InicioTerminos[k] .. InicioTerminos[k+1]).
    int NumTerminos = 0;
    std::array<TerminoGanancia, MaxFichas * MaxValor> Terminos;
    std::array<std::uint8_t, MaxFichas + 2> InicioTerminos{};
    std::array<double, MaxFichas + 1> GananciaSocio{}, Perdida{}, S1{}, S2{}, S3{};
    std::array<Entero, MaxFichas + 1> Posicion{}, Recorrido{};
    std::array<bool, MaxFichas + 1> Resguardada{};
    std::array<double, 5> Progreso{};
    int EnEspera = 0;

    // Gain of piece k when a capture landing on `excluida` is not counted.
    double Ganancia(int k, int excluida) const {
        double g = 0;
        for (int t = InicioTerminos[k]; t < InicioTerminos[k + 1]; ++t)
            if (Terminos[t].Casilla != excluida) g += Terminos[t].Valor;
        return g + GananciaSocio[k];
    }
};

// Progress of a seat: squares travelled by its pieces, each capped at 63,
// as a percentage of 63 per piece.
double ProgresoJugador(const Partida& p, int jugador, int numFichas);

// The fixed part of a choice for Turno in the current position.
ContextoValoracion PreparaValoracion(const Partida& p, const AlcanceFichas& alcance);

// Estimates the current position of p for ctx.Jugador.
void ValoraEstado(const Partida& p, const ContextoValoracion& ctx, ValorEstado& v);

// The loss part of the estimate for one piece (what the other seats can
// capture of it with their next throw), as the statistics window shows it.
double PeligroFicha(const Partida& p, int jugador, int ficha);

}  // namespace parchis
