#include "ai/valoracion.h"

#include <algorithm>
#include <bit>

#include "ai/piezas.h"
#include "rules/tablero.h"

namespace parchis {

namespace {

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
    int recorrido = 0;   // the seat's progress, as ProgresoJugador sums it
    for (int k = 1; k <= ctx.NumFichas; ++k) {
        const int pos = p.Fichas[j][k];
        v.Posicion[k] = static_cast<Entero>(pos);
        v.Recorrido[k] = static_cast<Entero>(RecorridoEn(*TablasValoracion, j, pos));
        recorrido += std::min<int>(v.Recorrido[k], 63);
        v.Resguardada[k] = Resguardada(p, b, ctx, pos);
        if ((pos > UltimaCasillaAnillo && pos < CasillaCasa[j] - 7) || pos > CasillaCasa[j])
            v.FueraDeCamino = true;
    }
    for (int r = 1; r <= 4; ++r)
        v.Progreso[r] = r == j ? (ctx.NumFichas > 0 ? recorrido / 63.0 / ctx.NumFichas * 100.0 : 0)
                               : progreso ? (*progreso)[r] : ProgresoJugador(p, r, ctx.NumFichas);
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

// The whole estimate, the other seats' ring pieces given (with `base`,
// those of the first board less the ones named in `quitadas`, when
// `quitadas` is not -1), from the bonus counts `bonos` holds.
void Valora(const Partida& p, const MapaTablero& b, const ContextoValoracion& ctx,
            const Ocupante* otros, int numOtros, ValorEstado& v, const BaseValoracion* base = nullptr,
            unsigned cambiados = 0, std::int64_t quitadas = -1, Bonos bonos = {},
            DesgloseBonos* desglose = nullptr) {
    Situa(p, b, ctx, v);
    const int n = ctx.NumFichas;
    v.NumTerminos = 0;
    for (int k = 1; k <= n; ++k) {
        v.InicioTerminos[k] = static_cast<std::uint8_t>(v.NumTerminos);
        GananciasPieza(p, b, ctx, bonos, k, v, desglose);
    }
    v.InicioTerminos[n + 1] = static_cast<std::uint8_t>(v.NumTerminos);
    for (int k = 1; k <= n; ++k) {
        if (desglose) desglose->InicioPerdidas[k] = static_cast<std::uint16_t>(desglose->NumPerdidas);
        AmenazasPieza(p, b, ctx, bonos, k, v, Lista(base, v, k), cambiados, desglose);
        v.S1[k] = v.S2[k] = v.S3[k] = 0;
        if (!EnAnillo(v.Posicion[k])) continue;
        if (base && quitadas >= 0)
            base->Sumas(ctx, static_cast<std::uint32_t>(quitadas), otros, numOtros, k, v);
        else
            SumasAnillo(ctx, otros, numOtros, k, v);
        SumaBarrera(p, b, ctx, k, v);
    }
    if (desglose) desglose->InicioPerdidas[n + 1] = static_cast<std::uint16_t>(desglose->NumPerdidas);
    v.Bono = bonos.Valor;
}

// What of an unmoved piece's estimate a changed square can change.
enum Rehacer : std::uint8_t {
    RehaceGanancia = 1,   // the captures it can make
    RehaceAmenaza = 2,    // what it can lose, and the pieces held behind its barrier
    RehaceTodo = 3,
    RehaceSumas = 4,      // its targets and threats (S1, S2): only a piece that moved
    // A bonus count changed: the kept capture terms, or the kept loss, are
    // summed again from the first board's terms.
    RehaceTerminos = 8,
    RehacePerdida = 16,
};

// What a piece of the seat landing on square s (not an exit square) would
// capture there: the victim as seat * 16 + piece, 0 when none.  A capture's
// term reads nothing else of the square.
int Presa(const Partida& p, const Casilla& c, int j, int s) {
    const int a = c.Jugador[1];
    if (a == 0 || (c.Jugador[2] != 0 && s != CasillaCasa[j])) return 0;
    if (a == j || EsSeguro(s) || (p.ModoJuego == 2 && p.BarreraCompaneros && a == Companero[j])) return 0;
    for (int h = 3; h >= 1; --h)
        if (c.Jugador[h] != 0 && c.Jugador[h] != j) return c.Jugador[h] << 4 | c.Pieza[h];
    return 0;
}

// What a change of square c changes for a piece of the seat standing on
// `pos`: on its own square or an exit square (the box pieces' way out)
// everything; on a square its walk crosses, its captures; within a throw
// behind it on the ring, its threats and its barrier's sum.  Its targets
// and threats among the other seats' pieces (S1, S2) stay while those
// pieces do.  A `neutra` square kept its barrier and what a capture there
// would take (the seat's own pieces came or went): walks and captures see
// it as before, and only the sum behind a barrier reads its pieces.
int Alcanza(const ContextoValoracion& ctx, const Partida& p, const MapaTablero& b, int pos, int c, bool neutra) {
    const int j = ctx.Jugador;
    // An exit square kept as it was lets its seat's box pieces out as before.
    if (c == pos || (EsCasillaSalida(c) && !neutra)) return RehaceTodo;
    const int vmax = ctx.DistribucionDe(p, j).NumValoresPosibles;
    // Along the ring the walk ahead is taken whole, even past the turn
    // into the corridor: a piece worked out again needlessly is still right.
    if (EnAnillo(pos) && EnAnillo(c))
        return (DistanciaAnillo(c, pos) <= ctx.ValorMaximo() && (!neutra || b.Es[pos]) ? RehaceAmenaza : 0) |
               (DistanciaAnillo(pos, c) <= vmax && !neutra ? RehaceGanancia : 0);
    if (neutra) return 0;
    const auto& siguiente = TablasValoracion->Siguiente[j];
    int s = pos;
    for (int v = vmax; v > 0 && s != CasillaCasa[j]; --v) {
        s = siguiente[s];
        if (s == c) return RehaceGanancia;
    }
    return 0;
}

// Alcanza of a piece on ring square pos for all the changed ring squares
// at once (`anillo`, of which `noNeutras` are not neutral).
int AlcanzaEnAnillo(const MapaTablero& b, int pos, AnilloBits anillo, AnilloBits noNeutras, bool salidaCambiada,
                    int vmax, int vmaxTodos) {
    if (salidaCambiada || (anillo & BitAnillo(pos)) != 0) return RehaceTodo;
    const int detras = (pos - vmaxTodos - 1 + 2 * UltimaCasillaAnillo) % UltimaCasillaAnillo + 1;
    return (TramoAnillo(b.Es[pos] ? anillo : noNeutras, detras, vmaxTodos) != 0 ? RehaceAmenaza : 0) |
           (TramoAnillo(noNeutras, pos % UltimaCasillaAnillo + 1, vmax) != 0 ? RehaceGanancia : 0);
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

// When the other seats' pieces stand as on the first board but for some
// sent to their boxes (captured), which of the first board's ring pieces
// those are (bit i for base.Otros[i]), with the rest left in `otros` in
// the same order; -1 otherwise.
std::int64_t Capturadas(const Partida& p, const ContextoValoracion& ctx, const BaseValoracion& base,
                        Ocupante* otros) {
    const ValorEstado& a = base.Valor;
    if (a.FueraDeCamino || base.NumOtros > 32) return -1;
    for (int r = 1; r <= 4; ++r) {
        if (r == ctx.Jugador) continue;
        for (int q = 1; q <= ctx.NumFichas; ++q)
            if (p.Fichas[r][q] != a.Fichas[r][q] && p.Fichas[r][q] != 0) return -1;
    }
    std::uint32_t quitadas = 0;
    int n = 0;
    for (int i = 0; i < base.NumOtros; ++i) {
        const Ocupante& o = base.Otros[i];
        if (p.Fichas[o.Jugador][o.Pieza] == o.Casilla)
            otros[n++] = o;
        else
            quitadas |= 1u << i;
    }
    return quitadas;
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
    for (int r = 1; r <= 4; ++r)
        if (Amenaza(p, ctx, r)) ctx.Amenazan |= 1u << r;
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

BaseValoracion::BaseValoracion(const Partida& p, const ContextoValoracion& ctx, bool bonos)
    : Casillas(p.Casillas), Mapa(p), NumOtros(OtrosEnAnillo(p, ctx, Otros.data())) {
    // Each piece is listed on the squares AlcanceAmenaza lets it reach: a
    // throw ahead of it, or of its exit square and the square itself for the
    // next piece to leave a box.  Those squares follow one another round the
    // ring, so its bit is flipped where they start and after they end, and
    // the lists are the flips summed square by square.
    std::array<std::uint32_t, UltimaCasillaAnillo + 2> vuelcos{};
    for (int r = 1; r <= 4; ++r) {
        if (!Amenaza(p, ctx, r)) continue;
        const int vmax = ctx.DistribucionDe(p, r).NumValoresPosibles;
        for (int q = 1; q <= ctx.NumFichas; ++q) {
            const int desde = p.Fichas[r][q];
            int primera = 0, largo = 0;
            if (desde == 0 && q == p.SiguienteSalida[r] && vmax > 0) {
                primera = CasillaSalida[r];
                largo = vmax + 1;
            } else if (EnAnillo(desde)) {
                primera = desde % UltimaCasillaAnillo + 1;
                largo = vmax;
            }
            if (largo <= 0) continue;
            // At most MaxValor + 1 squares: the ring is passed once at most.
            static_assert(MaxValor + 1 < UltimaCasillaAnillo);
            const std::uint32_t bit = 1u << Amenazantes::Bit(r, q);
            const int ultima = primera + largo - 1;
            vuelcos[static_cast<std::size_t>(primera)] ^= bit;
            if (ultima > UltimaCasillaAnillo) {
                // Round past square 68 to square 1.
                vuelcos[1] ^= bit;
                vuelcos[static_cast<std::size_t>(ultima - UltimaCasillaAnillo + 1)] ^= bit;
            } else {
                vuelcos[static_cast<std::size_t>(ultima + 1)] ^= bit;
            }
        }
    }
    std::uint32_t fichas = 0;
    for (int s = 1; s <= UltimaCasillaAnillo; ++s) {
        fichas ^= vuelcos[static_cast<std::size_t>(s)];
        PorCasilla[static_cast<std::size_t>(s)].Fichas = fichas;
    }
    // The lists name the threats of this board too.
    Valora(p, Mapa, ctx, Otros.data(), NumOtros, Valor, this, 0, -1, {}, &Desglose);
    if (bonos) Bonos.Prepara(p, Mapa, ctx);
    BonosDesdePrimero = bonos;
}

void BaseValoracion::Sumas(const ContextoValoracion& ctx, std::uint32_t quitadas, const Ocupante* otros,
                           int numOtros, int k, ValorEstado& v) const {
    const int pos = v.Posicion[k];
    if (quitadas == 0) {
        if (!sumasHechas_[pos]) {
            SumasAnillo(ctx, otros, numOtros, k, v);
            sumas_[pos] = {v.S1[k], v.S2[k]};
            sumasHechas_[pos] = true;
        }
        v.S1[k] = sumas_[pos][0];
        v.S2[k] = sumas_[pos][1];
        return;
    }
    constexpr int Bits = 10;
    if (trasCaptura_.empty()) {
        if (++capturasVistas_ < 64) {
            SumasAnillo(ctx, otros, numOtros, k, v);
            return;
        }
        trasCaptura_.resize(1 << Bits);
    }
    const std::uint64_t clave = static_cast<std::uint64_t>(pos) | static_cast<std::uint64_t>(quitadas) << 8;
    std::size_t i = static_cast<std::size_t>((clave * 0x9E3779B97F4A7C15ull) >> (64 - Bits));
    for (int intentos = 0; intentos < 8; ++intentos, i = (i + 1) & ((1 << Bits) - 1)) {
        SumasTrasCaptura& e = trasCaptura_[i];
        if (e.Clave == clave) {
            v.S1[k] = e.S1;
            v.S2[k] = e.S2;
            return;
        }
        if (e.Clave != 0) continue;
        SumasAnillo(ctx, otros, numOtros, k, v);
        e = {clave, v.S1[k], v.S2[k]};
        return;
    }
    SumasAnillo(ctx, otros, numOtros, k, v);
}

void ValoraDesde(const Partida& p, const ContextoValoracion& ctx, const BaseValoracion& base,
                 const Entero* cambiadas, int numCambiadas, ValorEstado& v) {
    const int j = ctx.Jugador;
    const int n = ctx.NumFichas;
    const ValorEstado& a = base.Valor;
    // The seat's box as it was, and the other seats' pieces as they were but
    // for some sent to their boxes (captured): the seats in `capturados`,
    // whose ring pieces left are `otros`.
    unsigned capturados = 0;
    for (int r = 1; r <= 4; ++r)
        if (r != j && (p.Fichas[r] != a.Fichas[r] || p.EnEspera[r] != a.Espera[r])) capturados |= 1u << r;
    bool sigue = !a.FueraDeCamino && p.EnEspera[j] == a.Espera[j];
    std::array<Ocupante, 2 * UltimaCasillaAnillo> restantes;
    const Ocupante* otros = base.Otros.data();
    int numOtros = base.NumOtros;
    std::int64_t quitadas = 0;
    if (sigue && capturados != 0) {
        quitadas = Capturadas(p, ctx, base, restantes.data());
        sigue = quitadas >= 0;
        otros = restantes.data();
        for (std::int64_t q = quitadas; q > 0; q &= q - 1) --numOtros;
    }
    // The squares that really changed; with no capture, the other seats'
    // ring pieces standing as they stood.
    std::array<Entero, 16> cambios;
    int numCambios = 0;
    for (int i = 0; i < numCambiadas && sigue; ++i) {
        const int c = cambiadas[i];
        if (c < 0 || c > NumCasillas || p.Casillas[c] == base.Casillas[c]) continue;
        if (std::find(cambios.begin(), cambios.begin() + numCambios, c) != cambios.begin() + numCambios)
            continue;
        if (numCambios == static_cast<int>(cambios.size()) ||
            (EnAnillo(c) && capturados == 0 && !MismosOtros(p.Casillas[c], base.Casillas[c], j)))
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
        const std::int64_t quitadas = Capturadas(p, ctx, base, otros.data());
        const int numOtros = quitadas >= 0 ? base.NumOtros - std::popcount(static_cast<std::uint32_t>(quitadas))
                                           : OtrosEnAnillo(p, ctx, otros.data());
        Bonos bonos;
        if (base.BonosDesdePrimero) bonos.Iniciales = &base.Bonos;
        bonos.Cambios.Barreras = barreras.BarrerasAnillo() ^ base.Mapa.BarrerasAnillo();
        for (int i = 0; i < numCambiadas; ++i) AnotaCambio(p, base.Casillas, cambiadas[i], bonos.Cambios);
        Valora(p, barreras, ctx, otros.data(), numOtros, v, &base, cambiados, quitadas, bonos);
        return;
    }
    const MapaTablero b(base.Mapa, p, cambios.data(), numCambios);
    // While a box piece of the seat must leave, two of its pieces on its
    // exit square keep the others from counting the first value.
    const bool forzosa = p.EnEspera[j] >= 1 && p.SalidaCon5 && p.SalidaObligatoria && p.ValoresUsados == 0 &&
                         p.TipoJugada != 5;
    std::array<bool, 16> neutras;
    // The changed ring squares as bits, and those not neutral: a piece on
    // the ring reads them at once rather than square by square.
    AnilloBits anillo = 0, noNeutras = 0;
    bool salidaCambiada = false;   // an exit square not neutral: every piece again
    std::array<std::uint8_t, 16> fuera;   // the other changes, by number
    int numFuera = 0;
    for (int i = 0; i < numCambios; ++i) {
        const int c = cambios[i];
        neutras[i] = b.Es[c] == base.Mapa.Es[c] &&
                     Presa(p, p.Casillas[c], j, c) == Presa(p, base.Casillas[c], j, c) &&
                     !(forzosa && c == CasillaSalida[j]);
        if (!EnAnillo(c)) {
            fuera[numFuera++] = static_cast<std::uint8_t>(i);
            continue;
        }
        anillo |= BitAnillo(c);
        if (!neutras[i]) noNeutras |= BitAnillo(c);
        salidaCambiada = salidaCambiada || (EsCasillaSalida(c) && !neutras[i]);
    }
    const int vmax = ctx.DistribucionDe(p, j).NumValoresPosibles;
    const int vmaxTodos = ctx.ValorMaximo();
    std::array<double, 5> progreso = a.Progreso;
    for (int r = 1; r <= 4; ++r)
        if ((capturados >> r) & 1u) progreso[r] = ProgresoJugador(p, r, n);
    Situa(p, b, ctx, v, &progreso);
    // A capture changes every piece's targets and threats among the other
    // seats' pieces, the threats of the captured seat (whose box piece may
    // now threaten from its exit), and, when its box was empty, which values
    // it can count.
    // A captured seat's pieces that may threaten a square are those of the
    // first board while its next piece to leave the box and the values it
    // can count stay: its box was not empty, and held that piece.
    int trasCaptura = 0;
    unsigned sinLista = 0;
    for (int r = 1; r <= 4; ++r) {
        if (((capturados >> r) & 1u) == 0) continue;
        trasCaptura |= RehaceSumas | ((ctx.Amenazan >> r) & 1u || a.Espera[r] == 0 ? RehaceAmenaza : 0);
        const int sale = p.SiguienteSalida[r];
        if (a.Espera[r] == 0 || (sale >= 1 && sale <= n && p.Fichas[r][sale] != a.Fichas[r][sale]))
            sinLista |= 1u << r;
    }
    // What the moves changed around each piece is worked out again; a
    // piece that moved is worked out whole.
    std::array<int, MaxFichas + 1> rehace{};
    bool tomaCapturas = false;   // capture terms are kept from the base
    for (int k = 1; k <= n; ++k) {
        const int pos = v.Posicion[k];
        const bool movida = pos != a.Posicion[k] || pos == 0;
        rehace[k] = movida ? RehaceTodo | RehaceSumas : trasCaptura;
        if (!movida && EnAnillo(pos)) {
            rehace[k] |= AlcanzaEnAnillo(b, pos, anillo, noNeutras, salidaCambiada, vmax, vmaxTodos);
            for (int f = 0; f < numFuera && rehace[k] != RehaceTodo; ++f)
                rehace[k] |= Alcanza(ctx, p, b, pos, cambios[fuera[f]], neutras[fuera[f]]);
        } else {
            for (int i = 0; i < numCambios && (rehace[k] & RehaceTodo) != RehaceTodo; ++i)
                rehace[k] |= Alcanza(ctx, p, b, pos, cambios[i], neutras[i]);
        }
        tomaCapturas = tomaCapturas ||
                       (!(rehace[k] & RehaceGanancia) && a.InicioTerminos[k + 1] > a.InicioTerminos[k]);
    }
    Bonos bonos;
    if (base.BonosDesdePrimero) bonos.Iniciales = &base.Bonos;
    bonos.Cambios.Barreras = b.BarrerasAnillo() ^ base.Mapa.BarrerasAnillo();
    for (int i = 0; i < numCambios; ++i) AnotaCambio(p, base.Casillas, cambios[i], bonos.Cambios);
    // A bonus count the kept estimates used must still hold, or what used
    // it is worked out again: the seat's own in its capture terms, another
    // seat's in the threats.
    for (int r = 1; r <= 4; ++r) {
        if (a.Bono[r] < 0 || (r == j && !tomaCapturas)) continue;
        if (bonos.De(p, b, ctx, r) == a.Bono[r]) continue;
        const int sumaOtraVez = !base.Desglose.Completo ? RehaceAmenaza : RehacePerdida;
        for (int k = 1; k <= n; ++k)
            rehace[k] |= r != j ? sumaOtraVez : (a.InicioTerminos[k + 1] > a.InicioTerminos[k] ? RehaceTerminos : 0);
    }
    if (v.FueraDeCamino) {
        Valora(p, b, ctx, otros, numOtros, v, &base, capturados, quitadas, bonos);
        return;
    }
    v.NumTerminos = 0;
    for (int k = 1; k <= n; ++k) {
        v.InicioTerminos[k] = static_cast<std::uint8_t>(v.NumTerminos);
        const bool anillo = EnAnillo(v.Posicion[k]);
        if (rehace[k] & RehaceGanancia) {
            GananciasPieza(p, b, ctx, bonos, k, v);
        } else {
            for (int t = a.InicioTerminos[k]; t < a.InicioTerminos[k + 1]; ++t) {
                v.Terminos[v.NumTerminos] = a.Terminos[t];
                if (rehace[k] & RehaceTerminos)
                    v.Terminos[v.NumTerminos].Valor = ValorTermino(p, b, ctx, bonos, base.Desglose.Capturas[t]);
                ++v.NumTerminos;
            }
        }
        if (rehace[k] & RehaceAmenaza) {
            AmenazasPieza(p, b, ctx, bonos, k, v, Lista(&base, v, k), sinLista);
            v.S3[k] = 0;
            if (anillo) SumaBarrera(p, b, ctx, k, v);
        } else {
            v.GananciaSocio[k] = a.GananciaSocio[k];
            v.Perdida[k] = a.Perdida[k];
            v.S3[k] = a.S3[k];
            if (rehace[k] & RehacePerdida) {
                const DesgloseBonos& d = base.Desglose;
                v.Perdida[k] = 0;
                for (int t = d.InicioPerdidas[k]; t < d.InicioPerdidas[k + 1]; ++t)
                    v.Perdida[k] += ValorTermino(p, b, ctx, bonos, d.Perdidas[t]);
            }
        }
        if (rehace[k] & RehaceSumas) {
            v.S1[k] = v.S2[k] = 0;
            if (anillo) base.Sumas(ctx, static_cast<std::uint32_t>(quitadas), otros, numOtros, k, v);
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
    for (int r = 1; r <= 4; ++r)
        if (Amenaza(p, ctx, r)) ctx.Amenazan |= 1u << r;
    const MapaTablero barreras(p);
    ValorEstado v;
    Situa(p, barreras, ctx, v);
    Bonos bonos;
    AmenazasPieza(p, barreras, ctx, bonos, ficha, v);
    return v.Perdida[ficha];
}

}  // namespace parchis
