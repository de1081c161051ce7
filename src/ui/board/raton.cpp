#include "ui/board/raton.h"

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

}  // namespace

int DestinoManual(const Medidas& me, const Partida& p, int j, int origen, int x, int y,
                  bool colorDeSuCasa) {
    if (j < 1 || j > 4) return -1;
    const int a = me.AnchoBrazo;
    if (Dentro({me.OrigenX[j], me.OrigenY[j], a, a}, x, y)) return 0;
    const int borde = 8 * me.LadoCasilla + me.Margen;
    const int L = me.LadoLienzo;
    if (x > borde && y > borde && x < L - borde && y < L - borde)
        return colorDeSuCasa ? CasillaCasa[j] : -1;
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
