#include "core/narracion_texto.h"

#include <string>

namespace parchis {

namespace {

// Move number right-aligned in three places and a blank; past 999 the
// number simply takes more room.
std::string Prefijo(int n) {
    std::string numero = std::to_string(n);
    if (numero.size() < 3) numero.insert(0, 3 - numero.size(), ' ');
    return numero + " ";
}

struct Lineas {
    std::string Primera;
    std::string Segunda;   // empty when the move has one line
};

// Counting and exit moves: the outcome chooses the second line and may
// reword the first.
Lineas SegunDetalle(const std::string& nombre, const std::string& valor, int detalle) {
    const std::string cuenta = nombre + " cuenta " + valor;
    const std::string saca = nombre + " saca ficha";
    switch (detalle) {
        case 1: return {cuenta, "    y come ficha"};
        case 2: return {cuenta, "    para abrir barrera"};
        case 3: return {saca, "    a casilla de salida"};
        case 4: return {saca, "    contando " + valor};
        case 5: return {cuenta, "    y llega a casa"};
        case 6: return {saca, "    obligatoriamente"};
        case 7: return {nombre + " come ficha", "    obligatoriamente"};
        default: return {cuenta, ""};
    }
}

Lineas SegunTipo(const Partida& p, const Jugada& j) {
    const std::string nombre =
        j.Jugador >= 1 && j.Jugador <= 4 ? p.Nombres[j.Jugador] : std::string();
    const std::string valor = std::to_string(j.ValorCuenta);
    switch (j.TipoJugada) {
        case 1: return {nombre + " no puede", "    contar " + valor};
        case 2: return {nombre + " no puede", "    sacar ficha"};
        case 6: return {"Ficha de " + nombre, "    a cuadro de espera"};
        case 7: return {"Movimiento manual", ""};
        case 8: return {nombre + " sale con", "    dos fichas (1ra)"};
        case 9: return {nombre + " sale con", "    dos fichas (2da)"};
        case 10: return {nombre + " sale", "    contando " + valor};
        case 11:
            return {"Ficha de " + nombre,
                    std::string("    eliminada (3 ") + (p.NumDados == 2 ? "dobles)" : "seises)")};
        default: return SegunDetalle(nombre, valor, j.Detalle);
    }
}

}  // namespace

std::vector<std::string> LineasJugada(const Partida& p, int n) {
    const Jugada vacia{};
    const Jugada& j = n >= 0 && n < static_cast<int>(p.Jugadas.size()) ? p.Jugadas[n] : vacia;
    const Lineas lineas = SegunTipo(p, j);
    std::vector<std::string> salida{Prefijo(n) + lineas.Primera};
    if (!lineas.Segunda.empty()) salida.push_back(lineas.Segunda);
    return salida;
}

void NarraJugada(Partida& p, int n) {
    for (auto& linea : LineasJugada(p, n)) p.ListaJugadas.push_back(std::move(linea));
}

}  // namespace parchis
