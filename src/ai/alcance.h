// Where a piece can go with each value of a throw, computed in one walk
// along its path.  The computer player asks this question thousands of
// times per choice; the answers are exactly those of PuedeMover (which the
// tests check value by value), but without repeating the walk for every
// value and every intermediate square.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#include "ai/probabilidad.h"
#include "core/partida.h"
#include "rules/tablero.h"

namespace parchis {

// Destination per value [1..24]; -1 when the piece cannot count the value.
using DestinosValor = std::array<Entero, MaxValor + 1>;

// The board's paths, built once from AvanzaCasillas and Recorrido.
struct TablasCamino {
    static constexpr int Limite = NumCasillas + MaxValor + 1;  // squares a walk can name
    std::array<std::array<Entero, Limite + 1>, 5> Siguiente{};     // one square forward
    std::array<std::array<Entero, NumCasillas + 1>, 5> Recorrido{}; // squares travelled
    // Steps a piece on a ring square takes along the ring before it turns
    // into its corridor (at most MaxValor + 1).
    std::array<std::array<Entero, NumCasillas + 1>, 5> PasosAnillo{};
    // Steps from a square to the seat's home (MaxValor + 1 when more): a
    // piece counting more never lands.
    std::array<std::array<Entero, NumCasillas + 1>, 5> PasosCasa{};
};
const TablasCamino& Tablas();

// Squares travelled by a piece of `jugador` standing on `posicion` (0 for a
// position outside the board).
inline int RecorridoEn(const TablasCamino& t, int jugador, int posicion) {
    if (jugador < 1 || jugador > 4 || posicion < 0 || posicion > NumCasillas) return 0;
    return t.Recorrido[jugador][posicion];
}

// EsBarrera and ComeFicha without the call, for the inner loops; a capture
// is asked millions of times a choice, and is inline.
bool EsBarreraEn(const Partida& p, int casilla);
inline bool ComeFichaEn(const Partida& p, int jugador, int casilla) {
    if (casilla < 1 || casilla > NumCasillas || jugador < 1 || jugador > 4) return false;
    const Casilla& c = p.Casillas[casilla];
    const int a = c.Jugador[1];
    if (a != 0 && a != jugador && !EsSeguro(casilla) &&
        !(p.ModoJuego == 2 && p.BarreraCompaneros && a == Companero[jugador]))
        return true;
    // On its own exit square a seat captures on a full square without a barrier.
    return casilla == CasillaSalida[jugador] && a != 0 && c.Jugador[2] != 0 && !EsBarreraEn(p, casilla);
}

// Whether one of the four squares from s holds a piece in a slot of
// `huecos` (the slots' seats as one word, the others' bits clear): most
// squares are empty, so scans of the board read four at once.
inline std::uint64_t Huecos(bool uno, bool dos) {
    const std::array<Entero, 4> m{0, static_cast<Entero>(uno ? -1 : 0), static_cast<Entero>(dos ? -1 : 0), 0};
    std::uint64_t w;
    std::memcpy(&w, m.data(), sizeof w);
    return w;
}
inline bool AlgunaOcupada(const Partida& p, int s, std::uint64_t huecos) {
    static_assert(sizeof(Casilla::Jugador) == sizeof(std::uint64_t));
    std::uint64_t w[4];
    for (int i = 0; i < 4; ++i) std::memcpy(&w[i], p.Casillas[static_cast<std::size_t>(s + i)].Jugador.data(), sizeof w[i]);
    return ((w[0] | w[1] | w[2] | w[3]) & huecos) != 0;
}

// Ring squares as bits, square c on bit c - 1.
__extension__ typedef unsigned __int128 AnilloBits;
inline constexpr AnilloBits Anillo68 = (AnilloBits{1} << 68) - 1;
// The bit of each ring square, from a table: a shift of 128 bits by a
// variable count takes a dozen instructions.
inline constexpr std::array<AnilloBits, 68 + 1> BitsAnillo = [] {
    std::array<AnilloBits, 68 + 1> t{};
    for (int c = 1; c <= 68; ++c) t[static_cast<std::size_t>(c)] = AnilloBits{1} << (c - 1);
    return t;
}();
inline AnilloBits BitAnillo(int casilla) { return BitsAnillo[static_cast<std::size_t>(casilla)]; }
// Of m (ring squares alone), the n ring squares (n < 64) from `primera`
// (1..68) on, round the ring: bit i for square primera + i.  The squares
// from `primera` to 68 come down to bit 0; square 1 follows them.
inline std::uint64_t TramoAnillo(AnilloBits m, int primera, int n) {
    const int vuelta = 69 - primera;
    const auto desde = static_cast<std::uint64_t>(m >> (primera - 1));
    const std::uint64_t tras = vuelta < 64 ? static_cast<std::uint64_t>(m) << vuelta : 0;
    return (desde | tras) & ((std::uint64_t{1} << n) - 1);
}

// Facts of one board that every walk on it reads: which squares hold a
// barrier, and where a box piece of each seat goes with each value (worked
// out the first time it is asked).
struct MapaTablero {
    std::array<bool, TablasCamino::Limite + 1> Es{};
    MapaTablero() = default;
    explicit MapaTablero(const Partida& p);

