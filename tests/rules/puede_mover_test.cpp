// Legality of single moves on small hand-built positions.
#include <gtest/gtest.h>

#include <functional>

#include "common/posicion.h"
#include "rules/movimiento.h"

namespace parchis {
namespace {

using prueba::Pon;
using Prepara = std::function<void(Partida&)>;

struct Caso {
    const char* nombre;
    Prepara prepara;
    int jugador, valor, posicion, ficha;
    int destino;  // -1: the move is refused
};

void UnDado(Partida& p, int d) {
    p.NumDados = 1;
    p.Dado1 = static_cast<Entero>(d);
    p.Dado2 = 0;
}

void DosDados(Partida& p, int d1, int d2, int metodoCuenta, int metodoSalida = 1) {
    p.NumDados = 2;
    p.Dado1 = static_cast<Entero>(d1);
    p.Dado2 = static_cast<Entero>(d2);
    p.MetodoCuenta = static_cast<Entero>(metodoCuenta);
    p.MetodoSalida = static_cast<Entero>(metodoSalida);
}

// Seat 1 has piece 1 out on `s`; the other three stay boxed unless `todas`.
Prepara Seat1En(int s, bool todas = false) {
    return [s, todas](Partida& p) {
        UnDado(p, 3);
        Pon(p, 1, 1, s);
        if (todas)
            for (int k = 2; k <= 4; ++k) Pon(p, 1, k, 100);
    };
}

void Ejecuta(const Caso& c) {
    Partida p = prueba::PartidaVacia();
    p.Turno = static_cast<Entero>(c.jugador >= 1 && c.jugador <= 4 ? c.jugador : 1);
    if (c.prepara) c.prepara(p);
    const bool puede = PuedeMover(p, c.jugador, c.valor, c.posicion, c.ficha);
    EXPECT_EQ(puede, c.destino != -1) << c.nombre;
    EXPECT_EQ(p.CasillaDestino, c.destino) << c.nombre;
}

TEST(PuedeMover, SalidaDelCuadro) {
    auto conDado = [](int d) { return [d](Partida& p) { UnDado(p, d); }; };
    const Caso casos[] = {
        {"a five leaves to the exit square", conDado(5), 1, 5, 0, 1, 56},
        {"any other value stays", conDado(4), 1, 4, 0, 1, -1},
        {"only the next piece in the box is offered", conDado(5), 1, 5, 0, 2, -1},
        {"without a piece named any box piece may", conDado(5), 1, 5, 0, 0, 56},
        {"no five needed: leaves counting", [](Partida& p) { UnDado(p, 3); p.SalidaCon5 = false; }, 1, 3, 0,
         1, 59},
        {"first piece counts out", [](Partida& p) { UnDado(p, 3); p.PrimeraFicha = 3; }, 2, 3, 0, 1, 42},
        {"only while every piece is boxed",
         [](Partida& p) { UnDado(p, 3); p.PrimeraFicha = 3; Pon(p, 2, 1, 50); }, 2, 3, 0, 2, -1},
        {"counting out still meets barriers",
         [](Partida& p) {
             UnDado(p, 4); p.PrimeraFicha = 3;
             Pon(p, 3, 1, 41); Pon(p, 3, 2, 41);
         },
         2, 4, 0, 1, -1},
        {"rival barrier on the exit square",
         [](Partida& p) { UnDado(p, 5); Pon(p, 2, 1, 56); Pon(p, 2, 2, 56); }, 1, 5, 0, 1, -1},
        {"rival pair on the exit square without exit barriers",
         [](Partida& p) { UnDado(p, 5); p.BarreraSalida = false; Pon(p, 2, 1, 56); Pon(p, 2, 2, 56); },
         1, 5, 0, 1, 56},
        {"two rivals of different seats",
         [](Partida& p) { UnDado(p, 5); Pon(p, 2, 1, 56); Pon(p, 3, 1, 56); }, 1, 5, 0, 1, 56},
        {"own pair on the exit square without exit barriers",
         [](Partida& p) { UnDado(p, 5); p.BarreraSalida = false; Pon(p, 1, 1, 56); Pon(p, 1, 2, 56); },
         1, 5, 0, 3, -1},
        // two dice, leaving with a five
        {"a die of five alone", [](Partida& p) { DosDados(p, 5, 2, 2); }, 1, 5, 0, 1, 56},
        {"the total is not a five", [](Partida& p) { DosDados(p, 5, 2, 2); }, 1, 7, 0, 1, -1},
        {"dice summing five", [](Partida& p) { DosDados(p, 3, 2, 1); }, 1, 5, 0, 1, 56},
        {"summing: either die a five", [](Partida& p) { DosDados(p, 5, 2, 1); }, 1, 7, 0, 1, 56},
        {"summing: not for a bonus",
         [](Partida& p) { DosDados(p, 5, 2, 1); p.TipoJugada = 5; }, 1, 20, 0, 1, -1},
        // two dice, leaving with doubles
        {"doubles: the double's total", [](Partida& p) { DosDados(p, 3, 3, 2, 2); }, 1, 6, 0, 1, 56},
        {"doubles: one die of the double", [](Partida& p) { DosDados(p, 3, 3, 2, 2); }, 1, 3, 0, 1, -1},
        {"doubles: a five is not enough", [](Partida& p) { DosDados(p, 5, 2, 2, 2); }, 1, 5, 0, 1, -1},
        {"doubles: not for a bonus",
         [](Partida& p) { DosDados(p, 2, 2, 2, 2); p.TipoJugada = 5; }, 1, 4, 0, 1, -1},
    };
    for (const Caso& c : casos) Ejecuta(c);
}

TEST(PuedeMover, CuentaYLlegada) {
    const Caso casos[] = {
        {"plain count", Seat1En(60), 1, 3, 60, 1, 63},
        {"round the ring", Seat1En(66), 1, 4, 66, 1, 2},
        {"into the corridor", Seat1En(50), 1, 4, 50, 1, 95},
        {"exactly home", Seat1En(96), 1, 4, 96, 1, 100},
        {"past home", Seat1En(96), 1, 5, 96, 1, -1},
        {"a piece at home", Seat1En(100), 1, 1, 100, 1, -1},
        {"double one counts home from the square before",
         [](Partida& p) { Pon(p, 1, 1, 99); DosDados(p, 1, 1, 1); }, 1, 2, 99, 1, 100},
        {"as does its doubled value",
         [](Partida& p) { Pon(p, 1, 1, 99); DosDados(p, 1, 1, 1); }, 1, 14, 99, 1, 100},
        {"but not a bonus of 10",
         [](Partida& p) { Pon(p, 1, 1, 99); DosDados(p, 1, 1, 1); }, 1, 10, 99, 1, -1},
        {"nor a bonus of 20",
         [](Partida& p) { Pon(p, 1, 1, 99); DosDados(p, 1, 1, 1); }, 1, 20, 99, 1, -1},
        {"three from another throw stays",
         [](Partida& p) { Pon(p, 1, 1, 99); DosDados(p, 1, 2, 1); }, 1, 3, 99, 1, -1},
        {"double one counted apart stays",
         [](Partida& p) { Pon(p, 1, 1, 99); DosDados(p, 1, 1, 2); }, 1, 2, 99, 1, -1},
        {"double one two squares before home",
         [](Partida& p) { Pon(p, 1, 1, 98); DosDados(p, 1, 1, 1); }, 1, 3, 98, 1, -1},
        {"full destination",
         [](Partida& p) { Pon(p, 1, 1, 60); Pon(p, 2, 1, 63); Pon(p, 3, 1, 63); }, 1, 3, 60, 1, -1},
        {"destination with one rival",
         [](Partida& p) { Pon(p, 1, 1, 60); Pon(p, 2, 1, 63); }, 1, 3, 60, 1, 63},
        {"full white square without white barriers",
         [](Partida& p) { p.BarreraBlancas = false; Pon(p, 1, 1, 60); Pon(p, 2, 1, 62); Pon(p, 2, 2, 62); },
         1, 2, 60, 1, -1},
        {"second piece of a double exit may not count from the exit",
         [](Partida& p) { Pon(p, 1, 1, 56); p.TipoJugada = 9; }, 1, 5, 56, 1, -1},
        {"a piece on the exit counts otherwise", Seat1En(56), 1, 4, 56, 1, 60},
        {"value 0 moves nothing", Seat1En(60), 1, 0, 60, 1, -1},
        {"damaged position", nullptr, 1, 3, 101, 1, -1},
        {"negative position", nullptr, 1, 3, -2, 1, -1},
        {"no such seat", nullptr, 0, 3, 10, 1, -1},
        {"no such seat either", nullptr, 5, 3, 10, 1, -1},
    };
    for (const Caso& c : casos) Ejecuta(c);
}

TEST(PuedeMover, BarrerasEnElCamino) {
    const Caso casos[] = {
        {"rival barrier ahead",
         [](Partida& p) { Pon(p, 1, 1, 56); Pon(p, 2, 1, 58); Pon(p, 2, 2, 58); }, 1, 4, 56, 1, -1},
        {"own barrier ahead",
         [](Partida& p) { Pon(p, 1, 1, 56); Pon(p, 1, 2, 58); Pon(p, 1, 3, 58); }, 1, 4, 56, 1, -1},
        {"barrier just past the destination",
         [](Partida& p) { Pon(p, 1, 1, 56); Pon(p, 2, 1, 61); Pon(p, 2, 2, 61); }, 1, 4, 56, 1, 60},
        {"white pair without white barriers lets pieces through",
         [](Partida& p) { p.BarreraBlancas = false; Pon(p, 1, 1, 56); Pon(p, 2, 1, 58); Pon(p, 2, 2, 58); },
         1, 4, 56, 1, 60},
        {"safe-square barrier",
         [](Partida& p) { Pon(p, 1, 1, 60); Pon(p, 2, 1, 63); Pon(p, 2, 2, 63); }, 1, 5, 60, 1, -1},
        {"partners' barrier blocks in pairs",
         [](Partida& p) {
             p.ModoJuego = 2; p.BarreraCompaneros = true;
             Pon(p, 1, 1, 56); Pon(p, 2, 1, 58); Pon(p, 4, 1, 58);
         },
         1, 4, 56, 1, -1},
        {"barrier in one's own corridor",
         [](Partida& p) { Pon(p, 1, 1, 50); Pon(p, 1, 2, 94); Pon(p, 1, 3, 94); }, 1, 5, 50, 1, -1},
    };
    for (const Caso& c : casos) Ejecuta(c);
}

// A barrier opened with the first value of a throw cannot be re-formed on
// the opening piece's square with a later value of the same throw.
TEST(PuedeMover, NoRehaceLaBarreraAbierta) {
    auto prepara = [](int usados, int jugadorLog, int detalle, bool masNueva) {
        return [=](Partida& p) {
            DosDados(p, 6, 6, 2);
            Pon(p, 1, 1, 60);
            Pon(p, 1, 2, 54);
            Jugada e;
            e.Jugador = static_cast<Entero>(jugadorLog);
            e.TipoJugada = 4;
            e.InicioTirada = 1;
            e.Detalle = static_cast<Entero>(detalle);
            e.CasillaOrigen = 54;
            e.CasillaFinal = 60;
            prueba::Anota(p, e);
            Jugada otra;
            otra.Jugador = 2;
            otra.InicioTirada = 1;
            otra.TipoJugada = 3;
            prueba::Anota(p, otra);
            if (masNueva) {
                Jugada nueva = e;
                nueva.Detalle = 0;
                nueva.CasillaFinal = 40;
                prueba::Anota(p, nueva);
            }
            p.ValoresUsados = static_cast<Entero>(usados);
        };
    };
    const Caso casos[] = {
        {"later value onto the opened square", prepara(1, 1, 2, false), 1, 6, 54, 2, -1},
        {"first value of a throw", prepara(0, 1, 2, false), 1, 6, 54, 2, 60},
        {"the entry did not open a barrier", prepara(1, 1, 0, false), 1, 6, 54, 2, 60},
        {"another seat's entry", prepara(1, 3, 2, false), 1, 6, 54, 2, 60},
        {"only the newest start of a throw counts", prepara(1, 1, 2, true), 1, 6, 54, 2, 60},
        {"another square", prepara(1, 1, 2, false), 1, 5, 54, 2, 59},
    };
    for (const Caso& c : casos) Ejecuta(c);
}

TEST(PuedeMover, SalidaObligatoria) {
    auto cinco = [](Partida& p) { UnDado(p, 5); Pon(p, 1, 1, 60); };
    const Caso casos[] = {
        {"a five with a piece boxed must take it out", cinco, 1, 5, 60, 1, -1},
        {"the box piece itself", cinco, 1, 5, 0, 2, 56},
        {"second value of the throw",
         [&](Partida& p) { cinco(p); p.ValoresUsados = 1; }, 1, 5, 60, 1, 65},
        {"exit not compulsory",
         [&](Partida& p) { cinco(p); p.SalidaObligatoria = false; }, 1, 5, 60, 1, 65},
        {"bonus count",
         [&](Partida& p) { cinco(p); p.TipoJugada = 5; }, 1, 5, 60, 1, 65},
        {"no piece boxed", Seat1En(60, true), 1, 5, 60, 1, 65},
        {"box piece blocked by own pair",
         [](Partida& p) { UnDado(p, 5); p.BarreraSalida = false; Pon(p, 1, 1, 56); Pon(p, 1, 2, 56); Pon(p, 1, 3, 60); },
         1, 5, 60, 3, 65},
        {"box piece blocked by a barrier",
         [](Partida& p) { UnDado(p, 5); Pon(p, 2, 1, 56); Pon(p, 2, 2, 56); Pon(p, 1, 1, 60); },
         1, 5, 60, 1, 65},
    };
    for (const Caso& c : casos) Ejecuta(c);
}

TEST(PuedeMover, SoloLaPrimeraDeDosJuntas) {
    auto juntas = [](Partida& p) { UnDado(p, 3); Pon(p, 1, 1, 30); Pon(p, 1, 2, 30); };
    const Caso casos[] = {
        {"the piece in slot 1", juntas, 1, 3, 30, 1, 33},
        {"the piece in slot 2", juntas, 1, 3, 30, 2, -1},
        {"no piece named", juntas, 1, 3, 30, 0, 33},
        {"with a rival beside it",
         [](Partida& p) { UnDado(p, 3); p.BarreraSeguro = false; Pon(p, 2, 1, 29); Pon(p, 1, 2, 29); },
         1, 3, 29, 2, 32},
        {"slot 1 empty, slot 2 alone",
         [](Partida& p) { UnDado(p, 3); prueba::PonEnHueco(p, 1, 2, 30, 2); }, 1, 3, 30, 2, 33},
        {"double one home from a pair",
         [](Partida& p) { DosDados(p, 1, 1, 1); Pon(p, 1, 1, 99); Pon(p, 1, 2, 99); }, 1, 2, 99, 2, -1},
    };
    for (const Caso& c : casos) Ejecuta(c);
}

}  // namespace
}  // namespace parchis
