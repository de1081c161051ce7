// The history of finished games, "ZRVEL34.HIS" in the data folder: records
// of exactly 57 characters (Windows-1252 on disk), oldest first, no header.
//
//   1-4 year, 5-6 month, 7-8 day, 9-10 hour, 11-12 minute,
//   13, 22, 31, 40: four names of nine characters (in a pairs game the two
//   winners, then the two losers; otherwise the winner, then the others),
//   49-51 points, 52 "P" for a pairs game, 53-55 blank, 56-57 CR LF.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace parchis {

inline constexpr int LargoRegistroHistorico = 57;

struct FechaHora {
    int Anio = 0, Mes = 0, Dia = 0, Hora = 0, Minuto = 0;
    bool operator==(const FechaHora&) const = default;
};

struct RegistroHistorico {
    FechaHora Fecha;
    std::array<std::string, 4> Nombres{};   // UTF-8, without blanks; "" = nobody
    int Puntos = 0;
    bool Parejas = false;
    bool operator==(const RegistroHistorico&) const = default;
};

// The 57 bytes of a record as stored.
std::string ComponeRegistroHistorico(const RegistroHistorico& r);

// Reads one stored record; a short one is read as far as it goes.
RegistroHistorico LeeRegistroHistorico(std::string_view bytes);

// Adds a record at the end of carpeta + "ZRVEL34.HIS", creating the file
// when missing.  Existing records are never rewritten; a damaged last
// record is completed with blanks first so that the new one stays aligned.
// Returns false when the file could not be written.
bool AnadeHistorico(const std::string& carpeta, const RegistroHistorico& r);

// The records of the file, oldest first; none when it cannot be opened or
// is not a plain file (a pipe or a device would stall or never end).  At
// most MaxRegistrosLeidos are read: of a longer file, its newest ones.  The
// file is only read, never changed.
inline constexpr int MaxRegistrosLeidos = 50000;
std::vector<RegistroHistorico> LeeHistorico(const std::string& carpeta);

// --- the history window's pages --------------------------------------------
// A page shows eight records, newest first: PrimeraDePagina (the index of
// its newest record) down to PrimeraDePagina - 7, indexes below 0 skipped.
inline constexpr int RegistrosPorPagina = 8;

// One record as the folder prints it, in two lines.
struct TextoHistorico {
    std::string Fecha;       // "07-03-2004"
    std::string Hora;        // "18:05"
    std::string Ganadores;   // "María" or, in pairs, "Carmen y María"
    std::string Perdedores;  // "Roberto, Ana y Luis"
    std::string Puntos;      // "45"
};
TextoHistorico TextoDeRegistro(const RegistroHistorico& r);

// Indexes of the records on the page whose newest is `primera`, newest first.
std::vector<int> RegistrosDePagina(int primera);
// Whether the lower right corner (older games) or the lower left (newer)
// turns the page.
bool HayPaginaAnterior(int primera);
bool HayPaginaSiguiente(int primera, int numRegistros);

}  // namespace parchis
