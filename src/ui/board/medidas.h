// The board's metrics and the conversion of a square number to pixels.
//
// Everything on the board scales with one number, the length of a track
// square, chosen once at start-up from the height the window can use.  The
// metrics never change during a run; every drawing, animation and hit test
// takes its positions from here.  Plain C++: no toolkit types.
#pragma once

#include <array>

namespace parchis {

inline constexpr int AnchoBarra = 420;   // status bar
inline constexpr int AltoBarra = 18;
inline constexpr int LadoDado = 53;      // a die is the same size at every scale

struct Medidas {
    int AnchoPantalla = 0;
    int AltoPantalla = 0;
    int LadoCasilla = 0;     // n: a track square along the direction of travel
    int AnchoCasilla = 0;    // w: across the arm, (7n - 4) / 3
    int AnchoBrazo = 0;      // a: three squares side by side sharing borders
    int LadoTablero = 0;     // b: the square board, 3a - 2
    int Margen = 0;          // m: the board's offset from the top-left corner
    int LadoLienzo = 0;      // the drawing area, 2m + b
    int DiametroFicha = 0;   // d: n - 5
    std::array<int, 5> OrigenX{};   // top-left of each seat's corner block
    std::array<int, 5> OrigenY{};
    int BarraX = 0;
    int BarraY = 0;
    // The status bar's and the name plates' size: AnchoBarra x AltoBarra and
    // 20 pixels high up to 1024 x 768's board; from the next scale up they
    // grow with the side column, within the margin and the corner.
    int AnchoBarraEscalada = AnchoBarra;
    int AltoBarraEscalada = AltoBarra;
    int AltoNombre = 20;

    int PasoN() const { return LadoCasilla - 1; }    // n': pitch of squares with shared borders
    int PasoW() const { return AnchoCasilla - 1; }   // w'
};

struct Punto {
    int x = 0;
    int y = 0;
    bool operator==(const Punto&) const = default;
};

struct Rectangulo {
    int x = 0;
    int y = 0;
    int ancho = 0;
    int alto = 0;
    bool operator==(const Rectangulo&) const = default;
};

// Half the extent of a square and the displacement of each of two pieces
// sharing it.
struct MedidaCasilla {
    int MitadX = 0;
    int MitadY = 0;
    int DesplX = 0;
    int DesplY = 0;
    bool operator==(const MedidaCasilla&) const = default;
};

// Round half to even, as every "round" of the board's formulas.
int Redondea(double v);

// How much the side column, the status bar and the name plates grow on a
// board larger than 800 x 600's (1 up to it, at most 2).
double EscalaColumna(int ladoCasilla);

// The scale chosen for a usable screen height (n = 25, 31, 37, 43, ...).
int LadoCasillaPara(int altoPantalla);

Medidas CalculaMedidas(int anchoPantalla, int altoPantalla);

// Centre of the piece to draw.  `jugador` matters for square 0 (the seat's
// waiting box); `ordenEspera` / `ordenCasa` are the piece's ordinal (1..P)
// in the waiting box or in the home; numFichas is P (4 or 8).
Punto CentroCasilla(const Medidas& me, int numFichas, int casilla, int jugador,
                    int ordenEspera, int ordenCasa);

// Squares whose long side is horizontal (pieces sharing them stand one above
// the other).
bool CasillaHorizontal(int casilla);

// Extent and two-piece displacement of a square.  For square 0 both halves
// are d/2 and the displacements are 0.
MedidaCasilla MedidasCasilla(const Medidas& me, int casilla);

// The black area of a seat's corner where its dice are shown.
struct AreaDados {
    int Lado = 0;    // AreaDados
    int Despl = 0;   // DesplDados
};
AreaDados CalculaAreaDados(const Medidas& me, int numDados);
Rectangulo RectanguloDados(const Medidas& me, int numDados, int jugador);

// Top-left corner of die i (1 or 2) of numDados in the seat's corner.
Punto EsquinaDado(const Medidas& me, int numDados, int jugador, int i);

// Name plate strip of a seat (AltoNombre high, a - 4n wide).
Rectangulo RectanguloNombre(const Medidas& me, int jugador);

Rectangulo RectanguloBarra(const Medidas& me);

}  // namespace parchis
