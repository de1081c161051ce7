#include "ai/valoracion.h"

#include <algorithm>

#include "rules/tablero.h"

namespace parchis {

namespace {

constexpr int UltimaCasillaAnillo = 68;

// Read once: the tables never change.
const TablasCamino* const TablasValoracion = &Tablas();

bool SeatValido(int j) { return j >= 1 && j <= 4; }

int RecorridoFicha(const Partida& p, int jugador, int ficha) {
    if (!SeatValido(jugador) || ficha < 1 || ficha > MaxFichas) return 0;
    return RecorridoEn(*TablasValoracion, jugador, p.Fichas[jugador][ficha]);
}

// Pieces of `jugador` (1..n) that could count a bonus of 20.
int FichasConBono(const Partida& p, const MapaTablero& b, const AlcanceFichas& alcance,
                  int jugador, int n) {
    int cuenta = 0;
    for (int m = 1; m <= n; ++m)
        if (alcance.Destino(p, b, jugador, p.Fichas[jugador][m], m, 20) != -1) ++cuenta;
    return cuenta;
}

bool EnAnillo(int casilla) { return casilla >= 1 && casilla <= UltimaCasillaAnillo; }

// Squares from `desde` forward along the ring to `hasta`, both on it, 1..68
// (a square to itself is the whole ring).
int DistanciaAnillo(int desde, int hasta) {
    const int d = hasta - desde;
    return d > 0 ? d : d + UltimaCasillaAnillo;
}

// The bonus counts of one board, worked out the first time a capture needs
// one; -1 until then.
struct Bonos {
    std::array<std::int8_t, 5> Valor{-1, -1, -1, -1, -1};

