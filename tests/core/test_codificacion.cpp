#include <gtest/gtest.h>

#include "core/codificacion.h"

namespace parchis {
namespace {

using Par = std::pair<std::string, std::string>;   // UTF-8, code page

TEST(Codificacion, TextosDeEjemploEnAmbosSentidos) {
    const Par pares[] = {
        {"María", "Mar\xED" "a"},
        {"€ 5", "\x80 5"},
        {"Œuvre Šárka Žofie Ÿ", "\x8C" "uvre \x8A\xE1" "rka \x8E" "ofie \x9F"},
    };
    for (const auto& [utf8, windows] : pares) {
        EXPECT_EQ(Windows1252DesdeUtf8(utf8), windows) << utf8;
        EXPECT_EQ(Utf8DesdeWindows1252(windows), utf8) << utf8;
    }
}

// The five bytes the code page leaves undefined read as '?'; every other
// byte is one character that writes back as itself.
TEST(Codificacion, CadaByteVuelveIgualSalvoLosSinDefinir) {
    const std::string sinDefinir = "\x81\x8D\x8F\x90\x9D";
    for (int b = 0; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        const std::string utf8 = Utf8DesdeWindows1252(byte);
        const bool definido = sinDefinir.find(byte) == std::string::npos;
        EXPECT_EQ(CuentaCaracteres(utf8), 1u) << b;
        EXPECT_EQ(Windows1252DesdeUtf8(utf8), definido ? byte : "?") << b;
    }
}

TEST(Codificacion, LoQueNoCabeEnUnByteEsUnaInterrogacion) {
    const Par pares[] = {
        {"李娜", "??"},
        {"😀x", "?x"},
        {"a\xC3", "a?"},             // cut sequence
        {"\xFF\xFE", "??"},          // bytes that start nothing
        {"\xED\xA0\x80", "???"},     // a surrogate: three stray bytes
        {"\xC0\xAF", "??"},          // overlong form
        {"\xE2\x82", "??"},          // cut three-byte sequence
    };
    for (const auto& [utf8, windows] : pares) {
        EXPECT_EQ(Windows1252DesdeUtf8(utf8), windows);
        EXPECT_EQ(CuentaCaracteres(utf8), windows.size());
    }
}

TEST(Codificacion, MinusculasDelCastellano) {
    EXPECT_EQ(MinusculasEspanol("ÁÉÍÓÚÜÑÇ ABCZ Š Œ Ž Ÿ"), "áéíóúüñç abcz š œ ž ÿ");
    EXPECT_EQ(MinusculasEspanol("× ß 李 1-2"), "× ß 李 1-2");
    EXPECT_EQ(MinusculasEspanol("ñandú"), "ñandú");
}

}  // namespace
}  // namespace parchis
