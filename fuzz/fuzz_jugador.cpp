// Arbitrary bytes as a saved game, its last four bytes as the throw the
// computer player is asked to count: on any record the state reader
// accepts the player must stay inside its arrays, stop (its time guard is
// made to give up after a few thousand search nodes), choose one of the
// seat's pieces or none, and leave the board as it was.  The statistics
// window's questions (value distribution, danger of each piece) are asked
// of the same record.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "ai/eleccion.h"
#include "ai/probabilidad.h"
#include "ai/valoracion.h"
#include "core/estado.h"
#include "registros.h"
#include "rules/movimiento.h"

namespace {

using parchis::Entero;
using parchis::Partida;

// The harness's own checks are left out of the coverage feedback: they are
// not what is explored.
#define SIN_COBERTURA __attribute__((no_sanitize("coverage")))

SIN_COBERTURA void Exige(bool condicion) {
    if (!condicion) std::abort();
}

// What the player must leave as it found it, taken and compared field by
// field rather than with the whole record and its move list; kept between
// runs, so that the log's copy reuses its storage.
struct Tablero {
    decltype(Partida::Fichas) Fichas;
    decltype(Partida::Casillas) Casillas;
    decltype(Partida::EnEspera) EnEspera, EnCasa, SiguienteSalida;
    std::vector<parchis::Jugada> Jugadas;

    SIN_COBERTURA void Toma(const Partida& p) {
        Fichas = p.Fichas;
        Casillas = p.Casillas;
        EnEspera = p.EnEspera;
        EnCasa = p.EnCasa;
        SiguienteSalida = p.SiguienteSalida;
        Jugadas = p.Jugadas;
    }
    SIN_COBERTURA bool Igual(const Partida& p) const {
        return Fichas == p.Fichas && Casillas == p.Casillas && EnEspera == p.EnEspera &&
               EnCasa == p.EnCasa && SiguienteSalida == p.SiguienteSalida && fuzz::MismoLog(Jugadas, p.Jugadas);
    }
};

// A new throw, a later value of it, a bonus count or the second piece of a
// two-piece exit, as the turn engine would ask.
void PonTirada(Partida& p, const std::uint8_t* b) {
    p.Dado1 = static_cast<Entero>(b[0] % 6 + 1);
    p.Dado2 = static_cast<Entero>(p.NumDados == 2 ? b[1] % 6 + 1 : 0);
    p.TipoJugada = 0;
    p.SalidaDoble = 0;
    p.SacarObligado = p.ComerObligado = p.AbrirBarrera = false;
    p.ValorUsado.fill(false);
    p.ValoresUsados = 0;
    p.TiradaNueva = true;
    parchis::CalculaValores(p);
    switch (b[2] % 5) {
        case 1:   // a later value of the throw
            if (p.ModoValores >= 2) {
                const int i = 1 + b[3] % p.ModoValores;
                p.ValorUsado[i] = true;
                p.ValoresUsados = 1;
                p.ValorCuenta = p.ValoresCuenta[i == 1 ? 2 : 1];
                p.TiradaNueva = false;
            }
            break;
        case 2:   // a bonus count
            p.TipoJugada = 5;
            p.ValorCuenta = static_cast<Entero>(b[3] % 2 ? 20 : 10);
            p.TiradaNueva = false;
            break;
        case 3:   // the second piece of a two-piece exit
            p.SalidaDoble = 2;
            p.ValorCuenta = 5;
            p.TiradaNueva = false;
            break;
        default: break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t largo) {
    if (largo < 4) return 0;
    static Partida nueva, p;
    static std::string contenido;
    static Tablero antes;
    fuzz::Reinicia(p, nueva);
    contenido.assign(reinterpret_cast<const char*>(datos), largo - 4);
    parchis::LeerEstado(p, contenido);
    PonTirada(p, datos + largo - 4);
    antes.Toma(p);
    // Each reading of the clock is 20 seconds on: against the 40-second
    // guard the search gives up at its third reading (the start of a third
    // order of the values, or 8,192 nodes), so runs stay short and the
    // guard's way out is taken often.
    int lecturas = 0;
    parchis::EligeJugada(p, [&lecturas] { return 20.0 * lecturas++; });
    Exige(antes.Igual(p));
    Exige(p.JugadaElegida.Ficha >= 0 && p.JugadaElegida.Ficha <= p.NumFichas);
    for (int j = 1; j <= 4; ++j) {
        const parchis::DistribucionValores d = parchis::ProbabilidadValores(p, j);
        Exige(d.NumValoresPosibles >= 0 && d.NumValoresPosibles <= parchis::MaxValor);
        for (int k = 1; k <= p.NumFichas; ++k) Exige(std::isfinite(parchis::PeligroFicha(p, j, k)));
    }
    fuzz::SueltaLineas(p);
    return 0;
}