    int De(const Partida& p, const MapaTablero& b, const ContextoValoracion& ctx, int jugador) {
        if (Valor[jugador] < 0)
            Valor[jugador] =
                static_cast<std::int8_t>(FichasConBono(p, b, *ctx.Alcance, jugador, ctx.NumFichas));
        return Valor[jugador];
    }
};

double Factor(int distancia) {
    if (distancia == 10) return 1.5;
    if (distancia == 20) return 4;
    return 1;
}

// The captures piece k can make with the seat's next throw, appended to
// v's terms.
void GananciasPieza(const Partida& p, const MapaTablero& b, const ContextoValoracion& ctx,
                    Bonos& bonos, int k, ValorEstado& v) {
    const int j = ctx.Jugador;
    const int pos = v.Posicion[k];
    if (pos == CasillaCasa[j]) return;
    const DistribucionValores& dist = ctx.DistribucionDe(p, j);
    // An empty square holds nothing to capture.
    ctx.Alcance->Ocupadas(p, b, j, pos, k, dist.NumValoresPosibles, [&](int valor, int destino) {
        if (dist.Combinaciones[valor] == 0 || !ComeFichaEn(p, j, destino)) return;
        const FichaCapturada victima = VictimaEn(p, j, destino);
        if (ctx.Parejas && victima.Jugador == ctx.Socio && ctx.Posicion != 3) return;
        const int recorrido = RecorridoFicha(p, victima.Jugador, victima.Pieza);
        const int conBono = bonos.De(p, b, ctx, j);
        v.Terminos[v.NumTerminos++] = {static_cast<Entero>(destino),
                                       dist.PorcentajeValor[valor] / 100.0 *
                                           static_cast<double>(recorrido + 20 * conBono)};
    });
}

// Whether seat r's captures count against the seat.
bool Amenaza(const Partida& p, const ContextoValoracion& ctx, int r) {
    return r != ctx.Jugador && p.Estado[r] == 1 && !(ctx.Parejas && r == ctx.Socio && ctx.Posicion != 1);
}

// The highest value with which piece q of seat r may land on `pos`, the
// board's barriers and squares aside; 0 when none may.  Another seat's path
// never enters this seat's corridor, and a piece farther behind along the
// ring than its seat's highest value cannot land here: only a record with
// pieces off their paths (`todas`) needs every walk.
int AlcanceAmenaza(const Partida& p, const ContextoValoracion& ctx, int r, int q, int pos, bool todas) {
    const int desde = p.Fichas[r][q];
    if (desde < 0 || desde > NumCasillas) return 0;   // no walk from outside the board
    const int vmax = ctx.DistribucionDe(p, r).NumValoresPosibles;
    if (desde == 0) {
        // Only the next piece to leave a box moves, to the exit square or
        // counting from it.
        const int salida = CasillaSalida[r];
        return q != p.SiguienteSalida[r] || (!todas && pos != salida && DistanciaAnillo(salida, pos) > vmax)
                   ? 0
                   : vmax;
    }
    if (todas) return vmax;
    if (desde > UltimaCasillaAnillo) return 0;
    // Along the ring only the value that spans the distance can land here.
    const int distancia = DistanciaAnillo(desde, pos);
    return distancia > vmax ? 0 : distancia;
}

// What the other seats' next throws can capture of piece k, added value by
// value in seat, piece and value order.  A partner's capture loses nothing
// for the pair; when the seat lags behind its partner the partner's bonus
// even counts as a gain.  `lista`, when given, names the pieces that may
// land on the piece's square among those of the seats not in `cambiados`
// (a bit per seat); the other seats' pieces are all looked at.
void AmenazasPieza(const Partida& p, const MapaTablero& b, const ContextoValoracion& ctx, Bonos& bonos, int k,
                   ValorEstado& v, const Amenazantes* lista = nullptr, unsigned cambiados = 0) {
    v.GananciaSocio[k] = v.Perdida[k] = 0;
    const int pos = v.Posicion[k];
    const bool todas = v.FueraDeCamino;
    if (pos < 1 || pos > NumCasillas || (!todas && pos > UltimaCasillaAnillo)) return;
    // A piece on the ring lands here only from no farther than the first
    // barrier behind this square, and never when the square is full.
    const int barrera = todas ? 0 : b.BarreraDetras(pos);
    const Casilla& aqui = p.Casillas[pos];
    const bool llena = aqui.Jugador[1] != 0 && aqui.Jugador[2] != 0;
    DestinosValor d;
    int i = 0;   // the next entry of `lista`
    for (int r = 1; r <= 4; ++r) {
        if (!Amenaza(p, ctx, r)) continue;
        const bool socio = ctx.Parejas && r == ctx.Socio;
        const DistribucionValores& dist = ctx.DistribucionDe(p, r);
        const bool deLista = lista && !((cambiados >> r) & 1u);
        while (i < (lista ? lista->Num : 0) && lista->Fichas[i] >> 4 < r) ++i;
        for (int q = 0;;) {
            if (deLista) {
                if (i == lista->Num || lista->Fichas[i] >> 4 != r) break;
                q = lista->Fichas[i++] & 15;
            } else if (++q > ctx.NumFichas) {
                break;
            }
            const int vmax = AlcanceAmenaza(p, ctx, r, q, pos, todas);
            if (vmax == 0) continue;
            // What a capture of this piece with `valor` adds.
            auto anota = [&](int valor) {
                if (dist.Combinaciones[valor] == 0 || !ComeFichaEn(p, r, pos)) return;
                const bool conBono = !(pos == CasillaSalida[r] && !p.BonoComerSaliendo);
                const double parte = dist.PorcentajeValor[valor] / 100.0;
                if (socio) {
                    if (conBono) v.GananciaSocio[k] += parte * 20.0;
                } else {
                    const int extra = conBono ? 20 * bonos.De(p, b, ctx, r) : 0;
                    v.Perdida[k] += parte * static_cast<double>(v.Recorrido[k] + extra);
                }
            };
            const int desde = p.Fichas[r][q];
            if (desde != 0 && !todas) {
                if (!llena && vmax <= barrera && ctx.Alcance->LlegaEnAnillo(p, b, r, desde, q, vmax, pos))
                    anota(vmax);
                continue;
            }
            ctx.Alcance->Calcula(p, b, r, desde, q, vmax, d);
            for (int valor = 1; valor <= vmax; ++valor)
                if (d[valor] == pos) anota(valor);
        }
    }
}

// Slot h of c holds a piece of another seat than `jugador`.
bool DeOtro(const Casilla& c, int h, int jugador) {
    return SeatValido(c.Jugador[h]) && c.Jugador[h] != jugador && c.Pieza[h] >= 1 &&
           c.Pieza[h] <= MaxFichas;
}

// The other seats' pieces on the ring (slots 1 and 2), in square order.
int OtrosEnAnillo(const Partida& p, const ContextoValoracion& ctx, Ocupante* otros) {
    int n = 0;
    for (int s = 1; s <= UltimaCasillaAnillo; ++s)
        for (int h = 1; h <= 2; ++h) {
            const Casilla& c = p.Casillas[s];
            const int r = c.Jugador[h];
            if (!DeOtro(c, h, ctx.Jugador)) continue;
            otros[n++] = {static_cast<Entero>(s), c.Jugador[h], c.Pieza[h],
                          static_cast<Entero>(RecorridoFicha(p, r, c.Pieza[h])),
                          ctx.ValorPieza[r][c.Pieza[h]]};
        }
    return n;
}

// Targets ahead (S1) and threats behind (S2) of piece k on the ring among
// the other seats' pieces, each the mean of its terms, the terms taken
// square by square going round from the piece's square.
void SumasAnillo(const ContextoValoracion& ctx, const Ocupante* otros, int numOtros, int k, ValorEstado& v) {
    const int pos = v.Posicion[k];
    double suma1 = 0, suma2 = 0;
    int cuenta1 = 0, cuenta2 = 0;
    int inicio = 0;
    while (inicio < numOtros && otros[inicio].Casilla < pos) ++inicio;
    if (inicio == numOtros) inicio = 0;
    for (int i = 0, n = inicio; i < numOtros; ++i, n = n + 1 == numOtros ? 0 : n + 1) {
        const Ocupante& o = otros[n];
        const int d = o.Casilla >= pos ? o.Casilla - pos : o.Casilla - pos + UltimaCasillaAnillo;
        const int e = UltimaCasillaAnillo - d;
        const bool socio = ctx.Parejas && o.Jugador == ctx.Socio;
        if (v.Recorrido[k] + d < 63 && (!socio || ctx.Posicion == 3)) {
            ++cuenta1;
            suma1 += o.Valor * Factor(d) / (d + 1);
        }
        if (o.Recorrido + e < 62 && (!socio || ctx.Posicion == 1)) {
            ++cuenta2;
            suma2 += o.Valor * Factor(e) / e;
        }
    }
    v.S1[k] = suma1 == 0 ? 0 : suma1 / cuenta1;
    v.S2[k] = suma2 == 0 ? 0 : suma2 / cuenta2;
    if (!EsSeguro(pos)) v.S2[k] = v.S2[k] / 2;
}

// The pieces held behind the barrier of piece k on the ring (S3), the mean
// of their terms.
void SumaBarrera(const Partida& p, const MapaTablero& b, const ContextoValoracion& ctx, int k, ValorEstado& v) {
    const int j = ctx.Jugador;
    const int pos = v.Posicion[k];
    double suma3 = 0;
    int cuenta3 = 0;
    // A piece counts behind a barrier from no farther than its seat's
    // highest value.
    if (b.Es[pos])
        for (int e = ctx.ValorMaximo(); e >= 1; --e) {
            const int s = pos - e < 1 ? pos - e + UltimaCasillaAnillo : pos - e;
            const Casilla& c = p.Casillas[s];
            for (int h = 1; h <= 2; ++h) {
                const int r = c.Jugador[h];
                if (!SeatValido(r) || c.Pieza[h] < 1 || c.Pieza[h] > MaxFichas ||
                    e > ctx.DistribucionDe(p, r).NumValoresPosibles)
                    continue;
                int signo = 1;
                if (r == j) signo = -1;
                else if (ctx.Parejas && r == ctx.Socio) signo = ctx.Posicion - 3;
                ++cuenta3;
                suma3 += ctx.ValorPieza[r][c.Pieza[h]] * signo / e;
            }
        }
    v.S3[k] = suma3 == 0 ? 0 : suma3 / cuenta3;
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

// The facts of the board every part of the estimate reads; the other seats'
// progress is taken from `progreso` when given.
void Situa(const Partida& p, const MapaTablero& b, const ContextoValoracion& ctx, ValorEstado& v,
           const std::array<double, 5>* progreso = nullptr) {
    const int j = ctx.Jugador;
    v.FueraDeCamino = false;
    for (int k = 1; k <= ctx.NumFichas; ++k) {
        const int pos = p.Fichas[j][k];
        v.Posicion[k] = static_cast<Entero>(pos);
        v.Recorrido[k] = static_cast<Entero>(RecorridoEn(*TablasValoracion, j, pos));
        v.Resguardada[k] = Resguardada(p, b, ctx, pos);
        if ((pos > UltimaCasillaAnillo && pos < CasillaCasa[j] - 7) || pos > CasillaCasa[j])
            v.FueraDeCamino = true;
    }
    for (int r = 1; r <= 4; ++r)
        v.Progreso[r] = progreso && r != j ? (*progreso)[r] : ProgresoJugador(p, r, ctx.NumFichas);
    v.EnEspera = p.EnEspera[j];
    v.Fichas = p.Fichas;
    v.Espera = p.EnEspera;
}

// The pieces of other seats that may threaten piece k, as the first board
// had them, when they are known.
const Amenazantes* Lista(const BaseValoracion* base, const ValorEstado& v, int k) {
    const int pos = v.Posicion[k];
    return base && !v.FueraDeCamino && !base->Valor.FueraDeCamino && EnAnillo(pos) ? &base->PorCasilla[pos]
                                                                                   : nullptr;
}

// The whole estimate, the other seats' ring pieces given.
void Valora(const Partida& p, const MapaTablero& b, const ContextoValoracion& ctx,
            const Ocupante* otros, int numOtros, ValorEstado& v, const BaseValoracion* base = nullptr,
            unsigned cambiados = 0) {
    Situa(p, b, ctx, v);
    Bonos bonos;
    const int n = ctx.NumFichas;
    v.NumTerminos = 0;
    for (int k = 1; k <= n; ++k) {
        v.InicioTerminos[k] = static_cast<std::uint8_t>(v.NumTerminos);
        GananciasPieza(p, b, ctx, bonos, k, v);
    }
    v.InicioTerminos[n + 1] = static_cast<std::uint8_t>(v.NumTerminos);
    for (int k = 1; k <= n; ++k) {
        AmenazasPieza(p, b, ctx, bonos, k, v, Lista(base, v, k), cambiados);
        v.S1[k] = v.S2[k] = v.S3[k] = 0;
        if (!EnAnillo(v.Posicion[k])) continue;
        SumasAnillo(ctx, otros, numOtros, k, v);
        SumaBarrera(p, b, ctx, k, v);
    }
    v.Bono = bonos.Valor;
}

// What of an unmoved piece's estimate a changed square can change.
enum Rehacer : std::uint8_t {
    RehaceGanancia = 1,   // the captures it can make
    RehaceAmenaza = 2,    // what it can lose, and the pieces held behind its barrier
    RehaceTodo = 3,
    RehaceSumas = 4,      // its targets and threats (S1, S2): only a piece that moved
};

// What a change of square c changes for a piece of the seat standing on
// `pos`: on its own square or an exit square (the box pieces' way out)
// everything; on a square its walk crosses, its captures; within a throw
// behind it on the ring, its threats and its barrier's sum.  Its targets
// and threats among the other seats' pieces (S1, S2) stay while those
// pieces do.
int Alcanza(const ContextoValoracion& ctx, const Partida& p, int pos, int c) {
    if (c == pos || EsCasillaSalida(c)) return RehaceTodo;
    const int j = ctx.Jugador;
    const int vmax = ctx.DistribucionDe(p, j).NumValoresPosibles;
    // Along the ring the walk ahead is taken whole, even past the turn
    // into the corridor: a piece worked out again needlessly is still right.
    if (EnAnillo(pos) && EnAnillo(c))
        return (DistanciaAnillo(c, pos) <= ctx.ValorMaximo() ? RehaceAmenaza : 0) |
               (DistanciaAnillo(pos, c) <= vmax ? RehaceGanancia : 0);
    const auto& siguiente = TablasValoracion->Siguiente[j];
    int s = pos;
    for (int v = vmax; v > 0 && s != CasillaCasa[j]; --v) {
        s = siguiente[s];
        if (s == c) return RehaceGanancia;
    }
    return 0;
}

// Whether a change of square c can change the bonus count of `jugador`,
// whose pieces walk at most 20 squares from where they stand or from their
// exit square.
bool CambiaBono(const ValorEstado& v, int jugador, int numFichas, int c) {
    if (!EnAnillo(c) || c == CasillaSalida[jugador]) return true;
    for (int q = 1; q <= numFichas; ++q) {
        int desde = v.Fichas[jugador][q];
        if (desde == 0) desde = CasillaSalida[jugador];
        if (!EnAnillo(desde)) continue;
        if (desde == c || DistanciaAnillo(desde, c) <= 20) return true;
    }
    return false;
}

// The other seats' pieces in slots 1 and 2 of two squares are the same, in
// the same order.
bool MismosOtros(const Casilla& a, const Casilla& b, int jugador) {
    int i = 1, k = 1;
    while (true) {
        while (i <= 2 && !DeOtro(a, i, jugador)) ++i;
        while (k <= 2 && !DeOtro(b, k, jugador)) ++k;
        if (i > 2 || k > 2) return i > 2 && k > 2;
        if (a.Jugador[i] != b.Jugador[k] || a.Pieza[i] != b.Pieza[k]) return false;
        ++i;
        ++k;
    }
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
    const MapaTablero barreras(p);
    std::array<Ocupante, 2 * UltimaCasillaAnillo> otros;
    Valora(p, barreras, ctx, otros.data(), OtrosEnAnillo(p, ctx, otros.data()), v);
}

BaseValoracion::BaseValoracion(const Partida& p, const ContextoValoracion& ctx)
    : Casillas(p.Casillas), Mapa(p), NumOtros(OtrosEnAnillo(p, ctx, Otros.data())) {
    Valora(p, Mapa, ctx, Otros.data(), NumOtros, Valor);
    // Each piece is listed on the squares AlcanceAmenaza lets it reach: a
    // throw ahead of it, or of its exit square and the square itself for the
    // next piece to leave a box.
    for (int r = 1; r <= 4; ++r) {
        if (!Amenaza(p, ctx, r)) continue;
        const int vmax = ctx.DistribucionDe(p, r).NumValoresPosibles;
        for (int q = 1; q <= ctx.NumFichas; ++q) {
            int desde = p.Fichas[r][q];
            if (desde == 0 && q == p.SiguienteSalida[r] && vmax > 0) {
                desde = CasillaSalida[r];
                PorCasilla[desde].Fichas[PorCasilla[desde].Num++] = static_cast<std::uint8_t>(r << 4 | q);
            } else if (!EnAnillo(desde)) {
                continue;
            }
            for (int d = 1; d <= vmax; ++d) {
                Amenazantes& a = PorCasilla[(desde + d - 1) % UltimaCasillaAnillo + 1];
                a.Fichas[a.Num++] = static_cast<std::uint8_t>(r << 4 | q);
            }
        }
    }
}

void ValoraDesde(const Partida& p, const ContextoValoracion& ctx, const BaseValoracion& base,
                 const Entero* cambiadas, int numCambiadas, ValorEstado& v) {
    const int j = ctx.Jugador;
    const int n = ctx.NumFichas;
    const ValorEstado& a = base.Valor;
    // The other seats' pieces and every box as they were: no capture and no
    // piece out of a box on the way.
    bool sigue = !a.FueraDeCamino && p.EnEspera == a.Espera;
    for (int r = 1; r <= 4 && sigue; ++r)
        if (r != j && p.Fichas[r] != a.Fichas[r]) sigue = false;
    // The squares that really changed, with the other seats' ring pieces
    // standing as they stood.
    std::array<Entero, 16> cambios;
    int numCambios = 0;
    for (int i = 0; i < numCambiadas && sigue; ++i) {
        const int c = cambiadas[i];
        if (c < 0 || c > NumCasillas || p.Casillas[c] == base.Casillas[c]) continue;
        if (std::find(cambios.begin(), cambios.begin() + numCambios, c) != cambios.begin() + numCambios)
            continue;
        if (numCambios == static_cast<int>(cambios.size()) ||
            (EnAnillo(c) && !MismosOtros(p.Casillas[c], base.Casillas[c], j)))
            sigue = false;
        else
            cambios[numCambios++] = static_cast<Entero>(c);
    }
    if (!sigue) {
        // The other seats' pieces that may threaten a square are those of the
        // first board, but for the seats whose pieces were captured.
        unsigned cambiados = 0;
        for (int r = 1; r <= 4; ++r)
            if (p.Fichas[r] != a.Fichas[r] || p.EnEspera[r] != a.Espera[r]) cambiados |= 1u << r;
        const MapaTablero barreras(p);
        std::array<Ocupante, 2 * UltimaCasillaAnillo> otros;
        Valora(p, barreras, ctx, otros.data(), OtrosEnAnillo(p, ctx, otros.data()), v, &base, cambiados);
        return;
    }
    const MapaTablero b(base.Mapa, p, cambios.data(), numCambios);
    Situa(p, b, ctx, v, &a.Progreso);
    // What the moves changed around each piece is worked out again; a
    // piece that moved is worked out whole.
    std::array<int, MaxFichas + 1> rehace{};
    bool tomaCapturas = false;   // capture terms are kept from the base
    for (int k = 1; k <= n; ++k) {
        const int pos = v.Posicion[k];
        const bool movida = pos != a.Posicion[k] || pos == 0;
        rehace[k] = movida ? RehaceTodo | RehaceSumas : 0;
        for (int i = 0; i < numCambios && (rehace[k] & RehaceTodo) != RehaceTodo; ++i)
            rehace[k] |= Alcanza(ctx, p, pos, cambios[i]);
        tomaCapturas = tomaCapturas ||
                       (!(rehace[k] & RehaceGanancia) && a.InicioTerminos[k + 1] > a.InicioTerminos[k]);
    }
    Bonos bonos;
    // A bonus count the kept estimates used must still hold, or what used
    // it is worked out again: the seat's own in its capture terms, another
    // seat's in the threats.
    for (int r = 1; r <= 4; ++r) {
        if (a.Bono[r] < 0 || (r == j && !tomaCapturas)) continue;
        bool cambia = r == j;
        for (int i = 0; i < numCambios && !cambia; ++i) cambia = CambiaBono(a, r, n, cambios[i]);
        if (!cambia || bonos.De(p, b, ctx, r) == a.Bono[r]) continue;
        for (int k = 1; k <= n; ++k)
            rehace[k] |= r != j ? RehaceAmenaza : (a.InicioTerminos[k + 1] > a.InicioTerminos[k] ? RehaceGanancia : 0);
    }
    if (v.FueraDeCamino) {
        Valora(p, b, ctx, base.Otros.data(), base.NumOtros, v, &base);
        return;
    }
    v.NumTerminos = 0;
    for (int k = 1; k <= n; ++k) {
        v.InicioTerminos[k] = static_cast<std::uint8_t>(v.NumTerminos);
        const bool anillo = EnAnillo(v.Posicion[k]);
        if (rehace[k] & RehaceGanancia) {
            GananciasPieza(p, b, ctx, bonos, k, v);
        } else {
            for (int t = a.InicioTerminos[k]; t < a.InicioTerminos[k + 1]; ++t)
                v.Terminos[v.NumTerminos++] = a.Terminos[t];
        }
        if (rehace[k] & RehaceAmenaza) {
            AmenazasPieza(p, b, ctx, bonos, k, v, Lista(&base, v, k));
            v.S3[k] = 0;
            if (anillo) SumaBarrera(p, b, ctx, k, v);
        } else {
            v.GananciaSocio[k] = a.GananciaSocio[k];
            v.Perdida[k] = a.Perdida[k];
            v.S3[k] = a.S3[k];
        }
        if (rehace[k] & RehaceSumas) {
            v.S1[k] = v.S2[k] = 0;
            if (anillo) SumasAnillo(ctx, base.Otros.data(), base.NumOtros, k, v);
        } else {
            v.S1[k] = a.S1[k];
            v.S2[k] = a.S2[k];
        }
    }
    v.InicioTerminos[n + 1] = static_cast<std::uint8_t>(v.NumTerminos);
    v.Bono = bonos.Valor;
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
    const MapaTablero barreras(p);
    ValorEstado v;
    Situa(p, barreras, ctx, v);
    Bonos bonos;
    AmenazasPieza(p, barreras, ctx, bonos, ficha, v);
    return v.Perdida[ficha];
}

}  // namespace parchis
