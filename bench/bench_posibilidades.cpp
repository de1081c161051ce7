// Speed of the win-chance analysis on fixed mid-game positions (new games
// of computer seats played from fixed seeds, stopped at a throw halfway
// through a typical game): the default rules at move 210, and two dice
// with eight pieces at move 650.  Over 60 games of four computer seats the
// median game lasted 421 and 1,292 moves.
//   BM_Simulacion: playouts per second on one thread, with the luck of
//   their throws measured as the analysis does.
//   BM_HastaDosPuntos: the time an analysis on every core takes to bring
//   each seat within 2 points (95 %), one position per run, a new seed per
//   iteration; "partidas" counts its playouts, "terminadas" the games
//   played to their end (a playout's branches each count).
#include <benchmark/benchmark.h>

#include <atomic>
#include <string>
#include <vector>

#include "common/posicion_media.h"
#include "core/configuracion.h"
#include "flow/posibilidades.h"

namespace {

using namespace parchis;

std::vector<Partida> Posiciones(bool pesadas) {
    Partida reglas;
    AplicaValoresPorDefecto(reglas);
    reglas.Estado = {0, 1, 1, 1, 1};
    if (pesadas) {
        reglas.NumDados = 2;
        reglas.FichasPorJugador = 2;
        reglas.NumFichas = 8;
    }
    std::vector<Partida> v;
    for (unsigned semilla = 1; v.size() < 4 && semilla < 40; ++semilla) {
        Partida p = prueba::PosicionMedia(reglas, semilla, pesadas ? 650 : 210);
        if (p.PartidaIniciada) v.push_back(std::move(p));
    }
    return v;
}

const std::vector<Partida>& Conjunto(bool pesadas) {
    static const std::vector<Partida> defecto = Posiciones(false), pesado = Posiciones(true);
    return pesadas ? pesado : defecto;
}

void BM_Simulacion(benchmark::State& state) {
    std::vector<Partida> inicios;
    for (const Partida& p : Conjunto(state.range(0) != 0)) {
        Partida s;
        if (PreparaSimulacion(p, s)) inicios.push_back(std::move(s));
    }
    std::int64_t i = 0;
    for (auto _ : state) {
        Suerte suerte{};   // the analysis measures each playout's luck
        benchmark::DoNotOptimize(JuegaSimulacion(inicios[i % inicios.size()], 7, i, nullptr, &suerte));
        ++i;
    }
    state.counters["partidas/s"] = benchmark::Counter(static_cast<double>(i), benchmark::Counter::kIsRate);
    state.SetLabel(state.range(0) ? "dos dados, ocho fichas" : "reglas por defecto");
}

void BM_HastaDosPuntos(benchmark::State& state) {
    const Partida& p = Conjunto(state.range(0) != 0).at(state.range(1));
    std::uint64_t semilla = 1;
    double partidas = 0, terminadas = 0, margen = 0;
    for (auto _ : state) {
        const Posibilidades r = EstimaPosibilidades(p, semilla++, 0.02);
        partidas += static_cast<double>(r.Partidas);
        terminadas += static_cast<double>(r.Terminadas);
        margen = std::max(margen, r.MargenMaximo(p));
    }
    state.counters["partidas"] = benchmark::Counter(partidas, benchmark::Counter::kAvgIterations);
    state.counters["terminadas"] = benchmark::Counter(terminadas, benchmark::Counter::kAvgIterations);
    state.counters["margen"] = margen;
    state.SetLabel(std::string(state.range(0) ? "dos dados, ocho fichas" : "reglas por defecto") +
                   ", posición " + std::to_string(state.range(1) + 1));
}

}  // namespace

BENCHMARK(BM_Simulacion)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HastaDosPuntos)
    ->ArgsProduct({{0}, {0, 1, 2, 3}})
    ->Iterations(3)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
// About 25 seconds each on an idle machine: one run per position.
BENCHMARK(BM_HastaDosPuntos)
    ->ArgsProduct({{1}, {0, 1}})
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
