// Speed of the computer player's choice on fixed sets of positions taken
// from random games (fixed seeds): the default rules, and the heaviest
// rules (two dice counted one by one, eight pieces, a double with bonus
// values, four seats, level 100, the seat's pieces all out of the box).
// A third kind, "lentas", is fixed: the positions of whole games under the
// heaviest rules whose choice took longest (bench/posiciones_lentas.txt).
// Each random set is also played by the literal player that saves and loads the
// whole state through files at every node of its search; the summary at the
// end prints the median and slowest call of each and their ratio.
// PARCHIS_BENCH_POSICIONES sets the size of the heaviest sets (20).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "ai/eleccion.h"
#include "ai/jugador_literal.h"
#include "ai/linea_posicion.h"
#include "ai/posiciones.h"

namespace {

using parchis::Partida;
namespace prueba = parchis::prueba;

double Quieto() { return 0; }

std::vector<Partida> ConjuntoDefecto() {
    std::mt19937 azar(1);
    return prueba::PosicionesDeDecision(azar, 200, [](Partida& p, std::mt19937&) {
        p.Estado = {0, 1, 1, 1, 1};
    });
}

// The heaviest rules, at a throw of a double with the seat's box empty.
std::vector<Partida> ConjuntoPeor(int seisConTodas) {
    std::mt19937 azar(2 + seisConTodas);
    auto reglas = [seisConTodas](Partida& p, std::mt19937&) {
        p.Estado = {0, 1, 1, 1, 1};
        p.NumDados = 2;
        p.MetodoCuenta = 2;
        p.FichasPorJugador = 2;
        p.SeisConTodas = static_cast<parchis::Entero>(seisConTodas);
        p.SalidaObligatoria = false;
    };
    auto filtro = [](Partida& p, std::mt19937& a) {
        if (p.EnEspera[p.Turno] != 0 || p.TipoJugada == 5) return false;
        const int d = std::uniform_int_distribution<int>(1, 6)(a);
        prueba::NuevaTirada(p, d, d);
        p.Nivel[p.Turno] = 100;
        return true;
    };
    const char* cuantas = std::getenv("PARCHIS_BENCH_POSICIONES");
    return prueba::PosicionesDeDecision(azar, cuantas ? std::max(1, std::atoi(cuantas)) : 20, reglas, filtro);
}

const std::vector<Partida>& Conjunto(const std::string& nombre) {
    static std::map<std::string, std::vector<Partida>> conjuntos;
    auto& c = conjuntos[nombre];
    if (c.empty()) {
        if (nombre == "defecto") c = ConjuntoDefecto();
        else if (nombre == "lentas") c = prueba::PosicionesDeFichero(FICHERO_POSICIONES_LENTAS);
        else if (nombre == "peor_seis1") c = ConjuntoPeor(1);
        else c = ConjuntoPeor(2);
    }
    return c;
}

struct Tiempos {
    double mediana = 0, maxima = 0;
    std::vector<double> porPosicion;   // best time of each position, in set order
};
std::map<std::string, Tiempos> resultados;

// One call per position; the fields a choice may move are put back so
// every iteration starts from the same record.
template <typename Eleccion>
void Mide(benchmark::State& state, const std::string& nombre, const std::string& clave, Eleccion elige) {
    std::vector<Partida> posiciones = Conjunto(nombre);
    if (posiciones.empty()) {
        state.SkipWithError("no positions");
        return;
    }
    std::vector<std::vector<double>> tiempos(posiciones.size());
    for (auto _ : state) {
        for (std::size_t i = 0; i < posiciones.size(); ++i) {
            Partida& p = posiciones[i];
            const auto salidaDoble = p.SalidaDoble;
            const auto modo = p.ModoValores;
            const auto valor = p.ValorCuenta;
            const auto inicio = std::chrono::steady_clock::now();
            benchmark::DoNotOptimize(elige(p));
            const auto fin = std::chrono::steady_clock::now();
            tiempos[i].push_back(std::chrono::duration<double, std::micro>(fin - inicio).count());
            p.SalidaDoble = salidaDoble;
            p.ModoValores = modo;
            p.ValorCuenta = valor;
            p.CortesBusqueda = 0;
        }
    }
    // The time of a position is its best over the iterations.
    std::vector<double> mejor;
    for (auto& t : tiempos) mejor.push_back(*std::min_element(t.begin(), t.end()));
    std::vector<double> orden = mejor;
    std::sort(orden.begin(), orden.end());
    Tiempos r{orden[orden.size() / 2], orden.back(), mejor};
    resultados[clave] = r;
    state.counters["mediana_us"] = r.mediana;
    state.counters["maxima_us"] = r.maxima;
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * posiciones.size()));
}

