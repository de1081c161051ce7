#include "ui/board/animacion.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "flow/jugada.h"
#include "rules/registro.h"
#include "rules/tablero.h"
#include "ui/board/sprites.h"

namespace parchis {

namespace {

bool EsCasa(int s) { return s == 76 || s == 84 || s == 92 || s == 100; }

// Moves that name their target instead of walking: a piece sent back to its
// box (a capture, the third six) and a piece placed by hand.
bool VaDirecto(int tipo) { return tipo == 6 || tipo == 7 || tipo == 11; }

// The squares a counting move steps on, origin excluded: out of the box to
// the exit square first, then one square at a time.  Empty when the walk
// does not reach the destination (only a damaged log gives one).
std::vector<int> Camino(int jugador, int origen, int destino) {
    std::vector<int> casillas;
    int s = origen;
    if (s == 0) {
        s = CasillaSalida[jugador];
        casillas.push_back(s);
    }
    for (int guarda = 0; s != destino && guarda < 2 * NumCasillas; ++guarda) {
        s = AvanzaCasillas(jugador, 1, s);
        if (s > CasillaCasa[jugador] || s <= 0) return {};
        casillas.push_back(s);
    }
    if (s != destino) return {};
    return casillas;
}

// Whether the entry just played forward captured: judged on the position
// before it, as the engine does.
bool Capturo(const Partida& antes, const Jugada& e) {
    Partida q = antes;
    q.Turno = e.Jugador;
    q.TipoJugada = e.TipoJugada;
    q.CasillaFinal = e.CasillaFinal;
    return CapturaJugada(q);
}

QRect Union(const QRect& a, const QRect& b) { return a.united(b); }

}  // namespace

struct Animador::Viaje {
    int jugador = 0;
    int desde = 0;              // where the piece was
    int hasta = 0;              // where it ends
    Punto inicio;               // its point at the start
    std::vector<int> casillas;  // squares it steps on (walks only)
    std::vector<Punto> puntos;  // the point of each of those squares, or the one target
    int paso = PasoCaminando;
    bool camina = true;
};

std::vector<Punto> Deslizamiento(Punto desde, Punto hasta, int paso) {
    std::vector<Punto> puntos;
    const double dx = hasta.x - desde.x, dy = hasta.y - desde.y;
    const double mayor = std::max(std::abs(dx), std::abs(dy));
    if (mayor == 0) return puntos;
    const double px = paso * dx / mayor, py = paso * dy / mayor;
    double x = desde.x, y = desde.y;
    bool llegadoX = dx == 0, llegadoY = dy == 0;
    while (!llegadoX || !llegadoY) {
        x += px;
        y += py;
        // Once the remaining distance on an axis changes sign, that axis
        // snaps to the target.
        if (!llegadoX && (hasta.x - x) * dx <= 0) llegadoX = true;
        if (!llegadoY && (hasta.y - y) * dy <= 0) llegadoY = true;
        if (llegadoX) x = hasta.x;
        if (llegadoY) y = hasta.y;
        puntos.push_back({static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y))});
    }
    return puntos;
}

Animador::Animador(Tablero& tablero, ServiciosAnimacion servicios)
    : t_(tablero), s_(std::move(servicios)) {}

Punto Animador::PosicionFicha(const Partida& p, int j, int k) const {
    const int s = p.Fichas[j][k];
    if (s == 0) return t_.Centro(p, 0, j, std::max<int>(1, p.EnEspera[j]), 0);
    if (EsCasa(s)) return t_.Centro(p, s, j, 0, std::max<int>(1, p.EnCasa[j]));
    const Punto c = t_.Centro(p, s, j, 0, 0);
    const Casilla& cas = p.Casillas[s];
    if (cas.Jugador[1] == 0 || cas.Jugador[2] == 0) return c;
    const MedidaCasilla h = MedidasCasilla(t_.Me(), s);
    const int lado = cas.Jugador[1] == j && cas.Pieza[1] == k ? -1 : 1;
    return {c.x + lado * h.DesplX, c.y + lado * h.DesplY};
}

