// The small pictures laid over the board: the die's pip, the hands of the
// move pointer, the capture mark and the winner's emblem.  All are drawn by
// the program, on transparent backgrounds.
#pragma once

#include <QPixmap>

#include "ui/board/medidas.h"

namespace parchis {

inline constexpr int LadoMano = 32;
inline constexpr int LadoMarca = 32;

struct Sprites {
    QPixmap Punto;           // 8 x 8, on the die's colour
    QPixmap ManoOrdenador;   // points straight down, fingertip at the bottom centre
    QPixmap MarcaCaptura;    // 32 x 32 burst
};

// At the surface's device pixel ratio (1 or 2): crisp at either.
const Sprites& SpritesMesa(double dpr = 1);

// The tutor's hand, `lado` pixels square, pointing down and right with its
// fingertip 3 pixels inside the bottom-right corner; its size for a board.
QPixmap ManoTutor(int lado, double dpr = 1);
int LadoManoTutor(const Medidas& me);

// The winner's emblem, `lado` pixels square, grown to `fraccion` (0..1).
QPixmap Emblema(int lado, double fraccion, double dpr = 1);

}  // namespace parchis
