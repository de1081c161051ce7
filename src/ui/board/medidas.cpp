#include "ui/board/medidas.h"

#include <algorithm>
#include <cassert>
#include <cmath>

namespace parchis {

namespace {

int Suelo(double v) { return static_cast<int>(std::floor(v)); }

// Offsets from the board's corner of the track and corridor squares: the
// bottom arm's right column goes up, the right arm's lower row goes right,
// and so on round the board; the four tips are the middle lane's outer end.
struct Desplazamiento {
    double x, y;
};

Desplazamiento DesplazamientoPista(double np, double wp, int s) {
    if (s <= 8) return {5.5 * wp, std::floor(np * (21.5 - s))};
    if (s <= 16) return {std::floor(np * (s + 4.5)), 5.5 * wp};
    if (s == 17) return {std::floor(np * 21.5) - np, 4.5 * wp};
    if (s <= 25) return {std::floor(np * (38.5 - s)), 3.5 * wp};
    if (s <= 33) return {5.5 * wp, std::floor(np * (33.5 - s))};
    if (s == 34) return {4.5 * wp, std::floor(np * (33.5 - 34)) + np};
    if (s <= 42) return {3.5 * wp, std::floor(np * (s - 34.5))};
    if (s <= 50) return {std::floor(np * (50.5 - s)), 3.5 * wp};
    if (s == 51) return {std::floor(np * (50.5 - 51)) + np, 4.5 * wp};
    if (s <= 59) return {std::floor(np * (s - 51.5)), 5.5 * wp};
    if (s <= 67) return {3.5 * wp, std::floor(np * (s - 46.5))};
    if (s == 68) return {4.5 * wp, std::floor(np * (68 - 46.5)) - np};
    if (s <= 75) return {4.5 * wp, std::floor(np * (88.5 - s))};
    if (s <= 83) return {std::floor(np * (96.5 - s)), 4.5 * wp};
    if (s <= 91) return {4.5 * wp, std::floor(np * (s - 83.5))};
    return {std::floor(np * (s - 91.5)), 4.5 * wp};
}

// The home holds all the seat's pieces in one row centred on the board's
// middle line.
Desplazamiento DesplazamientoCasa(const Medidas& me, int numFichas, int casa, int k) {
    const double np = me.PasoN();
    const int d = me.DiametroFicha;
    const int p = numFichas > 1 ? numFichas : 2;
    const int g = (Redondea(5 * np - 1.7 * d) - d) / (p - 1);
    const double mitadFila = ((p - 1) * g + d) / 2.0;
    const double avance = -mitadFila + d / 2.0 + (k - 1) * g;
    const double medio = std::floor(10.5 * np);
    switch (casa) {
        case 76: return {medio + avance, std::floor(12.5 * np)};
        case 84: return {std::floor(12.5 * np), medio - avance};
        case 92: return {medio - avance, std::floor(8.5 * np)};
        default: return {std::floor(8.5 * np), medio + avance};
    }
}

// The waiting box: one row along an inner edge of the corner block.
Punto CentroEspera(const Medidas& me, int numFichas, int jugador, int k) {
    const double np = me.PasoN();
    const int d = me.DiametroFicha;
    const int t = numFichas == 8 ? Redondea(0.6 * d * (numFichas - k))
                                 : (numFichas - k) * (d + 4);
    const int ox = me.OrigenX[jugador];
    const int oy = me.OrigenY[jugador];
    switch (jugador) {
        case 1: return {ox + Suelo(4.5 * np) - t, Redondea(oy + 0.5 * np)};
        case 2: return {Redondea(ox + 6.5 * np), oy + Suelo(4.5 * np) - t};
        case 3: return {ox + Suelo(2.5 * np) + t, Redondea(oy + 6.5 * np)};
        default: return {Redondea(ox + 0.5 * np), oy + Suelo(2.5 * np) + t};
    }
}

}  // namespace

int Redondea(double v) { return static_cast<int>(std::nearbyint(v)); }

double EscalaColumna(int ladoCasilla) { return std::clamp(ladoCasilla / 25.0, 1.0, 2.0); }

int LadoCasillaPara(int altoPantalla) {
    int n = Suelo((altoPantalla - 51) / 21.0 + 1);
    while (n >= 21) {
        if (n % 2 == 1 && (7 * n - 4) % 3 == 0) return n;
        --n;
    }
    // A window shorter than the program was designed for still gets the
    // smallest board it was designed for, rather than a scale whose
    // square widths are not whole pixels.
    return 25;
}

Medidas CalculaMedidas(int anchoPantalla, int altoPantalla) {
    Medidas me;
    me.AnchoPantalla = anchoPantalla;
    me.AltoPantalla = altoPantalla;
    const int n = LadoCasillaPara(altoPantalla);
    me.LadoCasilla = n;
    me.AnchoCasilla = (7 * n - 4) / 3;
    me.AnchoBrazo = 3 * me.AnchoCasilla - 2;
    me.LadoTablero = 3 * me.AnchoBrazo - 2;
    // Halving a negative difference truncates toward zero, as the integer
    // division of the formula does.
    me.Margen = (altoPantalla - me.LadoTablero) / 2;
    if (me.Margen < 0) me.Margen = 0;
    const int m = me.Margen;
    const int a = me.AnchoBrazo;
    me.LadoLienzo = 2 * m + me.LadoTablero;
    me.DiametroFicha = n - 5;
    me.OrigenX = {0, m, m, 2 * a + m - 2, 2 * a + m - 2};
    me.OrigenY = {0, 2 * a + m - 2, m, m, 2 * a + m - 2};
    // 1024 x 768's board (n = 31) keeps the 800 x 600 sizes, so that both
    // screens' pictures stay as they always were.
    if (n > 31) {
        const double e = EscalaColumna(n);
        me.AltoBarraEscalada = std::clamp(Redondea(AltoBarra * e), AltoBarra, std::max(AltoBarra, m - 6));
        me.AnchoBarraEscalada = std::min(Redondea(AnchoBarra * e), me.LadoLienzo - 2 * me.AltoBarraEscalada);
        me.AltoNombre = std::min(Redondea(20 * e), n - 2);
    }
    me.BarraX = Redondea((me.LadoLienzo - me.AnchoBarraEscalada) / 2.0);
    me.BarraY = Redondea(me.LadoLienzo - m / 2.0 - me.AltoBarraEscalada / 2.0);
    return me;
}

Punto CentroCasilla(const Medidas& me, int numFichas, int casilla, int jugador,
                    int ordenEspera, int ordenCasa) {
    assert(casilla >= 0 && casilla <= 100);
    if (casilla == 0) {
        assert(jugador >= 1 && jugador <= 4);
        return CentroEspera(me, numFichas, jugador, ordenEspera);
    }
    Desplazamiento o;
    if (casilla == 76 || casilla == 84 || casilla == 92 || casilla == 100)
        o = DesplazamientoCasa(me, numFichas, casilla, ordenCasa);
    else
        o = DesplazamientoPista(me.PasoN(), me.PasoW(), casilla);
    return {Redondea(me.Margen + o.x), Redondea(me.Margen + o.y)};
}

bool CasillaHorizontal(int s) {
    return (s >= 9 && s <= 25) || (s >= 43 && s <= 59) || (s >= 77 && s <= 84) ||
           (s >= 93 && s <= 100);
}

MedidaCasilla MedidasCasilla(const Medidas& me, int casilla) {
    const int mitadN = Redondea(me.LadoCasilla / 2.0);
    const int mitadW = Redondea(me.AnchoCasilla / 2.0);
    const int mitadD = Redondea(me.DiametroFicha / 2.0);
    if (casilla == 0) return {mitadD, mitadD, 0, 0};
    if (CasillaHorizontal(casilla)) return {mitadN, mitadW, 0, mitadD};
    return {mitadW, mitadN, mitadD, 0};
}

AreaDados CalculaAreaDados(const Medidas& me, int numDados) {
    const int n = me.LadoCasilla;
    const int a = me.AnchoBrazo;
    if (numDados == 2) return {a - 2 * n - 1, n};
    return {a - 4 * n - 1, 2 * n};
}

Rectangulo RectanguloDados(const Medidas& me, int numDados, int jugador) {
    const AreaDados area = CalculaAreaDados(me, numDados);
    return {me.OrigenX[jugador] + area.Despl, me.OrigenY[jugador] + area.Despl, area.Lado,
            area.Lado};
}

Punto EsquinaDado(const Medidas& me, int numDados, int jugador, int i) {
    const int o = numDados == 2 ? (i == 1 ? -28 : 28) : 0;
    const int mitad = me.AnchoBrazo / 2;
    return {me.OrigenX[jugador] + mitad - 25 + o, me.OrigenY[jugador] + mitad - 27 + o};
}

Rectangulo RectanguloNombre(const Medidas& me, int jugador) {
    const int n = me.LadoCasilla;
    const int a = me.AnchoBrazo;
    const bool arriba = jugador == 2 || jugador == 3;
    const int mitad = me.AltoNombre / 2;
    const int y = arriba ? me.OrigenY[jugador] + n / 2 - mitad
                         : me.OrigenY[jugador] + a - n / 2 - mitad;
    return {me.OrigenX[jugador] + 2 * n, y, a - 4 * n, me.AltoNombre};
}

Rectangulo RectanguloBarra(const Medidas& me) {
    return {me.BarraX, me.BarraY, me.AnchoBarraEscalada, me.AltoBarraEscalada};
}

}  // namespace parchis
