#include "sala/apertura.h"

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/random.h>
#include <sys/socket.h>

#include <cerrno>
#include <charconv>
#include <vector>

namespace parchis::sala {

namespace {

std::vector<std::string_view> Palabras(std::string_view linea) {
    std::vector<std::string_view> palabras;
    std::size_t i = 0;
    while (i < linea.size() && palabras.size() <= 6) {
        if (linea[i] == ' ') {
            ++i;
            continue;
        }
        const std::size_t fin = std::min(linea.find(' ', i), linea.size());
        palabras.push_back(linea.substr(i, fin - i));
        i = fin;
    }
    return palabras;
}

bool DelAlfabeto(std::string_view texto, std::size_t largo) {
    if (texto.size() != largo) return false;
    for (const char c : texto)
        if (AlfabetoCodigo.find(c) == std::string_view::npos) return false;
    return true;
}

template <typename T>
bool Numero(std::string_view texto, T minimo, T maximo, T& valor) {
    if (texto.empty() || texto.size() > 10) return false;
    T n{};
    const auto [fin, error] = std::from_chars(texto.data(), texto.data() + texto.size(), n);
    if (error != std::errc() || fin != texto.data() + texto.size() || n < minimo || n > maximo) return false;
    valor = n;
    return true;
}

}  // namespace

Apertura LeeApertura(std::string_view linea) {
    if (!linea.empty() && linea.back() == '\r') linea.remove_suffix(1);
    if (linea.size() > LongitudMaximaApertura) return {};
    for (const char c : linea)
        if (c < ' ' || c > '~') return {};
    const auto w = Palabras(linea);
    if (w.size() < 3 || w[0] != "PARCHIS-SALA" || w[1] != std::to_string(VersionSala)) return {};
    Apertura a;
    if (w[2] == "ADMINISTRADOR" && w.size() == 3) {
        a.Quien = Papel::Administrador;
    } else if (w[2] == "ADMINISTRADOR" && w.size() == 5 && DelAlfabeto(w[3], LongitudCodigo) &&
               DelAlfabeto(w[4], LongitudClave)) {
        a.Quien = Papel::Administrador;
        a.Codigo = w[3];
        a.Clave = w[4];
    } else if (w[2] == "CLIENTE" && w.size() == 5 && DelAlfabeto(w[3], LongitudCodigo) &&
               Numero(w[4], 1, 65535, a.Puerto)) {
        a.Quien = Papel::Cliente;
        a.Codigo = w[3];
    } else if (w[2] == "ENLACE" && w.size() == 6 && DelAlfabeto(w[3], LongitudCodigo) &&
               DelAlfabeto(w[4], LongitudClave) && Numero<std::uint32_t>(w[5], 1, 4'000'000'000u, a.Id)) {
        a.Quien = Papel::Enlace;
        a.Codigo = w[3];
        a.Clave = w[4];
    }
    return a;
}

// Bytes of 248 and more are drawn again, so that each of the 31
// characters is equally likely.
std::string GeneraCodigo(std::size_t n) {
    std::string codigo;
    unsigned char bytes[64];
    int intentos = 0;
    while (codigo.size() < n && ++intentos < 100) {
        const ssize_t leidos = getrandom(bytes, sizeof bytes, 0);
        if (leidos < 0) {
            if (errno == EINTR) continue;
            return {};
        }
        for (ssize_t i = 0; i < leidos && codigo.size() < n; ++i)
            if (bytes[i] < 248) codigo += AlfabetoCodigo[bytes[i] % AlfabetoCodigo.size()];
    }
    return codigo.size() == n ? codigo : std::string();
}

std::string NormalizaCodigo(std::string_view escrito) {
    std::string codigo;
    for (const char c : escrito) {
        if (c == ' ' || c == '-' || c == '\t') continue;
        codigo += (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
        if (codigo.size() > LongitudCodigo) return {};
    }
    return DelAlfabeto(codigo, LongitudCodigo) ? codigo : std::string();
}

bool IgualesSinPrisa(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    unsigned char diferencia = 0;
    for (std::size_t i = 0; i < a.size(); ++i) diferencia |= static_cast<unsigned char>(a[i] ^ b[i]);
    return diferencia == 0;
}

void ActivaSondeo(int fd) {
    const int si = 1, quieto = 60, intervalo = 20, intentos = 4;
    setsockopt(fd, SOL_SOCKET, SO_KEEPALIVE, &si, sizeof si);
    setsockopt(fd, IPPROTO_TCP, TCP_KEEPIDLE, &quieto, sizeof quieto);
    setsockopt(fd, IPPROTO_TCP, TCP_KEEPINTVL, &intervalo, sizeof intervalo);
    setsockopt(fd, IPPROTO_TCP, TCP_KEEPCNT, &intentos, sizeof intentos);
}

}  // namespace parchis::sala
