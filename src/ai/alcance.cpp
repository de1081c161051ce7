#include "ai/alcance.h"

#include <algorithm>

#include "rules/tablero.h"

namespace parchis {

namespace {

TablasCamino ConstruyeTablas() {
    TablasCamino t;
    for (int j = 1; j <= 4; ++j) {
        for (int s = 0; s <= TablasCamino::Limite; ++s)
            t.Siguiente[j][s] = static_cast<Entero>(AvanzaCasillas(j, 1, s));
        for (int s = 0; s <= NumCasillas; ++s)
            t.Recorrido[j][s] = static_cast<Entero>(Recorrido(j, s));
        for (int s = 1; s <= 68; ++s) {
            int pasos = 0;
            for (int c = t.Siguiente[j][s]; c >= 1 && c <= 68 && pasos <= MaxValor; c = t.Siguiente[j][c]) ++pasos;
            t.PasosAnillo[j][s] = static_cast<Entero>(pasos);
        }
        for (int s = 0; s <= NumCasillas; ++s) {
            int pasos = 0, c = s;
            for (; c < CasillaCasa[j] && pasos <= MaxValor; c = t.Siguiente[j][c]) ++pasos;
            t.PasosCasa[j][s] = static_cast<Entero>(c == CasillaCasa[j] ? pasos : MaxValor + 1);
        }
    }
    return t;
}

constexpr int UltimaCasilla = 68;   // of the ring

bool EnTablero(int casilla) { return casilla >= 1 && casilla <= NumCasillas; }

bool Companeros(const Partida& p, int a, int b) {
    return p.ModoJuego == 2 && p.BarreraCompaneros && a >= 1 && a <= 4 && b == Companero[a];
}

// Both first slots of the square hold pieces of `jugador`.
bool LlenaDe(const Partida& p, int casilla, int jugador) {
    const Casilla& c = p.Casillas[casilla];
    return c.Jugador[1] == jugador && c.Jugador[2] == jugador;
}

// The throw's own test of an exit by value, as the rules make it.
bool SalidaPorValor(const Partida& p, int valor) {
    if (p.NumDados != 2) return valor == 5;
    if (p.MetodoSalida != 2)
        return valor == 5 ||
               (p.MetodoCuenta == 1 && (p.Dado1 == 5 || p.Dado2 == 5) && p.TipoJugada != 5);
    return valor == p.Dado1 + p.Dado2 && p.Dado1 == p.Dado2 && p.TipoJugada != 5;
}

}  // namespace

const TablasCamino& Tablas() {
    static const TablasCamino tablas = ConstruyeTablas();
    return tablas;
}

bool EsBarreraEn(const Partida& p, int casilla) {
    if (!EnTablero(casilla)) return false;
    const Casilla& c = p.Casillas[casilla];
    const int a = c.Jugador[1];
    if (a == 0) return false;
    if (a != c.Jugador[2] && !Companeros(p, a, c.Jugador[2])) return false;
    if (EsCasillaSalida(casilla)) return p.BarreraSalida;
    if (EsSeguro(casilla)) return p.BarreraSeguro;
    return p.BarreraBlancas;
}

namespace {

bool BarreraEn(const Partida& p, int s) {
    const Casilla& c = p.Casillas[s];
    return c.Jugador[1] != 0 && c.Jugador[2] != 0 && EsBarreraEn(p, s);
}

}  // namespace

void MapaTablero::Pon(const Partida& p, int casilla) {
    Es[casilla] = BarreraEn(p, casilla);
    if (casilla > UltimaCasilla) return;
    const AnilloBits bit = BitAnillo(casilla);
    anillo_ = Es[casilla] ? anillo_ | bit : anillo_ & ~bit;
    ocupadas_ = p.Casillas[casilla].Jugador[1] != 0 ? ocupadas_ | bit : ocupadas_ & ~bit;
}

MapaTablero::MapaTablero(const Partida& p) {
    static_assert(NumCasillas % 4 == 0);
    const std::uint64_t primero = Huecos(true, false);
    for (int grupo = 1; grupo <= NumCasillas; grupo += 4) {
        if (!AlgunaOcupada(p, grupo, primero)) continue;
        for (int s = grupo; s < grupo + 4; ++s) {
            const Casilla& c = p.Casillas[s];
            if (c.Jugador[1] == 0) continue;
            const AnilloBits bit = s <= UltimaCasilla ? BitAnillo(s) : 0;
            ocupadas_ |= bit;
            if (c.Jugador[2] == 0 || !EsBarreraEn(p, s)) continue;
            Es[s] = true;
            anillo_ |= bit;
        }
    }
}

MapaTablero::MapaTablero(const MapaTablero& base, const Partida& p, const Entero* cambiadas,
                         int numCambiadas)
    : Es(base.Es), anillo_(base.anillo_), ocupadas_(base.ocupadas_) {
    for (int i = 0; i < numCambiadas; ++i)
        if (EnTablero(cambiadas[i])) Pon(p, cambiadas[i]);
}

int MapaTablero::Distancia(int s, int sentido) const {
    int distancia = UltimaCasilla;
    for (int c = 1; c <= UltimaCasilla; ++c) {
        if (!Es[c]) continue;
        int e = (c - s) * sentido;
        if (e <= 0) e += UltimaCasilla;
        distancia = std::min(distancia, e);
    }
    return distancia;
}

AlcanceFichas::AlcanceFichas(const Partida& p) : tablas_(Tablas()) {
    for (int v = 1; v <= MaxValor; ++v)
        if (SalidaPorValor(p, v)) salidaPermitida_ |= 1u << v;
    if (p.ValoresUsados < 1) return;
    // The newest first move of a throw of each seat; when it opened a
    // barrier its destination may not be reached again in this throw.
    const int ultima = std::min<int>(p.NumJugada - 1, static_cast<int>(p.Jugadas.size()) - 1);
    // The walk back stops once every seat's is found: the log of a long
    // game holds a thousand entries.
    std::array<bool, 5> visto{};
    int vistos = 0;
    for (int n = ultima; n >= 1 && vistos < 4; --n) {
        const Jugada& e = p.Jugadas[n];
        if (e.Jugador < 1 || e.Jugador > 4 || visto[e.Jugador] || e.InicioTirada != 1) continue;
        visto[e.Jugador] = true;
        ++vistos;
        if (e.Detalle == 2) prohibida_[e.Jugador] = e.CasillaFinal;
    }
}

bool AlcanceFichas::PermiteSalida(const Partida& p, int jugador, int valor) const {
    if (!p.SalidaCon5) return true;
    if (p.EnEspera[jugador] == p.NumFichas && p.PrimeraFicha == 3) return true;
    return (salidaPermitida_ >> valor) & 1u;
}

void AlcanceFichas::Calcula(const Partida& p, const MapaTablero& barreras, int jugador, int posicion,
                            int ficha, int vmax, bool soloUltimo, DestinosValor& destinos) const {
    destinos.fill(-1);
    if (jugador < 1 || jugador > 4 || posicion < 0 || posicion > NumCasillas) return;
    if (vmax > MaxValor) vmax = MaxValor;
    if (posicion == CasillaCasa[jugador]) return;
    if (posicion == 0) {
        CalculaSalida(p, barreras, jugador, ficha, vmax, destinos);
        return;
    }
    // Of two pieces of one seat standing together only the first is offered.
    if (ficha != 0 && LlenaDe(p, posicion, jugador) && p.Casillas[posicion].Pieza[2] == ficha)
        return;
    Camina(p, barreras, jugador, posicion, false, vmax, soloUltimo, destinos);
}

void AlcanceFichas::CalculaSalida(const Partida& p, const MapaTablero& barreras, int jugador,
                                  int ficha, int vmax, DestinosValor& destinos) const {
    const int salida = CasillaSalida[jugador];
    if (barreras.Es[salida]) return;
    if (ficha != 0 && ficha != p.SiguienteSalida[jugador]) return;
    const bool contando = !p.SalidaCon5 ||
                          (p.EnEspera[jugador] == p.NumFichas && p.PrimeraFicha == 3);
    if (contando) {
        Camina(p, barreras, jugador, salida, true, vmax, false, destinos);
        return;
    }
    if (vmax < 1 || LlenaDe(p, salida, jugador)) return;
    // Not counting: PermiteSalida is the throw's bit alone.
    for (std::uint32_t bits = salidaPermitida_ & ((2u << vmax) - 2u); bits != 0; bits &= bits - 1)
        destinos[__builtin_ctz(bits)] = static_cast<Entero>(salida);
}

void AlcanceFichas::HazSalida(const Partida& p, const MapaTablero& barreras, int jugador) const {
    barreras.Salidas[jugador].fill(-1);
    CalculaSalida(p, barreras, jugador, 0, MaxValor, barreras.Salidas[jugador]);
    barreras.SalidaHecha[jugador] = true;
}

int AlcanceFichas::Destino(const Partida& p, const MapaTablero& barreras, int jugador, int posicion, int ficha,
                           int valor) const {
    // A box piece that leaves on the throw alone goes to its exit square.
    if (posicion == 0 && jugador >= 1 && jugador <= 4 && p.SalidaCon5 &&
        !(p.EnEspera[jugador] == p.NumFichas && p.PrimeraFicha == 3)) {
        const int salida = CasillaSalida[jugador];
        if (barreras.Es[salida] || (ficha != 0 && ficha != p.SiguienteSalida[jugador]) ||
            LlenaDe(p, salida, jugador) || !PermiteSalida(p, jugador, valor))
            return -1;
        return salida;
    }
    if (!Sencilla(jugador, posicion)) {
        DestinosValor d;
        Calcula(p, barreras, jugador, posicion, ficha, valor, true, d);
        return d[valor];
    }
    const Casilla& o = p.Casillas[posicion];
    if (ficha != 0 && o.Jugador[1] == jugador && o.Jugador[2] == jugador && o.Pieza[2] == ficha) return -1;
    if (posicion == CasillaSalida[jugador] && p.TipoJugada == 9) return -1;
    const int casa = CasillaCasa[jugador];
    int s = posicion;
    if (posicion <= UltimaCasilla && tablas_.PasosAnillo[jugador][posicion] >= valor) {
        // Along the ring the barriers are known without the walk.
        if (barreras.BarreraDelante(posicion) < valor) return -1;
        s = (posicion + valor - 1) % UltimaCasilla + 1;
    } else {
        // Past home, or stopped by a barrier on the way: it lands nowhere.
        if (tablas_.PasosCasa[jugador][posicion] < valor) return -1;
        const auto& siguiente = tablas_.Siguiente[jugador];
        for (int v = 1; v <= valor; ++v) {
            if (v >= 2 && barreras.Es[s]) return -1;
            s = siguiente[s];
            if (s > casa) return -1;
        }
    }
    const Casilla& c = p.Casillas[s];
    if ((c.Jugador[1] != 0 && c.Jugador[2] != 0 && s != casa) ||
        (p.ValoresUsados >= 1 && s == prohibida_[jugador]))
        return -1;
    const DestinosValor* desdeEspera = SalidaForzosa(p, barreras, jugador, false);
    return desdeEspera && (*desdeEspera)[valor] != -1 ? -1 : s;
}

// Counts every value from `inicio`: the destination, the overshoot past
// home, a full square, the barriers passed, the barrier re-formed in the
// same throw and the compulsory exit, as PuedeMover checks them.
void AlcanceFichas::Camina(const Partida& p, const MapaTablero& barreras, int jugador, int inicio,
                           bool saliendo, int vmax, bool soloUltimo, DestinosValor& destinos) const {
    const int casa = CasillaCasa[jugador];
    const auto& siguiente = tablas_.Siguiente[jugador];
    const DestinosValor* desdeEspera = SalidaForzosa(p, barreras, jugador, saliendo);
    const bool noVuelveSalida = inicio == CasillaSalida[jugador] && p.TipoJugada == 9;
    if (noVuelveSalida) vmax = 0;
    const int prohibida = p.ValoresUsados >= 1 ? prohibida_[jugador] : -1;
    const bool dobleUnoAntesDeCasa = inicio == casa - 1 && p.NumDados == 2 &&
                                     p.MetodoCuenta == 1 && p.Dado1 == 1 && p.Dado2 == 1;
    int casilla = inicio;
    bool bloqueado = false;
    for (int v = 1; v <= vmax; ++v) {
        if (v >= 2 && barreras.Es[casilla]) bloqueado = true;
        casilla = siguiente[casilla];
        if (saliendo && !PermiteSalida(p, jugador, v)) continue;
        if (casilla > casa) {
            if (!dobleUnoAntesDeCasa) return;
            for (int w = v; w <= vmax; ++w)
                if (w != 10 && w != 20 && (!saliendo || PermiteSalida(p, jugador, w)))
                    destinos[w] = static_cast<Entero>(casa);
            return;
        }
        // A barrier passed blocks this value and every larger one, except
        // the double 1 that enters home from the square before it.
        if (bloqueado) {
            if (!dobleUnoAntesDeCasa) return;
            continue;
        }
        if (soloUltimo && v < vmax) continue;
        const Casilla& c = p.Casillas[casilla];
        if (c.Jugador[1] != 0 && c.Jugador[2] != 0 && casilla != casa) continue;
        if (casilla == prohibida) continue;
        if (desdeEspera && (*desdeEspera)[v] != -1) continue;
        destinos[v] = static_cast<Entero>(casilla);
    }
}

}  // namespace parchis
