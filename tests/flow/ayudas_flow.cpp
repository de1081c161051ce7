#include "flow/ayudas_flow.h"

#include <tuple>

#include "common/posicion.h"
#include "flow/arranque.h"
#include "flow/interfaz_prueba.h"
#include "flow/jugada.h"
#include "flow/motor.h"
#include "rules/tablero.h"

namespace parchis::prueba {

Partida PartidaEnJuego(int numDados, int numFichas) {
    Partida p = RegistroPorDefecto();
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

namespace {

// Seat 1's first piece not at home is dropped on the first empty square of
// the track, logged and moved as the board's manual mode does it.
void MueveAMano(Partida& p, Interfaz& ui) {
    int k = 1, destino = 1;
    while (p.Fichas[1][k] == CasillaCasa[1]) ++k;
    const auto vacia = [&](int s) {
        const Casilla& c = p.Casillas[s];
        return c.Jugador[1] == 0 && c.Jugador[2] == 0 && c.Jugador[3] == 0;
    };
    while (!vacia(destino) || destino == p.Fichas[1][k]) ++destino;
    const auto jugada = [&p] {
        return std::tie(p.Turno, p.TipoJugada, p.FichaJugada, p.CasillaOrigen, p.CasillaFinal);
    };
    const std::tuple<Entero, Entero, Entero, Entero, Entero> antes = jugada();
    jugada() = std::tuple(Entero{1}, Entero{7}, Entero(k), p.Fichas[1][k], Entero(destino));
    p.AbrirBarrera = false;
    AnotaJugada(p, ui);
    AnimaMovimiento(p, ui, Sentido::Adelante);
    ++p.NumJugada;
    jugada() = antes;
}

}  // namespace

void PospuestaDeVerdad(const std::string& carpeta, bool aMano) {
    Partida p = PartidaEnJuego(2);
    p.Carpeta = carpeta;
    p.PausaEntreJugadas = true;
    TurnoDe(p, 1);
    InterfazPrueba ui(p, 5);
    int siguienteAMano = aMano ? 10 : 1 << 20;
    ui.AlCeder = [&] {
        if (!p.EsperandoTirada || !p.PartidaIniciada) return;
        if (p.NumJugada >= 30) {
            SalirDelPrograma(p, ui);
        } else if (p.NumJugada >= siguienteAMano) {
            MueveAMano(p, ui);
            siguienteAMano += 10;
        }
    };
    JuegaPartida(p, ui);
}

std::string Resumen(const Jugada& e) {
    auto n = [](Entero v) { return std::to_string(v); };
    return "j" + n(e.Jugador) + " a" + n(e.Autor) + " t" + n(e.TipoJugada) + " f" + n(e.FichaJugada) +
           " v" + n(e.ValorCuenta) + " " + n(e.CasillaOrigen) + "->" + n(e.CasillaFinal) + " r" +
           n(e.Repeticiones) + " i" + n(e.InicioTirada) + " d" + n(e.Detalle);
}

}  // namespace parchis::prueba
