#include "core/narracion_texto.h"

#include <algorithm>
#include <charconv>
#include <initializer_list>
#include <string>
#include <string_view>

namespace parchis {

namespace {

// How an entry is told: the first line is the move number, then Antes, the
// player's name (unless SinNombre), Despues and, when ValorPrimera, the
// value counted; a second line, when Segunda is not empty, is four blanks,
// Segunda and then the value (ValorSegunda) or Fin.
struct Forma {
    std::string_view Antes{}, Despues{};
    bool ValorPrimera = false;
    std::string_view Segunda{}, Fin{};
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

// The pieces one after another, in a text allocated once: a restored game
// tells thousands of entries.
std::string Junta(std::initializer_list<std::string_view> piezas) {
    std::size_t largo = 0;
    for (const auto pieza : piezas) largo += pieza.size();
    std::string texto(largo, ' ');
    char* destino = texto.data();
    for (const auto pieza : piezas) destino = std::copy(pieza.begin(), pieza.end(), destino);
    return texto;
}

// Digits of n in `texto`.
std::string_view Cifras(int n, char (&texto)[12]) {
    return {texto, static_cast<std::size_t>(std::to_chars(texto, texto + sizeof texto, n).ptr - texto)};
}

void Compone(const Partida& p, int n, std::string& primera, std::string& segunda) {
    const Jugada vacia{};
    const Jugada& j = n >= 0 && n < static_cast<int>(p.Jugadas.size()) ? p.Jugadas[n] : vacia;
    const Forma f = SegunTipo(j, p.NumDados);
    const std::string_view nombre =
        f.SinNombre || j.Jugador < 1 || j.Jugador > 4 ? std::string_view() : p.Nombres[j.Jugador];
    char textoNumero[12], textoValor[12];
    const std::string_view numero = Cifras(n, textoNumero), valor = Cifras(j.ValorCuenta, textoValor);
    // Move number right-aligned in three places and a blank; past 999 the
    // number simply takes more room.
    const std::string_view relleno = std::string_view("   ").substr(std::min<std::size_t>(numero.size(), 3));
    primera = Junta({relleno, numero, " ", f.Antes, nombre, f.Despues, f.ValorPrimera ? valor : ""});
    if (!f.Segunda.empty()) segunda = Junta({"    ", f.Segunda, f.ValorSegunda ? valor : f.Fin});
}

}  // namespace

std::vector<std::string> LineasJugada(const Partida& p, int n) {
    std::string primera, segunda;
    Compone(p, n, primera, segunda);
    std::vector<std::string> salida{std::move(primera)};
    if (!segunda.empty()) salida.push_back(std::move(segunda));
    return salida;
}

void NarraJugada(Partida& p, int n) {
    std::string primera, segunda;
    Compone(p, n, primera, segunda);
    p.ListaJugadas.push_back(std::move(primera));
    if (!segunda.empty()) p.ListaJugadas.push_back(std::move(segunda));
}

}  // namespace parchis
