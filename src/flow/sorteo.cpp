#include "flow/sorteo.h"

#include <array>
#include <cstdio>

#include "core/estado.h"
#include "core/narracion_texto.h"
#include "flow/ajustes_reglas.h"
#include "flow/jugada.h"
#include "flow/motor.h"
#include "flow/red.h"
#include "rules/tablero.h"

namespace parchis {

const char* const PreguntaComienza =
    "Se van  a  tirar los dados  para  decidir el jugador que inicia la partida. Pulse Aceptar "
    "para comenzar el sorteo o  Cancelar si antes desea cambiar algún parámetro del juego.";
const char* const PreguntaComienzaCliente =
    "Se van  a  tirar los dados para decidir cual es el jugador que comienza la partida. Pulse "
    "el botón  Aceptar  para iniciar el sorteo de salida.";

namespace {

bool EsCliente(const Partida& p) { return p.JugarEnRed && p.ModoRed == 2; }
bool EsAdministrador(const Partida& p) { return p.JugarEnRed && p.ModoRed == 1; }

// Board, pieces and log of a game about to start.
void ReiniciaJuego(Partida& p, Interfaz& ui) {
    p.EsperandoFicha = false;
    p.EsperandoTirada = false;
    p.Repeticiones = 0;
    ui.ActualizaControles();
    if (EsAdministrador(p)) {
        char id[16];
        std::snprintf(id, sizeof id, "%04d", static_cast<int>(ui.Aleatorio() * 9999) + 1);
        p.IdPartida = id;
        ui.EnviaRed("ZRA3411" + ComponerEstado(p).Linea1, 0);
    }
    ui.ApagaGrabadora();
    ui.MuestraTableroVacio();
    p.ListaJugadas = {PrincipioPartida};
    ui.ActualizaLista();
    p.NumFichas = static_cast<Entero>(FichasSegunRegla(p));
    CuentaJugadores(p);
    ReiniciaTablero(p);
    p.CortesBusqueda = 0;
    for (int j = 1; j <= 4; ++j) {
        if (p.Estado[j] != 1) continue;
        ui.MuestraCuadroEspera(j);
        ui.Pausa(50);
    }
    p.NumJugada = 0;
}

// One seat's throw of the draw: thrown here, or on a client received from
// the administrator, who throws for everybody.
void TiradaDelSorteo(Partida& p, Interfaz& ui) {
    if (EsCliente(p)) {
        p.Dado1 = p.Dado2 = 0;
        while (EsCliente(p) && !TomaTirada(p)) ui.Espera();
        if (EsCliente(p)) TiraDados(p, ui, p.Dado1, p.Dado2);
        return;
    }
    TiraDados(p, ui);
    if (EsAdministrador(p)) ui.EnviaRed(TextoTirada(p), 0);
}

}  // namespace

void NuevaPartida(Partida& p, Interfaz& ui) {
    // "Cancelar" opens the rules.  Outside network play, "Cancelar" again
    // after the rules were left unchanged means no game now: the person is
    // back on the idle board.  In network play the other computers are
    // already drawing, so the question is asked until it is accepted.
    bool reglasSinCambios = false;
    for (;;) {
        ReiniciaJuego(p, ui);
        const char* pregunta = EsCliente(p) ? PreguntaComienzaCliente : PreguntaComienza;
        if (ui.Mensaje(TituloComienza, pregunta, 4, 2, 4040) == Aceptar) break;
        if (reglasSinCambios && !p.JugarEnRed) {
            p.PartidaIniciada = false;
            p.TextoTurno.clear();
            ui.MuestraMensaje("");
            ui.ActualizaControles();
            ui.PonPuntero(Puntero::Normal);
            return;
        }
        const CopiaReglas antes = CopiaDeReglas(p);
        ui.AbreReglas();
        reglasSinCambios = CopiaDeReglas(p) == antes;
    }
    const bool cliente = EsCliente(p);
    SorteoInicial(p, ui);
    // A client whose network play ended during the draw has no game to play.
    if (cliente && !EsCliente(p)) {
        p.PartidaIniciada = false;
        return;
    }
    p.PartidaIniciada = true;
    ui.Mensaje(TituloSorteo, "Sale " + NombreDe(p, p.Turno) + ".", 1, 1, 0);
    ui.BorraDados();
    JugadorAnterior(p);
    p.Jugadas.assign(CrecimientoLog + 1, Jugada{});
    ui.ActualizaControles();
    ui.PonPuntero(Puntero::Espera);
    JuegaPartida(p, ui);
}

void SorteoInicial(Partida& p, Interfaz& ui) {
    const bool cliente = EsCliente(p);
    std::array<bool, 5> enSorteo{};
    for (int j = 1; j <= 4; ++j) enSorteo[j] = p.Estado[j] == 1;
    for (;;) {
        std::array<int, 5> tirada{};
        ui.Pausa(50);
        for (int n = 0; n < 4; ++n) {
            const int i = p.Sentido == 1 ? 1 + n : 4 - n;
            p.Turno = static_cast<Entero>(EsCliente(p) ? ConvertirPuesto(p, i) : i);
            if (!enSorteo[p.Turno]) continue;
            TiradaDelSorteo(p, ui);
            if (cliente && !EsCliente(p)) return;
            tirada[p.Turno] = p.Dado1 + p.Dado2;
            ui.Pausa(60);
        }
        int mejor = 0;
        p.Turno = 0;
        for (int j = 1; j <= 4; ++j) {
            if (tirada[j] <= mejor) continue;
            p.Turno = static_cast<Entero>(j);
            mejor = tirada[j];
        }
        int empatados = 0;
        for (int j = 1; j <= 4; ++j) {
            if (tirada[j] >= mejor)
                ++empatados;
            else
                enSorteo[j] = false;
        }
        if (empatados <= 1 || mejor == 0) return;
        ui.Mensaje(TituloSorteo, TextoEmpate, 1, 1, 0);
        ui.BorraDados();
    }
}

}  // namespace parchis
