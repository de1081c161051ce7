#include "ai/estadisticas.h"

#include <algorithm>
#include <cstdio>

#include "ai/valoracion.h"
#include "core/codificacion.h"
#include "rules/movimiento.h"
#include "rules/tablero.h"

namespace parchis {

namespace {

bool SeatValido(int j) { return j >= 1 && j <= 4; }

std::vector<int> ValoresPendientes(const Partida& p) {
    if (p.TipoJugada == 5) return {p.ValorCuenta};
    std::vector<int> valores;
    if (p.ValoresUsados == 0) valores.push_back(p.ValoresCuenta[0]);
    for (int i = 1; p.ModoValores >= 2 && i <= std::min<int>(p.ModoValores, 4); ++i)
        if (!p.ValorUsado[i]) valores.push_back(p.ValoresCuenta[i]);
    return valores;
}

std::string Celda(int jugador, int destino) {
    std::string s = std::to_string(destino);
    if (EsSeguro(destino)) s = "S";
    if (destino > 68 && destino < CasillaCasa[jugador]) s = "P";
    if (destino == CasillaCasa[jugador]) s = "C";
    return s;
}

FichaEstadistica Situacion(const Partida& p, int jugador, int k) {
    FichaEstadistica f;
    f.Ficha = k;
    f.Posicion = p.Fichas[jugador][k];
    f.Casillas = f.Posicion == 0 ? 0 : CasillasRecorridas(p, jugador, k) + 1;
    const bool enAnillo = f.Posicion >= 1 && f.Posicion <= 68;
    f.Resguardada = enAnillo && EsSeguro(f.Posicion);
    f.Amenazada = enAnillo && !f.Resguardada && PeligroFicha(p, jugador, k) > 0;
    return f;
}

// What the pieces of the seat to move can do with each value, and why.
// `p` is the window's own copy: the rules' result fields change freely.
void Jugadas(Partida& p, const std::vector<int>& valores, JugadorEstadistica& fila) {
    const int j = p.Turno;
    const EleccionJugada& elegida = p.JugadaElegida;
    for (FichaEstadistica& f : fila.Fichas) f.Destinos.assign(valores.size(), "");
    std::vector<bool> movible(fila.Fichas.size()), abrir(movible), comer(movible);
    int barreras = 0;
    for (std::size_t v = 0; v < valores.size(); ++v) {
        p.ComerObligado = false;
        FichasMovibles(p, valores[v], 0);
        for (std::size_t i = 0; i < fila.Fichas.size(); ++i) {
            FichaEstadistica& f = fila.Fichas[i];
            if (!p.FichaMovible[f.Ficha] || !PuedeMover(p, j, valores[v], f.Posicion, f.Ficha)) continue;
            f.Destinos[v] = Celda(j, p.CasillaDestino);
            movible[i] = true;
            abrir[i] = abrir[i] || p.AbrirBarrera;
            comer[i] = comer[i] || p.ComerObligado;
            if (p.AbrirBarrera) barreras = p.NumBarreras;
        }
    }
    for (std::size_t i = 0; i < fila.Fichas.size(); ++i) {
        FichaEstadistica& f = fila.Fichas[i];
        std::string& c = f.Comentario;
        const bool sale = f.Posicion == 0 && movible[i];
        const bool esta = elegida.Ficha == f.Ficha;
        if (sale) c = "Puede sacar ficha";
        if (esta && elegida.Tipo == 10)
            c = "La primera sale contando. Va a la casilla " + std::to_string(elegida.Destino);
        if (esta && (elegida.Tipo == 8 || elegida.Tipo == 9))
            c = "Saliendo doble. Va a la casilla " + std::to_string(elegida.Destino);
        if (sale && p.SacarObligado) c = "Está obligado a sacar ficha";
        if (abrir[i])
            c = barreras == 1 ? "Tiene que abrir la barrera" : "Tiene que abrir una de sus barreras";
        if (comer[i]) c = "Está obligado a comer ficha";
    }
}

}  // namespace

Estadistica CalculaEstadisticas(const Partida& original) {
    Estadistica e;
    if (!original.PartidaIniciada || !SeatValido(original.Turno)) return e;
    Partida p = original;
    e.HayPartida = true;
    e.Turno = p.Turno;
    e.Nombre = QuitaBlancos(p.Nombres[p.Turno]);
    e.NumDados = p.NumDados == 2 ? 2 : 1;
    e.Dado1 = p.Dado1;
    e.Dado2 = p.Dado2;
    e.Distribucion = ProbabilidadValores(p, p.Turno);
    e.Valores = ValoresPendientes(p);
    e.EsperandoJugada = p.EsperandoFicha;
    for (int vuelta = 0; vuelta < 4; ++vuelta) {
        const int j = (p.Turno - 1 + 4 + vuelta * PasoTurno(p)) % 4 + 1;
        if (p.Estado[j] != 1) continue;
        JugadorEstadistica fila{j, QuitaBlancos(p.Nombres[j]), {}};
        for (int k = 1; k <= PiezasDe(p); ++k) fila.Fichas.push_back(Situacion(p, j, k));
        if (j == p.Turno && e.EsperandoJugada) Jugadas(p, e.Valores, fila);
        e.Jugadores.push_back(std::move(fila));
    }
    return e;
}

std::string TituloTablaValores(int filas) {
    return filas < 12 ? "Valores posibles de dados" : "Combinaciones posibles al lanzar los dados";
}

std::string TextoCombinaciones(int n) { return n == 0 ? "" : std::to_string(n); }

std::string TextoPorcentajeValor(double pct) {
    if (pct == 0) return "";
    char b[32];
    std::snprintf(b, sizeof b, "%.1f", pct);
    return b;
}

std::string TextoPorcentajeFicha(int casillas) {
    if (casillas <= 0) return "";
    char b[32];
    std::snprintf(b, sizeof b, "%.1f %%", casillas * 100.0 / CasillasHastaCasa);
    return b;
}

std::string TextoSituacion(const FichaEstadistica& f) {
    if (f.Casillas == 0) return " Espera";
    if (f.Casillas == CasillasHastaCasa) return "   Casa";
    if (f.Casillas > 64) return "Pasillo";
    char b[16];
    std::snprintf(b, sizeof b, "%7d", f.Posicion);
    return b;
}

}  // namespace parchis
