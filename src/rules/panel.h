// The counting panel ("Desglosar") through which a person chooses which value
// of the throw to count, and the prompt line that tells the person what to
// do.  Everything here reads and writes the record only; the desktop draws
// the panel from DescribePanel and shows Indicacion.
#pragma once

#include <array>
#include <string>

#include "core/partida.h"

namespace parchis {

inline constexpr const char* TituloDesglosar = "Desglosar";
inline constexpr const char* TituloContar = "Contar";
extern const char* const TextoContar;

// What the panel shows.  Rows 1..Filas are the split values of the throw.
struct PanelCuenta {
    bool Visible = false;      // shown at all
    bool AdmiteClics = false;  // more than one value of the throw remains
    int Filas = 0;             // ModoValores
    std::array<bool, 5> FilaVisible{};
    std::array<std::string, 5> Etiqueta{};   // "Contar 5"
    std::array<bool, 5> Marcada{};
    bool operator==(const PanelCuenta&) const = default;
};

// The panel as the record describes it now.
PanelCuenta DescribePanel(const Partida& p);

// Lays out the panel for the seat to move: pre-selects a value where the
// rules leave no choice and builds Indicacion.
void PreparaPanel(Partida& p);

// A click on the toggle of row i: flips it and applies the rules.  Returns
// true when the "Contar" message must be shown (a single value must be
// counted and the person tried to count them jointly).
bool MarcaValor(Partida& p, int i);

// Builds the prompt line in Indicacion.
void ComponeIndicacion(Partida& p);

}  // namespace parchis
