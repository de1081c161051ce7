// Where each field of the record lives in the state line and in a log entry.
// The writer (estado.cpp) and the reader (lectura_estado.cpp) both walk these
// tables, so the two can never disagree.  Positions are 1-based, as the
// layout has always been described.
//
// Min..Max is the range the reader accepts: a number outside it is treated
// like a field that cannot be converted (the record keeps its value).  For
// fields that index arrays it is the array's range; for the others it is
// what the field's width can hold, so that whatever is read can be written
// back unchanged.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <utility>

#include "core/partida.h"

namespace parchis::disposicion {

inline constexpr int LargoLinea = 900;
inline constexpr int LargoEntrada = 20;
inline constexpr int LargoNombre = 9;
inline constexpr int LargoIP = 15;
inline constexpr int LargoIdPartida = 4;

inline constexpr int PosIP = 786;
inline constexpr int PosIdPartida = 851;

// Seat p's block starts after position (p-1)*42.
inline constexpr int BasePuesto(int puesto) { return (puesto - 1) * 42; }
inline constexpr int PosFicha(int puesto, int ficha) { return BasePuesto(puesto) + 19 + 3 * (ficha - 1); }
// The six one-character fields of square i start after this position.
inline constexpr int BaseCasilla(int casilla) { return 168 + 6 * (casilla - 1); }

struct CampoPuesto {
    int Desplazamiento;   // from the seat's base
    int Ancho;
    bool Ceros;           // zero-padded to its width
    std::array<Entero, 5> Partida::*Campo;
    int Min, Max;
};

inline constexpr std::array<CampoPuesto, 7> CamposPuesto{{
    {10, 3, true, &Partida::Nivel, -99, 999},
    {13, 1, false, &Partida::Estado, 0, 9},
    {14, 1, false, &Partida::Control, 0, 9},
    {15, 1, false, &Partida::Caracter, 0, 9},
    {16, 1, false, &Partida::EnEspera, 0, MaxFichas},
    {17, 1, false, &Partida::EnCasa, 0, MaxFichas},
    {18, 1, false, &Partida::SiguienteSalida, 0, MaxFichas},
}};

struct CampoEntero {
    int Pos;
    int AnchoLectura;
    int AnchoEscritura;   // the rest of the read width stays blank
    bool Ceros;
    Entero Partida::*Campo;
    int Min, Max;
};

inline constexpr std::array<CampoEntero, 18> CamposEnteros{{
    {805, 2, 1, false, &Partida::Sentido, 0, 9},
    {809, 3, 3, true, &Partida::Velocidad, -99, 999},
    {812, 1, 1, false, &Partida::ModoJuego, 0, 9},
    {813, 1, 1, false, &Partida::NumDados, 0, 9},
    {814, 1, 1, false, &Partida::FichasPorJugador, 0, 9},
    {815, 1, 1, false, &Partida::SeisConTodas, 0, 9},
    {816, 1, 1, false, &Partida::PrimeraFicha, 0, 9},
    {817, 1, 1, false, &Partida::MetodoSalida, 0, 9},
    {834, 1, 1, false, &Partida::ModoRed, 0, 9},
    {835, 1, 1, false, &Partida::PuestoMesa, 0, 9},
    {836, 1, 1, false, &Partida::MetodoCuenta, 0, 9},
    {839, 1, 1, false, &Partida::Turno, 0, 4},
    {842, 4, 4, true, &Partida::NumJugada, -999, 9999},
    {848, 1, 1, false, &Partida::NumJugadores, 0, 4},
    {849, 1, 1, false, &Partida::NumFichas, 4, MaxFichas},   // and only 4 or 8
    {850, 1, 1, false, &Partida::Repeticiones, 0, 3},
    {855, 1, 1, false, &Partida::PuestoAdmin, 0, 3},
    {856, 1, 1, false, &Partida::MiPuerto, 0, 9},
}};

// What a stored boolean other than -1 or 0 becomes when it is validated.
enum class OtroValor { Verdadero, Falso, SegunCero };

struct CampoBooleano {
    int Pos;
    bool Partida::*Campo;
    OtroValor SiOtro;
};

inline constexpr std::array<CampoBooleano, 13> CamposBooleanos{{
    {801, &Partida::PausaEntreJugadas, OtroValor::Verdadero},
    {803, &Partida::Sonido, OtroValor::Verdadero},
    {807, &Partida::TutorAutomatico, OtroValor::Verdadero},
    {818, &Partida::SalidaCon5, OtroValor::Verdadero},
    {820, &Partida::SalidaObligatoria, OtroValor::Verdadero},
    {822, &Partida::BonoComerSaliendo, OtroValor::Verdadero},
    {824, &Partida::BarreraSalida, OtroValor::Verdadero},
    {826, &Partida::BarreraSeguro, OtroValor::Verdadero},
    {828, &Partida::BarreraBlancas, OtroValor::Verdadero},
    {830, &Partida::ComerObligatorio, OtroValor::Falso},
    {832, &Partida::IndicarDestino, OtroValor::Verdadero},
    {837, &Partida::BarreraCompaneros, OtroValor::Falso},
    // Not a setting: any number but 0 means a game is under way.
    {840, &Partida::PartidaIniciada, OtroValor::SegunCero},
}};

struct CampoJugada {
    int Desplazamiento;   // within the 20-character entry
    int Ancho;            // zero-padded when wider than one
    Entero Jugada::*Campo;
    int Min, Max;
};

inline constexpr std::array<CampoJugada, 13> CamposJugada{{
    {1, 1, &Jugada::Jugador, 0, 4},
    {2, 1, &Jugada::Autor, 0, 4},
    {3, 1, &Jugada::Dado1, 0, 6},
    {4, 1, &Jugada::Dado2, 0, 6},
    {5, 2, &Jugada::ValorCuenta, 0, 99},
    {7, 2, &Jugada::TipoJugada, 0, 11},
    {9, 1, &Jugada::FichaJugada, 0, MaxFichas},
    {10, 1, &Jugada::IndiceValor, 0, 5},
    {11, 3, &Jugada::CasillaOrigen, 0, NumCasillas},
    {14, 3, &Jugada::CasillaFinal, 0, NumCasillas},
    {17, 1, &Jugada::Repeticiones, 0, 3},
    {18, 1, &Jugada::InicioTirada, 0, 1},
    {19, 2, &Jugada::Detalle, 0, 7},
}};

// Calls f(i) for every field of a log entry, i a std::integral_constant, so
// that CamposJugada[i] is known when compiling: the loops over the
// thousands of entries of a long log then come out flat, with fixed
// positions and no lookups in the table.
template <typename F, std::size_t... I>
[[gnu::always_inline]] constexpr void CadaCampoJugada(F& f, std::index_sequence<I...>) {
    (f(std::integral_constant<std::size_t, I>{}), ...);
}

template <typename F>
[[gnu::always_inline]] constexpr void ParaCadaCampoJugada(F&& f) {
    CadaCampoJugada(f, std::make_index_sequence<CamposJugada.size()>{});
}

// N bytes of a line copied in moves of a word at most (N is 6 for a square,
// 20 for a log entry).  Under the address checker a short memcpy is a call
// that checks both ranges, and a log holds thousands of entries; a word is
// checked inline at its first and last byte.
// The largest move of a word at most that fits in N bytes.
constexpr std::size_t PasoCorto(std::size_t n) { return n >= 8 ? 8 : n >= 4 ? 4 : n >= 2 ? 2 : n; }

template <std::size_t N>
[[gnu::always_inline]] inline void CopiaCorta(char* destino, const char* origen) {
    constexpr std::size_t Paso = PasoCorto(N);
    std::memcpy(destino, origen, Paso);
    if constexpr (N > Paso) CopiaCorta<N - Paso>(destino + Paso, origen + Paso);
}

// The N bytes at `bytes` or-ed together in the same moves, to test them for
// zeros with a handful of loads.
template <std::size_t N>
[[gnu::always_inline]] inline std::uint64_t OrDePalabras(const char* bytes) {
    constexpr std::size_t Paso = PasoCorto(N);
    std::uint64_t palabra = 0;
    std::memcpy(&palabra, bytes, Paso);
    if constexpr (N > Paso) return palabra | OrDePalabras<N - Paso>(bytes + Paso);
    else return palabra;
}

}  // namespace parchis::disposicion
