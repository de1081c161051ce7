#include "flow/ayudas_flow.h"

#include "core/configuracion.h"
#include "rules/tablero.h"

namespace parchis::prueba {

Partida PartidaEnJuego(int numDados, int numFichas) {
    Partida p;
    AplicaValoresPorDefecto(p);
    for (int j = 1; j <= 4; ++j) p.Control[j] = 2;
    p.NumDados = static_cast<Entero>(numDados);
    p.FichasPorJugador = numFichas == 8 ? 2 : 1;
    p.NumFichas = static_cast<Entero>(numFichas);
    p.PausaEntreJugadas = false;
    p.Velocidad = 100;
    CuentaJugadores(p);
    ReiniciaTablero(p);
    p.PartidaIniciada = true;
    p.NumJugada = 1;
    p.Turno = 1;
    return p;
}

void TurnoDe(Partida& p, int jugador) {
    p.Turno = static_cast<Entero>(jugador);
    JugadorAnterior(p);
    --p.NumJugada;
}

std::string Resumen(const Jugada& e) {
    auto n = [](Entero v) { return std::to_string(v); };
    return "j" + n(e.Jugador) + " a" + n(e.Autor) + " t" + n(e.TipoJugada) + " f" + n(e.FichaJugada) +
           " v" + n(e.ValorCuenta) + " " + n(e.CasillaOrigen) + "->" + n(e.CasillaFinal) + " r" +
           n(e.Repeticiones) + " i" + n(e.InicioTirada) + " d" + n(e.Detalle);
}

}  // namespace parchis::prueba
