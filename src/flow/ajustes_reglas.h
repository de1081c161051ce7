// What the rules window decides: the rule controls of its four pages, the
// change each click makes (refused on a network client), and the check made
// when the window is left, which asks before a change that ends the game
// under way and undoes what the person does not confirm.
#pragma once

#include <array>
#include <vector>

#include "core/partida.h"
#include "flow/interfaz.h"

namespace parchis {

// The four pages of the window, by their tab titles.
inline constexpr std::array<const char*, 4> PaginasReglas = {" Generales  ", " Barreras  ", " Varios  ",
                                                             " Salidas  "};

// One rule control: its title number, its page (0..3) and its field, a
// number stepped through `NumValores` values or a switch.
struct ControlRegla {
    int Numero = 0;
    int Pagina = 0;
    Entero Partida::*Valor = nullptr;      // selectors
    bool Partida::*Interruptor = nullptr;  // switches
    int NumValores = 2;
};

// Every rule control, in page order.
const std::vector<ControlRegla>& ControlesReglas();

// Whether the control is shown now: the partners' barrier only in pairs,
// the two counting and exit methods only with two dice.
bool ReglaVisible(const Partida& p, const ControlRegla& c);

// The rule fields as they were when the window opened.
struct CopiaReglas {
    std::array<Entero, 16> Valores{};
    std::array<bool, 16> Interruptores{};
    bool operator==(const CopiaReglas&) const = default;
};
CopiaReglas CopiaDeReglas(const Partida& p);

// A click on control `numero`.  Returns false when refused (on a network
// client; the reason has been shown and nothing changed).
bool CambiaRegla(Partida& p, Interfaz& ui, int numero);

// Leaving the window.  Returns false when it must stay open (pairs without
// four players).
bool SalidaReglas(Partida& p, Interfaz& ui, const CopiaReglas& copia);

}  // namespace parchis
