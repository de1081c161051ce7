// The computer player's estimate of a position for the seat to move: what
// each of its pieces can win (captures it can make with the seat's next
// throw) and lose (captures the other seats can make on it) before the
// seat's next turn, the partial sums of targets ahead, threats behind and
// pieces held behind its barriers, the progress of every seat and which
// pieces are sheltered.  A choice compares this estimate before and after
// each sequence of moves.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

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
    unsigned Amenazan = 0;      // bit r: seat r's captures count against the seat

    const DistribucionValores& DistribucionDe(const Partida& p, int jugador) const {
        return Distribucion[p.EnEspera[jugador] == 0 ? 1 : 0];
    }
    // The highest value any seat's throw can count.
    int ValorMaximo() const {
        return std::max(Distribucion[0].NumValoresPosibles, Distribucion[1].NumValoresPosibles);
    }
};

// No initial values: only the first NumTerminos are ever read, and clearing
// the whole table made every estimate start with a few kilobytes of writes.
struct TerminoGanancia {
    Entero Casilla;         // where the capture lands
    double Valor;
};

// Everything of an estimate but its capture terms, which are few on most
// boards and many at most: a stored estimate keeps only those it has.
struct ValorFichas {
    // Capture terms of piece k are Terminos[InicioTerminos[k] .. InicioTerminos[k+1]).
    std::array<std::uint8_t, MaxFichas + 2> InicioTerminos{};
    std::array<double, MaxFichas + 1> GananciaSocio{}, Perdida{}, S1{}, S2{}, S3{};
    std::array<Entero, MaxFichas + 1> Posicion{}, Recorrido{};
    std::array<bool, MaxFichas + 1> Resguardada{};
    std::array<double, 5> Progreso{};
    int EnEspera = 0;

    // What an estimate of a later board needs to know of this one: every
    // seat's pieces and box, the bonus counts a capture asked for (-1 when
    // none did), and whether a piece of the seat stood off its path.
    std::array<std::array<Entero, MaxFichas + 1>, 5> Fichas{};
    std::array<Entero, 5> Espera{};
    std::array<std::int8_t, 5> Bono{};
    bool FueraDeCamino = false;

    // The scorer's features 2 to 8 of a path ending on this board, and
    // whether feature 9 applies: they depend on the board alone, and are
    // kept with its estimate for the other paths that end on it.
    std::array<float, 9> Rasgos{};
    bool AplicaRasgo9 = false;
    double Neto = 0;   // the net gain with every capture term: most paths exclude none
};

// An estimate as the scorer reads it, wherever its fields and its capture
// terms are kept.
struct VistaValor {
    const ValorFichas& Fichas;
    const TerminoGanancia* Terminos;
    int NumTerminos;

    // Gain of piece k when a capture landing on `excluida` is not counted.
    double Ganancia(int k, int excluida) const {
        double g = 0;
        for (int t = Fichas.InicioTerminos[k]; t < Fichas.InicioTerminos[k + 1]; ++t)
            if (Terminos[t].Casilla != excluida) g += Terminos[t].Valor;
        return g + Fichas.GananciaSocio[k];
    }
};

struct ValorEstado : ValorFichas {
    int NumTerminos = 0;
    std::array<TerminoGanancia, MaxFichas * MaxValor> Terminos;

    VistaValor Vista() const { return {*this, Terminos.data(), NumTerminos}; }
};

// A piece of another seat on the ring (slots 1 and 2), as the partial sums
// read it.
struct Ocupante {
    Entero Casilla, Jugador, Pieza;
    Entero Recorrido;           // squares the occupant has travelled
    double Valor;               // its piece value before the sequence
};

// The other seats' pieces that may land on a ring square with some value,
// whatever stands between: piece q of seat r on bit 8 * (r - 1) + q - 1, so
// that they come out in seat and piece order.
struct Amenazantes {
    static_assert(4 * MaxFichas <= 32);
    std::uint32_t Fichas = 0;
    static int Bit(int r, int q) { return MaxFichas * (r - 1) + q - 1; }
    // Seat r's pieces, piece q on bit q - 1.
    unsigned De(int r) const { return (Fichas >> MaxFichas * (r - 1)) & ((1u << MaxFichas) - 1); }
};

// A term of an estimate that reads a bonus count: parte * (Base + 20 times
// the bonus count of `Jugador` when ConBono).  The first board's capture and
// threat terms are kept so that a later board whose bonus counts changed
// sums them again rather than walks again.
struct TerminoBono {
    double Parte;
    std::int16_t Base;
    std::int8_t Jugador;
    bool ConBono;
};
struct DesgloseBonos {
    std::array<TerminoBono, MaxFichas * MaxValor> Capturas;   // as the estimate's Terminos
    // The threats (a partner's aside) of piece k are
    // Perdidas[InicioPerdidas[k] .. InicioPerdidas[k + 1]).
    std::array<TerminoBono, 4 * MaxFichas * MaxValor> Perdidas;
    std::array<std::uint16_t, MaxFichas + 2> InicioPerdidas{};
    int NumPerdidas = 0;
    bool Completo = true;   // false when the threats did not fit
};

// How a board differs from the first one, as ring squares: those changed,
// those whose being full changed, those whose barrier changed; and whether
// squares off the ring changed.
struct CambiosAnillo {
    AnilloBits Casillas = 0, Llenas = 0, Barreras = 0;
    bool Fuera = false;
};

