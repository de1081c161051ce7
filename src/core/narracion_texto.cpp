#include "core/narracion_texto.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <string_view>

#include "core/disposicion_estado.h"

namespace parchis {

namespace {

using disposicion::CopiaCorta;

// How an entry is told: the first line is the move number, then Antes, the
// player's name (unless SinNombre), Despues and, when ValorPrimera, the
// value counted; a second line, when Segunda is not empty, is four blanks,
// Segunda and then the value (ValorSegunda) or Fin.
struct Forma {
    std::string_view Antes = "", Despues = "";
    bool ValorPrimera = false;
    std::string_view Segunda = "", Fin = "";
    bool ValorSegunda = false;
    bool SinNombre = false;
};

// Counting and exit moves: the outcome chooses the second line and may
// reword the first.
Forma SegunDetalle(int detalle) {
    constexpr std::string_view cuenta = " cuenta ", saca = " saca ficha";
    switch (detalle) {
        case 1: return {.Despues = cuenta, .ValorPrimera = true, .Segunda = "y come ficha"};
        case 2: return {.Despues = cuenta, .ValorPrimera = true, .Segunda = "para abrir barrera"};
        case 3: return {.Despues = saca, .Segunda = "a casilla de salida"};
        case 4: return {.Despues = saca, .Segunda = "contando ", .ValorSegunda = true};
        case 5: return {.Despues = cuenta, .ValorPrimera = true, .Segunda = "y llega a casa"};
        case 6: return {.Despues = saca, .Segunda = "obligatoriamente"};
        case 7: return {.Despues = " come ficha", .Segunda = "obligatoriamente"};
        default: return {.Despues = cuenta, .ValorPrimera = true};
    }
}

Forma SegunTipo(const Jugada& j, int dados) {
    switch (j.TipoJugada) {
        case 1: return {.Despues = " no puede", .Segunda = "contar ", .ValorSegunda = true};
        case 2: return {.Despues = " no puede", .Segunda = "sacar ficha"};
        case 6: return {.Antes = "Ficha de ", .Segunda = "a cuadro de espera"};
        case 7: return {.Antes = "Movimiento manual", .SinNombre = true};
        case 8: return {.Despues = " sale con", .Segunda = "dos fichas (1ra)"};
        case 9: return {.Despues = " sale con", .Segunda = "dos fichas (2da)"};
        case 10: return {.Despues = " sale", .Segunda = "contando ", .ValorSegunda = true};
        case 11:
            return {.Antes = "Ficha de ", .Segunda = "eliminada (3 ", .Fin = dados == 2 ? "dobles)" : "seises)"};
        default: return SegunDetalle(j.Detalle);
    }
}

// The pieces one after another in `texto`, written over its old text: a
// restored game tells thousands of entries, usually into the strings of
// the list it replaces, where a line of the same length needs no fill and
// no copy through another buffer.
template <std::size_t N>
void Junta(std::string& texto, const std::array<std::string_view, N>& piezas) {
    std::size_t largo = 0;
    for (const auto pieza : piezas) largo += pieza.size();
    texto.resize(largo);
    char* destino = texto.data();
    for (const auto pieza : piezas) {
        std::memcpy(destino, pieza.data(), pieza.size());
        destino += pieza.size();
    }
}

// The digits of `valor` written backwards, ending before `fin`; returns
// where they begin.  By hand rather than with std::to_chars, a call with
// range tests of its own, for each of thousands of entries.
char* PonCifras(char* fin, unsigned valor) {
    do {
        *--fin = static_cast<char>('0' + valor % 10);
        valor /= 10;
    } while (valor != 0);
    return fin;
}

unsigned Magnitud(int n) { return n < 0 ? 0u - static_cast<unsigned>(n) : static_cast<unsigned>(n); }

// Digits of n at the end of `texto`.
std::string_view Cifras(int n, char (&texto)[12]) {
    char* const fin = texto + sizeof texto;
    char* cifra = PonCifras(fin, Magnitud(n));
    if (n < 0) *--cifra = '-';
    return {cifra, static_cast<std::size_t>(fin - cifra)};
}

// The line of an entry of zeros: the number right-aligned in three places
// (past 999 it simply takes more room) and "  cuenta 0".  A damaged file
// can declare thousands of them, so the line is laid out in one buffer and
// added to the emptied line in one copy.
void LineaDeCeros(std::string& linea, int n) {
    constexpr std::string_view cuenta = "  cuenta 0";
    std::size_t cifras = n < 0 ? 2 : 1;
    for (unsigned resto = Magnitud(n); resto >= 10; resto /= 10) ++cifras;
    const std::size_t ancho = std::max<std::size_t>(cifras, 3);
    char texto[24];
    texto[0] = texto[1] = texto[2] = ' ';
    CopiaCorta<cuenta.size()>(texto + ancho, cuenta.data());
    char* const cifra = PonCifras(texto + ancho, Magnitud(n));
    if (n < 0) cifra[-1] = '-';
    linea.clear();
    linea.append(texto, ancho + cuenta.size());
}

// The lines of played entry j, number n, each written into the string
// `linea()` gives.  Kept out of line: under the address checker its buffers
// cost a guarded stack frame, which the entries of zeros need not pay.
template <typename DaLinea>
[[gnu::noinline]] void ComponeJugada(const Partida& p, const Jugada& j, int n, DaLinea&& linea) {
    char textoNumero[12], textoValor[12];
    const std::string_view numero = Cifras(n, textoNumero);
    // Move number right-aligned in three places and a blank; past 999 the
    // number simply takes more room.
    const std::string_view relleno = std::string_view("   ").substr(std::min<std::size_t>(numero.size(), 3));
    const Forma f = SegunTipo(j, p.NumDados);
    const std::string_view nombre =
        f.SinNombre || j.Jugador < 1 || j.Jugador > 4 ? std::string_view("") : p.Nombres[j.Jugador];
    const std::string_view valor = Cifras(j.ValorCuenta, textoValor);
    Junta(linea(), std::array{relleno, numero, std::string_view(" "), f.Antes, nombre, f.Despues,
                              f.ValorPrimera ? valor : std::string_view("")});
    if (!f.Segunda.empty()) Junta(linea(), std::array{std::string_view("    "), f.Segunda, f.ValorSegunda ? valor : f.Fin});
}

// The lines of entry n.
template <typename DaLinea>
void Compone(const Partida& p, int n, DaLinea&& linea) {
    const Jugada vacia{};
    const Jugada& j = n >= 0 && n < static_cast<int>(p.Jugadas.size()) ? p.Jugadas[n] : vacia;
    // An entry of zeros, as every one past a damaged log's end is, reads as
    // nobody counting 0: thousands of them are told with their number alone.
    if ((j.TipoJugada | j.Detalle | j.Jugador | j.ValorCuenta) == 0) LineaDeCeros(linea(), n);
    else ComponeJugada(p, j, n, linea);
}

}  // namespace

std::vector<std::string> LineasJugada(const Partida& p, int n) {
    std::vector<std::string> salida;
    Compone(p, n, [&salida]() -> std::string& { return salida.emplace_back(); });
    return salida;
}

void NarraJugada(Partida& p, int n) {
    Compone(p, n, [&p]() -> std::string& { return p.ListaJugadas.emplace_back(); });
}

void NarraRegistro(Partida& p) {
    // The list's strings are written over rather than freed and allocated
    // again: reading a game into a record that already shows one reuses them.
    auto& lista = p.ListaJugadas;
    std::size_t usadas = 0;
    const auto linea = [&lista, &usadas]() -> std::string& {
        if (usadas == lista.size()) lista.emplace_back();
        return lista[usadas++];
    };
    linea() = PrincipioPartida;
    if (p.PartidaIniciada) {
        // One or two lines per entry: room for them all at once.
        lista.reserve(2 * static_cast<std::size_t>(p.NumJugada));
        for (int n = 1; n < p.NumJugada; ++n) Compone(p, n, linea);
    }
    lista.resize(usadas);
}

}  // namespace parchis
