// Scoring of a candidate sequence: eleven features comparing the position
// before the sequence with the position after it, weighted by the seat's
// character and level, held in single precision as the candidate table
// always has been.
#pragma once

#include <array>

#include "ai/valoracion.h"
#include "core/partida.h"

namespace parchis {

// What a candidate's path did, besides the position it leads to.
struct CaminoCandidato {
    int Ficha = 0;            // first move: piece, value, origin and landing square
    int Valor = 0;
    int Origen = 0;
    int Destino = 0;
    int Movimientos = 0;      // moves in the path, bonus counts included
    int CapturasSocio = 0;    // partner's pieces captured on the way
    bool Marca = false;       // recorded right after the search gave up a depth
};

struct Candidato {
    Entero Ficha = 0;
    Entero Valor = 0;
    Entero Origen = 0;
    std::array<float, 12> Rasgos{};   // features 1..11
    float Total = 0;
    bool AplicaRasgo9 = false;        // feature 9 applies when the mark is set...
    float ValorRasgo9 = 0;            // ...with this value

    // Feature 9 for the mark, and the total again.
    void PonMarca(bool marca);
    // The total of the features.
    void Suma();

    // The path's first move with no score: the choice when it is the only one.
    static Candidato SinPuntuar(const CaminoCandidato& camino) {
        Candidato c;
        c.Ficha = static_cast<Entero>(camino.Ficha);
        c.Valor = static_cast<Entero>(camino.Valor);
        c.Origen = static_cast<Entero>(camino.Origen);
        return c;
    }
};

class Puntuador {
public:
    Puntuador(const Partida& p, const ContextoValoracion& ctx, const ValorEstado& antes);
    // The features of a board alone (Rasgos and AplicaRasgo9 of v).
    void PuntuaTablero(ValorEstado& v) const;
    // The candidate of a path ending on a board whose features PuntuaTablero
    // has set.
    Candidato Puntua(const VistaValor& despues, const CaminoCandidato& camino) const;

private:
    const ContextoValoracion& ctx_;
    const ValorEstado& antes_;
    int nivel_ = 0;
    int caracter_ = 2;        // 1..3
    int seisConTodas_ = 1;
    bool salidaCon5_ = true;
    std::array<double, 4> sumasAntes_{};   // S1, S2, S3 summed before the sequence [1..3]
    std::array<bool, 5> rival_{};          // seats whose progress feature 6 averages
    double mediaRivalesAntes_ = 0;

    // The seat's net gain before the sequence, which depends on the path
    // only through the first move's landing square: worked out once per
    // square.
    double NetoAntes(int destino) const;
    // The seat's net gain on a board, a capture landing on `excluida` not
    // counted.
    double Neto(const VistaValor& v, int excluida) const;
    mutable std::array<double, NumCasillas + 1> netoAntes_;
    mutable std::array<bool, NumCasillas + 1> netoAntesHecho_{};
};

}  // namespace parchis
