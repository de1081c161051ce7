// The parts of the estimate of one piece of the seat to move (valoracion.h):
// the captures it can make, what the other seats can capture of it, and
// its partial sums.  The estimate of a board puts them together and decides
// which of them a few moves can have changed.
#pragma once

#include <array>
#include <cstdint>

#include "ai/alcance.h"
#include "ai/valoracion.h"
#include "core/partida.h"

namespace parchis {

inline constexpr int UltimaCasillaAnillo = 68;

// Read once: the tables never change.
extern const TablasCamino* const TablasValoracion;

inline bool SeatValido(int j) { return j >= 1 && j <= 4; }
inline bool EnAnillo(int casilla) { return casilla >= 1 && casilla <= UltimaCasillaAnillo; }

// Squares from `desde` forward along the ring to `hasta`, both on it, 1..68
// (a square to itself is the whole ring).
inline int DistanciaAnillo(int desde, int hasta) {
    const int d = hasta - desde;
    return d > 0 ? d : d + UltimaCasillaAnillo;
}

// Slot h of c holds a piece of another seat than `jugador`.
inline bool DeOtro(const Casilla& c, int h, int jugador) {
    return SeatValido(c.Jugador[h]) && c.Jugador[h] != jugador && c.Pieza[h] >= 1 && c.Pieza[h] <= MaxFichas;
}

inline int RecorridoFicha(const Partida& p, int jugador, int ficha) {
    if (!SeatValido(jugador) || ficha < 1 || ficha > MaxFichas) return 0;
    return RecorridoEn(*TablasValoracion, jugador, p.Fichas[jugador][ficha]);
}

// Pieces of `jugador` (1..n) that could count a bonus of 20.
int FichasConBono(const Partida& p, const MapaTablero& b, const AlcanceFichas& alcance, int jugador, int n);

// Notes square c of p, which may differ from `inicial`, in `cambios`.
void AnotaCambio(const Partida& p, const std::array<Casilla, NumCasillas + 1>& inicial, int c,
                 CambiosAnillo& cambios);

// The bonus counts of one board, worked out the first time a capture needs
// one; -1 until then.  With the first board's counts, a board that differs
// from it as `Cambios` says counts again only the pieces those changes reach.
struct Bonos {
    std::array<std::int8_t, 5> Valor{-1, -1, -1, -1, -1};
    const BonosIniciales* Iniciales = nullptr;
    CambiosAnillo Cambios;

    int De(const Partida& p, const MapaTablero& b, const ContextoValoracion& ctx, int jugador) {
        if (Valor[jugador] >= 0) return Valor[jugador];
        if (!Iniciales) {
            Valor[jugador] = static_cast<std::int8_t>(FichasConBono(p, b, *ctx.Alcance, jugador, ctx.NumFichas));
        } else {
            if (!leidasHechas_) leidas_ = Iniciales->Leidas(Cambios);
            leidasHechas_ = true;
            Valor[jugador] = static_cast<std::int8_t>(Iniciales->Cuenta(p, b, ctx, jugador, leidas_, Cambios.Fuera));
        }
        return Valor[jugador];
    }

private:
    std::uint64_t leidas_ = 0;   // Iniciales->Leidas(Cambios), once asked
    bool leidasHechas_ = false;
};

// The captures piece k can make with the seat's next throw, appended to
// v's terms (and, with `desglose`, to its Capturas).
void GananciasPieza(const Partida& p, const MapaTablero& b, const ContextoValoracion& ctx, Bonos& bonos, int k,
                    ValorEstado& v, DesgloseBonos* desglose = nullptr);

// A term's value for the bonus counts of a board.
inline double ValorTermino(const Partida& p, const MapaTablero& b, const ContextoValoracion& ctx, Bonos& bonos,
                           const TerminoBono& t) {
    return t.Parte * static_cast<double>(t.Base + (t.ConBono ? 20 * bonos.De(p, b, ctx, t.Jugador) : 0));
}

// Whether seat r's captures count against the seat.
bool Amenaza(const Partida& p, const ContextoValoracion& ctx, int r);

// What the other seats' next throws can capture of piece k, added value by
// value in seat, piece and value order.  A partner's capture loses nothing
// for the pair; when the seat lags behind its partner the partner's bonus
// even counts as a gain.  `lista`, when given, names the pieces that may
// land on the piece's square among those of the seats not in `cambiados`
// (a bit per seat); the other seats' pieces are all looked at.  With
// `desglose`, the terms of the loss are appended to its Perdidas.
void AmenazasPieza(const Partida& p, const MapaTablero& b, const ContextoValoracion& ctx, Bonos& bonos, int k,
                   ValorEstado& v, const Amenazantes* lista = nullptr, unsigned cambiados = 0,
                   DesgloseBonos* desglose = nullptr);

// The other seats' pieces on the ring (slots 1 and 2), in square order.
int OtrosEnAnillo(const Partida& p, const ContextoValoracion& ctx, Ocupante* otros);

// Targets ahead (S1) and threats behind (S2) of piece k on the ring among
// the other seats' pieces, each the mean of its terms, the terms taken
// square by square going round from the piece's square.
void SumasAnillo(const ContextoValoracion& ctx, const Ocupante* otros, int numOtros, int k, ValorEstado& v);

// The pieces held behind the barrier of piece k on the ring (S3), the mean
// of their terms.
void SumaBarrera(const Partida& p, const MapaTablero& b, const ContextoValoracion& ctx, int k, ValorEstado& v);

}  // namespace parchis
