#include "core/codificacion.h"

#include <iconv.h>

namespace parchis {

namespace {

// One pair of conversion descriptors per thread: iconv keeps state in them,
// so they cannot be shared between threads.
class Conversores {
public:
    Conversores()
        : aUtf8_(iconv_open("UTF-8", "WINDOWS-1252")),
          aWindows_(iconv_open("WINDOWS-1252", "UTF-8")) {}
    ~Conversores() {
        if (Valido(aUtf8_)) iconv_close(aUtf8_);
        if (Valido(aWindows_)) iconv_close(aWindows_);
    }
    Conversores(const Conversores&) = delete;
    Conversores& operator=(const Conversores&) = delete;

    // Converts one character; false when it has no counterpart (or the
    // system lacks the code page, in which case only ASCII passes).
    static bool Convierte(iconv_t cd, std::string_view caracter, std::string& salida) {
        if (!Valido(cd)) return false;
        char buffer[8];
        char* entrada = const_cast<char*>(caracter.data());
        std::size_t quedan = caracter.size();
        char* destino = buffer;
        std::size_t libre = sizeof buffer;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        if (iconv(cd, &entrada, &quedan, &destino, &libre) == static_cast<std::size_t>(-1) ||
            quedan != 0)
            return false;
        salida.append(buffer, destino);
        return true;
    }

    iconv_t AUtf8() const { return aUtf8_; }
    iconv_t AWindows() const { return aWindows_; }

private:
    static bool Valido(iconv_t cd) { return cd != reinterpret_cast<iconv_t>(-1); }
    iconv_t aUtf8_;
    iconv_t aWindows_;
};

Conversores& ConversoresDelHilo() {
    thread_local Conversores conversores;
    return conversores;
}

// Length of the well-formed UTF-8 sequence at texto[i], or 1 for a byte that
// does not start one (so a malformed byte is one character everywhere).
std::size_t LongitudCaracter(std::string_view texto, std::size_t i) {
    const auto c = static_cast<unsigned char>(texto[i]);
    if (c < 0x80) return 1;
    std::size_t n = 0;
    unsigned char menor = 0x80, mayor = 0xBF;
    if (c >= 0xC2 && c <= 0xDF) n = 2;
    else if (c == 0xE0) { n = 3; menor = 0xA0; }
    else if (c == 0xED) { n = 3; mayor = 0x9F; }
    else if (c >= 0xE1 && c <= 0xEF) n = 3;
    else if (c == 0xF0) { n = 4; menor = 0x90; }
    else if (c == 0xF4) { n = 4; mayor = 0x8F; }
    else if (c >= 0xF1 && c <= 0xF3) n = 4;
    else return 1;
    if (i + n > texto.size()) return 1;
    for (std::size_t k = 1; k < n; ++k) {
        const auto b = static_cast<unsigned char>(texto[i + k]);
        const bool bien = k == 1 ? (b >= menor && b <= mayor) : (b >= 0x80 && b <= 0xBF);
        if (!bien) return 1;
    }
    return n;
}

bool EsBlanco(char c) { return c == ' '; }

}  // namespace

std::string Utf8DesdeWindows1252(std::string_view bytes) {
    std::string salida;
    salida.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            salida += bytes[i];
        } else if (!Conversores::Convierte(ConversoresDelHilo().AUtf8(), bytes.substr(i, 1), salida)) {
            salida += '?';
        }
    }
    return salida;
}

std::string Windows1252DesdeUtf8(std::string_view texto) {
    std::string salida;
    salida.reserve(texto.size());
    for (std::size_t i = 0; i < texto.size();) {
        const std::size_t n = LongitudCaracter(texto, i);
        const auto c = static_cast<unsigned char>(texto[i]);
        if (c < 0x80) {
            salida += texto[i];
        } else {
            // A malformed byte, or a character iconv turns into anything but
            // one byte, is replaced whole.
            std::string uno;
            const bool hecho = n > 1 &&
                Conversores::Convierte(ConversoresDelHilo().AWindows(), texto.substr(i, n), uno) &&
                uno.size() == 1;
            salida += hecho ? uno : std::string("?");
        }
        i += n;
    }
    return salida;
}

std::size_t CuentaCaracteres(std::string_view texto) {
    std::size_t cuenta = 0;
    for (std::size_t i = 0; i < texto.size(); i += LongitudCaracter(texto, i)) ++cuenta;
    return cuenta;
}

std::string PrimerosCaracteres(std::string_view texto, std::size_t n) {
    std::size_t i = 0;
    for (std::size_t k = 0; k < n && i < texto.size(); ++k) i += LongitudCaracter(texto, i);
    return std::string(texto.substr(0, i));
}

std::string AjustaAncho(std::string_view texto, std::size_t ancho) {
    std::string salida = PrimerosCaracteres(texto, ancho);
    salida.append(ancho - CuentaCaracteres(salida), ' ');
    return salida;
}

std::string QuitaBlancos(std::string_view texto) {
    std::string salida = QuitaBlancosIzquierda(texto);
    while (!salida.empty() && EsBlanco(salida.back())) salida.pop_back();
    return salida;
}

std::string QuitaBlancosIzquierda(std::string_view texto) {
    std::size_t i = 0;
    while (i < texto.size() && EsBlanco(texto[i])) ++i;
    return std::string(texto.substr(i));
}

std::string MinusculasEspanol(std::string_view texto) {
    std::string salida(texto);
    for (std::size_t i = 0; i < salida.size();) {
        const std::size_t n = LongitudCaracter(salida, i);
        auto& a = reinterpret_cast<unsigned char&>(salida[i]);
        if (n == 1) {
            if (a >= 'A' && a <= 'Z') a = static_cast<unsigned char>(a + 32);
        } else if (n == 2) {
            auto& b = reinterpret_cast<unsigned char&>(salida[i + 1]);
            // U+00C0..U+00DE except the multiplication sign U+00D7.
            if (a == 0xC3 && b >= 0x80 && b <= 0x9E && b != 0x97) {
                b = static_cast<unsigned char>(b + 0x20);
            } else if (a == 0xC5 && (b == 0x92 || b == 0xA0 || b == 0xBD)) {
                b = static_cast<unsigned char>(b + 1);   // Œ Š Ž
            } else if (a == 0xC5 && b == 0xB8) {
                a = 0xC3;                                  // Ÿ -> ÿ (U+00FF)
                b = 0xBF;
            }
        }
        i += n;
    }
    return salida;
}

}  // namespace parchis
