#include "rules/tablero.h"

namespace parchis {

namespace {

bool SeatValido(int j) { return j >= 1 && j <= 4; }

}  // namespace

int Recorrido(int jugador, int posicion) {
    if (!SeatValido(jugador) || posicion == 0) return 0;
    int casilla = CasillaSalida[jugador];
    // Home is 71 steps from the exit: a position not met by then is not on
    // this seat's path, and the walk stops instead of going round forever.
    for (int cuenta = 0; cuenta <= 71; ++cuenta) {
        if (casilla == posicion) return cuenta;
        casilla = UnPaso(jugador, casilla);
    }
    return 0;
}

int CasillasRecorridas(const Partida& p, int jugador, int ficha) {
    if (!SeatValido(jugador) || ficha < 1 || ficha > MaxFichas) return 0;
    return Recorrido(jugador, p.Fichas[jugador][ficha]);
}

ColorRGB ColorJugador(int puestoMesa, int jugador) {
    static constexpr ColorRGB Colores[4] = {
        {0, 128, 0},    // green
        {255, 0, 0},    // red
        {0, 0, 255},    // blue
        {255, 255, 0},  // yellow
    };
    if (!SeatValido(jugador)) return {0, 0, 0};
    if (puestoMesa < 0 || puestoMesa > 3) puestoMesa = 0;
    // Each press of the rotation hands every seat the colour of the seat
    // before it.
    return Colores[(jugador - 1 - puestoMesa + 4) % 4];
}

int PasoTurno(const Partida& p) { return p.Sentido == 1 ? 1 : -1; }

namespace {

// Walks from j by `paso` (wrapping 5 to 1 and 0 to 4) to the first
// activated seat.  With no activated seat at all, j itself (normalised) is
// returned after one full round instead of looping forever.
int BuscaActivado(const Partida& p, int j, int paso) {
    j = ((j - 1) % 4 + 4) % 4 + 1;
    for (int i = 0; i < 4; ++i) {
        j += paso;
        if (j > 4) j = 1;
        if (j < 1) j = 4;
        if (p.Estado[j] == 1) return j;
    }
    return j;
}

}  // namespace

int SiguienteJugador(const Partida& p, int j) { return BuscaActivado(p, j, PasoTurno(p)); }

void JugadorAnterior(Partida& p) { p.Turno = static_cast<Entero>(BuscaActivado(p, p.Turno, -PasoTurno(p))); }

void RetrocederTurno(Partida& p) {
    JugadorAnterior(p);
    // The engine adds one before the next move; never go below "no move yet".
    if (p.NumJugada > 0) --p.NumJugada;
}

}  // namespace parchis
