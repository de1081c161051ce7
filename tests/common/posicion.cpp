#include "common/posicion.h"

#include "rules/tablero.h"

namespace parchis::prueba {

Partida PartidaVacia(int numFichas) {
    Partida p;
    for (int j = 1; j <= 4; ++j) p.Estado[j] = 1;
    CuentaJugadores(p);
    p.NumFichas = static_cast<Entero>(numFichas);
    p.FichasPorJugador = numFichas == 8 ? 2 : 1;
    ReiniciaTablero(p);
    p.NumJugada = 1;
    p.Turno = 1;
    return p;
}

void PonEnHueco(Partida& p, int j, int k, int s, int hueco) {
    --p.EnEspera[j];
    p.Fichas[j][k] = static_cast<Entero>(s);
    if (s == CasillaCasa[j]) {
        ++p.EnCasa[j];
    } else {
        p.Casillas[s].Jugador[hueco] = static_cast<Entero>(j);
        p.Casillas[s].Pieza[hueco] = static_cast<Entero>(k);
    }
    RefrescaSalida(p, j);
}

void Pon(Partida& p, int j, int k, int s) {
    int hueco = 1;
    while (hueco < 3 && p.Casillas[s].Jugador[hueco] != 0) ++hueco;
    PonEnHueco(p, j, k, s, hueco);
}

void Anota(Partida& p, const Jugada& e) {
    AseguraLog(p, p.NumJugada);
    p.Jugadas[p.NumJugada] = e;
    ++p.NumJugada;
}

}  // namespace parchis::prueba