    // The map of p's board from the map of a board that differed from it
    // only on the squares `cambiadas`.
    MapaTablero(const MapaTablero& base, const Partida& p, const Entero* cambiadas, int numCambiadas);

    // Left unset until SalidaHecha says otherwise: most boards never ask,
    // and clearing them cost more than a whole walk.
    mutable std::array<DestinosValor, 5> Salidas;
    mutable std::array<bool, 5> SalidaHecha{};

    // Squares from ring square s back to the nearest barrier behind it, and
    // forward to the nearest one ahead (68 when there is none but s): a
    // piece passes no barrier on its way along the ring when it counts no
    // more than that.
    int BarreraDetras(int s) const {
        if (s < 1 || s > 68) return Distancia(s, -1);
        // The highest barrier below s, else the highest from s on, round the ring.
        const AnilloBits antes = anillo_ & ((AnilloBits{1} << (s - 1)) - 1);
        if (antes != 0) return s - 1 - BitMasAlto(antes);
        const AnilloBits desde = anillo_ >> (s - 1);
        return desde == 0 ? 68 : 68 - BitMasAlto(desde);
    }
    int BarreraDelante(int s) const {
        if (s < 1 || s > 68) return Distancia(s, 1);
        // The lowest barrier above s, else the lowest up to s, round the ring.
        const AnilloBits tras = anillo_ >> s;
        if (tras != 0) return BitMasBajo(tras) + 1;
        return anillo_ == 0 ? 68 : BitMasBajo(anillo_) + 69 - s;
    }
    // The ring squares 1..n (n < 64) ahead of ring square s that hold a
    // piece: bit i for the square i + 1 ahead.
    std::uint64_t OcupadasDelante(int s, int n) const {
        return TramoAnillo(ocupadas_, s % 68 + 1, n);
    }
    // The ring squares that hold a barrier, as bits.
    AnilloBits BarrerasAnillo() const { return anillo_; }

private:
    // The ring's barriers, a bit each (square c on bit c - 1), kept with Es:
    // a distance is a shift and a bit count rather than a walk.
    AnilloBits anillo_ = 0;
    AnilloBits ocupadas_ = 0;   // ring squares whose first slot holds a piece

