#include "ai/valoracion.h"

#include "rules/tablero.h"

namespace parchis {

namespace {

constexpr int UltimaCasillaAnillo = 68;

// Read once: the tables never change.
const TablasCamino* const TablasValoracion = &Tablas();

// Pieces per seat as the rules count them, kept inside the arrays.
int PiezasDe(const Partida& p) {
    const int n = p.NumFichas;
    return n < 1 ? 1 : (n > MaxFichas ? MaxFichas : n);
}

bool SeatValido(int j) { return j >= 1 && j <= 4; }

int RecorridoFicha(const Partida& p, int jugador, int ficha) {
    if (!SeatValido(jugador) || ficha < 1 || ficha > MaxFichas) return 0;
    return RecorridoEn(*TablasValoracion, jugador, p.Fichas[jugador][ficha]);
}

// Pieces of `jugador` (1..n) that could count a bonus of 20.
int FichasConBono(const Partida& p, const MapaTablero& b, const AlcanceFichas& alcance,
                  int jugador, int n) {
    int cuenta = 0;
    DestinosValor d;
    for (int m = 1; m <= n; ++m) {
        alcance.Calcula(p, b, jugador, p.Fichas[jugador][m], m, 20, d);
        if (d[20] != -1) ++cuenta;
    }
    return cuenta;
}

// A bonus counted lazily: only positions with a capture need it.
struct BonoPerezoso {
    int valor = -1;
    int Valor(const Partida& p, const MapaTablero& b, const AlcanceFichas& a, int jugador, int n) {
        if (valor < 0) valor = FichasConBono(p, b, a, jugador, n);
        return valor;
    }
};

double Factor(int distancia) {
    if (distancia == 10) return 1.5;
    if (distancia == 20) return 4;
    return 1;
}

void CalculaGanancias(const Partida& p, const MapaTablero& b, const ContextoValoracion& ctx,
                      ValorEstado& v) {
    const int j = ctx.Jugador;
    const DistribucionValores& dist = ctx.DistribucionDe(p, j);
    BonoPerezoso bono;
    DestinosValor d;
    v.NumTerminos = 0;
    for (int k = 1; k <= ctx.NumFichas; ++k) {
        v.InicioTerminos[k] = static_cast<std::uint8_t>(v.NumTerminos);
        const int pos = v.Posicion[k];
        if (pos == CasillaCasa[j]) continue;
        ctx.Alcance->Calcula(p, b, j, pos, k, dist.NumValoresPosibles, d);
        for (int valor = 1; valor <= dist.NumValoresPosibles; ++valor) {
            const int destino = d[valor];
            if (dist.Combinaciones[valor] == 0 || destino < 1 || !ComeFichaEn(p, j, destino))
                continue;
            const FichaCapturada victima = VictimaEn(p, j, destino);
            if (ctx.Parejas && victima.Jugador == ctx.Socio && ctx.Posicion != 3) continue;
            const int recorrido = RecorridoFicha(p, victima.Jugador, victima.Pieza);
            const int bonos = bono.Valor(p, b, *ctx.Alcance, j, ctx.NumFichas);
            v.Terminos[v.NumTerminos++] = {static_cast<Entero>(destino),
                                           dist.PorcentajeValor[valor] / 100.0 *
                                               static_cast<double>(recorrido + 20 * bonos)};
        }
    }
    v.InicioTerminos[ctx.NumFichas + 1] = static_cast<std::uint8_t>(v.NumTerminos);
}

// How far ahead along the ring the nearest piece of the seat stands from a
// square (1..68, a piece on the square itself counting 68; 99 with none on
// the ring): a rival piece farther behind than a throw can count cannot
// reach one.  Todas is set when a piece stands off its own path (a damaged
// record), and then every rival piece is walked.
struct PropiasEnAnillo {
    std::array<int, MaxFichas> Casillas{};
    int Cuantas = 0;
    bool Todas = false;

