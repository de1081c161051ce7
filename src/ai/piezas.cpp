#include "ai/piezas.h"

#include <cstring>

#include "rules/tablero.h"

namespace parchis {

namespace {

double Factor(int distancia) {
    if (distancia == 10) return 1.5;
    if (distancia == 20) return 4;
    return 1;
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

}  // namespace

const TablasCamino* const TablasValoracion = &Tablas();


int FichasConBono(const Partida& p, const MapaTablero& b, const AlcanceFichas& alcance,
                  int jugador, int n) {
    int cuenta = 0;
    for (int m = 1; m <= n; ++m)
        if (alcance.Destino(p, b, jugador, p.Fichas[jugador][m], m, 20) != -1) ++cuenta;
    return cuenta;
}

namespace {

bool Llena(const Casilla& c) { return c.Jugador[1] != 0 && c.Jugador[2] != 0; }

// Calls f(c) for every ring square c of m.
template <typename F>
void CadaCasilla(AnilloBits m, F f) {
    for (auto bajo = static_cast<std::uint64_t>(m); bajo != 0; bajo &= bajo - 1) f(__builtin_ctzll(bajo) + 1);
    for (auto alto = static_cast<std::uint64_t>(m >> 64); alto != 0; alto &= alto - 1) f(__builtin_ctzll(alto) + 65);
}

int Avanza(int casilla, int n) { return (casilla + n - 1) % UltimaCasillaAnillo + 1; }

}  // namespace

void AnotaCambio(const Partida& p, const std::array<Casilla, NumCasillas + 1>& inicial, int c,
                 CambiosAnillo& cambios) {
    if (!EnAnillo(c)) {
        cambios.Fuera = true;
        return;
    }
    cambios.Casillas |= BitAnillo(c);
    if (Llena(p.Casillas[c]) != Llena(inicial[c])) cambios.Llenas |= BitAnillo(c);
}

namespace {

// Piece m (0: every piece) of seat r, as Leidas names it.
std::uint64_t BitLeida(int r, int m) { return std::uint64_t{1} << (16 * (r - 1) + m); }

}  // namespace

void BonosIniciales::Lee(int r, int m, int desde, bool propia) const {
    const std::uint64_t bit = BitLeida(r, m);
    if (propia) casilla_[desde] |= bit;
    for (int d = 1; d < 20; ++d) barrera_[Avanza(desde, d)] |= bit;
    llena_[Avanza(desde, 20)] |= bit;
}

// A count of 20 along the ring from a square reads whether that square holds
// two of the seat's pieces, the barriers of the 19 squares it passes and
// whether the square it lands on is full.  From the box a piece counts from
// its exit square, past its barrier; from home, or a square from which home
// is nearer, it never can; any other piece reads every square on its way
// and those of its corridor.
BonosIniciales::Lectura BonosIniciales::Clase(int r, int pos) {
    if (pos == 0) return DesdeSalida;
    if (EnAnillo(pos) && TablasValoracion->PasosAnillo[r][pos] >= 20) return DesdeAnillo;
    if (pos == CasillaCasa[r] || (pos >= 1 && pos < CasillaCasa[r] - 1 && TablasValoracion->PasosCasa[r][pos] < 20))
        return Nunca;
    return Todo;
}

void BonosIniciales::Prepara(const Partida& p, const MapaTablero& b, const ContextoValoracion& ctx) {
    espera_ = p.EnEspera;
    jugador_ = ctx.Jugador;
    numFichas_ = ctx.NumFichas;
    for (int r = 1; r <= 4; ++r) {
        if (p.EnEspera[r] >= 1 && p.SalidaCon5 && p.SalidaObligatoria && p.ValoresUsados == 0 && p.TipoJugada != 5)
            forzosa_ |= 1u << r;
        for (int m = 1; m <= ctx.NumFichas; ++m) {
            const int pos = p.Fichas[r][m];
            fichas_[r][m] = static_cast<Entero>(pos);
            const Lectura clase = Clase(r, pos);
            if (clase == Todo) fuera_[r] |= static_cast<Fichas>(1u << m);
            // Of the box pieces only the next to leave moves.
            if (clase == Nunca || (pos == 0 && m != p.SiguienteSalida[r])) continue;
            if (ctx.Alcance->Destino(p, b, r, pos, m, 20) != -1) conBono_[r] |= static_cast<Fichas>(1u << m);
        }
    }
}

// While a box piece must leave, every piece reads the exit's count too
// (bit 0).  Made the first time a later board asks, as short searches never
// do.
void BonosIniciales::HazTablas() const {
    casilla_.fill(0);
    llena_.fill(0);
    barrera_.fill(0);
    for (int r = 1; r <= 4; ++r) {
        const int salida = CasillaSalida[r];
        const bool propia = r == jugador_;
        if ((forzosa_ >> r) & 1u) {
            Lee(r, 0, salida, propia);
            barrera_[salida] |= BitLeida(r, 0);
        }
        for (int m = 1; m <= numFichas_; ++m) {
            const int pos = fichas_[r][m];
            switch (Clase(r, pos)) {
            case DesdeSalida:
                Lee(r, m, salida, propia);
                barrera_[salida] |= BitLeida(r, m);
                break;
            case DesdeAnillo:
                Lee(r, m, pos, propia);
                break;
            case Nunca:
                break;
            case Todo:
                for (int d = 0; d <= (EnAnillo(pos) ? 20 : UltimaCasillaAnillo - 1); ++d)
                    casilla_[Avanza(EnAnillo(pos) ? pos : 1, d)] |= BitLeida(r, m);
                break;
            }
        }
    }
    tablas_ = true;
}

std::uint64_t BonosIniciales::Leidas(const CambiosAnillo& cambios) const {
    if (!tablas_) HazTablas();
    std::uint64_t leidas = 0;
    CadaCasilla(cambios.Casillas, [&](int c) { leidas |= casilla_[c]; });
    CadaCasilla(cambios.Llenas, [&](int c) { leidas |= llena_[c]; });
    CadaCasilla(cambios.Barreras, [&](int c) { leidas |= barrera_[c]; });
    return leidas;
}

int BonosIniciales::Cuenta(const Partida& p, const MapaTablero& b, const ContextoValoracion& ctx, int r,
                           std::uint64_t leidas, bool fuera) const {
    // A box piece's count depends on how many stand in the box; with them,
    // the other seats' pieces stand where they stood.
    if (p.EnEspera[r] != espera_[r]) return FichasConBono(p, b, *ctx.Alcance, r, ctx.NumFichas);
    unsigned otra = static_cast<Fichas>(leidas >> (16 * (r - 1))) | (fuera ? fuera_[r] : 0u);
    const unsigned todas = (2u << ctx.NumFichas) - 2u;
    if (otra & 1u) otra = todas;
    if (p.Fichas[r] != fichas_[r])
        for (int m = 1; m <= ctx.NumFichas; ++m)
            if (p.Fichas[r][m] != fichas_[r][m]) otra |= 1u << m;
    int cuenta = 0;
    for (unsigned igual = conBono_[r] & todas & ~otra; igual != 0; igual &= igual - 1) ++cuenta;
    for (otra &= todas; otra != 0; otra &= otra - 1) {
        const int m = __builtin_ctz(otra);
        if (ctx.Alcance->Destino(p, b, r, p.Fichas[r][m], m, 20) != -1) ++cuenta;
    }
    return cuenta;
}

void GananciasPieza(const Partida& p, const MapaTablero& b, const ContextoValoracion& ctx,
                    Bonos& bonos, int k, ValorEstado& v, DesgloseBonos* desglose) {
    const int j = ctx.Jugador;
    const int pos = v.Posicion[k];
    if (pos == CasillaCasa[j]) return;
    const DistribucionValores& dist = ctx.DistribucionDe(p, j);
    // An empty square holds nothing to capture.
    ctx.Alcance->Ocupadas(p, b, j, pos, k, dist.NumValoresPosibles, [&](int valor, int destino) {
        if (dist.Combinaciones[valor] == 0 || !ComeFichaEn(p, j, destino)) return;
        const FichaCapturada victima = VictimaEn(p, j, destino);
        if (ctx.Parejas && victima.Jugador == ctx.Socio && ctx.Posicion != 3) return;
        const TerminoBono t{dist.PorcentajeValor[valor] / 100.0,
                            static_cast<std::int16_t>(RecorridoFicha(p, victima.Jugador, victima.Pieza)),
                            static_cast<std::int8_t>(j), true};
        if (desglose) desglose->Capturas[static_cast<std::size_t>(v.NumTerminos)] = t;
        v.Terminos[v.NumTerminos++] = {static_cast<Entero>(destino), ValorTermino(p, b, ctx, bonos, t)};
    });
}

bool Amenaza(const Partida& p, const ContextoValoracion& ctx, int r) {
    return r != ctx.Jugador && p.Estado[r] == 1 && !(ctx.Parejas && r == ctx.Socio && ctx.Posicion != 1);
}

void AmenazasPieza(const Partida& p, const MapaTablero& b, const ContextoValoracion& ctx, Bonos& bonos, int k,
                   ValorEstado& v, const Amenazantes* lista, unsigned cambiados, DesgloseBonos* desglose) {
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
    for (int r = 1; r <= 4; ++r) {
        if (((ctx.Amenazan >> r) & 1u) == 0) continue;
        const bool socio = ctx.Parejas && r == ctx.Socio;
        const DistribucionValores& dist = ctx.DistribucionDe(p, r);
        const bool deLista = lista && !((cambiados >> r) & 1u);
        unsigned listadas = deLista ? lista->De(r) : 0;   // those of `lista` not yet looked at
        for (int q = 0;;) {
            if (deLista) {
                if (listadas == 0) break;
                q = __builtin_ctz(listadas) + 1;
                listadas &= listadas - 1;
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
                    const TerminoBono t{parte, v.Recorrido[k], static_cast<std::int8_t>(r), conBono};
                    v.Perdida[k] += ValorTermino(p, b, ctx, bonos, t);
                    if (!desglose) return;
                    if (desglose->NumPerdidas == static_cast<int>(desglose->Perdidas.size()))
                        desglose->Completo = false;
                    else
                        desglose->Perdidas[static_cast<std::size_t>(desglose->NumPerdidas++)] = t;
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

int OtrosEnAnillo(const Partida& p, const ContextoValoracion& ctx, Ocupante* otros) {
    static_assert(UltimaCasillaAnillo % 4 == 0);
    const std::uint64_t ambos = Huecos(true, true);
    int n = 0;
    for (int grupo = 1; grupo <= UltimaCasillaAnillo; grupo += 4) {
        if (!AlgunaOcupada(p, grupo, ambos)) continue;
        for (int s = grupo; s < grupo + 4; ++s) {
            const Casilla& c = p.Casillas[s];
            for (int h = 1; h <= 2; ++h) {
                const int r = c.Jugador[h];
                if (!DeOtro(c, h, ctx.Jugador)) continue;
                otros[n++] = {static_cast<Entero>(s), c.Jugador[h], c.Pieza[h],
                              static_cast<Entero>(RecorridoFicha(p, r, c.Pieza[h])),
                              ctx.ValorPieza[r][c.Pieza[h]]};
            }
        }
    }
    return n;
}

void SumasAnillo(const ContextoValoracion& ctx, const Ocupante* otros, int numOtros, int k, ValorEstado& v) {
    const int pos = v.Posicion[k];
    double suma1 = 0, suma2 = 0;
    int cuenta1 = 0, cuenta2 = 0;
    const int recorrido = v.Recorrido[k];
    const int socio = ctx.Parejas ? ctx.Socio : 0;
    const bool delanteSocio = ctx.Posicion == 3, detrasSocio = ctx.Posicion == 1;
    auto suma = [&](const Ocupante& o) {
        const int d = o.Casilla >= pos ? o.Casilla - pos : o.Casilla - pos + UltimaCasillaAnillo;
        const int e = UltimaCasillaAnillo - d;
        const bool deSocio = socio != 0 && o.Jugador == socio;
        if (recorrido + d < 63 && (!deSocio || delanteSocio)) {
            ++cuenta1;
            suma1 += o.Valor * Factor(d) / (d + 1);
        }
        if (o.Recorrido + e < 62 && (!deSocio || detrasSocio)) {
            ++cuenta2;
            suma2 += o.Valor * Factor(e) / e;
        }
    };
    // Round the ring from the first piece at or ahead of pos.
    int inicio = 0;
    while (inicio < numOtros && otros[inicio].Casilla < pos) ++inicio;
    if (inicio == numOtros) inicio = 0;
    for (int n = inicio; n < numOtros; ++n) suma(otros[n]);
    for (int n = 0; n < inicio; ++n) suma(otros[n]);
    v.S1[k] = suma1 == 0 ? 0 : suma1 / cuenta1;
    v.S2[k] = suma2 == 0 ? 0 : suma2 / cuenta2;
    if (!EsSeguro(pos)) v.S2[k] = v.S2[k] / 2;
}

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
            if (c.Jugador[1] == 0 && c.Jugador[2] == 0) continue;   // most squares are empty
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

}  // namespace parchis
