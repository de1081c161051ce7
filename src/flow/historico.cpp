#include "flow/historico.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace parchis {

namespace {

constexpr int AnchoNombre = 9;
constexpr int InicioNombres = 12;   // 0-based position of the first name
constexpr int InicioPuntos = 48;
constexpr int PosicionParejas = 51;

// Windows-1252 characters 0x80..0x9F; 0 where the code page has none.
constexpr char16_t Tabla80[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void AnadeUtf8(std::string& s, char32_t c) {
    if (c < 0x80) {
        s += static_cast<char>(c);
    } else if (c < 0x800) {
        s += static_cast<char>(0xC0 | (c >> 6));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        s += static_cast<char>(0xE0 | (c >> 12));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::string DeWindows(std::string_view bytes) {
    std::string s;
    for (unsigned char b : bytes) {
        char32_t c = b;
        if (b >= 0x80 && b <= 0x9F) c = Tabla80[b - 0x80] ? Tabla80[b - 0x80] : U'?';
        AnadeUtf8(s, c);
    }
    return s;
}

// One byte per character; what the code page cannot hold becomes "?".
std::string AWindows(std::string_view utf8) {
    std::string s;
    for (std::size_t i = 0; i < utf8.size();) {
        const unsigned char b = static_cast<unsigned char>(utf8[i]);
        int largo = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 1;
        if (i + largo > utf8.size()) largo = 1;
        char32_t c = largo == 1 ? b : b & (0x7F >> largo);
        for (int k = 1; k < largo; ++k) c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        i += largo;
        if (largo == 1 && b >= 0x80) c = U'?';
        char byte = '?';
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) byte = static_cast<char>(c);
        for (int k = 0; k < 32; ++k)
            if (Tabla80[k] != 0 && Tabla80[k] == c) byte = static_cast<char>(0x80 + k);
        s += byte;
    }
    return s;
}

std::string Recorta(std::string_view s) {
    const auto a = s.find_first_not_of(' ');
    if (a == std::string_view::npos) return {};
    return std::string(s.substr(a, s.find_last_not_of(' ') - a + 1));
}

std::string Digitos(int valor, int ancho) {
    int tope = 1;
    for (int i = 0; i < ancho; ++i) tope *= 10;
    valor = valor < 0 ? 0 : valor >= tope ? tope - 1 : valor;
    char b[16];
    std::snprintf(b, sizeof b, "%0*d", ancho, valor);
    return b;
}

// The leading number of a field, blanks skipped; 0 when there is none.
int Numero(std::string_view campo) {
    int n = 0;
    std::size_t i = 0;
    while (i < campo.size() && campo[i] == ' ') ++i;
    for (; i < campo.size() && campo[i] >= '0' && campo[i] <= '9'; ++i) n = n * 10 + (campo[i] - '0');
    return n;
}

std::string_view Campo(std::string_view bytes, std::size_t desde, std::size_t ancho) {
    if (desde >= bytes.size()) return {};
    return bytes.substr(desde, ancho);
}

}  // namespace

std::string ComponeRegistroHistorico(const RegistroHistorico& r) {
    const FechaHora& f = r.Fecha;
    std::string s = Digitos(f.Anio, 4) + Digitos(f.Mes, 2) + Digitos(f.Dia, 2) + Digitos(f.Hora, 2) +
                    Digitos(f.Minuto, 2);
    for (const std::string& nombre : r.Nombres) {
        std::string n = AWindows(nombre).substr(0, AnchoNombre);
        s += n + std::string(AnchoNombre - n.size(), ' ');
    }
    char puntos[8];
    std::snprintf(puntos, sizeof puntos, "%3d", r.Puntos < 0 ? 0 : r.Puntos > 999 ? 999 : r.Puntos);
    s += puntos;
    s += r.Parejas ? 'P' : ' ';
    s += "   \r\n";
    return s;
}

RegistroHistorico LeeRegistroHistorico(std::string_view bytes) {
    RegistroHistorico r;
    r.Fecha = {Numero(Campo(bytes, 0, 4)), Numero(Campo(bytes, 4, 2)), Numero(Campo(bytes, 6, 2)),
               Numero(Campo(bytes, 8, 2)), Numero(Campo(bytes, 10, 2))};
    for (int i = 0; i < 4; ++i)
        r.Nombres[i] = Recorta(DeWindows(Campo(bytes, InicioNombres + AnchoNombre * i, AnchoNombre)));
    r.Puntos = Numero(Campo(bytes, InicioPuntos, 3));
    r.Parejas = Campo(bytes, PosicionParejas, 1) == "P";
    return r;
}

bool AnadeHistorico(const std::string& carpeta, const RegistroHistorico& r) {
    const std::string nombre = carpeta + FicheroHistorico;
    std::error_code error;
    const auto tamano = std::filesystem::file_size(nombre, error);
    std::string texto;
    if (!error && tamano % LargoRegistroHistorico != 0) {
        const std::size_t falta = LargoRegistroHistorico - tamano % LargoRegistroHistorico;
        texto.assign(falta, ' ');
        if (falta >= 2) texto.replace(falta - 2, 2, "\r\n");
    }
    texto += ComponeRegistroHistorico(r);
    std::ofstream f(nombre, std::ios::binary | std::ios::app);
    f.write(texto.data(), static_cast<std::streamsize>(texto.size()));
    f.flush();
    return static_cast<bool>(f);
}

std::vector<RegistroHistorico> LeeHistorico(const std::string& carpeta) {
    std::vector<RegistroHistorico> registros;
    std::ifstream f(carpeta + FicheroHistorico, std::ios::binary);
    if (!f) return registros;
    const std::string todo{std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
    const std::string_view v(todo);
    for (std::size_t i = 0; i < v.size(); i += LargoRegistroHistorico)
        registros.push_back(LeeRegistroHistorico(v.substr(i, LargoRegistroHistorico)));
    return registros;
}

}  // namespace parchis
