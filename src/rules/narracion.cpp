#include "rules/narracion.h"

#include "rules/movimiento.h"
#include "rules/tablero.h"

namespace parchis {

int DetalleJugada(const Partida& p) {
    const int tipo = p.TipoJugada;
    const int t = p.Turno;
    int detalle = 0;
    const bool cuenta = tipo == 3 || tipo == 4 || tipo == 5 || tipo == 8 || tipo == 9 || tipo == 10;
    if (cuenta && t >= 1 && t <= 4) {
        if (ComeFicha(p, t, p.CasillaFinal)) detalle = 1;
        if (p.CasillaOrigen == 0) detalle = p.CasillaFinal != CasillaSalida[t] ? 4 : 3;
        if (p.CasillaFinal == CasillaCasa[t]) detalle = 5;
        if (p.SacarObligado) detalle = 6;
        if (p.ComerObligado) detalle = 7;
    }
    if (tipo != 6 && p.AbrirBarrera) detalle = 2;
    return detalle;
}

Jugada EntradaJugada(const Partida& p) {
    Jugada e;
    e.Jugador = p.Turno;
    e.Dado1 = p.Dado1;
    e.Dado2 = p.Dado2;
    e.ValorCuenta = p.ValorCuenta;
    e.TipoJugada = p.TipoJugada;
    e.FichaJugada = p.FichaJugada;
    e.IndiceValor = p.IndiceValor;
    e.CasillaOrigen = p.CasillaOrigen;
    e.CasillaFinal = p.CasillaFinal;
    e.Repeticiones = static_cast<Entero>(p.Repeticiones == 3 ? 0 : p.Repeticiones);
    e.InicioTirada = static_cast<Entero>(p.TipoJugada == 7 || p.TiradaNueva ? 1 : 0);
    e.Detalle = static_cast<Entero>(DetalleJugada(p));
    if (p.TipoJugada == 7) {
        e.Autor = p.Turno;
        e.Dado1 = e.Dado2 = 0;
        e.ValorCuenta = 0;
    } else if (p.TipoJugada == 6) {
        e.Jugador = p.JugadorComido;
        e.Autor = p.Turno;
        e.Dado1 = e.Dado2 = 0;
    }
    return e;
}

}  // namespace parchis
