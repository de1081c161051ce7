#include "valoracion_literal.h"

#include <algorithm>

#include "ai/probabilidad.h"
#include "rules/movimiento.h"
#include "rules/tablero.h"

namespace parchis::prueba {

namespace {

int ConBono(Partida& x, int r, int n) {
    int c = 0;
    for (int m = 1; m <= n; ++m)
        if (PuedeMover(x, r, 20, x.Fichas[r][m], m)) ++c;
    return c;
}

struct ValorFicha {
    double neto = 0, s1 = 0, s2 = 0, s3 = 0;
};

double FactorDistancia(int d) { return d == 10 ? 1.5 : (d == 20 ? 4 : 1); }

ValorFicha ValoraFicha(Partida& x, const Fijos& f, int posicion, int ficha, int excluida) {
    const int j = f.j;
    ValorFicha r;
    // Gain: captures the seat's own next throw allows this piece.
    const DistribucionValores dj = ProbabilidadValores(x, j);
    const int bonosJ = ConBono(x, j, f.n);
    double propia = 0, socio = 0, perdida = 0;
    for (int v = 1; v <= MaxValor; ++v) {
        if (dj.Combinaciones[v] == 0 || !PuedeMover(x, j, v, posicion, ficha)) continue;
        const int d = x.CasillaDestino;
        if (d == excluida || !ComeFicha(x, j, d)) continue;
        int hv = 3;
        while (hv >= 1 && (x.Casillas[d].Jugador[hv] == 0 || x.Casillas[d].Jugador[hv] == j)) --hv;
        const int vj = hv >= 1 ? x.Casillas[d].Jugador[hv] : 0;
        const int vq = hv >= 1 ? x.Casillas[d].Pieza[hv] : 0;
        if (f.parejas && vj == f.socio && f.posicion != 3) continue;
        propia += dj.PorcentajeValor[v] / 100.0 * static_cast<double>(CasillasRecorridas(x, vj, vq) + 20 * bonosJ);
    }
    // Loss: captures the other seats' next throws allow on this square.
    for (int rr = 1; rr <= 4; ++rr) {
        if (rr == j || x.Estado[rr] != 1) continue;
        const DistribucionValores dr = ProbabilidadValores(x, rr);
        const int bonosR = ConBono(x, rr, f.n);
        for (int q = 1; q <= f.n; ++q)
            for (int v = 1; v <= MaxValor; ++v) {
                if (dr.Combinaciones[v] == 0 || !PuedeMover(x, rr, v, x.Fichas[rr][q], q)) continue;
                if (x.CasillaDestino != posicion || !ComeFicha(x, rr, posicion)) continue;
                const bool conBono = !(posicion == CasillaSalida[rr] && !x.BonoComerSaliendo);
                if (f.parejas && rr == f.socio) {
                    if (f.posicion == 1 && conBono) socio += dr.PorcentajeValor[v] / 100.0 * 20.0;
                } else {
                    perdida += dr.PorcentajeValor[v] / 100.0 *
                               static_cast<double>(CasillasRecorridas(x, j, ficha) + (conBono ? 20 * bonosR : 0));
                }
            }
    }
    r.neto = (propia + socio) - perdida;
    if (posicion < 1 || posicion > 68) return r;
    // Partial sums along the ring ahead of the piece.
    const bool barrera = EsBarrera(x, posicion);
    const int propioRecorrido = CasillasRecorridas(x, j, ficha);
    double suma[3] = {0, 0, 0};
    int cuenta[3] = {0, 0, 0};
    for (int d = 0; d <= 67; ++d) {
        const int s = (posicion - 1 + d) % 68 + 1;
        const int e = 68 - d;
        for (int h = 1; h <= 2; ++h) {
            const int R = x.Casillas[s].Jugador[h];
            const int q = x.Casillas[s].Pieza[h];
            if (R < 1 || R > 4 || q < 1 || q > 8) continue;
            const double V = f.valorPieza[R][q];
            const bool esSocio = f.parejas && R == f.socio;
            if (R != j && propioRecorrido + d < 63 && (!esSocio || f.posicion == 3)) {
                ++cuenta[0];
                suma[0] += V * FactorDistancia(d) / (d + 1);
            }
            if (R != j && CasillasRecorridas(x, R, q) + e < 62 && (!esSocio || f.posicion == 1)) {
                ++cuenta[1];
                suma[1] += V * FactorDistancia(e) / e;
            }
            if (barrera && e <= ProbabilidadValores(x, R).NumValoresPosibles) {
                const int k = R == j ? -1 : (esSocio ? (f.posicion == 1 ? -2 : (f.posicion == 2 ? -1 : 0)) : 1);
                ++cuenta[2];
                suma[2] += V * k / e;
            }
        }
    }
    r.s1 = suma[0] == 0 ? 0 : suma[0] / cuenta[0];
    r.s2 = suma[1] == 0 ? 0 : suma[1] / cuenta[1];
    r.s3 = suma[2] == 0 ? 0 : suma[2] / cuenta[2];
    if (!EsSeguro(posicion)) r.s2 = r.s2 / 2;
    return r;
}

}  // namespace


int Piezas(const Partida& p) { return p.NumFichas < 1 ? 1 : (p.NumFichas > 8 ? 8 : p.NumFichas); }

double Progreso(const Partida& p, int j) {
    const int n = Piezas(p);
    int suma = 0;
    for (int k = 1; k <= n; ++k) suma += std::min(CasillasRecorridas(p, j, k), 63);
    return suma / 63.0 / n * 100.0;
}

Fijos CalculaFijos(const Partida& p) {
    Fijos f{};
    f.j = p.Turno;
    f.n = Piezas(p);
    f.parejas = p.ModoJuego == 2;
    f.socio = f.parejas ? Companero[f.j] : 0;
    f.posicion = 2;
    if (f.parejas) {
        const double d = Progreso(p, f.j) - Progreso(p, f.socio);
        f.posicion = d < -5 ? 1 : (d > 5 ? 3 : 2);
    }
    for (int r = 1; r <= 4; ++r) {
        int enJuego = 0;
        for (int q = 1; q <= f.n; ++q)
            if (p.Fichas[r][q] >= 0 && p.Fichas[r][q] <= 68) ++enJuego;
        for (int q = 1; q <= f.n; ++q) {
            const int c = CasillasRecorridas(p, r, q);
            f.valorPieza[r][q] = c < 63 && enJuego > 0 ? c / 62.0 / enJuego * 100.0 : 0;
        }
    }
    return f;
}

bool Resguardada(const Partida& x, const Fijos& f, int pos) {
    if (pos == 0 || pos > 68) return true;
    if (!EsSeguro(pos)) return false;
    for (int s = 1; s <= 4; ++s) {
        if (s == f.j || pos != CasillaSalida[s]) continue;
        bool rival = false;
        for (int h = 1; h <= 3; ++h) {
            const int r = x.Casillas[pos].Jugador[h];
            if (r != 0 && r != f.j && !(f.parejas && r == f.socio)) rival = true;
        }
        if (rival && !EsBarrera(x, pos)) return false;
    }
    return true;
}

Sumas SumaFichas(Partida& x, const Fijos& f, int excluida) {
    Sumas t;
    for (int k = 1; k <= f.n; ++k) {
        const int pos = x.Fichas[f.j][k];
        if (pos == CasillaCasa[f.j]) continue;
        const ValorFicha v = ValoraFicha(x, f, pos, k, excluida);
        t.neto += v.neto;
        if (pos == 0) continue;
        t.s[1] += v.s1;
        t.s[2] += v.s2;
        t.s[3] += v.s3;
    }
    return t;
}

double MediaRivales(const Partida& x, const Partida& estados, const Fijos& f) {
    double suma = 0;
    int n = 0;
    for (int r = 1; r <= 4; ++r)
        if (r != f.j && estados.Estado[r] == 1 && !(f.parejas && r == f.socio)) {
            suma += Progreso(x, r);
            ++n;
        }
    return n > 0 ? suma / n : 0;
}

}  // namespace parchis::prueba
