// Damaged state files: what the file does not say keeps its previous value.
// Arbitrary bytes, and the ranges every read record keeps, are the fuzzer's.
#include <gtest/gtest.h>

#include <functional>
#include <tuple>
#include <vector>

#include "ayudas_core.h"
#include "core/estado.h"

namespace parchis {
namespace {

using prueba::ConCampo;

// A game under way with a log of 5 entries, written as a file.
Partida PartidaEnCurso() {
    std::mt19937 azar(7);
    return prueba::RegistroAleatorio(azar, 6, true);
}

// The record the damaged file is read into.
Partida Previo() {
    Partida p = prueba::RegistroPorDefecto();
    p.Velocidad = 77;
    p.Fichas[1][1] = 12;
    p.Fichas[4][8] = 76;
    p.Casillas[7].Jugador[2] = 2;
    p.Casillas[7].Pieza[2] = 3;
    p.EnEspera[2] = 3;
    p.Turno = 2;
    p.NumFichas = 4;
    return p;
}

struct Caso {
    const char* nombre;
    std::function<std::string(const std::string&)> dana;
    std::function<void(const Partida& leido, const Partida& escrito)> comprueba;
};

void Igual(const Partida& leido, const Partida& escrito) { prueba::EsperaMismoRegistro(leido, escrito); }

void ConservaLoPrevio(const Partida& leido, const Partida&) {
    const Partida previo = Previo();
    EXPECT_EQ(std::tuple(leido.Velocidad, leido.Fichas, leido.Casillas, leido.Nombres),
              std::tuple(previo.Velocidad, previo.Fichas, previo.Casillas, previo.Nombres));
}

TEST(EstadoDanado, LoQueNoDiceConservaSuValor) {
    const Caso casos[] = {
        {"vacío", [](const std::string&) { return std::string(); }, ConservaLoPrevio},
        {"cortado en las casillas",
         [](const std::string& c) { return c.substr(0, 450); },
         [](const Partida& leido, const Partida& escrito) {
             EXPECT_EQ(std::tuple(leido.Fichas, leido.Casillas[7], leido.Velocidad, leido.Turno),
                       std::tuple(escrito.Fichas, escrito.Casillas[7], 77, 2));
         }},
        {"cortado en el registro",
         [](const std::string& c) { return c.substr(0, 905 + 45); },
         [](const Partida& leido, const Partida& escrito) {
             EXPECT_EQ(std::tuple(leido.Jugadas[2], leido.Jugadas[3].Jugador, leido.Jugadas[4]),
                       std::tuple(escrito.Jugadas[2], escrito.Jugadas[3].Jugador, Jugada{}));
         }},
        {"sin comillas", [](std::string c) { return std::erase(c, '"'), c; }, Igual},
        {"sin comillas de cierre",
         [](const std::string& c) { return ConCampo(ConCampo(c, 901, "\r"), c.size() - 3, "\r"); },
         Igual},
        {"línea 1 demasiado larga",
         [](const std::string& c) { return c.substr(0, 901) + std::string(5000, '9') + c.substr(901); },
         Igual},
        {"línea 2 demasiado larga",
         [](const std::string& c) { return c.substr(0, c.size() - 3) + std::string(300000, '7') + "\"\r\n"; },
         Igual},
        {"números fuera de rango",
         [](const std::string& c) {
             std::string s = ConCampo(c, 19, "999");              // seat 1, piece 1
             s = ConCampo(s, 42 * 3 + 19 + 21, "-1 ");           // seat 4, piece 8
             s = ConCampo(s, 168 + 6 * 6 + 3, "7");               // square 7, slot 2 seat
             s = ConCampo(s, 168 + 6 * 6 + 4, "9");               // square 7, slot 2 piece
             s = ConCampo(s, 42 + 16, "9");                       // seat 2 waiting pieces
             s = ConCampo(s, 849, "5");                           // pieces per seat
             s = ConCampo(s, 839, "7");                           // turn
             s = ConCampo(s, 905, "5");                           // entry 1 seat
             s = ConCampo(s, 905 + 8, "9");                       // entry 1 piece
             s = ConCampo(s, 905 + 20 + 10, "999");               // entry 2 origin
             s = ConCampo(s, 905 + 40 + 6, "12");                 // entry 3 kind
             return s;
         },
         [](const Partida& leido, const Partida& escrito) {
             // The previous values stay; the log's fields read as 0.
             const Partida& l = leido;
             EXPECT_EQ((std::vector<int>{l.Fichas[1][1], l.Fichas[4][8], l.Casillas[7].Jugador[2],
                                         l.Casillas[7].Pieza[2], l.EnEspera[2], l.Turno}),
                       (std::vector<int>{12, 76, 2, 3, 3, 2}));
             EXPECT_EQ((std::vector<int>{l.Jugadas[1].Jugador, l.Jugadas[1].FichaJugada, l.Jugadas[2].CasillaOrigen,
                                         l.Jugadas[3].TipoJugada, l.Jugadas[3].CasillaFinal}),
                       (std::vector<int>{0, 0, 0, 0, escrito.Jugadas[3].CasillaFinal}));
         }},
        {"campos ilegibles",
         [](const std::string& c) {
             std::string s = ConCampo(c, 809, "   ");            // speed
             s = ConCampo(s, 813, "x");                           // dice
             s = ConCampo(s, 839, "-");                           // turn
             s = ConCampo(s, 801, "  ");                          // pause
             s = ConCampo(s, 19, "a3 ");                          // seat 1, piece 1
             s = ConCampo(s, 168 + 6 * 6 + 3, " ");               // square 7, slot 2 seat
             s = ConCampo(s, 10, "7x ");                          // seat 1 level
             return ConCampo(s, 42 + 16, "?");                    // seat 2 waiting pieces
         },
         [](const Partida& l, const Partida&) {
             // What cannot be read keeps its value, but a seat's own numbers
             // are read by the digits they begin with.
             EXPECT_EQ((std::vector<int>{l.Velocidad, l.NumDados, l.Turno, l.PausaEntreJugadas, l.Fichas[1][1],
                                         l.Casillas[7].Jugador[2], l.Nivel[1], l.EnEspera[2]}),
                       (std::vector<int>{77, 1, 2, true, 12, 2, 7, 0}));
         }},
        {"registro de 9999 jugadas sin línea 2",
         [](const std::string& c) { return ConCampo(c.substr(0, 903), 842, "9999"); },
         [](const Partida& leido, const Partida&) {
             EXPECT_EQ(std::tuple(leido.NumJugada, leido.Jugadas[9998]), std::tuple(9999, Jugada{}));
         }},
    };
    const Partida escrito = PartidaEnCurso();
    const std::string fichero = ContenidoFichero(escrito);
    for (const auto& c : casos) {
        for (bool simulacion : {false, true}) {
            SCOPED_TRACE(std::string(c.nombre) + (simulacion ? " (simulación)" : ""));
            Partida leido = Previo();
            leido.LeyendoSimulacion = simulacion;
            LeerEstado(leido, c.dana(fichero));
            c.comprueba(leido, escrito);
        }
    }
}

// A file can name as the next piece to leave a box one the seat does not
// have, or one already out: a loaded game names the lowest-numbered piece
// in the box, as moving keeps it, and the file's number when the box is
// empty and the number is one of the seat's pieces.
TEST(EstadoDanado, LaSiguienteFichaEnSalirEsDeLaCaja) {
    struct CasoSalida {
        const char* nombre;
        int fichasPorJugador;          // 1: four pieces, 2: eight
        int guardada;                  // SiguienteSalida in the file
        std::vector<int> fuera;        // pieces of seat 1 on the board
        int esperada;
    };
    const CasoSalida casos[] = {
        {"PiezaQueNoTiene", 1, 6, {1}, 2},
        {"PiezaYaFuera", 1, 1, {1, 2}, 3},
        {"Cero", 2, 0, {}, 1},
        {"CajaVaciaConservaLaSuya", 1, 3, {1, 2, 3, 4}, 3},
        {"CajaVaciaYNumeroAjeno", 1, 7, {1, 2, 3, 4}, 1},
    };
    for (const CasoSalida& c : casos) {
        SCOPED_TRACE(c.nombre);
        Partida escrito = prueba::RegistroPorDefecto();
        escrito.FichasPorJugador = static_cast<Entero>(c.fichasPorJugador);
        escrito.SiguienteSalida[1] = static_cast<Entero>(c.guardada);
        for (int k : c.fuera) escrito.Fichas[1][k] = static_cast<Entero>(20 + k);
        Partida leido;
        LeerEstado(leido, ContenidoFichero(escrito));
        EXPECT_EQ(leido.SiguienteSalida[1], c.esperada);
    }
}

}  // namespace
}  // namespace parchis
