// Writes the fuzzer's seed files with the program's own writer: the
// defaults, games under way with logs of various lengths, eight pieces,
// pairs, two dice, and accented names.
#include <cstdio>
#include <random>
#include <string>

#include "core/configuracion.h"
#include "core/estado.h"

namespace {

using parchis::Entero;
using parchis::Partida;

Entero Al(std::mt19937& azar, int min, int max) {
    return static_cast<Entero>(std::uniform_int_distribution<int>(min, max)(azar));
}

// Pieces spread over the board with the squares' slots agreeing with them.
void ColocaFichas(std::mt19937& azar, Partida& p) {
    for (int j = 1; j <= 4; ++j) {
        p.EnEspera[j] = 0;
        for (int k = 1; k <= p.NumFichas; ++k) {
            const Entero casilla = Al(azar, 0, 100);
            auto& c = p.Casillas[casilla];
            int hueco = 1;
            while (hueco <= 3 && c.Jugador[hueco] != 0) ++hueco;
            if (casilla == 0 || hueco > 3) {
                ++p.EnEspera[j];
                continue;
            }
            p.Fichas[j][k] = casilla;
            c.Jugador[hueco] = static_cast<Entero>(j);
            c.Pieza[hueco] = static_cast<Entero>(k);
        }
        p.SiguienteSalida[j] = 1;
    }
}

void Registra(std::mt19937& azar, Partida& p, int jugadas) {
    p.PartidaIniciada = true;
    p.NumJugada = static_cast<Entero>(jugadas);
    parchis::AseguraLog(p, jugadas);
    for (int n = 1; n < jugadas; ++n) {
        auto& e = p.Jugadas[n];
        e.Jugador = Al(azar, 1, 4);
        e.Dado1 = Al(azar, 1, 6);
        e.Dado2 = p.NumDados == 2 ? Al(azar, 1, 6) : 0;
        e.ValorCuenta = static_cast<Entero>(e.Dado1 + e.Dado2);
        e.TipoJugada = Al(azar, 1, 11);
        e.FichaJugada = Al(azar, 1, static_cast<int>(p.NumFichas));
        e.CasillaOrigen = Al(azar, 0, 68);
        e.CasillaFinal = Al(azar, 1, 100);
        e.InicioTirada = Al(azar, 0, 1);
        e.Detalle = Al(azar, 0, 7);
    }
    p.Turno = Al(azar, 1, 4);
}

void Escribe(const std::string& carpeta, const std::string& nombre, Partida p) {
    p.Carpeta = carpeta;
    parchis::GuardarEstado(p, nombre);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "uso: %s carpeta/\n", argv[0]);
        return 2;
    }
    const std::string carpeta = std::string(argv[1]) + "/";
    std::mt19937 azar(2024);
    Partida base;
    parchis::AplicaValoresPorDefecto(base);
    Escribe(carpeta, "defecto.ini", base);

    Partida cuatro = base;
    ColocaFichas(azar, cuatro);
    Registra(azar, cuatro, 101);
    Escribe(carpeta, "en_curso_100.par", cuatro);

    Partida ocho = base;
    ocho.FichasPorJugador = 2;
    ocho.NumFichas = 8;
    ocho.NumDados = 2;
    ocho.Nombres = {"", "Íñigo", "Begoña", "Zoë", "Ángel"};
    ColocaFichas(azar, ocho);
    Registra(azar, ocho, 45);
    Escribe(carpeta, "ocho_fichas_dos_dados.par", ocho);

    Partida parejas = base;
    parejas.ModoJuego = 2;
    parejas.BarreraCompaneros = true;
    parejas.Estado[2] = 2;
    parejas.Control = {0, 3, 2, 3, 1};
    parejas.IPAdministrador = "192.168.100.200";
    parejas.IdPartida = "0815";
    parejas.ModoRed = 1;
    ColocaFichas(azar, parejas);
    Registra(azar, parejas, 2);
    Escribe(carpeta, "parejas_red.par", parejas);

    Partida larga = base;
    ColocaFichas(azar, larga);
    Registra(azar, larga, 1000);
    Escribe(carpeta, "mil_jugadas.par", larga);
    return 0;
}