    void Pon(const Partida& p, int casilla);
    static int BitMasBajo(AnilloBits m) {
        const auto bajo = static_cast<std::uint64_t>(m);
        return bajo ? __builtin_ctzll(bajo) : 64 + __builtin_ctzll(static_cast<std::uint64_t>(m >> 64));
    }
    static int BitMasAlto(AnilloBits m) {
        const auto alto = static_cast<std::uint64_t>(m >> 64);
        return alto ? 127 - __builtin_clzll(alto) : 63 - __builtin_clzll(static_cast<std::uint64_t>(m));
    }
    // Any s, counted the long way.
    int Distancia(int s, int sentido) const;
};

// Seat of the piece a move of `jugador` onto `casilla` would capture and its
// number: the highest occupied slot held by another seat.  {0, 0} if none.
struct FichaCapturada {
    int Jugador = 0;
    int Pieza = 0;
};
inline FichaCapturada VictimaEn(const Partida& p, int jugador, int casilla) {
    if (casilla < 1 || casilla > NumCasillas) return {};
    const Casilla& c = p.Casillas[casilla];
    for (int h = 3; h >= 1; --h)
        if (c.Jugador[h] != 0 && c.Jugador[h] != jugador) return {c.Jugador[h], c.Pieza[h]};
    return {};
}

class AlcanceFichas {
public:
    // Reads what stays fixed while a choice is made: the move log and the
    // throw.  The board is read at every Calcula.
    explicit AlcanceFichas(const Partida& p);

    // destinos[v] for v = 1..vmax is what PuedeMover(p, jugador, v, posicion,
    // ficha) leaves in CasillaDestino; values above vmax are -1.  `barreras`
    // is the map of the board p holds.
    void Calcula(const Partida& p, const MapaTablero& barreras, int jugador, int posicion,
                 int ficha, int vmax, DestinosValor& destinos) const {
        Calcula(p, barreras, jugador, posicion, ficha, vmax, false, destinos);
    }

    // Calcula's destinos[valor] (1..MaxValor) alone: the walk skips the
    // tests of the squares it only passes.  Every threat and bonus count
    // asks it, many times a board.
    int Destino(const Partida& p, const MapaTablero& barreras, int jugador, int posicion, int ficha,
                int valor) const;

    // Destino(p, barreras, jugador, desde, ficha, pasos) == destino for a
    // piece on the ring (1..68) and the ring square `pasos` (1..MaxValor)
    // ahead of it, when no barrier stands between them and `destino` is not
    // full: the other tests Destino makes, without the walk.  A threat asks
    // this of every piece behind a square.
    bool LlegaEnAnillo(const Partida& p, const MapaTablero& barreras, int jugador, int desde, int ficha,
                       int pasos, int destino) const {
        if (tablas_.PasosAnillo[jugador][desde] < pasos) return false;   // it turns into its corridor first
        const Casilla& o = p.Casillas[desde];
        if (ficha != 0 && o.Jugador[1] == jugador && o.Jugador[2] == jugador && o.Pieza[2] == ficha) return false;
        if (desde == CasillaSalida[jugador] && p.TipoJugada == 9) return false;
        if (p.ValoresUsados >= 1 && destino == prohibida_[jugador]) return false;
        const DestinosValor* desdeEspera = SalidaForzosa(p, barreras, jugador, false);
        return !desdeEspera || (*desdeEspera)[pasos] == -1;
    }

    // Calls anota(valor, casilla) for every value 1..vmax whose destination
    // (as Calcula finds it) holds a piece in its first slot, in increasing
    // value: the walk a capture needs, without the tests of the empty
    // squares it lands on.
    template <typename Anota>
    void Ocupadas(const Partida& p, const MapaTablero& barreras, int jugador, int posicion, int ficha,
                  int vmax, Anota anota) const;

private:
    void Calcula(const Partida& p, const MapaTablero& barreras, int jugador, int posicion, int ficha,
                 int vmax, bool soloUltimo, DestinosValor& destinos) const;
    // The box and the square before home (a double 1 enters home past a
    // barrier) take the whole walk; so does a record out of range.
    static bool Sencilla(int jugador, int posicion) {
        return jugador >= 1 && jugador <= 4 && posicion >= 1 && posicion < CasillaCasa[jugador] - 1;
    }
    // The exit destinations of the seat's box piece while a piece must leave
    // the box, which no other piece may count; nullptr when none must.
    const DestinosValor* SalidaForzosa(const Partida& p, const MapaTablero& barreras, int jugador,
                                       bool saliendo) const {
        if (saliendo || p.EnEspera[jugador] < 1 || !p.SalidaCon5 || !p.SalidaObligatoria || p.ValoresUsados != 0 ||
            p.TipoJugada == 5)
            return nullptr;
        if (!barreras.SalidaHecha[jugador]) HazSalida(p, barreras, jugador);
        return &barreras.Salidas[jugador];
    }
    // Fills the map's exit destinations of the seat, once a board.
    void HazSalida(const Partida& p, const MapaTablero& barreras, int jugador) const;
    bool PermiteSalida(const Partida& p, int jugador, int valor) const;
    void CalculaSalida(const Partida& p, const MapaTablero& barreras, int jugador, int ficha,
                       int vmax, DestinosValor& destinos) const;
    void Camina(const Partida& p, const MapaTablero& barreras, int jugador, int inicio,
                bool saliendo, int vmax, bool soloUltimo, DestinosValor& destinos) const;

