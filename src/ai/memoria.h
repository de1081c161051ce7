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
    // squares `tocadas`, computed by `calcula` the first time.  The
    // reference holds until the next call.
    template <typename Calcula>
    const ValorEstado& Busca(const Partida& p, const std::vector<Entero>& tocadas, Calcula calcula) {
        ComponClave(p, tocadas);
        const std::size_t hallado = Encuentra();
        if (hallado != Ninguno) {
            Recupera(hallado);
            return valor_;
        }
        calcula(valor_);
        if (fichas_.size() < Capacidad) Guarda();
        return valor_;
    }

private:
    // Boards kept per choice: about 30 MB at most.
    static constexpr std::size_t Capacidad = 1 << 15;
    static constexpr std::size_t Ninguno = static_cast<std::size_t>(-1);

    void ComponClave(const Partida& p, const std::vector<Entero>& tocadas);
    std::size_t Encuentra() const;
    void Guarda();
    void Recupera(std::size_t i);
    void Inserta(std::size_t valor, std::uint64_t hash, std::uint32_t inicio, std::uint32_t largo);

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
    std::vector<Entrada> tabla_;                // open addressing, at most half full
    std::deque<ValorFichas> fichas_;            // the stored estimates...
    std::vector<std::uint32_t> inicioTerminos_; // ...where each one's terms start...
    std::vector<TerminoGanancia> terminos_;     // ...in one pool
    ValorEstado valor_;
};

}  // namespace parchis
