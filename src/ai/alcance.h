// Where a piece can go with each value of a throw, computed in one walk
// along its path.  The computer player asks this question thousands of
// times per choice; the answers are exactly those of PuedeMover (which the
// tests check value by value), but without repeating the walk for every
// value and every intermediate square.
#pragma once

#include <array>
#include <cstdint>

#include "ai/probabilidad.h"
#include "core/partida.h"

namespace parchis {

// Destination per value [1..24]; -1 when the piece cannot count the value.
using DestinosValor = std::array<Entero, MaxValor + 1>;

// The board's paths, built once from AvanzaCasillas and Recorrido.
struct TablasCamino {
    static constexpr int Limite = NumCasillas + MaxValor + 1;  // squares a walk can name
    std::array<std::array<Entero, Limite + 1>, 5> Siguiente{};     // one square forward
    std::array<std::array<Entero, NumCasillas + 1>, 5> Recorrido{}; // squares travelled
};
const TablasCamino& Tablas();

// Squares travelled by a piece of `jugador` standing on `posicion` (0 for a
// position outside the board).
inline int RecorridoEn(const TablasCamino& t, int jugador, int posicion) {
    if (jugador < 1 || jugador > 4 || posicion < 0 || posicion > NumCasillas) return 0;
    return t.Recorrido[jugador][posicion];
}

// EsBarrera and ComeFicha without the call, for the inner loops.
bool EsBarreraEn(const Partida& p, int casilla);
bool ComeFichaEn(const Partida& p, int jugador, int casilla);

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
};

// Seat of the piece a move of `jugador` onto `casilla` would capture and its
// number: the highest occupied slot held by another seat.  {0, 0} if none.
struct FichaCapturada {
    int Jugador = 0;
    int Pieza = 0;
};
FichaCapturada VictimaEn(const Partida& p, int jugador, int casilla);

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

    // Calcula's destinos[valor] alone: the walk skips the tests of the
    // squares it only passes.
    int Destino(const Partida& p, const MapaTablero& barreras, int jugador, int posicion, int ficha,
                int valor) const {
        DestinosValor d;
        Calcula(p, barreras, jugador, posicion, ficha, valor, true, d);
        return d[valor];
    }

private:
    void Calcula(const Partida& p, const MapaTablero& barreras, int jugador, int posicion, int ficha,
                 int vmax, bool soloUltimo, DestinosValor& destinos) const;
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

}  // namespace parchis
