// Text encoding helpers.  Text in memory is UTF-8; files and network
// messages are Windows-1252, one byte per character.  Field widths count
// characters, so "María" fills five places.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace parchis {

// Windows-1252 bytes to UTF-8.  Every byte is accepted; the five bytes the
// code page leaves undefined (0x81 0x8D 0x8F 0x90 0x9D) become '?'.
std::string Utf8DesdeWindows1252(std::string_view bytes);

// UTF-8 to Windows-1252.  A character the code page cannot hold, and any
// malformed UTF-8 sequence, becomes one '?'; so the result has exactly
// CuentaCaracteres(texto) bytes.
std::string Windows1252DesdeUtf8(std::string_view texto);

// Characters in a UTF-8 text (a malformed byte counts as one character).
std::size_t CuentaCaracteres(std::string_view texto);

// The first n characters of a UTF-8 text.
std::string PrimerosCaracteres(std::string_view texto, std::size_t n);

// The text cut or padded with blanks on the right to exactly `ancho`
// characters.
std::string AjustaAncho(std::string_view texto, std::size_t ancho);

// Without blanks at either end / at the start.
std::string QuitaBlancos(std::string_view texto);
std::string QuitaBlancosIzquierda(std::string_view texto);

// Lower case for the letters of Spanish and the rest of the Windows-1252
// repertoire (Á -> á, Ñ -> ñ, Ü -> ü, ...); other characters unchanged.
std::string MinusculasEspanol(std::string_view texto);

}  // namespace parchis
