// The end of a game: the winner celebrated, the points, the result
// announced and, if the user agrees, the game added to the history.
#pragma once

#include <string>

#include "core/partida.h"
#include "flow/historico.h"
#include "flow/interfaz.h"

namespace parchis {

inline constexpr const char* TituloFinal = "Final de la Partida";
inline constexpr const char* TituloHistorico = "Histórico de partidas jugadas";
inline constexpr const char* TituloErrorHistorico = "Error al actualizar el Histórico";
inline constexpr const char* TituloErrorRecuento = "Error al actualizar el recuento de dados";
inline constexpr const char* PreguntaHistorico = "¿Se actualiza el Histórico de partidas?";

// Called by the engine when Turno has every piece home; ends with the
// engine's finish.
void FinDePartida(Partida& p, Interfaz& ui);

// 0..100: how far behind the other seats were (100 when none of their
// pieces left the box), rounded half to even.
int CalculaPuntos(const Partida& p);

// "Puntos : 100" + CR LF + who won.
std::string TextoFinal(const Partida& p, int puntos);

// The history record of the game just won by Turno.
RegistroHistorico RegistroDeLaPartida(const Partida& p, int puntos, const FechaHora& fecha);

}  // namespace parchis