// The first board's bonus counts piece by piece, and what each piece's
// count reads: a later board counts again only the pieces that moved or
// whose squares changed.
class BonosIniciales {
public:
    void Prepara(const Partida& p, const MapaTablero& b, const ContextoValoracion& ctx);
    // The pieces whose count the changes `cambios` reach, seat r's on bits
    // 16 * (r - 1) on: bit m for piece m, bit 0 for every piece.
    std::uint64_t Leidas(const CambiosAnillo& cambios) const;
    // The pieces of seat r that could count a bonus of 20 (FichasConBono's
    // count) on a board that differs from the first one as the changes whose
    // Leidas are `leidas` and, when `fuera`, off the ring.
    int Cuenta(const Partida& p, const MapaTablero& b, const ContextoValoracion& ctx, int r, std::uint64_t leidas,
               bool fuera) const;

private:
    using Fichas = std::uint16_t;   // bit m for piece m; bit 0 for every piece
    // What a piece's count reads, by where it stands.
    enum Lectura { DesdeSalida, DesdeAnillo, Nunca, Todo };
    static Lectura Clase(int r, int pos);
    // Per ring square, the pieces whose count reads (as Leidas): any change
    // of the square (only the seat to move's own pieces come and go on
    // its pieces' squares), whether it is full, its barrier.
    // Cleared when made: most boards never ask.
    mutable std::array<std::uint64_t, 68 + 1> casilla_, llena_, barrera_;
    mutable bool tablas_ = false;
    void HazTablas() const;
    void Lee(int r, int m, int desde, bool propia) const;
    int jugador_ = 0, numFichas_ = 0;
    unsigned forzosa_ = 0;              // bit r: a box piece of seat r must leave
    std::array<Fichas, 5> fuera_{};     // pieces that read squares off the ring
    std::array<Fichas, 5> conBono_{};   // pieces that could
    std::array<std::array<Entero, MaxFichas + 1>, 5> fichas_{};
    std::array<Entero, 5> espera_{};
};

// The board a search starts from and its estimate, from which the estimate
// of a board a few moves later is mostly copied.
struct BaseValoracion {
    // Estimates the current position of p, and prepares its per-piece bonus
    // counts when `bonos` (a search that may stay short prepares them later).
    BaseValoracion(const Partida& p, const ContextoValoracion& ctx, bool bonos = true);

    ValorEstado Valor;
    std::array<Casilla, NumCasillas + 1> Casillas{};
    MapaTablero Mapa;
    std::array<Ocupante, 2 * 68> Otros;   // other seats' pieces on the ring, in square order
    int NumOtros = 0;
    // Per ring square, while the other seats' pieces stand as they stand
    // here: a threat is looked for among these alone.
    std::array<Amenazantes, 68 + 1> PorCasilla;
    BonosIniciales Bonos;
    bool BonosDesdePrimero = false;   // Bonos is prepared: a later board's counts start from it
    DesgloseBonos Desglose;

    // S1 and S2 of piece k of the seat on its ring square among the other
    // seats' pieces of this board but those captured since (bit i of
    // `quitadas` for Otros[i]; `otros` lists the rest): they depend on
    // nothing else, and the boards of a search put the seat's pieces on
    // the same few squares after the same few captures again and again.
    // Worked out the first time asked.
    void Sumas(const ContextoValoracion& ctx, std::uint32_t quitadas, const Ocupante* otros, int numOtros, int k,
               ValorEstado& v) const;

private:
    mutable std::array<std::array<double, 2>, 68 + 1> sumas_;
    mutable std::array<bool, 68 + 1> sumasHechas_{};
    // After captures: open addressing on square and captured pieces, made
    // only when a search meets many such boards.
    struct SumasTrasCaptura {
        std::uint64_t Clave = 0;   // 0: empty
        double S1 = 0, S2 = 0;
    };
    mutable std::vector<SumasTrasCaptura> trasCaptura_;
    mutable int capturasVistas_ = 0;
};

// Progress of a seat: squares travelled by its pieces, each capped at 63,
// as a percentage of 63 per piece.
double ProgresoJugador(const Partida& p, int jugador, int numFichas);

// The fixed part of a choice for Turno in the current position.
ContextoValoracion PreparaValoracion(const Partida& p, const AlcanceFichas& alcance);

// Estimates the current position of p for ctx.Jugador.
void ValoraEstado(const Partida& p, const ContextoValoracion& ctx, ValorEstado& v);

// Estimates the current position of p, reached from the base board by moves
// that changed no square outside `cambiadas` (which may name unchanged
// squares too).  The result is exactly ValoraEstado's: a piece whose
// surroundings the moves left alone keeps its estimate from the base, and
// the rest is worked out again; after a capture or a piece leaving a box
// everything is.
void ValoraDesde(const Partida& p, const ContextoValoracion& ctx, const BaseValoracion& base,
                 const Entero* cambiadas, int numCambiadas, ValorEstado& v);

// The loss part of the estimate for one piece (what the other seats can
// capture of it with their next throw), as the statistics window shows it.
double PeligroFicha(const Partida& p, int jugador, int ficha);

}  // namespace parchis
