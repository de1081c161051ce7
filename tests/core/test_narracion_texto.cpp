#include <gtest/gtest.h>

#include "core/narracion_texto.h"

namespace parchis {
namespace {

struct Caso {
    int numero;
    Jugada entrada;
    int dados;
    std::vector<std::string> lineas;
};

Jugada Entrada(Entero jugador, Entero tipo, Entero valor, Entero detalle) {
    return {jugador, 0, 0, 0, valor, tipo, 0, 0, 0, 0, 0, 0, detalle};
}

TEST(NarracionTexto, LineasDeCadaTipoYDesenlaceAunDanados) {
    const Caso casos[] = {
        {12, Entrada(1, 3, 7, 1), 1, {" 12 Carmen cuenta 7", "    y come ficha"}},
        {3, Entrada(4, 10, 4, 0), 1, {"  3 Luis sale", "    contando 4"}},
        {5, Entrada(2, 3, 5, 3), 1, {"  5 Roberto saca ficha", "    a casilla de salida"}},
        {5, Entrada(2, 4, 6, 4), 2, {"  5 Roberto saca ficha", "    contando 6"}},
        {9, Entrada(3, 3, 12, 0), 1, {"  9 María cuenta 12"}},
        {9, Entrada(3, 5, 20, 2), 1, {"  9 María cuenta 20", "    para abrir barrera"}},
        {9, Entrada(3, 5, 10, 5), 1, {"  9 María cuenta 10", "    y llega a casa"}},
        {9, Entrada(3, 3, 5, 6), 1, {"  9 María saca ficha", "    obligatoriamente"}},
        {9, Entrada(3, 4, 3, 7), 2, {"  9 María come ficha", "    obligatoriamente"}},
        {40, Entrada(1, 1, 11, 0), 2, {" 40 Carmen no puede", "    contar 11"}},
        {41, Entrada(1, 2, 0, 0), 2, {" 41 Carmen no puede", "    sacar ficha"}},
        {42, Entrada(2, 6, 0, 0), 1, {" 42 Ficha de Roberto", "    a cuadro de espera"}},
        {43, Entrada(2, 7, 0, 0), 1, {" 43 Movimiento manual"}},
        {44, Entrada(4, 8, 5, 3), 1, {" 44 Luis sale con", "    dos fichas (1ra)"}},
        {45, Entrada(4, 9, 5, 3), 1, {" 45 Luis sale con", "    dos fichas (2da)"}},
        {46, Entrada(4, 11, 6, 0), 1, {" 46 Ficha de Luis", "    eliminada (3 seises)"}},
        {46, Entrada(4, 11, 6, 0), 2, {" 46 Ficha de Luis", "    eliminada (3 dobles)"}},
        {1000, Entrada(1, 3, 1, 0), 1, {"1000 Carmen cuenta 1"}},
        {7, Entrada(0, 0, 0, 0), 2, {"  7  cuenta 0"}},   // entries never played
        {10, Entrada(0, 0, 0, 0), 1, {" 10  cuenta 0"}},
        {999, Entrada(0, 0, 0, 0), 1, {"999  cuenta 0"}},
        {1, Entrada(9, 3, 4, 42), 1, {"  1  cuenta 4"}},   // no such seat, no such outcome
    };
    for (const auto& c : casos) {
        Partida p;
        p.Nombres = {"", "Carmen", "Roberto", "María", "Luis"};
        p.NumDados = static_cast<Entero>(c.dados);
        AseguraLog(p, c.numero);
        p.Jugadas[c.numero] = c.entrada;
        EXPECT_EQ(LineasJugada(p, c.numero), c.lineas) << c.numero;
    }
    EXPECT_EQ(LineasJugada(Partida{}, 5000), std::vector<std::string>{"5000  cuenta 0"}) << "past the log";
}

}  // namespace
}  // namespace parchis
