// What the mouse finds on the board and which pointer it shows: the hit
// test of a piece, the piece a click chooses and the pointer over the board.
// Plain functions of the metrics and the record.
#pragma once

#include "core/partida.h"
#include "ui/board/medidas.h"

namespace parchis {

// The rectangle in which piece k of seat j is hit.  All pieces of a track
// square share the square's rectangle; in the waiting box and at home only
// the last piece of the row is a target, d x d.
Rectangulo ZonaFicha(const Medidas& me, const Partida& p, int jugador, int ficha);

// Whether (x, y) hits the piece.  The left and top edges are inside; the
// right and bottom edges too when `bordeIncluido` (a click), not for the
// pointer.
bool TocaFicha(const Medidas& me, const Partida& p, int jugador, int ficha, int x, int y,
               bool bordeIncluido);

// The first movable piece of Turno under a click, 0 for none.
int FichaMovibleEnPunto(const Medidas& me, const Partida& p, int x, int y);

// A piece of a seat, for the manual moves.
struct PiezaMesa {
    int Jugador = 0;
    int Ficha = 0;
    bool operator==(const PiezaMesa&) const = default;
};

// The piece a press in manual mode takes: of any activated seat; of two
// pieces sharing a square, the one on the pressed side of its centre.
PiezaMesa PiezaEnPunto(const Medidas& me, const Partida& p, int x, int y);

// Whether (x, y) is on seat j's home: inside its triangle of the centre,
// off the ornament in the middle and off the triangle's edges.
bool EnSuCasa(const Medidas& me, int jugador, int x, int y);

// Where a piece of seat j dragged from `origen` lands when released at
// (x, y): its box inside its own corner block, its home on its own
// triangle of the centre, else a square of its own path with room for it
// (or the origin).  -1 for none.
int DestinoManual(const Medidas& me, const Partida& p, int jugador, int origen, int x, int y);

// What the window knows beyond the record.
struct EstadoRaton {
    bool ModoManual = false;
    bool Arrastrando = false;
    int JugadorArrastrado = 0;
    bool MandoEncendido = false;
    bool EsperandoRed = false;   // a network exchange is in progress
};

struct PunteroTablero {
    int Cursor = 0;
    int FichaBajoRaton = 0;   // the movable piece under a green hand
};

// The pointer over the board at (x, y).
PunteroTablero CursorTablero(const Medidas& me, const Partida& p, const EstadoRaton& e, int x, int y);

}  // namespace parchis
