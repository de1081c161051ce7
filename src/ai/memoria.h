// What a search remembers of the boards it has met.  Different orders of
// the same moves often lead to the same board: each board gets a number the
// first time it is met, and its estimate is worked out once.  A board is
// told apart exactly by its pieces, its box counts and every square the path
// touched that differs from the board the search started from; the squares'
// share of its hash is kept up to date move by move, so that a board met
// again is found without listing its changed squares.  The tables are
// emptied, not freed, between searches, up to a bound: the usual search
// does not pay for fresh pages every time, and a rare heavy one does not
// leave its room held.
#pragma once

#include <cstdint>
#include <vector>

#include "ai/valoracion.h"
#include "core/partida.h"

namespace parchis {

// The room v holds.
template <typename T>
std::size_t Bytes(const std::vector<T>& v) {
    return v.capacity() * sizeof(T);
}

// Frees v when its room exceeds `bytes`.
template <typename T>
void Recorta(std::vector<T>& v, std::size_t bytes) {
    if (Bytes(v) > bytes) std::vector<T>().swap(v);
}

// Gives v room for n elements, written once so that its pages are the
// process's before a search fills them (a fresh page costs some 10 µs on
// this machine).  Whatever v held is dropped.
template <typename T>
void Prepara(std::vector<T>& v, std::size_t n) {
    if (v.capacity() >= n) return;
    v.clear();
    v.resize(n);
    v.clear();
}

// The squares that differ from the board a search started from, hashed and
// counted, kept up to date as moves are made: each square adds its own hash
// while it differs.
class HuellaCasillas {
public:
    explicit HuellaCasillas(const std::array<Casilla, NumCasillas + 1>& inicial) : inicial_(&inicial) {}
    // The two squares of a move are about to change (signo -1) or have just
    // changed (+1).
    void Mueve(const Partida& p, int origen, int destino, int signo) {
        Cuenta(p, origen, signo);
        if (destino != origen) Cuenta(p, destino, signo);
    }
    // Square s of p, met for the first time.
    void Pon(const Partida& p, int s) { Cuenta(p, s, 1); }

    std::uint64_t Hash = 0;
    int Cambiadas = 0;
    // The squares that differ, square s on bit s % 64 of word s / 64.
    std::array<std::uint64_t, NumCasillas / 64 + 1> Bits{};

private:
    void Cuenta(const Partida& p, int s, int signo);
    const std::array<Casilla, NumCasillas + 1>* inicial_;
};

class MemoriaTableros {
public:
    // Forgets every board; `inicial` holds the squares of the board every
    // path of the next search starts from.
    void Empieza(const std::array<Casilla, NumCasillas + 1>& inicial);

    // The number of the current board of p, whose squares differ from the
    // first board as `huella` says; -1 once the memory is full and the board
    // is new.
    int Numero(const Partida& p, const HuellaCasillas& huella);

    // The room the tables hold, and freeing each table whose room exceeds
    // `bytes`.
    std::size_t Bytes() const;
    void Recorta(std::size_t bytes);
    // Room for the boards of the heaviest choices of real play, taken when
    // no search is under way.
    void Prepara();

    // Whether the estimate of board `n` is kept.
    bool Guardado(int n) const { return n >= 0 && valorDe_[static_cast<std::size_t>(n)] >= 0; }

    // The estimate of board `n`, computed by `calcula` the first time (every
    // time for n = -1).  The view holds until the next call.
    template <typename Calcula>
    VistaValor Valor(int n, Calcula calcula) {
        if (n >= 0 && valorDe_[n] >= 0) return VistaGuardada(static_cast<std::size_t>(valorDe_[n]));
        calcula(valor_);
        if (n >= 0 && fichas_.size() < CapacidadValores) Guarda(n);
        return valor_.Vista();
    }

private:
    // Boards known and estimates kept per choice: about 60 MB at most.
    static constexpr std::size_t CapacidadTableros = 1 << 18;
    static constexpr std::size_t CapacidadValores = 1 << 15;

    // A changed square is kept as its number and its whole content.
    static constexpr std::size_t PorJugador = 1 + MaxFichas;
    static constexpr std::size_t PorCasilla = 1 + sizeof(Casilla) / sizeof(Entero);
    static_assert(sizeof(Casilla) == 8 * sizeof(Entero), "squares are compared byte by byte");
    static constexpr std::size_t LargoFichas = 4 * PorJugador;

    void ComponFichas(const Partida& p);
    void AnadeCasillas(const Partida& p, const HuellaCasillas& huella);
    bool Igual(const Partida& p, const Entero* clave, std::size_t largo) const;
    VistaValor VistaGuardada(std::size_t i) const;
    void Guarda(int n);
    void Inserta(std::uint32_t numero, std::uint64_t hash, std::uint32_t inicio, std::uint32_t largo);

    struct Entrada {
        std::uint64_t Hash = 0;
        std::uint32_t Inicio = 0, Largo = 0;   // the key in claves_
        std::uint32_t Numero = 0;
        std::uint32_t Vuelta = 0;              // in use when it is the table's
    };
    bool Usada(const Entrada& e) const { return e.Vuelta == vuelta_; }
    void Crece();

    std::array<Casilla, NumCasillas + 1> inicial_;
    std::array<Entero, LargoFichas> piezas_;   // the current board's pieces
    std::vector<Entero> claves_;
    std::vector<Entrada> tabla_;                // open addressing, at most half full
    std::uint32_t vuelta_ = 1;                  // one per search
    std::vector<std::int32_t> valorDe_;         // per board: its stored estimate, -1 if none
    std::vector<ValorFichas> fichas_;           // the stored estimates...
    std::vector<std::uint32_t> inicioTerminos_; // ...where each one's terms start...
    std::vector<TerminoGanancia> terminos_;     // ...in one pool
    ValorEstado valor_;
};

// Numbers kept under keys of two words, by open addressing.
class TablaPares {
public:
    // The number under (a, b), or nullptr.
    const std::uint32_t* Busca(std::uint64_t a, std::uint64_t b) const;
    void Pon(std::uint64_t a, std::uint64_t b, std::uint32_t numero);
    // Forgets every key, keeping the room.
    void Vacia();
    std::size_t Bytes() const { return parchis::Bytes(tabla_); }
    void Recorta(std::size_t bytes) { parchis::Recorta(tabla_, bytes); }
    // Room for `entradas` keys (a power of two) with the table half full;
    // forgets every key.
    void Prepara(std::size_t entradas);

private:
    struct Entrada {
        std::uint64_t A = 0, B = 0;
        std::uint32_t Numero = 0;
        std::uint32_t Vuelta = 0;   // in use when it is the table's
    };
    static std::size_t Hash(std::uint64_t a, std::uint64_t b);
    void Crece();
    std::vector<Entrada> tabla_;
    std::uint32_t vuelta_ = 1;
    std::size_t usadas_ = 0;
};

}  // namespace parchis