void Animador::MuestraJugada(const Partida& p, int n, bool adelante, bool mando) {
    if (n < 1 || n >= static_cast<int>(p.Jugadas.size())) return;
    const Jugada& e = p.Jugadas[n];
    // A manual move names the seat whose piece was placed in Autor.
    const int j = e.TipoJugada == 7 ? e.Autor : e.Jugador;
    if (e.FichaJugada == 0 || j < 1 || j > 4) return;
    // The position shown before the move: the record one entry away.
    Partida antes = p;
    if (adelante)
        RetrocedeJugada(antes, n);
    else
        AvanzaJugada(antes, n);
    Viaje v;
    v.jugador = j;
    v.desde = adelante ? e.CasillaOrigen : e.CasillaFinal;
    v.hasta = adelante ? e.CasillaFinal : e.CasillaOrigen;
    v.inicio = PosicionFicha(antes, j, e.FichaJugada);
    v.camina = !VaDirecto(e.TipoJugada);
    if (v.camina) {
        v.casillas = Camino(v.jugador, e.CasillaOrigen, e.CasillaFinal);
        if (!adelante && !v.casillas.empty()) {
            // Backward the piece retraces its steps to the origin.
            v.casillas.pop_back();
            std::reverse(v.casillas.begin(), v.casillas.end());
            v.casillas.push_back(e.CasillaOrigen);
        }
        v.camina = !v.casillas.empty();
    }
    v.paso = mando ? PasoCaminando : e.TipoJugada == 7 ? PasoManual
                                  : v.camina           ? PasoCaminando
                                                       : PasoDirecto;
    for (int s : v.casillas) v.puntos.push_back(t_.Centro(p, s, v.jugador, 0, 0));
    // A move straight to its target, or into a box or home row, ends where
    // the piece is drawn at rest.
    const Punto fin = PosicionFicha(p, j, e.FichaJugada);
    if (v.puntos.empty())
        v.puntos.push_back(fin);
    else if (v.hasta == 0 || EsCasa(v.hasta))
        v.puntos.back() = fin;
    if (!v.camina && !mando) s_.sonido(13, false);
    Recorre(p, v, mando);
    if (adelante && Capturo(antes, e)) MarcaCaptura(p, e.CasillaFinal);
}

void Animador::Recorre(const Partida& p, const Viaje& v, bool mando) {
    Rehace(p, v.jugador, v.desde);
    t_.Instantanea();
    Punto actual = v.inicio;
    t_.DibujaFicha(actual.x, actual.y, v.jugador);
    for (const Punto& objetivo : v.puntos) {
        Desliza(actual, objetivo, v.paso, v.jugador);
        if (v.camina && !mando) {
            s_.sonido(1, false);
            s_.pausa(60);
        }
    }
    const QRect caja = Tablero::Caja(CajaFicha(t_.Me(), actual.x, actual.y));
    t_.RestauraDeInstantanea(caja);
    t_.Refresca(caja);
    Rehace(p, v.jugador, v.hasta);
}

void Animador::Desliza(Punto& actual, Punto hasta, int paso, int jugador) {
    for (const Punto& q : Deslizamiento(actual, hasta, paso)) {
        const QRect antes = Tablero::Caja(CajaFicha(t_.Me(), actual.x, actual.y));
        t_.RestauraDeInstantanea(antes);
        actual = q;
        t_.DibujaFicha(actual.x, actual.y, jugador);
        t_.Refresca(Union(antes, Tablero::Caja(CajaFicha(t_.Me(), actual.x, actual.y))));
        s_.pausa(10);
    }
}

void Animador::Rehace(const Partida& p, int j, int casilla) {
    if (casilla == 0)
        t_.RehaceCuadroEspera(p, j);
    else
        t_.RehaceCasilla(p, casilla);
}

void Animador::MarcaCaptura(const Partida& p, int casilla) {
    const Punto c = t_.Centro(p, casilla, 0, 0, 0);
    const QRect zona(c.x - LadoMarca / 2, c.y - LadoMarca / 2, LadoMarca, LadoMarca);
    t_.Instantanea();
    t_.DibujaImagen(SpritesMesa(t_.Dpr()).MarcaCaptura, zona.x(), zona.y());
    t_.Refresca(zona);
    s_.sonido(11, true);
    s_.pausa(230);
    t_.RestauraDeInstantanea(zona);
    t_.Refresca(zona);
}

void Animador::MuestraCuadroEspera(const Partida& p, int j) {
    t_.DibujaCuadroEspera(p, j, [this] {
        t_.RefrescaTodo();
        s_.sonido(1, true);
        s_.pausa(25);
    });
}

void Animador::MuestraCasa(const Partida& p, int j) {
    t_.DibujaCasa(p, j, [this] {
        t_.RefrescaTodo();
        s_.sonido(1, true);
        s_.pausa(25);
    });
}

void Animador::PresentaPartida(const Partida& p) {
    for (int j = 1; j <= 4; ++j) {
        if (p.Estado[j] != 1) continue;
        MuestraCuadroEspera(p, j);
        s_.pausa(60);
    }
    for (int s = 1; s <= NumCasillas; ++s) {
        if (EsCasa(s) || p.Casillas[s].Jugador[1] + p.Casillas[s].Jugador[2] + p.Casillas[s].Jugador[3] == 0)
            continue;
        t_.DibujaFichasCasilla(p, s);
        t_.RefrescaTodo();
        s_.sonido(1, true);
        s_.pausa(25);
    }
    for (int j = 1; j <= 4; ++j)
        if (p.Estado[j] == 1) MuestraCasa(p, j);
}

