// Whole-file reading and writing for the program's data files.  Failures are
// reported as values (an errno code, or false); nothing here throws.
#pragma once

#include <cstddef>
#include <string>

namespace parchis {

// The longest file the program reads: a state file of the longest game
// (9999 moves of 20 characters) is about 200 KB.  Anything past this is
// ignored, as a damaged file's overlong tail would be.
inline constexpr std::size_t TamanoMaximoFichero = 1 << 20;

// Reads up to `maximo` bytes of the file.  Returns 0, or the errno of the
// failure (a folder in place of the file gives EISDIR; lack of memory gives
// ENOMEM).  On failure `contenido` is unchanged.
int LeeFichero(const std::string& ruta, std::string& contenido,
               std::size_t maximo = TamanoMaximoFichero);

// Replaces the file atomically: a temporary file in the same folder is
// written, flushed to disk and renamed over the old one.  On any failure the
// old file is left as it was and the temporary file is removed.
bool EscribeFichero(const std::string& ruta, const std::string& contenido);

// Copies the whole of origen to destino (atomically, as EscribeFichero).
bool CopiaFichero(const std::string& origen, const std::string& destino);

}  // namespace parchis
