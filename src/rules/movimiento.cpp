// The legality rules are written step by step in the order the game has
// always applied them, odd corners included: slots are not compacted when a
// piece leaves a square, so a square may hold slot 2 with slot 1 empty, and
// the capture test then looks at slot 1 only.  The computer player calls
// these functions millions of times per search, so they allocate nothing.
//
// Positions read from a damaged file may be anything: a seat outside 1..4,
// a piece outside 1..8 or a square outside 0..100 is never used as an index,
// and such a piece simply cannot move.
#include "rules/movimiento.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "rules/tablero.h"

namespace parchis {

namespace {

bool SeatValido(int j) { return j >= 1 && j <= 4; }
bool CasillaValida(int s) { return s >= 0 && s <= NumCasillas; }
bool DosDados(const Partida& p) { return p.NumDados == 2; }

int EnEsperaDe(const Partida& p, int j) { return SeatValido(j) ? p.EnEspera[j] : 0; }

bool SonCompaneros(const Partida& p, int a, int b) {
    return p.ModoJuego == 2 && p.BarreraCompaneros && SeatValido(b) && a == Companero[b];
}

bool DosOcupadas(const Casilla& c) { return c.Jugador[1] != 0 && c.Jugador[2] != 0; }

bool DosDelJugador(const Casilla& c, int j) { return c.Jugador[1] == j && c.Jugador[2] == j; }

// Whether the throw or the value lets a piece of j leave the waiting box.
bool ValorPermiteSalir(const Partida& p, int j, int v) {
    if (!p.SalidaCon5) return true;
    if (p.EnEspera[j] == p.NumFichas && p.PrimeraFicha == 3) return true;
    if (!DosDados(p)) return v == 5;
    if (p.MetodoSalida != 2) {
        if (v == 5) return true;
        return p.MetodoCuenta == 1 && (p.Dado1 == 5 || p.Dado2 == 5) && p.TipoJugada != 5;
    }
    return v == p.Dado1 + p.Dado2 && p.Dado1 == p.Dado2 && p.TipoJugada != 5;
}

// The newest log entry of j that began a throw; it must not have opened a
// barrier whose square is `destino`.
bool ReformaBarrera(const Partida& p, int j, int destino) {
    int n = p.NumJugada - 1;
    if (n > static_cast<int>(p.Jugadas.size()) - 1) n = static_cast<int>(p.Jugadas.size()) - 1;
    for (; n >= 1; --n) {
        const Jugada& e = p.Jugadas[n];
        if (e.Jugador == j && e.InicioTirada == 1) return e.Detalle == 2 && e.CasillaFinal == destino;
    }
    return false;
}

// Whether slot 1 or 2 of one of the four squares from s holds a piece of
// the seat that `buscado` names in those slots (and 0 in the others): the
// four compared at once, as most squares hold none.
using OchoEnteros = Entero __attribute__((vector_size(8 * sizeof(Entero))));
static_assert(sizeof(OchoEnteros) == sizeof(Casilla));

inline OchoEnteros Lee(const Partida& p, int s) {
    OchoEnteros c;
    std::memcpy(&c, &p.Casillas[static_cast<std::size_t>(s)], sizeof c);
    return c;
}

inline bool AlgunaDe(const Partida& p, int s, const OchoEnteros& buscado) {
    constexpr OchoEnteros Huecos = {0, -1, -1, 0, 0, 0, 0, 0};
    const OchoEnteros iguales = ((Lee(p, s) == buscado) | (Lee(p, s + 1) == buscado) |
                                 (Lee(p, s + 2) == buscado) | (Lee(p, s + 3) == buscado)) &
                                Huecos;
    std::uint64_t bajos;
    std::memcpy(&bajos, &iguales, sizeof bajos);
    return bajos != 0;
}

bool Falla(Partida& p) {
    p.CasillaDestino = -1;
    return false;
}

// Steps 3 to 6 of a move that counts: from `pos` (the exit square when the
// piece leaves counting) to the destination.  `origen` is where the piece
// really stands.
bool MueveContando(Partida& p, int j, int v, int pos, int origen, int ficha) {
    int destino = AvanzaCasillas(j, v, pos);
    if (destino > CasillaCasa[j]) {
        const bool dobleUno = pos == CasillaCasa[j] - 1 && DosDados(p) && p.MetodoCuenta == 1 &&
                              p.Dado1 == 1 && p.Dado2 == 1 && v != 10 && v != 20;
        if (!dobleUno) return Falla(p);
        destino = CasillaCasa[j];
    } else {
        if (DosOcupadas(p.Casillas[destino]) && destino != CasillaCasa[j]) return Falla(p);
        if (pos == CasillaSalida[j] && p.TipoJugada == 9) return Falla(p);
        // A barrier needs its first two slots taken.
        int paso = pos;
        for (int i = 1; i < v; ++i) {
            paso = AvanzaUno(j, paso);
            if (paso <= NumCasillas && DosOcupadas(p.Casillas[paso]) && EsBarrera(p, paso)) return Falla(p);
        }
        if (p.ValoresUsados >= 1 && ReformaBarrera(p, j, destino)) return Falla(p);
        // While a piece can leave the box, no other piece counts the first value.
        if (origen != 0 && p.EnEspera[j] >= 1 && p.SalidaCon5 && p.SalidaObligatoria &&
            p.ValoresUsados == 0 && p.TipoJugada != 5 && PuedeMover(p, j, v, 0))
            return Falla(p);
    }
    // Of two pieces of one seat standing together only the first is offered.
    if (ficha != 0 && origen != 0) {
        const Casilla& c = p.Casillas[origen];
        if (DosDelJugador(c, j) && c.Pieza[2] == ficha) return Falla(p);
    }
    p.CasillaDestino = static_cast<Entero>(destino);
    return true;
}

}  // namespace

void CalculaValores(Partida& p) {
    const int d1 = p.Dado1;
    const bool todasFuera = EnEsperaDe(p, p.Turno) == 0;
    p.ValoresCuenta.fill(0);
    if (!DosDados(p)) {
        p.Dado2 = 0;
        int valor = d1;
        if (d1 == 6 && todasFuera) valor = p.SeisConTodas == 1 ? 7 : p.SeisConTodas == 2 ? 12 : 6;
        p.ValorCuenta = static_cast<Entero>(valor);
        p.ValoresCuenta[0] = p.ValorCuenta;
        p.ModoValores = 1;
        return;
    }
    const int d2 = p.Dado2;
    const bool doble = d1 == d2 && todasFuera;
    if (p.MetodoCuenta == 1) {
        int valor = d1 + d2;
        if (doble && p.SeisConTodas == 1) valor = 14;
        else if (doble && p.SeisConTodas == 2) valor = 2 * (d1 + d2);
        p.ValorCuenta = static_cast<Entero>(valor);
        p.ValoresCuenta[0] = p.ValorCuenta;
        p.ModoValores = 1;
        return;
    }
    p.ValoresCuenta[0] = static_cast<Entero>(d1 + d2);
    p.ValoresCuenta[1] = static_cast<Entero>(d1);
    p.ValoresCuenta[2] = static_cast<Entero>(d2);
    p.ModoValores = 2;
    p.ValorCuenta = static_cast<Entero>(d1 + d2);
    if (doble && p.SeisConTodas != 3) {
        p.ModoValores = 4;
        if (p.SeisConTodas == 2) {
            p.ValoresCuenta[0] = static_cast<Entero>(2 * (d1 + d2));
            p.ValoresCuenta[3] = static_cast<Entero>(d1);
            p.ValoresCuenta[4] = static_cast<Entero>(d2);
        } else {
            // The faces opposite the dice: opposite faces add up to 7.
            p.ValoresCuenta[0] = 14;
            p.ValoresCuenta[3] = static_cast<Entero>(7 - d1);
            p.ValoresCuenta[4] = static_cast<Entero>(7 - d2);
        }
        p.ValorCuenta = static_cast<Entero>(p.ValoresCuenta[3] + d1 + d2 + p.ValoresCuenta[4]);
    }
}

void SiguienteValor(Partida& p) {
    const int ultimo = std::min<int>(p.ModoValores, 4);
    for (int i = 1; i <= ultimo; ++i) {
        if (p.ValorUsado[i]) continue;
        p.IndiceValor = static_cast<Entero>(i);
        p.ValorCuenta = p.ValoresCuenta[i];
        return;
    }
}

bool EsBarrera(const Partida& p, int casilla) {
    if (casilla < 1 || casilla > NumCasillas) return false;
    const Casilla& c = p.Casillas[casilla];
    const int a = c.Jugador[1];
    const int b = c.Jugador[2];
    if (a == 0) return false;
    if (a != b && !SonCompaneros(p, a, b)) return false;
    if (EsCasillaSalida(casilla)) return p.BarreraSalida;
    if (EsSeguro(casilla)) return p.BarreraSeguro;
    return p.BarreraBlancas;
}

bool ComeFicha(const Partida& p, int jugador, int casilla) {
    if (casilla < 1 || casilla > NumCasillas || !SeatValido(jugador)) return false;
    const Casilla& c = p.Casillas[casilla];
    const int primero = c.Jugador[1];
    if (primero != 0 && primero != jugador && !EsSeguro(casilla) && !SonCompaneros(p, primero, jugador))
        return true;
    // Leaving the box onto one's own exit square held by two pieces.
    return !EsBarrera(p, casilla) && casilla == CasillaSalida[jugador] && DosOcupadas(c);
}

bool PuedeMover(Partida& p, int jugador, int valor, int posicion, int ficha) {
    p.CasillaDestino = -1;
    if (!SeatValido(jugador) || !CasillaValida(posicion) || valor < 1) return false;
    const int j = jugador;
    if (posicion == CasillaCasa[j]) return false;
    if (posicion != 0) return MueveContando(p, j, valor, posicion, posicion, ficha);

    const int salida = CasillaSalida[j];
    if (EsBarrera(p, salida)) return false;
    if (ficha != 0 && ficha != p.SiguienteSalida[j]) return false;
    if (!ValorPermiteSalir(p, j, valor)) return false;
    if (!p.SalidaCon5 || (p.EnEspera[j] == p.NumFichas && p.PrimeraFicha == 3))
        return MueveContando(p, j, valor, salida, 0, ficha);
    if (DosDelJugador(p.Casillas[salida], j)) return false;
    p.CasillaDestino = static_cast<Entero>(salida);
    return true;
}

void DestinosFichas(Partida& p, int valor, std::array<Entero, MaxFichas + 1>& destinos) {
    destinos.fill(0);
    const int t = p.Turno;
    if (!SeatValido(t)) return;
    for (int k = 1; k <= PiezasDe(p); ++k) {
        PuedeMover(p, t, valor, p.Fichas[t][k], k);
        destinos[k] = p.CasillaDestino;
    }
}

void FichasMovibles(Partida& p, int valor, int ficha, std::array<Entero, MaxFichas + 1>* destinos,
                    const std::array<Entero, MaxFichas + 1>* calculados, bool barreras) {
    p.FichasBarrera.fill(0);
    p.NumBarreras = 0;
    p.AbrirBarrera = false;
    p.FichaMovible.fill(false);
    const int t = p.Turno;
    if (!SeatValido(t)) return;

    // The barriers decide which pieces move for a six (a double) before any
    // value is used, and for one piece.
    const bool seisODoble = DosDados(p) ? (p.Dado1 == p.Dado2 && p.Dado1 != 0) : p.Dado1 == 6;
    const bool abrir = seisODoble && p.ValoresUsados == 0;
    const auto e = static_cast<Entero>(t);
    const OchoEnteros buscado = {0, e, e, 0, 0, 0, 0, 0};
    const bool buscaBarreras = barreras || abrir || ficha != 0;
    for (int grupo = 1; buscaBarreras && grupo <= 68; grupo += 4) {
        if (!AlgunaDe(p, grupo, buscado)) continue;
        for (int s = grupo; s < grupo + 4; ++s) {
            const Casilla& c = p.Casillas[s];
            if ((c.Jugador[1] != t && c.Jugador[2] != t) || !EsBarrera(p, s)) continue;
            if (p.NumBarreras >= MaxFichas) break;
            ++p.NumBarreras;
            p.FichasBarrera[p.NumBarreras] = c.Jugador[1] == t ? c.Pieza[1] : c.Pieza[2];
        }
    }

    int desde = 1;
    int hasta = PiezasDe(p);
    if (ficha != 0 && p.NumBarreras == 0) {
        if (ficha < 1 || ficha > MaxFichas) return;
        desde = hasta = ficha;
    }
    std::array<Entero, MaxFichas + 1> destino{};
    for (int k = desde; k <= hasta; ++k) {
        if (calculados) {
            // PuedeMover names a square exactly when the piece can move.
            p.CasillaDestino = (*calculados)[k];
            p.FichaMovible[k] = p.CasillaDestino >= 1;
        } else {
            p.FichaMovible[k] = PuedeMover(p, t, valor, p.Fichas[t][k], k);
        }
        destino[k] = p.CasillaDestino;
    }
    if (destinos) *destinos = destino;

    if (abrir && p.NumBarreras > 0) {
        auto enBarrera = [&p](int k) {
            for (int b = 1; b <= p.NumBarreras; ++b)
                if (p.FichasBarrera[b] == k) return true;
            return false;
        };
        bool algunaMovible = false;
        for (int b = 1; b <= p.NumBarreras; ++b) {
            const int k = p.FichasBarrera[b];
            if (k >= 1 && k <= MaxFichas && p.FichaMovible[k]) algunaMovible = true;
        }
        if (!algunaMovible) return;
        p.AbrirBarrera = true;
        for (int k = desde; k <= hasta; ++k)
            if (!enBarrera(k)) p.FichaMovible[k] = false;
        return;
    }

    if (!p.ComerObligatorio || !p.HayCapturaPosible) return;
    // The moves were checked above on the same board.
    for (int k = desde; k <= hasta; ++k) {
        if (destino[k] >= 1 && !ComeFicha(p, t, destino[k])) {
            p.FichaMovible[k] = false;
            p.ComerObligado = true;
        }
    }
}

void AplicaJugada(Partida& p, int origen, int destino, int ficha) {
    p.Bonificacion = 0;
    p.JugadorComido = 0;
    const int t = p.Turno;
    if (!SeatValido(t) || ficha < 1 || ficha > MaxFichas || !CasillaValida(origen) || destino < 1 ||
        destino > NumCasillas)
        return;

    if (origen != 0) {
        Casilla& o = p.Casillas[origen];
        for (int h = 1; h <= 3; ++h) {
            if (o.Jugador[h] == t && o.Pieza[h] == ficha) {
                o.Jugador[h] = 0;
                o.Pieza[h] = 0;
                break;
            }
        }
    } else {
        --p.EnEspera[t];
    }

    if (destino == CasillaCasa[t]) {
        p.Bonificacion = 10;
        ++p.EnCasa[t];
    } else {
        Casilla& d = p.Casillas[destino];
        int hueco = 0;
        for (int h = 1; h <= 3 && hueco == 0; ++h)
            if (d.Jugador[h] == 0) hueco = h;
        if (ComeFicha(p, t, destino)) {
            // The victim is the last to arrive: the highest slot of another seat.
            int v = 3;
            while (v >= 1 && (d.Jugador[v] == 0 || d.Jugador[v] == t)) --v;
            if (v >= 1) {
                const int victima = d.Jugador[v];
                p.Bonificacion = (destino != CasillaSalida[t] || p.BonoComerSaliendo) ? 20 : 0;
                p.JugadorComido = static_cast<Entero>(victima);
                if (SeatValido(victima) && d.Pieza[v] >= 1 && d.Pieza[v] <= MaxFichas) {
                    p.Fichas[victima][d.Pieza[v]] = 0;
                    ++p.EnEspera[victima];
                    RefrescaSalida(p, victima);
                }
                hueco = v;
            }
        }
        if (hueco != 0) {
            d.Jugador[hueco] = static_cast<Entero>(t);
            d.Pieza[hueco] = static_cast<Entero>(ficha);
        }
    }
    p.Fichas[t][ficha] = static_cast<Entero>(destino);
    RefrescaSalida(p, t);
}

}  // namespace parchis