void Rapido(benchmark::State& state, const std::string& nombre) {
    // The slow positions are two-dice games: their memory is made ready
    // before the first heavy choice, as a game of those rules does.
    if (nombre == "lentas") parchis::PreparaMemoriaJugador();
    Mide(state, nombre, nombre + " rápido", [](Partida& p) { return parchis::EligeJugada(p, Quieto); });
}

void Ficheros(benchmark::State& state, const std::string& nombre) {
    const auto carpeta = std::filesystem::temp_directory_path() / "parchis_bench_eleccion";
    std::filesystem::create_directories(carpeta);
    Mide(state, nombre, nombre + " ficheros", [&carpeta](Partida& p) {
        p.Carpeta = carpeta.string() + "/";
        return prueba::EligeJugadaLiteral(p, Quieto, prueba::CopiaBorrador::Ficheros);
    });
    std::filesystem::remove_all(carpeta);
}

// The ratio three ways: of the medians, of the whole set's times, and the
// median of each position's own ratio.
void Resumen() {
    std::printf("\n%-12s %12s %12s %14s %14s %10s %10s %10s\n", "conjunto", "mediana (us)",
                "máxima (us)", "mediana fich.", "máxima fich.", "razón med.", "razón suma",
                "med. razón");
    for (const char* n : {"defecto", "peor_seis1", "peor_seis2", "lentas"}) {
        const auto r = resultados.find(std::string(n) + " rápido");
        const auto f = resultados.find(std::string(n) + " ficheros");
        if (r == resultados.end()) continue;
        std::printf("%-12s %12.1f %12.1f", n, r->second.mediana, r->second.maxima);
        if (f != resultados.end()) {
            const auto& a = r->second.porPosicion;
            const auto& b = f->second.porPosicion;
            double sumaA = 0, sumaB = 0;
            std::vector<double> razones;
            for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
                sumaA += a[i];
                sumaB += b[i];
                razones.push_back(b[i] / a[i]);
            }
            std::sort(razones.begin(), razones.end());
            std::printf(" %14.1f %14.1f %10.0f %10.0f %10.0f", f->second.mediana, f->second.maxima,
                        f->second.mediana / r->second.mediana, sumaB / sumaA,
                        razones.empty() ? 0.0 : razones[razones.size() / 2]);
        }
        std::printf("\n");
    }
}

}  // namespace

BENCHMARK_CAPTURE(Rapido, defecto, std::string("defecto"))->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Ficheros, defecto, std::string("defecto"))->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(Rapido, peor_seis1, std::string("peor_seis1"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Rapido, peor_seis2, std::string("peor_seis2"))->Unit(benchmark::kMillisecond);
// The literal player would take hours over the slow set.  Best of three
// per position, as `recoge_lentas --mide` times them.
BENCHMARK_CAPTURE(Rapido, lentas, std::string("lentas"))->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(Ficheros, peor_seis1, std::string("peor_seis1"))->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(Ficheros, peor_seis2, std::string("peor_seis2"))->Unit(benchmark::kMillisecond)->Iterations(1);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Resumen();
    return 0;
}
