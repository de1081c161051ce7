// Depth-first search over one sequence of values.  Each depth counts the
// pending bonus, if any, or the next value of the sequence, tries every
// movable piece in turn on the record itself, and undoes each move before
// the next piece.  Only the board is restored (the move's two squares, the
// pieces and the per-seat counters): the throw and the working flags are
// left as the rules set them, so later depths still see the
// throw as it was before its first move.  A path ends as a candidate when
// the sequence is exhausted with no bonus pending or when no piece can
// count the value; a bonus no piece can count is dropped and the path goes
// on with the sequence.
//
// When every path starts with the same move the candidates are not scored:
// the choice is that move whatever the scores, and most throws leave one
// piece or none to move.
//
// The choice only keeps, of the candidates in the order found, the last one
// with the best total.  Below the first move every candidate of a subtree
// starts with the same move, so the subtree is kept as its first candidate
// (whose feature 9 depends on the mark it meets) and the best total of the
// rest: met again with the same board, values to count, first move and
// partner captures, it is taken from memory instead of searched.  Its
// destinations were all offered to Destinos the first time, so nothing is
// lost there either.
//
// Different orders of the same moves often reach the same board with the
// same values left to count but a different first move, whose candidates
// differ only in the first move's part of their scores.  So each subtree
// is also kept as the tape of what its search did (the boards its paths
// ended on, in order, and where the mark was set), and met again with
// another first move the tape is played instead of the moves: each board
// is scored for the new first move, or taken from the scores already made.
#pragma once

#include <array>
#include <functional>
#include <limits>
#include <optional>
#include <vector>

#include "ai/alcance.h"
#include "ai/eleccion.h"
#include "ai/memoria.h"
#include "ai/puntuacion.h"
#include "core/partida.h"

namespace parchis {

inline constexpr int ProfundidadMaxima = 90;   // moves in a path, bonus counts included

// A sequence of values to count: the joint total, or an order of the
// unused split values (four at most).
struct Secuencia {
    std::array<int, 4> Valores{};
    std::size_t Num = 0;
    std::size_t size() const { return Num; }
    bool empty() const { return Num == 0; }
    int operator[](std::size_t i) const { return Valores[i]; }
    void push_back(int v) { Valores[Num++] = v; }
    bool operator==(const Secuencia&) const = default;
};

// The pieces each first value lets move on the board the choice starts
// from (FichasMovibles' FichaMovible and destinations), worked out once for
// every sequence and bonus that starts with that value.
struct PrimerasJugadas {
    std::uint32_t Hechas = 0;   // bit v: value v (1..MaxValor) is known
    std::array<std::array<bool, MaxFichas + 1>, MaxValor + 1> Movibles;
    std::array<std::array<Entero, MaxFichas + 1>, MaxValor + 1> Destinos;
    bool Sabe(int v) const { return v >= 1 && v <= MaxValor && ((Hechas >> v) & 1u); }
};

// What the choice keeps of the candidates taken in the order they were
// found: the last one with the best total, and what their first moves share.
struct Acumulado {
    explicit Acumulado(int valorTotal) : valorTotal_(valorTotal) {}
    void Anota(const Candidato& c);

    bool Alguno = false;
    float Mejor = -std::numeric_limits<float>::infinity();
    Candidato Elegido;
    bool MismaFicha = true, MismoValor = true;
    bool Total = false;       // some candidate counts the throw's joint total first
    bool Sacar = false;       // some candidate starts from the box

private:
    int valorTotal_;
    Entero primeraFicha_ = 0, primerValor_ = 0;
};

// The candidates of a searched part, in runs with the same first move: each
// run's first candidate and the best total of the rest.  Only the very first
// candidate's mark depends on what came before.
struct TramoCandidatos {
    Candidato Primero;
    float MejorResto = 0;
    bool HayResto = false;
};
struct Resumen {
    std::uint32_t Inicio = 0, Num = 0;   // its runs in the search's pool
    bool MarcaFinal = false;             // the mark it leaves
    std::int32_t Cinta = -1;             // the tape of its search, -1 if none
};

// One step of a subtree's tape: a path ended on a board, the mark was set,
// or a subtree's own tape was played.
struct Paso {
    enum Tipo : std::uint8_t { Hoja, Marca, Sub };
    Tipo Que = Hoja;
    std::uint8_t Movimientos = 0;   // of the path, bonus counts included
    std::uint8_t Capturas = 0;      // partner's pieces captured below the subtree's root
    std::int32_t Numero = -1;       // the board, or the subtree's tape
};
struct Cinta {
    std::uint32_t Inicio = 0, Num = 0;   // its steps in the search's pool
};

class Busqueda {
public:
    // p holds the board every sequence starts from; `puntua` asks for the
    // candidates to be scored; `valorTotal` is the throw's joint total;
    // `primeras`, when given, holds the first board's movable pieces.
    Busqueda(Partida& p, int numFichas, bool puntua, int valorTotal, const PrimerasJugadas* primeras = nullptr);
    // Gives this thread's memory its room before any choice needs it.
    static void PreparaMemoria() { MemoriaDelHilo().Prepara(); }
    static std::size_t BytesMemoria() { return MemoriaDelHilo().Bytes(); }
    // Room kept from one choice to the next.  Fresh pages are dear: freed
    // after each choice, the 5 MB of a heavy slow position cost it 15 ms
    // more the next time.  So what PreparaMemoria gives (the room of every
    // slow position of real play, 13 MB) is kept, and after a heavier
    // search (one the time guard stops can take 80 MB) each table above a
    // thirteenth of the bound is freed.  Were the bound below what
    // PreparaMemoria gives, every heavy choice would free it and write it
    // afresh: 25 ms the first time, a millisecond after.
    static constexpr std::size_t BytesRetenidos = 16 << 20;
    ~Busqueda();
    Busqueda(const Busqueda&) = delete;
    Busqueda& operator=(const Busqueda&) = delete;

