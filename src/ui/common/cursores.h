// The mouse pointers by number: below 20 the system's standard pointers
// (0 arrow, 11 hourglass, 12 no-drop), from 21 the program's own hands and
// dice, drawn by the program at first use.
#pragma once

#include <QCursor>
#include <QPainterPath>

class QWidget;

namespace parchis {

enum NumeroCursor {
    CursorFlecha = 0,
    CursorReloj = 11,
    CursorProhibido = 12,
    CursorManoIndice = 21,
    CursorManoVerde = 22,
    CursorManoRoja = 23,
    CursorManoCerrada = 26,
    CursorManoAbierta = 27,
    CursorManoInterroga = 28,
    CursorDadoAm = 51,          // 51..54: a die in yellow, blue, red, green
    CursorManoCerradaAm = 55,   // 55..58: a closed hand in the same colours
};

// A hand with the index finger pointing up, in a 32-pixel square, its
// fingertip at (11.5, 1); the board's move pointer uses it too.
QPainterPath CaminoManoSenalando();

// The pointer of a number; an unknown number gives the arrow.
QCursor CursorNumero(int numero);

// The die (51..54) and closed hand (55..58) in the colour of seat t under
// the colour rotation r (PuestoMesa).
int CursorDadoDe(int t, int r);
int CursorManoCerradaDe(int t, int r);

// Sets a window's pointer, remembering the number so that an unchanged
// number is not set again.
class PunteroVentana {
public:
    explicit PunteroVentana(QWidget* ventana) : ventana_(ventana) {}
    void PonCursor(int numero);
    // Sets it even when unchanged: after a window over this one closes, the
    // window system may show what that window showed.
    void Renueva(int numero);
    int Actual() const { return actual_; }

private:
    QWidget* ventana_;
    int actual_ = -1;
};

}  // namespace parchis
