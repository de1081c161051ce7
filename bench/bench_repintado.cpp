// A full repaint of the board at 1920 x 1080 in each look, offscreen: the
// empty board painted again, then every name, piece and die from the
// record, as a change of look or a resumed game does.  The figure to keep
// is the modern look's median, with the classic one beside it.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QString>

#include "common/posicion.h"
#include "ui/board/tablero.h"

namespace parchis {
namespace {

Partida Posicion() {
    Partida p = prueba::PartidaVacia();
    p.Nombres = {"", "Carmen", "Luis", "María", "Ordenador"};
    const int casillas[][3] = {{1, 1, 5},  {3, 1, 5},  {2, 1, 30}, {2, 2, 9},  {4, 1, 12},
                               {4, 2, 12}, {1, 2, 97}, {3, 2, 84}, {3, 3, 84}, {2, 3, 92}};
    for (const auto& c : casillas) prueba::Pon(p, c[0], c[1], c[2]);
    return p;
}

void Repintado(benchmark::State& estado, Aspecto aspecto, double dpr) {
    Tablero t{{}};
    t.Prepara(1920, 1080, dpr);
    t.AsignaAspecto(aspecto);
    const Partida p = Posicion();
    for (auto _ : estado) {
        t.DibujaTablero(p.NumFichas);
        t.RedibujaMesa(p, QStringLiteral("  Luis lanza el dado  "));
        t.DibujaDados(2, 2, 5, 6);
        benchmark::DoNotOptimize(t.Superficie().cacheKey());
    }
}

BENCHMARK_CAPTURE(Repintado, Clasico_1920x1080, Aspecto::Clasico, 1.0)
    ->Unit(benchmark::kMillisecond)->MinTime(0.5)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(Repintado, Moderno_1920x1080, Aspecto::Moderno, 1.0)
    ->Unit(benchmark::kMillisecond)->MinTime(0.5)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(Repintado, Moderno_1920x1080_x2, Aspecto::Moderno, 2.0)
    ->Unit(benchmark::kMillisecond)->MinTime(0.5)->Repetitions(10)->ReportAggregatesOnly(true);

}  // namespace
}  // namespace parchis

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
