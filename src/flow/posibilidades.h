// Each seat's chance of winning from the position on the board, estimated
// by playing the game to its end many times from there with the program's
// own engine and computer player: each seat at its level and character, a
// person's seat (here or over the network) as the computer at level 10.
// The playouts skip what only a person needs (narration, the move list,
// the counting panel, drawing, sound, files).
//
// Playout number i is played with dice drawn from (seed, i) alone, so the
// figures of the first n playouts are the same whichever thread played
// them and however many threads there are: a fixed seed repeats them.
// Playouts run on worker threads, each on its own copy of the record; the
// caller only ever sees finished figures.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "core/partida.h"

namespace parchis {

// 95 % of a normal distribution lies within this many standard deviations.
inline constexpr double Z95 = 1.959964;

// The luck of a playout's throws, seat by seat: what each throw let its
// seat do (capture another seat's piece, and how far that piece had come;
// bring a piece home; take one out of the box; its total; a six or a
// double) less what the throws it could have made let it do on average on
// the same board.  Summed over a playout each is zero on average whatever
// the players choose, and who wins follows them closely enough that they
// take a fifth to a third of the playouts' spread with the default rules.
inline constexpr int NumSuerte = 40;
using Suerte = std::array<double, NumSuerte>;
// Adds the luck of the throw (dado1, dado2) of p.Turno, on the board before
// it is counted; p is left as it was.
void AnotaSuerte(Partida& p, int dado1, int dado2, Suerte& suerte);

// Each seat's chance corrected for the luck of the playouts' throws: the
// win share less the part the luck sums explain (a least-squares fit over
// the same playouts), whose margin is that of what is left.
class Correccion {
public:
    // `gana`: each seat's share of the playout's branches won, 0 to 1.
    void Anota(const Suerte& x, const std::array<double, 5>& gana);
    // Seat j's (1..4) corrected chance and its standard error; false when
    // the correction would not narrow the margin.
    bool Estima(int jugador, double& probabilidad, double& error) const;

private:
    std::int64_t n_ = 0;
    std::array<double, NumSuerte> sx_{};
    std::vector<double> sxx_ = std::vector<double>(NumSuerte * NumSuerte);
    std::array<std::array<double, NumSuerte>, 5> sxy_{};
    std::array<double, 5> sy_{}, syy_{};
};

// A playout branches once, at the first throw where a seat has `Corte`
// pieces home, and plays the rest of the game `Ramas` times from there
// with fresh dice: who wins is mostly settled after that point, and a
// branch costs less than the way there.  Corte 0: it never branches.
struct Reparto {
    int Corte = 0;
    int Ramas = 1;
};
Reparto RepartoPara(const Partida& inicio);

struct Posibilidades {
    std::int64_t Partidas = 0;      // playouts counted, each with its branches
    std::int64_t Terminadas = 0;    // games played to their end, every branch counted
    std::int64_t SinGanador = 0;    // branches stopped at the move limit
    std::array<std::int64_t, 5> Victorias{};   // [1..4]: branches won
    bool Parejas = false;
    // Over the playouts, of each seat's (with pairs, its pair's) share of a
    // playout's branches won: the sum and the sum of squares.
    std::array<double, 5> Suma{}, Cuadrados{};
    // Corrected for the dice's luck where that narrows the margin: the
    // chance and its standard error, by seat.
    std::array<bool, 5> Corregida{};
    std::array<double, 5> Corregido{}, Error{};

    // Chance of seat j (with pairs, of j's pair) in [0, 1], and its 95 %
    // margin (half the width of the interval).
    double Probabilidad(int jugador) const;
    double Margen(int jugador) const;
    // The widest margin over the active seats of `p`.
    double MargenMaximo(const Partida& p) const;
};

// The record as the playouts start from it: a copy at the start of the
// current throw (a throw half played is taken back), with every seat the
// computer's, nothing for the screen and no network.  Returns false when
// there is no game under way or, with `comprobar` (a record read from a
// file), when its log is not one the engine writes or does not replay to
// its position: no playout could be trusted from it.
bool PreparaSimulacion(const Partida& p, Partida& inicio, bool comprobar = false);

// Plays playout number `indice` from `inicio` (prepared as above) and
// returns the winning seat, 0 when the game reached the move limit or was
// stopped (`parar` set).
// With `suerte`, the luck of its throws is added there.
int JuegaSimulacion(const Partida& inicio, std::uint64_t semilla, std::int64_t indice,
                    const std::atomic<bool>* parar = nullptr, Suerte* suerte = nullptr);

// Playout number `indice` with its branches: how many branches each seat
// won ([0]: no winner) and how many there were.  With `suerte`, the luck of
// the throws before the branching and the branches' average are added.
struct Muestra {
    std::array<std::uint8_t, 5> Ganadas{};
    std::uint8_t Ramas = 0;
};
Muestra JuegaMuestra(const Partida& inicio, const Reparto& reparto, std::uint64_t semilla,
                     std::int64_t indice, const std::atomic<bool>* parar = nullptr,
                     Suerte* suerte = nullptr);

// Playouts on `hilos` worker threads (0: one per core), in blocks, until
// the margin of every seat is at most `margen` (and at least MinimoPartidas
// have been played), `maximo` playouts are done, or it is stopped.  The
// destructor stops it and waits for the threads.  `segundoPlano` lowers the
// threads' priority, so that a game and a window running beside them get
// the processor first.
class Analisis {
public:
    static constexpr std::int64_t MinimoPartidas = 200;
    static constexpr std::int64_t Bloque = 16;

    Analisis(const Partida& p, std::uint64_t semilla, double margen = 0.02,
             std::int64_t maximo = 200000, int hilos = 0, bool comprobar = false,
             bool segundoPlano = false);
    ~Analisis();
    Analisis(const Analisis&) = delete;
    Analisis& operator=(const Analisis&) = delete;

    // False when the record gives no position to play from.
    bool Valido() const { return valido_; }
    // The figures of the playouts counted so far: always a whole number of
    // blocks from the first, so the same seed gives the same figures.
    Posibilidades Estimacion() const;
    // The goal is reached, the maximum played, or it was stopped.
    bool Terminado() const { return terminado_.load(); }
    void Para();
    // Blocks until Terminado.
    void Espera();

private:
    void Trabaja(bool segundoPlano);
    void CuentaBloques();   // with mutex_ held

    Partida inicio_;
    Reparto reparto_;
    std::uint64_t semilla_;
    double margen_;
    std::int64_t maximo_;
    bool valido_ = false;
    std::atomic<bool> parar_{false};
    std::atomic<bool> terminado_{false};
    std::atomic<std::int64_t> siguienteBloque_{0};

    mutable std::mutex mutex_;
    // Winners of each block's playouts and the luck of their throws, by
    // block, as they finish.
    struct Hecho {
        Muestra Resultado;
        Suerte Azar;
    };
    std::vector<std::vector<Hecho>> bloques_;
    std::vector<bool> hechos_;
    Posibilidades cuenta_;          // the finished blocks from the first
    Correccion correccion_;
    std::int64_t contados_ = 0;     // blocks counted in cuenta_
    std::vector<std::thread> hilos_;
};

// Runs an analysis to its end on the calling thread's behalf.
Posibilidades EstimaPosibilidades(const Partida& p, std::uint64_t semilla, double margen = 0.02,
                                  std::int64_t maximo = 200000, int hilos = 0);

}  // namespace parchis
