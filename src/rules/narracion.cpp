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

}  // namespace parchis
