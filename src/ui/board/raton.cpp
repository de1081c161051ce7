#include "ui/board/raton.h"

#include <cmath>
#include <vector>

#include "rules/tablero.h"
#include "ui/common/cursores.h"

namespace parchis {

namespace {

bool EsCasa(int s) { return s == 76 || s == 84 || s == 92 || s == 100; }

// A piece over which manual mode offers the open hand: any piece of any
// activated seat.
bool HayFichaEn(const Medidas& me, const Partida& p, int x, int y) {
    for (int j = 1; j <= 4; ++j) {
        if (p.Estado[j] != 1) continue;
        for (int k = 1; k <= p.NumFichas; ++k)
            if (TocaFicha(me, p, j, k, x, y, false)) return true;
    }
    return false;
}

}  // namespace

Rectangulo ZonaFicha(const Medidas& me, const Partida& p, int j, int k) {
    const int s = p.Fichas[j][k];
    const Punto c = CentroCasilla(me, p.NumFichas, s, j, p.EnEspera[j], p.EnCasa[j]);
    MedidaCasilla h = MedidasCasilla(me, s);
    if (EsCasa(s)) h = MedidasCasilla(me, 0);
    return {c.x - h.MitadX, c.y - h.MitadY, 2 * h.MitadX, 2 * h.MitadY};
}

bool TocaFicha(const Medidas& me, const Partida& p, int j, int k, int x, int y, bool bordeIncluido) {
    const Rectangulo r = ZonaFicha(me, p, j, k);
    if (x < r.x || y < r.y) return false;
    if (bordeIncluido) return x <= r.x + r.ancho && y <= r.y + r.alto;
    return x < r.x + r.ancho && y < r.y + r.alto;
}

int FichaMovibleEnPunto(const Medidas& me, const Partida& p, int x, int y) {
    if (p.Turno < 1 || p.Turno > 4) return 0;
    for (int k = 1; k <= p.NumFichas; ++k)
        if (p.FichaMovible[k] && TocaFicha(me, p, p.Turno, k, x, y, true)) return k;
    return 0;
}

PiezaMesa PiezaEnPunto(const Medidas& me, const Partida& p, int x, int y) {
    for (int j = 1; j <= 4; ++j) {
        if (p.Estado[j] != 1) continue;
        for (int k = 1; k <= p.NumFichas; ++k) {
            if (!TocaFicha(me, p, j, k, x, y, true)) continue;
            const int s = p.Fichas[j][k];
            if (s == 0 || EsCasa(s)) return {j, k};
            const Casilla& c = p.Casillas[s];
            if (c.Jugador[1] == 0 || c.Jugador[2] == 0) return {j, k};
            // Two pieces share the square: slot 1 stands left of (or above)
            // the centre, slot 2 right of (or below) it.
            const Punto centro = CentroCasilla(me, p.NumFichas, s, 0, 0, 0);
            const bool segundo = CasillaHorizontal(s) ? y > centro.y : x > centro.x;
            const int h = segundo ? 2 : 1;
            return {c.Jugador[h], c.Pieza[h]};
        }
    }
    return {};
}

namespace {

// The seat's own path: the track except the four squares before its exit
// square (beyond its corridor's entry), and its own corridor.
bool EnSuCamino(int j, int s) {
    if (s >= 1 && s <= 68) {
        const int antes = (CasillaSalida[j] - s + 68) % 68;
        return antes < 1 || antes > 4;
    }
    return s >= CasillaCasa[j] - 7 && s < CasillaCasa[j];
}

bool Dentro(const Rectangulo& r, int x, int y) {
    return x >= r.x && y >= r.y && x < r.x + r.ancho && y < r.y + r.alto;
}

int Ocupantes(const Casilla& c) {
    int n = 0;
    for (int h = 1; h <= 3; ++h) n += c.Jugador[h] != 0;
    return n;
}

// Even-odd test of a point against a polygon.
bool DentroDe(const std::vector<std::pair<double, double>>& pol, double x, double y) {
    bool dentro = false;
    for (std::size_t i = 0, k = pol.size() - 1; i < pol.size(); k = i++) {
        const auto [xi, yi] = pol[i];
        const auto [xk, yk] = pol[k];
        if ((yi > y) != (yk > y) && x < (xk - xi) * (y - yi) / (yk - yi) + xi) dentro = !dentro;
    }
    return dentro;
}

}  // namespace

// The triangles and the compass star are those the board paints: the
// triangles meet at M = floor(10.5 n') and stand on s0 = 8n', s1 = 13n';
// the star's eight points reach 0.9 n from the middle, its waist 0.38 of
// that, and its antialiased outline two pixels more.  Pixel centres are tested.
bool EnSuCasa(const Medidas& me, int j, int x, int y) {
    if (j < 1 || j > 4) return false;
    const double np = me.PasoN(), m = me.Margen;
    const double M = m + std::floor(10.5 * np) + 0.5, s0 = m + 8 * np + 0.5, s1 = m + 13 * np + 0.5;
    using Lista = std::vector<std::pair<double, double>>;
    const Lista triangulos[5] = {
        {},
        {{s0, s0}, {s0, s1}, {M, M}},
        {{s0, s0}, {s1, s0}, {M, M}},
        {{s1, s0}, {s1, s1}, {M, M}},
        {{s0, s1}, {s1, s1}, {M, M}},
    };
    const double px = x + 0.5, py = y + 0.5;
    if (!DentroDe(triangulos[j], px, py)) return false;
    // Not on the triangle's lines.
    const Lista& t = triangulos[j];
    for (std::size_t i = 0; i < 3; ++i) {
        const auto [ax, ay] = t[i];
        const auto [bx, by] = t[(i + 1) % 3];
        const double largo = std::hypot(bx - ax, by - ay);
        if (std::abs((bx - ax) * (ay - py) - (ax - px) * (by - ay)) / largo < 1.0) return false;
    }
    Lista estrella;
    const double R = me.LadoCasilla * 0.9;
    for (int i = 0; i < 8; ++i) {
        const double ang = i * M_PI / 4;
        const double radio = (i % 2 ? R * 0.38 : R) + 2;
        estrella.emplace_back(M + radio * std::cos(ang), M + radio * std::sin(ang));
    }
    return !DentroDe(estrella, px, py);
}

int DestinoManual(const Medidas& me, const Partida& p, int j, int origen, int x, int y) {
    if (j < 1 || j > 4) return -1;
    const int a = me.AnchoBrazo;
    if (Dentro({me.OrigenX[j], me.OrigenY[j], a, a}, x, y)) return 0;
    const int borde = 8 * me.LadoCasilla + me.Margen;
    const int L = me.LadoLienzo;
    if (x > borde && y > borde && x < L - borde && y < L - borde)
        return EnSuCasa(me, j, x, y) ? CasillaCasa[j] : -1;
    for (int s = 1; s <= 99; ++s) {
        if (EsCasa(s)) continue;
        const Punto c = CentroCasilla(me, p.NumFichas, s, 0, 0, 0);
        const MedidaCasilla h = MedidasCasilla(me, s);
        if (!Dentro({c.x - h.MitadX, c.y - h.MitadY, 2 * h.MitadX, 2 * h.MitadY}, x, y)) continue;
        // Room for one more piece (two at most on a square).
        if (s != origen && Ocupantes(p.Casillas[s]) >= 2) return -1;
        return EnSuCamino(j, s) ? s : -1;
    }
    return -1;
}

PunteroTablero CursorTablero(const Medidas& me, const Partida& p, const EstadoRaton& e, int x, int y) {
    PunteroTablero r;
    const int t = p.Turno;
    if (x > me.LadoLienzo || t < 1 || t > 4) return r;
    if (p.EsperandoFicha) {
        // The hand says what a click would do: green over the first piece
        // the click would move (of a barrier, the one that can open it),
        // red over the seat's other pieces.
        r.Cursor = CursorManoInterroga;
        for (int k = 1; k <= p.NumFichas; ++k) {
            if (!TocaFicha(me, p, t, k, x, y, false)) continue;
            if (p.FichaMovible[k]) {
                r.Cursor = CursorManoVerde;
                r.FichaBajoRaton = k;
                break;
            }
            r.Cursor = CursorManoRoja;
        }
        return r;
    }
    if (!p.EsperandoTirada || e.MandoEncendido || e.EsperandoRed) {
        if (p.JugarEnRed && e.EsperandoRed) r.Cursor = CursorReloj;
        return r;
    }
    r.Cursor = CursorDadoDe(t, p.PuestoMesa);
    if (!e.ModoManual && e.Arrastrando)
        r.Cursor = CursorManoCerradaDe(e.JugadorArrastrado ? e.JugadorArrastrado : t, p.PuestoMesa);
    if (e.ModoManual) r.Cursor = HayFichaEn(me, p, x, y) ? CursorManoAbierta : CursorManoInterroga;
    return r;
}

}  // namespace parchis
