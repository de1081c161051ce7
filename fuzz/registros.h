// What the state fuzzers share: records kept from one run to the next, and
// a comparison of logs that does not cost more than reading them.
#pragma once

#include <cstring>
#include <string>
#include <type_traits>
#include <vector>

#include "core/partida.h"

namespace fuzz {

// The record set back to `modelo`'s values but for its log and its move
// list, which keep the storage (and the contents) of the last run: the
// reader clears the log to the length it declares and replaces the list
// whole, or a simulation leaves the list as it is, empty (see SueltaLineas).
// A run then writes over the last one's thousands of entries instead of
// copying the model's and allocating them again.
__attribute__((no_sanitize("coverage"))) inline void Reinicia(parchis::Partida& p, parchis::Partida& modelo) {
    std::vector<parchis::Jugada> log, logModelo;
    std::vector<std::string> lista, listaModelo;
    log.swap(p.Jugadas);
    logModelo.swap(modelo.Jugadas);
    lista.swap(p.ListaJugadas);
    listaModelo.swap(modelo.ListaJugadas);
    p = modelo;
    modelo.Jugadas.swap(logModelo);
    modelo.ListaJugadas.swap(listaModelo);
    p.Jugadas.swap(log);
    p.ListaJugadas.swap(lista);
}

// The move list's lines freed at the end of a run, its array kept.  A run
// that kept more than it freed would be taken for a leak and run again.
__attribute__((no_sanitize("coverage"))) inline void SueltaLineas(parchis::Partida& p) { p.ListaJugadas.clear(); }

// Two logs alike entry by entry: an entry has no padding, so its bytes
// tell it whole, in one comparison rather than fifteen per entry.
static_assert(std::has_unique_object_representations_v<parchis::Jugada>);
__attribute__((no_sanitize("coverage"))) inline bool MismoLog(const std::vector<parchis::Jugada>& a,
                                                              const std::vector<parchis::Jugada>& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(parchis::Jugada)) == 0;
}

}  // namespace fuzz
