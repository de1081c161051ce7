// Depth-first search over one sequence of values.  Each depth counts the
// pending bonus, if any, or the next value of the sequence, tries every
// movable piece in turn on the record itself, and restores the board it
// started from before the next piece.  The copies are of the board alone
// (pieces, squares and the per-seat counters): the throw and the working
// flags are left as the rules set them, so later depths still see the
// throw as it was before its first move.  A path ends as a candidate when
// the sequence is exhausted with no bonus pending or when no piece can
// count the value.
//
// Leaves are scored only once a search has found two of them: a single
// candidate is the choice whatever its score, and most throws leave one
// piece or none to move.  The first leaf's board is kept until then.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <vector>

#include "ai/alcance.h"
#include "ai/eleccion.h"
#include "ai/memoria.h"
#include "ai/puntuacion.h"
#include "core/partida.h"

namespace parchis {

inline constexpr int ProfundidadMaxima = 90;   // moves in a path, bonus counts included

// The board data a simulated move changes.
struct TableroGuardado {
    std::array<std::array<Entero, MaxFichas + 1>, 5> Fichas{};
    std::array<Casilla, NumCasillas + 1> Casillas{};
    std::array<Entero, 5> EnEspera{}, EnCasa{}, SiguienteSalida{};

    void Guarda(const Partida& p);
    void Restaura(Partida& p) const;
};

class Busqueda {
public:
    // `inicial` is the board every sequence starts from; the search reads
    // it only when it starts scoring.
    Busqueda(Partida& p, const TableroGuardado& inicial, int numFichas,
             std::vector<Candidato>& candidatos);

    // Searches one sequence from the current board, starting with `bono`
    // when a bonus count is pending.  The board is left as the last path
    // left it.  Returns false when `seguir` asked to stop half-way.
    bool Recorre(const std::vector<int>& secuencia, int bono);

    // Set after stepping back from a depth above 1 whose last piece has been
    // tried; cleared once the next candidate has been scored.
    bool Marca = false;

    // Asked every few thousand nodes whether to go on (the time guard).
    std::function<bool()> Seguir;

private:
    void Profundiza(int prof, std::size_t siguiente, int pendiente);
    void Hoja(int movimientos);
    void AnotaDestino(int ficha, int destino);
    void EmpiezaAPuntuar();

    Partida& p_;
    const TableroGuardado& inicial_;
    const int numFichas_;
    const int socio_;                // the partner in pairs mode, else 0
    std::vector<Candidato>& candidatos_;
    // What scoring needs, prepared from the initial board at the second leaf.
    std::optional<AlcanceFichas> alcance_;
    ContextoValoracion ctx_;
    ValorEstado antes_;
    std::optional<Puntuador> puntuador_;
    TableroGuardado primera_;        // the first leaf's board...
    CaminoCandidato primerCamino_;   // ...and its path, until it is scored
    const std::vector<int>* secuencia_ = nullptr;
    std::vector<TableroGuardado> pila_;
    CaminoCandidato camino_;
    ValorEstado despues_;
    // Boards already valued; a short search values every leaf directly and
    // never builds it.
    std::optional<MemoriaTableros> memoria_;
    std::vector<Entero> tocadas_;   // squares the current path has changed
    long hojas_ = 0;
    long nodos_ = 0;
    bool parar_ = false;
};

}  // namespace parchis
