#include "flow/textos_ajustes.h"

namespace parchis {

namespace {

// The seat controls repeat every ten numbers: 11-14, 21-24, 31-34, 71-74.
int SinPuesto(int numero) {
    const int base = numero / 10 * 10;
    const bool dePuesto = (base == 10 || base == 20 || base == 30 || base == 70) &&
                          numero % 10 >= 1 && numero % 10 <= 4;
    return dePuesto ? base + 1 : numero;
}

// "5" or "doble" in the exit rules, "6" or "doble" in the six rule.
std::string Cinco(const Partida& p) { return p.NumDados == 2 ? "doble" : "5"; }
std::string Seis(const Partida& p) { return p.NumDados == 2 ? "doble" : "6"; }

}  // namespace

std::string TextoOpcion(const Partida& p, int numero) {
    switch (SinPuesto(numero)) {
        case 1: return "Sentido del juego";
        case 2: return "Modo de juego en red";
        case 3: return "Fichas por jugador";
        case 4: return "Número de dados";
        case 5: return "Si se obtiene un " + Seis(p) + " y están todas las fichas en juego";
        case 6: return "Primera ficha que se pone en juego";
        case 7: return "Método de puesta en juego de ficha";
        case 8: return "Método de cuenta de puntos de los dados";
        case 9: return "Modo de juego";
        case 11: return "Estado del jugador";
        case 21: return "Control del juego";
        case 31: return "Carácter del jugador";
        case 35: return "Mi puerto";
        case 36: return "Puesto en la mesa";
        case 41: return "Girar colores del tablero";
        case 51: return "Sonido";
        case 52: return "Pausa entre jugadas";
        case 53: return "Tutor automático";
        case 54: return "  Jugar en red";
        case 55: return "Para poner una ficha en juego hay que obtener un " + Cinco(p);
        case 56: return "Es obligatorio poner una ficha en juego al sacar un " + Cinco(p);
        case 57: return "Hay bonificación al comer ficha saliendo del cuadro de espera";
        case 58: return "Se pueden formar barreras en casillas de Salida";
        case 59: return "Se pueden formar barreras en casillas Seguro";
        case 65: return "Se pueden formar barreras en casillas Blancas";
        case 66: return "Es obligatorio comer ficha cuando se pueda";
        case 67: return "Indicar casillas de destino";
        case 68: return "Fichas de dos compañeros pueden formar barreras";
        case 71: return "Nivel del juego";
        case 75: return "Velocidad de juego";
        default: return {};
    }
}

std::vector<std::string> TextosValores(const Partida& p, int numero) {
    const bool dosDados = p.NumDados == 2;
    switch (SinPuesto(numero)) {
        case 1: return {"Directo", "Inverso"};
        case 2: return {"Administrador", "Cliente"};
        case 3: return {"Cuatro fichas", "Ocho fichas"};
        case 4: return {"Un dado", "Dos dados"};
        case 5:
            if (dosDados)
                return {"Se añaden los valores opuestos", "Se cuenta el doble",
                        "No hay bonificación. Se cuenta el valor de los dados"};
            return {"Se cuenta 7", "Se cuenta 12", "No hay bonificación. Se cuenta 6"};
        case 6:
            return {"Sigue la norma general de salidas",
                    "Se ponen dos fichas en juego al obtener el primer " + Cinco(p),
                    "La ficha inicial sale contando, el resto sacando un " + Cinco(p)};
        case 7:
            return {"Consiguiendo un 5, dos 5 o sumar 5 con ambos dados",
                    "Consiguiendo dobles (mismo valor en ambos dados)"};
        case 8:
            return {"Se suman los puntos de los dos dados",
                    "Se puede contar de forma individual o conjunta"};
        case 9: return {"Individual", "Parejas"};
        case 11: return {"Activado", "Desactivado"};
        case 21: return {"Manual", "Automático", "Remoto"};
        case 31: return {"Conservador", "Medio", "Agresivo"};
        case 35: return {"49921", "49922", "49923"};
        default: return {};
    }
}

}  // namespace parchis
