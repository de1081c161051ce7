// What the dice actually gave: tallies of the throws of a game, taken from
// its move log, and of all the games finished on this computer, kept in a
// small file of their own; and whether those figures are within chance
// (a chi-square goodness-of-fit test against fair dice).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/partida.h"

namespace parchis {

// The tally of one seat (or of all of them): every die that fell, and with
// two dice each total and the doubles.
struct CuentaDados {
    std::int64_t Tiradas = 0;      // throws of one die
    std::int64_t TiradasDos = 0;   // throws of two dice
    std::array<std::int64_t, 7> Caras{};    // [1..6] dice showing each face
    std::array<std::int64_t, 13> Sumas{};   // [2..12] totals of two dice
    std::int64_t Dobles = 0;
    std::int64_t Dados() const { return Tiradas + 2 * TiradasDos; }
    void Suma(const CuentaDados& o);
    bool operator==(const CuentaDados&) const = default;
};

// [1..4] per seat, [0] all seats together.
using RecuentoDados = std::array<CuentaDados, 5>;

// The throws of the record's game, each once, whoever threw it: those of
// the log's complete entries (1..NumJugada-1) and the throw waiting for
// its first move, not yet in the log.
RecuentoDados CuentaTiradas(const Partida& p);
// The throws of log entries 1..ultima alone (a finished game: NumJugada).
RecuentoDados CuentaTiradasHasta(const Partida& p, int ultima);

// --- the test ------------------------------------------------------------
// The regularized upper incomplete gamma function Q(a, x), a > 0, x >= 0.
double GammaIncompletaQ(double a, double x);

struct PruebaDados {
    bool Suficiente = false;   // enough throws for the test to mean anything
    double ChiCuadrado = 0;
    int GradosLibertad = 0;
    // Probability that fair dice stray this far or further from the
    // expected figures.
    double Probabilidad = 1;
};

// The faces against 1/6 each.
PruebaDados PruebaCaras(const CuentaDados& c);
// The totals of two dice against 1/36, 2/36, ... 6/36 ... 1/36.
PruebaDados PruebaSumas(const CuentaDados& c);

// Expected counts, for the table and the chart.
double CarasEsperadas(const CuentaDados& c);          // per face
double SumasEsperadas(const CuentaDados& c, int suma);
double DoblesEsperados(const CuentaDados& c);

// The verdict in plain words, with the probability: "Los dados se
// comportan como cabe esperar por azar (...)" or what the figures say.
std::string Veredicto(const PruebaDados& prueba);
// A probability as "43 %", "2,3 %" or "menos del 0,1 %".
std::string TextoProbabilidad(double p);

// --- the tally of all games ------------------------------------------------
inline constexpr const char* FicheroRecuento = "parchis-dados.txt";

struct RecuentoGeneral {
    std::int64_t Partidas = 0;
    RecuentoDados Recuento{};
    // Fingerprints of the latest games added, so that none is added twice.
    std::vector<std::uint64_t> Hechas;
    bool operator==(const RecuentoGeneral&) const = default;
};
inline constexpr std::size_t MaxHuellasRecuento = 256;

// The file's text, and its reading: a damaged or hostile file gives what
// can be trusted of it (each seat's line is taken only when it adds up).
std::string ComponeRecuento(const RecuentoGeneral& r);
RecuentoGeneral LeeRecuento(const std::string& texto);

// Reads carpeta + FicheroRecuento; missing or unreadable gives nothing.
RecuentoGeneral CargaRecuento(const std::string& carpeta);

// The fingerprint of a game: its identifier, dice rule and log.
std::uint64_t HuellaPartida(const Partida& p);

// Adds the finished game of the record (its log up to NumJugada) to the
// tally file (atomically replaced).  A game already added is not added
// again.  A file that does not read back whole is first moved aside
// (ApartaFichero), its new name in `apartado`.  Returns false when the file
// could not be written, and when it is there but cannot be read or moved
// aside: then it is left as it was.
bool AnadeRecuento(const std::string& carpeta, const Partida& p, std::string* apartado = nullptr);

}  // namespace parchis