    PropiasEnAnillo(const ValorEstado& v, int j, int n) {
        for (int k = 1; k <= n; ++k) {
            const int pos = v.Posicion[k];
            if (pos >= 1 && pos <= UltimaCasillaAnillo) Casillas[Cuantas++] = pos;
            else if (pos > UltimaCasillaAnillo && pos < CasillaCasa[j] - 7) Todas = true;
            else if (pos > CasillaCasa[j]) Todas = true;
        }
    }

    int Distancia(int desde) const {
        int cerca = 99;
        for (int i = 0; i < Cuantas; ++i) {
            const int d = (Casillas[i] - desde + UltimaCasillaAnillo - 1) % UltimaCasillaAnillo + 1;
            if (d < cerca) cerca = d;
        }
        return cerca;
    }
};

// What the other seats' next throws can capture of each piece.  A partner's
// capture loses nothing for the pair; when the seat lags behind its partner
// the partner's bonus even counts as a gain.
void CalculaAmenazas(const Partida& p, const MapaTablero& b, const ContextoValoracion& ctx,
                     ValorEstado& v) {
    const int j = ctx.Jugador;
    const int n = ctx.NumFichas;
    std::array<std::uint16_t, NumCasillas + 1> propias{};
    for (int k = 1; k <= n; ++k)
        if (v.Posicion[k] >= 1 && v.Posicion[k] <= NumCasillas)
            propias[v.Posicion[k]] |= static_cast<std::uint16_t>(1u << k);
    const PropiasEnAnillo cerca(v, j, n);
    DestinosValor d;
    for (int r = 1; r <= 4; ++r) {
        if (r == j || p.Estado[r] != 1) continue;
        const bool socio = ctx.Parejas && r == ctx.Socio;
        if (socio && ctx.Posicion != 1) continue;
        const DistribucionValores& dist = ctx.DistribucionDe(p, r);
        BonoPerezoso bono;
        for (int q = 1; q <= n; ++q) {
            const int desde = p.Fichas[r][q];
            if (desde >= 1 && desde <= NumCasillas && !cerca.Todas &&
                (desde > UltimaCasillaAnillo || cerca.Distancia(desde) > dist.NumValoresPosibles))
                continue;
            ctx.Alcance->Calcula(p, b, r, desde, q, dist.NumValoresPosibles, d);
            for (int valor = 1; valor <= dist.NumValoresPosibles; ++valor) {
                const int destino = d[valor];
                if (destino < 1 || propias[destino] == 0 || dist.Combinaciones[valor] == 0 ||
                    !ComeFichaEn(p, r, destino))
                    continue;
                const bool conBono = !(destino == CasillaSalida[r] && !p.BonoComerSaliendo);
                const double parte = dist.PorcentajeValor[valor] / 100.0;
                for (int k = 1; k <= n; ++k) {
                    if (!(propias[destino] & (1u << k))) continue;
                    if (socio) {
                        if (conBono) v.GananciaSocio[k] += parte * 20.0;
                    } else {
                        const int extra = conBono ? 20 * bono.Valor(p, b, *ctx.Alcance, r, n) : 0;
                        v.Perdida[k] += parte * static_cast<double>(v.Recorrido[k] + extra);
                    }
                }
            }
        }
    }
}

struct Ocupante {
    Entero Casilla, Jugador, Pieza;
    Entero Recorrido;           // squares the occupant has travelled
    Entero ValoresPosibles;     // highest value its seat's throw can count
    double Valor;               // its piece value before the sequence
};

// Targets ahead (S1), threats behind (S2) and pieces held behind the
// piece's barrier (S3), each the mean of its terms.
void CalculaSumas(const MapaTablero& b, const ContextoValoracion& ctx, const Ocupante* ocupantes,
                  int numOcupantes, int k, ValorEstado& v) {
    const int j = ctx.Jugador;
    const int pos = v.Posicion[k];
    const bool barrera = b.Es[pos];
    double suma[3] = {0, 0, 0};
    int cuenta[3] = {0, 0, 0};
    int inicio = 0;
    while (inicio < numOcupantes && ocupantes[inicio].Casilla < pos) ++inicio;
    for (int i = 0, n = inicio; i < numOcupantes; ++i, n = n + 1 == numOcupantes ? 0 : n + 1) {
        const Ocupante& o = ocupantes[n];
        const int d = o.Casilla >= pos ? o.Casilla - pos : o.Casilla - pos + UltimaCasillaAnillo;
        const int e = UltimaCasillaAnillo - d;
        const double valor = o.Valor;
        const bool socio = ctx.Parejas && o.Jugador == ctx.Socio;
        if (o.Jugador != j) {
            if (v.Recorrido[k] + d < 63 && (!socio || ctx.Posicion == 3)) {
                ++cuenta[0];
                suma[0] += valor * Factor(d) / (d + 1);
            }
            if (o.Recorrido + e < 62 && (!socio || ctx.Posicion == 1)) {
                ++cuenta[1];
                suma[1] += valor * Factor(e) / e;
            }
        }
        if (barrera && e <= o.ValoresPosibles) {
            int signo = 1;
            if (o.Jugador == j) signo = -1;
            else if (socio) signo = ctx.Posicion - 3;
            ++cuenta[2];
            suma[2] += valor * signo / e;
        }
    }
    v.S1[k] = suma[0] == 0 ? 0 : suma[0] / cuenta[0];
    v.S2[k] = suma[1] == 0 ? 0 : suma[1] / cuenta[1];
    v.S3[k] = suma[2] == 0 ? 0 : suma[2] / cuenta[2];
    if (!EsSeguro(pos)) v.S2[k] = v.S2[k] / 2;
}

void CalculaSumasFichas(const Partida& p, const MapaTablero& b, const ContextoValoracion& ctx,
                        ValorEstado& v) {
    bool enAnillo = false;
    for (int k = 1; k <= ctx.NumFichas; ++k) {
        v.S1[k] = v.S2[k] = v.S3[k] = 0;
        enAnillo = enAnillo || (v.Posicion[k] >= 1 && v.Posicion[k] <= UltimaCasillaAnillo);
    }
    if (!enAnillo) return;
    std::array<Ocupante, UltimaCasillaAnillo * 2> ocupantes;
    int n = 0;
    for (int s = 1; s <= UltimaCasillaAnillo; ++s)
        for (int h = 1; h <= 2; ++h) {
            const Casilla& c = p.Casillas[s];
            if (!SeatValido(c.Jugador[h]) || c.Pieza[h] < 1 || c.Pieza[h] > MaxFichas) continue;
            ocupantes[n++] = {static_cast<Entero>(s), c.Jugador[h], c.Pieza[h],
                              static_cast<Entero>(RecorridoFicha(p, c.Jugador[h], c.Pieza[h])),
                              static_cast<Entero>(ctx.DistribucionDe(p, c.Jugador[h]).NumValoresPosibles),
                              ctx.ValorPieza[c.Jugador[h]][c.Pieza[h]]};
        }
    for (int k = 1; k <= ctx.NumFichas; ++k)
        if (v.Posicion[k] >= 1 && v.Posicion[k] <= UltimaCasillaAnillo)
            CalculaSumas(b, ctx, ocupantes.data(), n, k, v);
}

bool Resguardada(const Partida& p, const MapaTablero& b, const ContextoValoracion& ctx, int pos) {
    if (pos == 0 || pos > UltimaCasillaAnillo) return true;
    if (!EsSeguro(pos)) return false;
    if (!EsCasillaSalida(pos) || pos == CasillaSalida[ctx.Jugador] || pos < 1) return true;
    const Casilla& c = p.Casillas[pos];
    bool rival = false;
    for (int h = 1; h <= 3; ++h) {
        const int r = c.Jugador[h];
        if (r != 0 && r != ctx.Jugador && !(ctx.Parejas && r == ctx.Socio)) rival = true;
    }
    return !rival || b.Es[pos];
}

}  // namespace

double ProgresoJugador(const Partida& p, int jugador, int numFichas) {
    if (!SeatValido(jugador) || numFichas <= 0) return 0;
    int suma = 0;
    for (int k = 1; k <= numFichas; ++k) {
        const int r = RecorridoFicha(p, jugador, k);
        suma += r > 63 ? 63 : r;
    }
    return suma / 63.0 / numFichas * 100.0;
}

ContextoValoracion PreparaValoracion(const Partida& p, const AlcanceFichas& alcance) {
    ContextoValoracion ctx;
    ctx.Jugador = p.Turno;
    ctx.NumFichas = PiezasDe(p);
    ctx.Parejas = p.ModoJuego == 2;
    ctx.Socio = ctx.Parejas ? Companero[p.Turno] : 0;
    ctx.Alcance = &alcance;
    ctx.Distribucion = {DistribucionSegunEspera(p, false), DistribucionSegunEspera(p, true)};
    if (ctx.Parejas) {
        const double diferencia = ProgresoJugador(p, ctx.Jugador, ctx.NumFichas) -
                                  ProgresoJugador(p, ctx.Socio, ctx.NumFichas);
        ctx.Posicion = diferencia < -5 ? 1 : (diferencia > 5 ? 3 : 2);
    }
    for (int r = 1; r <= 4; ++r) {
        int enJuego = 0;
        for (int q = 1; q <= ctx.NumFichas; ++q)
            if (p.Fichas[r][q] >= 0 && p.Fichas[r][q] <= UltimaCasillaAnillo) ++enJuego;
        for (int q = 1; q <= ctx.NumFichas; ++q) {
            const int recorrido = RecorridoFicha(p, r, q);
            ctx.ValorPieza[r][q] =
                recorrido < 63 && enJuego > 0 ? recorrido / 62.0 / enJuego * 100.0 : 0;
        }
    }
    return ctx;
}

void ValoraEstado(const Partida& p, const ContextoValoracion& ctx, ValorEstado& v) {
    const int j = ctx.Jugador;
    const MapaTablero barreras(p);
    for (int k = 1; k <= ctx.NumFichas; ++k) {
        v.Posicion[k] = p.Fichas[j][k];
        v.Recorrido[k] = static_cast<Entero>(RecorridoEn(*TablasValoracion, j, v.Posicion[k]));
        v.Resguardada[k] = Resguardada(p, barreras, ctx, v.Posicion[k]);
        v.GananciaSocio[k] = v.Perdida[k] = 0;
    }
    for (int r = 1; r <= 4; ++r) v.Progreso[r] = ProgresoJugador(p, r, ctx.NumFichas);
    v.EnEspera = p.EnEspera[j];
    CalculaGanancias(p, barreras, ctx, v);
    CalculaAmenazas(p, barreras, ctx, v);
    CalculaSumasFichas(p, barreras, ctx, v);
}

double PeligroFicha(const Partida& p, int jugador, int ficha) {
    if (!SeatValido(jugador) || ficha < 1 || ficha > PiezasDe(p)) return 0;
    const AlcanceFichas alcance(p);
    ContextoValoracion ctx;
    ctx.Jugador = jugador;
    ctx.NumFichas = PiezasDe(p);
    ctx.Parejas = p.ModoJuego == 2;
    ctx.Socio = ctx.Parejas ? Companero[jugador] : 0;
    ctx.Posicion = 2;   // the partner's captures only matter to the gain
    ctx.Alcance = &alcance;
    ctx.Distribucion = {DistribucionSegunEspera(p, false), DistribucionSegunEspera(p, true)};
    ValorEstado v;
    for (int k = 1; k <= ctx.NumFichas; ++k) {
        v.Posicion[k] = p.Fichas[jugador][k];
        v.Recorrido[k] = static_cast<Entero>(RecorridoEn(*TablasValoracion, jugador, v.Posicion[k]));
    }
    CalculaAmenazas(p, MapaTablero(p), ctx, v);
    return v.Perdida[ficha];
}

}  // namespace parchis
