// Depth-first search over one sequence of values.  Each depth counts the
// pending bonus, if any, or the next value of the sequence, tries every
// movable piece in turn on the record itself, and restores the board it
// started from before the next piece.  The copies are of the board alone
// (pieces, squares and the per-seat counters): the throw and the working
// flags are left as the rules set them, so later depths still see the
// throw as it was before its first move.  A path ends as a candidate when
// the sequence is exhausted with no bonus pending or when no piece can
// count the value; a bonus no piece can count is dropped and the path goes
// on with the sequence.
//
// When every path starts with the same move the candidates are not scored:
// the choice is that move whatever the scores, and most throws leave one
// piece or none to move.
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
    // Left unset: every copy is written whole by Guarda before it is read.
    std::array<std::array<Entero, MaxFichas + 1>, 5> Fichas;
    std::array<Casilla, NumCasillas + 1> Casillas;
    std::array<Entero, 5> EnEspera, EnCasa, SiguienteSalida;

    void Guarda(const Partida& p);
    void Restaura(Partida& p) const;
};

class Busqueda {
public:
    // p holds the board every sequence starts from; `puntua` asks for the
    // candidates to be scored.
    Busqueda(Partida& p, int numFichas, bool puntua, std::vector<Candidato>& candidatos);

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
    // The estimate of the current board, whose path touched `tocadas`.
    void Valora(const std::vector<Entero>& tocadas, ValorEstado& v);

    Partida& p_;
    const int numFichas_;
    const int socio_;                // the partner in pairs mode, else 0
    std::vector<Candidato>& candidatos_;
    // What scoring needs, prepared from the initial board, in place (the
    // scorer points into the rest).
    struct Puntuacion {
        AlcanceFichas Alcance;
        ContextoValoracion Ctx;
        BaseValoracion Base;         // the initial board's estimate
        Puntuador Juez;
        explicit Puntuacion(const Partida& p);
    };
    std::optional<Puntuacion> puntuacion_;
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