void Animador::SenalaFicha(const Partida& p, int j, int k, bool tutor) {
    if (j < 1 || j > 4 || k < 1 || k > MaxFichas) return;
    const Punto c = PosicionFicha(p, j, k);
    if (tutor) {
        // The tutor's hand is large, comes from the upper left with its
        // fingertip on the piece's upper edge, and blinks three times over
        // about two seconds at any game speed: a person has to find it.
        const int lado = LadoManoTutor(t_.Me());
        const QPixmap mano = ManoTutor(lado, t_.Dpr());
        const QRect zona(c.x - 2 - (lado - 3), c.y - t_.Me().DiametroFicha / 2 - 6 - (lado - 3), lado, lado);
        auto espera = [this](int ms, int unidades) { s_.espera ? s_.espera(ms) : s_.pausa(unidades); };
        t_.Instantanea();
        for (int vez = 0; vez < 3; ++vez) {
            t_.DibujaImagen(mano, zona.x(), zona.y());
            t_.Refresca(zona);
            s_.sonido(12, false);
            espera(520, 60);
            t_.RestauraDeInstantanea(zona);
            t_.Refresca(zona);
            espera(150, 30);
        }
        return;
    }
    // The fingertip stops 11 pixels above the piece's centre.
    const QPixmap& mano = SpritesMesa(t_.Dpr()).ManoOrdenador;
    const int x = c.x - LadoMano / 2;
    const int y = c.y - 11 - (LadoMano - 1);
    const QRect zona(x, y, LadoMano, LadoMano);
    t_.Instantanea();
    for (int vez = 0; vez < 3; ++vez) {
        t_.DibujaImagen(mano, x, y);
        t_.Refresca(zona);
        s_.sonido(15, false);
        s_.pausa(60);
        t_.RestauraDeInstantanea(zona);
        t_.Refresca(zona);
        s_.pausa(30);
    }
}

void Animador::DestellaDestinos(const Partida& p, int ficha) {
    if (ficha < 1 || ficha > MaxFichas) return;
    const int j = p.Turno;
    std::vector<int> destinos;
    for (int i = 1; i <= 5; ++i)
        if (p.Destinos[ficha][i] != 0) destinos.push_back(p.Destinos[ficha][i]);
    t_.Instantanea();
    s_.pausa(200);
    for (int vez = 0; vez < 2; ++vez) {
        std::vector<QRect> zonas;
        for (int s : destinos) {
            // Placed as the next piece there would stand.
            Punto c = t_.Centro(p, s, j, p.EnEspera[j] + 1, p.EnCasa[j] + 1);
            const MedidaCasilla h = MedidasCasilla(t_.Me(), s);
            if (!EsCasa(s) && s > 0 && p.Casillas[s].Jugador[1] != 0)
                c = {c.x + h.DesplX, c.y + h.DesplY};
            t_.DibujaFicha(c.x, c.y, j);
            const Punto centro = t_.Centro(p, s, j, p.EnEspera[j] + 1, p.EnCasa[j] + 1);
            zonas.push_back(QRect(QPoint(centro.x - h.MitadX, centro.y - h.MitadY),
                                  QPoint(centro.x + h.MitadX, centro.y + h.MitadY))
                                .united(Tablero::Caja(CajaFicha(t_.Me(), c.x, c.y))));
        }
        t_.RefrescaTodo();
        s_.sonido(1, false);
        s_.pausa(180);
        for (std::size_t i = 0; i < destinos.size(); ++i) {
            const int s = destinos[i];
            t_.RestauraDeInstantanea(zonas[i]);
            // The squares cut by a diagonal overlap their neighbour's
            // rectangle: its pieces come back from the snapshot too.
            int vecina = 0;
            if (s == 8 || s == 25 || s == 42 || s == 59) vecina = s + 1;
            if (s == 9 || s == 26 || s == 43 || s == 60) vecina = s - 1;
            if (vecina) t_.RestauraDeInstantanea(t_.RectanguloCasilla(p, vecina));
        }
        t_.RefrescaTodo();
        if (vez == 0) s_.pausa(180);
    }
    s_.pausa(20);
    t_.RefrescaTodo();
}

void Animador::MuestraEmblema(int j, int paso) {
    const Medidas& me = t_.Me();
    const int lado = me.AnchoBrazo * 3 / 5;
    const int x = me.OrigenX[j] + (me.AnchoBrazo - lado) / 2;
    const int y = me.OrigenY[j] + (me.AnchoBrazo - lado) / 2;
    t_.DibujaImagen(Emblema(lado, std::clamp(paso, 1, 4) / 4.0, t_.Dpr()), x, y);
    t_.Refresca(QRect(x, y, lado, lado));
}

}  // namespace parchis
