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

PunteroTablero CursorTablero(const Medidas& me, const Partida& p, const EstadoRaton& e, int x, int y) {
    PunteroTablero r;
    const int t = p.Turno;
    if (x > me.LadoLienzo || t < 1 || t > 4) return r;
    if (p.EsperandoFicha) {
        r.Cursor = CursorManoInterroga;
        for (int k = 1; k <= p.NumFichas; ++k) {
            if (!TocaFicha(me, p, t, k, x, y, false)) continue;
            r.Cursor = p.FichaMovible[k] ? CursorManoVerde : CursorManoRoja;
            if (p.FichaMovible[k]) r.FichaBajoRaton = k;
            break;
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
