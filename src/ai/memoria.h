// Estimates of the boards a search has already valued.  Different orders
// of the same moves often lead to the same board: the estimate of the
// second is the one already computed.  A board is told apart exactly by its
// pieces, its box counts and every square the path touched that differs
// from the board the search started from.
#pragma once

#include <cstdint>
#include <deque>
#include <vector>

#include "ai/valoracion.h"
#include "core/partida.h"

namespace parchis {

class MemoriaTableros {
public:
    // The squares of the board every path of the search starts from.
    explicit MemoriaTableros(const std::array<Casilla, NumCasillas + 1>& inicial) : inicial_(inicial) {}

    // The estimate of the current board of p, whose path has touched the
    // squares `tocadas`, computed by `calcula` the first time.
    template <typename Calcula>
    const ValorEstado& Busca(const Partida& p, const std::vector<Entero>& tocadas, Calcula calcula) {
        ComponClave(p, tocadas);
        const std::size_t hallado = Encuentra();
        if (hallado != Ninguno) return valores_[hallado];
        if (valores_.size() >= Capacidad) {
            calcula(suelto_);
            return suelto_;
        }
        valores_.emplace_back();
        calcula(valores_.back());
        Inserta(valores_.size() - 1);
        return valores_.back();
    }

private:
    static constexpr std::size_t Capacidad = 4096;   // boards kept per choice
    static constexpr std::size_t Ninguno = static_cast<std::size_t>(-1);

    void ComponClave(const Partida& p, const std::vector<Entero>& tocadas);
    std::size_t Encuentra() const;
    void Inserta(std::size_t valor);

    struct Entrada {
        std::uint64_t Hash = 0;
        std::uint32_t Inicio = 0, Largo = 0;   // the key in claves_
        std::uint32_t Valor = 0;
        bool Usada = false;
    };

    std::array<Casilla, NumCasillas + 1> inicial_;
    std::vector<Entero> clave_;
    std::vector<Entero> cambiadas_;
    std::uint64_t hash_ = 0;
    std::vector<Entero> claves_;
    std::vector<Entrada> tabla_;
    std::deque<ValorEstado> valores_;
    ValorEstado suelto_;
};

}  // namespace parchis
