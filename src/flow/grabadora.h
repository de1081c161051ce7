// The recorder's remote control: stepping the board back and forth through
// the move log while the turn engine waits for a throw, and resuming play
// from an earlier position.
//
// The remote is switched on only while a throw is awaited, so NumJugada
// names the move about to be made and entries 1..NumJugada-1 are complete.
// Stepping back undoes entries on the board and lowers NumJugada; stepping
// forward replays them.  Switching off replays up to the present; restoring
// makes the position on the board the present instead: the engine, still
// waiting for its throw, goes on from there and overwrites the abandoned
// entries.
#pragma once

#include <string>
#include <vector>

#include "core/partida.h"
#include "flow/interfaz.h"

namespace parchis {

enum BotonMando { MandoPotencia, MandoAtras, MandoAdelante, MandoAtrasAuto, MandoAdelanteAuto,
                  MandoRestaurar, NumBotonesMando };

// What the window knows of the remote beyond the record.
struct EstadoMando {
    bool MandoEncendido = false;
    int UltimaJugada = 0;    // NumJugada when switched on: the present
    int TurnoGrabado = 0;    // Turno when switched on
    bool RetrocesoAuto = false;
    bool AvanceAuto = false;
};

// Index of the first line of the move list that carries move number
// `jugada`, -1 when none does.  Numbers fill three places; once the line
// of move 999 has been passed they fill four.
int BuscaLineaGrabadora(const std::vector<std::string>& lista, int jugada);

// A press on a remote button.  While an automatic run is in progress the
// press only stops it.
void PulsaMando(Partida& p, EstadoMando& m, Interfaz& ui, int boton);

// One step forward or back; nothing happens past either end.
void MandoAvanzar(Partida& p, EstadoMando& m, Interfaz& ui);
void MandoRetroceder(Partida& p, EstadoMando& m, Interfaz& ui);

}  // namespace parchis
