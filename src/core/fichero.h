// Whole-file reading and writing for the program's data files.  Failures are
// reported as values (an errno code, or false); nothing here throws.
//
// Only regular files are read or written: a named pipe or a device in place
// of a data file is refused before anything could block on it.  Replacing a
// file respects what the user set: a symbolic link is followed (its target
// is replaced, in the target's folder), a file the user cannot write is left
// alone, and the new file keeps the old one's permissions.
#pragma once

#include <cstddef>
#include <string>

namespace parchis {

// The longest file the program reads: a state file of the longest game
// (9999 moves of 20 characters) is about 200 KB.  Anything past this is
// ignored, as a damaged file's overlong tail would be.
inline constexpr std::size_t TamanoMaximoFichero = 1 << 20;

// What a temporary file of ours adds to the name of the file it replaces,
// before the process number.
inline constexpr const char* MarcaTemporal = ".parchis-tmp";

// Reads up to `maximo` bytes of the file.  Returns 0, or the errno of the
// failure (a folder in place of the file gives EISDIR, a pipe or a device
// EACCES, as a file that cannot be read; lack of memory gives ENOMEM).  On
// failure `contenido` is unchanged.
int LeeFichero(const std::string& ruta, std::string& contenido,
               std::size_t maximo = TamanoMaximoFichero);

// Reads the end of the file: its last whole `bloque`-byte blocks (counted
// from the start, so a short last block is kept) that fit in `maximo`.
// Returns as LeeFichero.
int LeeFinalFichero(const std::string& ruta, std::string& contenido, std::size_t maximo,
                    std::size_t bloque);

// The file that writing to `ruta` would replace: symbolic links followed,
// a dangling one to the file it names.
std::string DestinoReal(const std::string& ruta);

// True when EscribeFichero may replace the file: it is missing or a regular
// file the user can write (a link's target), in a folder the user can write.
bool SePuedeReemplazar(const std::string& ruta);

// Replaces the file atomically: a temporary file in the target's folder is
// written, flushed to disk and renamed over the old one.  A file that already
// holds exactly `contenido` is left untouched.  On any failure the old file
// is left as it was, the temporary file is removed and errno says why.
bool EscribeFichero(const std::string& ruta, const std::string& contenido);

// Appends to a regular file (created when missing).
bool AnadeAFichero(const std::string& ruta, const std::string& contenido);

// Copies the whole of origen to destino (atomically, as EscribeFichero).
bool CopiaFichero(const std::string& origen, const std::string& destino);

// Moves a damaged file out of the way to the first free name of
// "<file>.dañado", "<file>.dañado.2"... next to it (a link's target is
// moved, so the link names the new file), so that every damaged copy is
// kept for whoever wants to look at it.  Returns the new name, or an empty
// text when it could not be moved.  Only for a folder no other copy of the
// program is writing to.
std::string ApartaFichero(const std::string& ruta);

// Removes the temporary files a save cut short left in `carpeta`, and those
// left next to the targets of the links in it.  Only for a folder no other
// copy of the program is writing to.
void BorraTemporales(const std::string& carpeta);

}  // namespace parchis
