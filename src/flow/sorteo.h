// A new game: the board reset, the user's confirmation, the opening draw
// ("Sorteo del jugador que comienza") and the turn engine with the winner
// of the draw to move first.
#pragma once

#include "core/partida.h"
#include "flow/interfaz.h"

namespace parchis {

inline constexpr const char* TituloComienza = "Comienza la Partida";
inline constexpr const char* TituloSorteo = "Sorteo del jugador que comienza";
inline constexpr const char* TextoEmpate = "Hay empate y se va a desempatar";
extern const char* const PreguntaComienza;
extern const char* const PreguntaComienzaCliente;

// Resets the game, confirms, draws the first seat and plays the game.
// Returns when that game ends or is interrupted, or at once when the person
// declines it.
void NuevaPartida(Partida& p, Interfaz& ui);

// Every activated seat throws; tied seats throw again until one is highest.
// Leaves the winner in Turno.
void SorteoInicial(Partida& p, Interfaz& ui);

}  // namespace parchis
