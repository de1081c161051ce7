// A log entry moves one piece: from its origin (box, square or home) to its
// destination.  A piece in the box or at home holds no slot and is only
// counted (EnEspera, EnCasa); on any other square it holds one of the three
// slots, and undoing puts it back into the very slot it left, so the
// uncompacted layouts the rules can produce come back exactly.
//
// An entry whose piece is not where the entry says it starts (a damaged or
// foreign log) is skipped; undoing skips it in the same way, because the
// piece is then not at the entry's destination either.
#include "rules/registro.h"

#include "rules/tablero.h"

namespace parchis {

namespace {

bool SeatValido(int j) { return j >= 1 && j <= 4; }
bool FichaValida(int k) { return k >= 1 && k <= MaxFichas; }
bool CasillaValida(int s) { return s >= 0 && s <= NumCasillas; }

bool SinHueco(int j, int s) { return s == 0 || s == CasillaCasa[j]; }

int HuecoDe(const Casilla& c, int j, int k) {
    for (int h = 1; h <= 3; ++h)
        if (c.Jugador[h] == j && c.Pieza[h] == k) return h;
    return 0;
}

int PrimerHuecoLibre(const Casilla& c) {
    for (int h = 1; h <= 3; ++h)
        if (c.Jugador[h] == 0) return h;
    return 0;
}

void VaciaHueco(Casilla& c, int h) {
    c.Jugador[h] = 0;
    c.Pieza[h] = 0;
}

void LlenaHueco(Casilla& c, int h, int j, int k) {
    c.Jugador[h] = static_cast<Entero>(j);
    c.Pieza[h] = static_cast<Entero>(k);
}

// Takes piece k of seat j off square s; returns the slot it held (0: none).
int Quita(Partida& p, int j, int k, int s) {
    if (s == 0) {
        --p.EnEspera[j];
        return 0;
    }
    if (s == CasillaCasa[j]) {
        --p.EnCasa[j];
        return 0;
    }
    const int h = HuecoDe(p.Casillas[s], j, k);
    if (h != 0) VaciaHueco(p.Casillas[s], h);
    return h;
}

// Puts piece k of seat j on square s, in slot `hueco` when it is free, else
// in the first free slot.
void Coloca(Partida& p, int j, int k, int s, int hueco) {
    p.Fichas[j][k] = static_cast<Entero>(s);
    if (s == 0) {
        ++p.EnEspera[j];
        return;
    }
    if (s == CasillaCasa[j]) {
        ++p.EnCasa[j];
        return;
    }
    Casilla& c = p.Casillas[s];
    if (hueco < 1 || hueco > 3 || c.Jugador[hueco] != 0) hueco = PrimerHuecoLibre(c);
    if (hueco != 0) LlenaHueco(c, hueco, j, k);
}

struct Pieza {
    int j = 0, k = 0, origen = 0, destino = 0;
    bool valida = false;
};

// The piece an entry moves and where; kind 6 sends its piece to the box.
Pieza PiezaDe(const Jugada& e) {
    Pieza r;
    switch (e.TipoJugada) {
        case 3: case 4: case 5: case 7: case 8: case 9: case 10: case 6: case 11:
            break;
        default:
            return r;
    }
    r.j = e.TipoJugada == 7 ? e.Autor : e.Jugador;
    r.k = e.FichaJugada;
    r.origen = e.CasillaOrigen;
    r.destino = (e.TipoJugada == 6 || e.TipoJugada == 11) ? 0 : e.CasillaFinal;
    r.valida = SeatValido(r.j) && FichaValida(r.k) && CasillaValida(r.origen) && CasillaValida(r.destino);
    return r;
}

// The piece that made the capture undone or replayed by kind-6 entry n: the
// piece of the entry before it, when it stands on the capture square.
int HuecoCapturador(const Partida& p, int n, int casilla) {
    if (n < 2) return 0;
    const Pieza c = PiezaDe(p.Jugadas[n - 1]);
    if (!c.valida || SinHueco(c.j, casilla)) return 0;
    return HuecoDe(p.Casillas[casilla], c.j, c.k);
}

bool EntradaValida(const Partida& p, int n) { return n >= 1 && n < static_cast<int>(p.Jugadas.size()); }

}  // namespace

void AvanzaJugada(Partida& p, int n) {
    if (!EntradaValida(p, n)) return;
    Jugada& e = p.Jugadas[n];
    const Pieza m = PiezaDe(e);
    if (!m.valida || p.Fichas[m.j][m.k] != m.origen) return;
    e.SalidaAnterior = p.SiguienteSalida[m.j];
    e.HuecoOrigen = static_cast<Entero>(Quita(p, m.j, m.k, m.origen));
    Coloca(p, m.j, m.k, m.destino, 0);
    if (e.TipoJugada == 6 && e.HuecoOrigen != 0) {
        // The capturer takes the victim's slot and frees the one it arrived in.
        Casilla& c = p.Casillas[m.origen];
        const int h = HuecoCapturador(p, n, m.origen);
        if (h != 0) {
            LlenaHueco(c, e.HuecoOrigen, c.Jugador[h], c.Pieza[h]);
            VaciaHueco(c, h);
        }
    }
    RefrescaSalida(p, m.j);
}

void RetrocedeJugada(Partida& p, int n) {
    if (!EntradaValida(p, n)) return;
    const Jugada& e = p.Jugadas[n];
    const Pieza m = PiezaDe(e);
    if (!m.valida || p.Fichas[m.j][m.k] != m.destino) return;
    Quita(p, m.j, m.k, m.destino);
    int hueco = e.HuecoOrigen;
    int capJ = 0, capK = 0;
    if (e.TipoJugada == 6) {
        // The capturer gives the victim's slot back and returns to the first
        // free slot once the victim is in, which is the one it arrived in.
        Casilla& c = p.Casillas[m.origen];
        const int h = HuecoCapturador(p, n, m.origen);
        if (h != 0) {
            capJ = c.Jugador[h];
            capK = c.Pieza[h];
            VaciaHueco(c, h);
            if (hueco == 0) hueco = h;
        }
    }
    Coloca(p, m.j, m.k, m.origen, hueco);
    if (capJ != 0) Coloca(p, capJ, capK, m.origen, 0);
    if (e.SalidaAnterior != 0) p.SiguienteSalida[m.j] = e.SalidaAnterior;
    else RefrescaSalida(p, m.j);
}

}  // namespace parchis