    const TablasCamino& tablas_;

    // Square a barrier was opened from in this throw, per seat; a piece may
    // not re-form it with another value of the same throw (-1 = none).
    std::array<int, 5> prohibida_{-1, -1, -1, -1, -1};

    // The values that let a piece leave the box by the throw alone (bit v),
    // for a seat that does not leave counting: the throw's dice and kind
    // stay fixed while a choice is made, so the test is worked out once.
    std::uint32_t salidaPermitida_ = 0;
};

template <typename Anota>
void AlcanceFichas::Ocupadas(const Partida& p, const MapaTablero& barreras, int jugador, int posicion,
                             int ficha, int vmax, Anota anota) const {
    if (vmax > MaxValor) vmax = MaxValor;
    if (!Sencilla(jugador, posicion)) {
        DestinosValor d;
        Calcula(p, barreras, jugador, posicion, ficha, vmax, d);
        for (int v = 1; v <= vmax; ++v)
            if (d[v] >= 1 && p.Casillas[d[v]].Jugador[1] != 0) anota(v, d[v]);
        return;
    }
    const Casilla& origen = p.Casillas[posicion];
    if (ficha != 0 && origen.Jugador[1] == jugador && origen.Jugador[2] == jugador && origen.Pieza[2] == ficha)
        return;
    if (posicion == CasillaSalida[jugador] && p.TipoJugada == 9) return;
    const DestinosValor* desdeEspera = SalidaForzosa(p, barreras, jugador, false);
    const int prohibida = p.ValoresUsados >= 1 ? prohibida_[jugador] : -1;
    const auto& siguiente = tablas_.Siguiente[jugador];
    const int casa = CasillaCasa[jugador];
    if (vmax >= 1 && posicion <= 68 && tablas_.PasosAnillo[jugador][posicion] >= vmax) {
        // All on the ring, up to the first barrier ahead: only the squares
        // that hold a piece are looked at.
        const int hasta = std::min(vmax, barreras.BarreraDelante(posicion));
        for (std::uint64_t bits = barreras.OcupadasDelante(posicion, hasta); bits != 0; bits &= bits - 1) {
            const int v = __builtin_ctzll(bits) + 1;
            const int s = (posicion + v - 1) % 68 + 1;
            const Casilla& c = p.Casillas[s];
            if (c.Jugador[2] != 0 || s == prohibida || (desdeEspera && (*desdeEspera)[v] != -1)) continue;
            anota(v, s);
        }
        return;
    }
    int s = posicion;
    for (int v = 1; v <= vmax; ++v) {
        if (v >= 2 && barreras.Es[s]) return;
        s = siguiente[s];
        if (s > casa) return;
        const Casilla& c = p.Casillas[s];
        if (c.Jugador[1] == 0 || (c.Jugador[2] != 0 && s != casa) || s == prohibida ||
            (desdeEspera && (*desdeEspera)[v] != -1))
            continue;
        anota(v, s);
    }
}

}  // namespace parchis