    // Searches one sequence from the current board, starting with `bono`
    // when a bonus count is pending, and keeps it in `resumen`.  Every move
    // is undone, so the board is left as it was.  Returns false when `seguir` asked to
    // stop half-way.
    bool Recorre(const Secuencia& secuencia, int bono, Resumen& resumen);

    // Takes the candidates of a part searched before again, as found.
    void Repite(const Resumen& r);

    const Acumulado& Resultado() const { return acumulado_; }

    // Asked every few thousand nodes whether to go on (the time guard).
    std::function<bool()> Seguir;

private:
    struct Deshacer;
    void Profundiza(int prof, std::size_t siguiente, int pendiente);
    void Explora(int prof, std::size_t siguiente, int pendiente, int valor);
    // The move's two squares in the board's fingerprint, before (-1) or
    // after (+1) it, while the memory is in use: short searches never ask.
    void CambiaHuella(int origen, int destino, int signo) {
        if (memoria_) huella_.Mueve(p_, origen, destino, signo);
    }
    void Hoja(int movimientos);
    // The candidate of the current path, ending on board n (-1 when not
    // known), without its mark.
    Candidato Puntua(int n, int movimientos);
    void Anota(Candidato c);
    // Tapes: the innermost one being recorded takes each step.
    void AbreCinta();
    std::int32_t CierraCinta();
    void PonPaso(const Paso& paso);
    void Reproduce(std::int32_t cinta);
    void Emite(const Candidato& c);
    // Takes c into a part's runs, or a later candidate's total into a run.
    static void Junta(std::vector<TramoCandidatos>& tramos, const Candidato& c);
    static void JuntaResto(TramoCandidatos& t, float total);
    void AnotaDestino(int ficha, int destino);
    // The estimate of the current board and the features of its own.
    void Valora(ValorEstado& v);
    void Graba();
    Resumen CierraGrabacion();
    void PreparaBonos();

    Partida& p_;
    const int numFichas_;
    const int socio_;                // the partner in pairs mode, else 0
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
    const Secuencia* secuencia_ = nullptr;
    const PrimerasJugadas* primeras_ = nullptr;
    const std::array<Casilla, NumCasillas + 1> casillasIniciales_;
    CaminoCandidato camino_;
    bool marca_ = false;             // set after stepping back from a depth above 1
                                     // whose last piece was tried; cleared by the next candidate
    Acumulado acumulado_;
    ValorEstado despues_;
    // Squares the current path has changed, two a move.
    std::array<Entero, 2 * ProfundidadMaxima + 2> tocadas_;
    int numTocadas_ = 0;
    HuellaCasillas huella_;         // ...and what they hold now, while the memory is in use

    // Boards met, subtrees and scored paths already known (emptied when a
    // search starts to remember, after its first few paths, and trimmed when
    // it ends).
    struct Memoria {
        MemoriaTableros Tableros;
        TablaPares Subarboles;           // -> Resumenes
        std::vector<Resumen> Resumenes;
        TablaPares Puntuados;            // board and path -> Puntuaciones
        std::vector<Candidato> Puntuaciones;
        TablaPares Cintas;               // subtree without its first move -> ListaCintas
        std::vector<Cinta> ListaCintas;
        std::vector<Paso> Pasos;
        void Empieza(const std::array<Casilla, NumCasillas + 1>& inicial);
        std::size_t Bytes() const;
        void Recorta();
        void Prepara();
    };
    static Memoria& MemoriaDelHilo();
    Memoria* memoria_ = nullptr;     // none while the search is short
    // The lists below are the thread's, kept from one choice to the next
    // (emptied at the start, trimmed as the memory is after a heavy
    // search): a choice of a few moves allocates nothing.
    struct Borrador {
        std::vector<TramoCandidatos> Tramos;
        std::vector<std::vector<TramoCandidatos>> Grabando;
        std::vector<std::vector<Paso>> Cintas;
        std::vector<bool> CintaValida;
        void Recorta();
    };
    static Borrador& BorradorDelHilo();
    Borrador& borrador_;
    std::vector<TramoCandidatos>& tramos_;
    // The parts being searched that will be kept, innermost last.
    std::vector<std::vector<TramoCandidatos>>& grabando_;
    std::size_t numGrabando_ = 0;
    // The tapes being recorded, innermost last; a tape that met a step it
    // cannot keep (a board whose estimate is not kept) is not kept.
    std::vector<std::vector<Paso>>& cintas_;
    std::vector<bool>& cintaValida_;
    std::size_t numCintas_ = 0;

    long hojas_ = 0;
    long nodos_ = 0;
    bool parar_ = false;
};

}  // namespace parchis
