#include <gtest/gtest.h>

#include "core/codificacion.h"

namespace parchis {
namespace {

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

// Characters of the code page convert both ways; what does not fit in a
// byte, or is no character at all, is one '?' per character or stray byte.
TEST(Codificacion, TextosDeEjemplo) {
    const struct { std::string utf8, windows; bool vuelve; } casos[] = {
        {"María", "Mar\xED" "a", true},
        {"€ 5", "\x80 5", true},
        {"Œuvre Šárka Žofie Ÿ", "\x8C" "uvre \x8A\xE1" "rka \x8E" "ofie \x9F", true},
        {"李娜", "??", false},
        {"😀x", "?x", false},
        {"a\xC3", "a?", false},             // cut sequence
        {"\xFF\xFE", "??", false},          // bytes that start nothing
        {"\xED\xA0\x80", "???", false},     // a surrogate: three stray bytes
        {"\xC0\xAF", "??", false},          // overlong form
        {"\xE2\x82", "??", false},          // cut three-byte sequence
    };
    for (const auto& c : casos) {
        EXPECT_EQ(Windows1252DesdeUtf8(c.utf8), c.windows) << c.utf8;
        EXPECT_EQ(CuentaCaracteres(c.utf8), c.windows.size()) << c.utf8;
        if (c.vuelve) {
            EXPECT_EQ(Utf8DesdeWindows1252(c.windows), c.utf8) << c.utf8;
        }
    }
}

TEST(Codificacion, MinusculasDelCastellano) {
    EXPECT_EQ(MinusculasEspanol("ÁÉÍÓÚÜÑÇ ABCZ Š Œ Ž Ÿ"), "áéíóúüñç abcz š œ ž ÿ");
    EXPECT_EQ(MinusculasEspanol("× ß 李 1-2"), "× ß 李 1-2");
    EXPECT_EQ(MinusculasEspanol("ñandú"), "ñandú");
}

}  // namespace
}  // namespace parchis
