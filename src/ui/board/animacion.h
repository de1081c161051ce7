// Everything on the board that moves: pieces gliding square by square, the
// capture mark, pieces appearing one by one, the hand that points at the
// piece about to move, the flashing of a piece's destinations and the
// winner's emblem.  The record has always been updated before the screen is
// told; the pictures follow it, with sounds, paced by the speed-scaled pause.
#pragma once

#include <functional>
#include <vector>

#include "core/partida.h"
#include "ui/board/tablero.h"

namespace parchis {

struct ServiciosAnimacion {
    // Plays sound n; `esperar` plays it to the end.
    std::function<void(int, bool)> sonido;
    // The speed-scaled pause, in units.
    std::function<void(int)> pausa;
    // A wait of so many milliseconds whatever the game's speed (the tutor's
    // hand must be seen); without it the tutor's hand uses `pausa`.
    std::function<void(int)> espera = {};
};

// Pixels per frame of a glide: square by square (and every replay by the
// recorder's remote), straight to a named square, and a manual move.
inline constexpr int PasoCaminando = 7;
inline constexpr int PasoDirecto = 5;
inline constexpr int PasoManual = 2000;

// The points a glide passes through, one per frame, from `desde` to `hasta`
// at `paso` pixels per frame along the axis of the larger distance; the
// last point is `hasta`.
std::vector<Punto> Deslizamiento(Punto desde, Punto hasta, int paso);

class Animador {
public:
    Animador(Tablero& tablero, ServiciosAnimacion servicios);

    // Log entry n has just been played forward on the record (or undone):
    // the piece travels on the screen.  With the remote control on, steps
    // make no sound and take no pause.
    void MuestraJugada(const Partida& p, int n, bool adelante, bool mandoEncendido);

    // The seat's waiting box fills one piece at a time, with a click each.
    void MuestraCuadroEspera(const Partida& p, int jugador);
    void MuestraCasa(const Partida& p, int jugador);
    // A whole position, piece by piece.
    void PresentaPartida(const Partida& p);

    // Points three times at a piece, with the tutor's hand or the
    // computer's.
    void SenalaFicha(const Partida& p, int jugador, int ficha, bool tutor);
    // Flashes twice the squares piece `ficha` of Turno can reach.
    void DestellaDestinos(const Partida& p, int ficha);
    // Step 1..4 of the winner's emblem.
    void MuestraEmblema(int jugador, int paso);

    // Where piece k of seat j is drawn now, on its side of a shared square.
    Punto PosicionFicha(const Partida& p, int jugador, int ficha) const;

private:
    struct Viaje;
    void Recorre(const Partida& destino, const Viaje& v, bool mando);
    void Desliza(Punto& actual, Punto hasta, int paso, int jugador);
    // Redraws a square, or a seat's box, as the record has it.
    void Rehace(const Partida& p, int jugador, int casilla);
    void MarcaCaptura(const Partida& p, int casilla);

    Tablero& t_;
    ServiciosAnimacion s_;
};

}  // namespace parchis
