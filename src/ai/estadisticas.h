// The figures of the statistics window for the seat to move: the throw, the
// distribution of the values a throw can count, where every piece of every
// active seat stands and, while the seat waits for its move, what each of
// its pieces can do with each value of the throw still to count.  Worked
// out on a copy of the record: opening the window changes nothing of the
// game, not even the movable-piece marks of the throw.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "ai/probabilidad.h"
#include "core/partida.h"

namespace parchis {

inline constexpr int CasillasHastaCasa = 72;   // squares counted from the box to home

struct FichaEstadistica {
    int Ficha = 0;
    int Posicion = 0;        // square, 0 in the box
    int Casillas = 0;        // travelled, plus 1 on the board: 0 box, 1 exit, 72 home
    bool Resguardada = false;  // on a safe or exit square
    bool Amenazada = false;    // elsewhere, and another seat's next throw may capture it
    // One cell per value of Valores: the destination, "S" (safe square),
    // "P" (into the corridor), "C" (home), or "" when the value cannot move it.
    std::vector<std::string> Destinos;
    std::string Comentario;
};

struct JugadorEstadistica {
    int Jugador = 0;
    std::string Nombre;
    std::vector<FichaEstadistica> Fichas;
};

struct Estadistica {
    bool HayPartida = false;   // false: the window draws nothing
    int Turno = 0;
    std::string Nombre;
    int NumDados = 1, Dado1 = 0, Dado2 = 0;
    DistribucionValores Distribucion;
    // The values of the throw not yet counted (a bonus count: its value).
    std::vector<int> Valores;
    // The seat waits for its move: the cells and comments are filled.
    bool EsperandoJugada = false;
    // Active seats in turn order, starting with the seat to move.
    std::vector<JugadorEstadistica> Jugadores;
};

Estadistica CalculaEstadisticas(const Partida& p);

// The window's formats.
std::string TituloTablaValores(int filas);
std::string TextoCombinaciones(int n);            // "###": blank for 0
std::string TextoPorcentajeValor(double pct);     // "#0.0": blank for 0
std::string TextoPorcentajeFicha(int casillas);   // "##0.0 %", blank for 0
std::string TextoSituacion(const FichaEstadistica& f);  // seven characters

}  // namespace parchis
