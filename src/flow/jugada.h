// The throw and the move being made: throwing the dice, recording a move in
// the log and playing it on the record, with the screen told through the
// services interface.  The turn engine, the opening draw, the exit and the
// desktop's manual moves and recorder all use these.
#pragma once

#include "core/partida.h"
#include "flow/interfaz.h"

namespace parchis {

// Throws the dice for Turno with the tumbling frames (or takes the values
// the person chose by hand), then computes the count values.
void TiraDados(Partida& p, Interfaz& ui);
// The same with a throw received from the network: the frames run, then the
// given values replace them.
void TiraDados(Partida& p, Interfaz& ui, int dado1, int dado2);

// Draws in seat j's corner the dice of j's latest log entry with a thrown
// first die, or 5 and 5 when there is none.
void MuestraUltimaTirada(const Partida& p, Interfaz& ui, int jugador);

// Records the move being made as log entry NumJugada and adds its lines to
// the move list.
void AnotaJugada(Partida& p, Interfaz& ui);

enum class Sentido { Adelante, Atras };

// Forward: plays log entry NumJugada on the record, marks its value used and
// shows it; returns whether the move captured a piece.  Backward: undoes
// entry NumJugada (the last one played) and shows it; returns false.
bool AnimaMovimiento(Partida& p, Interfaz& ui, Sentido sentido);

// Whether the move being made captures, judged before it is played.
bool CapturaJugada(const Partida& p);

// The seat's name without surrounding blanks.
std::string NombreDe(const Partida& p, int jugador);

}  // namespace parchis
