// Repainting the board at 1920 x 1080 in each look, offscreen.  The figure
// to keep is the modern look's median, with the classic one beside it.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
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

// The board redrawn from the record onto its empty board (names, status
// text, every piece, both dice) and shown: copied into a window-sized
// picture as the window's paint does.  This is what a resumed game, a step
// of the remote, a manual drag or a change of look costs each time.
void Repintado(benchmark::State& estado, Aspecto aspecto, double dpr) {
    Tablero t{{}};
    t.Prepara(1920, 1080, dpr);
    t.AsignaAspecto(aspecto);
    t.DibujaTablero(4);
    const Partida p = Posicion();
    QImage ventana(QSize(1920, 1080) * dpr, QImage::Format_ARGB32_Premultiplied);
    ventana.setDevicePixelRatio(dpr);
    const QRect zona(0, 0, t.Me().LadoLienzo, t.Me().LadoLienzo);
    for (auto _ : estado) {
        t.RedibujaMesa(p, QStringLiteral("  Luis lanza el dado  "));
        t.DibujaDados(2, 2, 5, 6);
        QPainter pintor(&ventana);
        pintor.drawPixmap(QRectF(zona), t.Superficie(), t.Fuente(zona));
    }
}

// The empty board itself, painted when a game starts, the colours turn or
// the look changes.
void TableroVacio(benchmark::State& estado, Aspecto aspecto, double dpr) {
    Tablero t{{}};
    t.Prepara(1920, 1080, dpr);
    t.AsignaAspecto(aspecto);
    for (auto _ : estado) t.DibujaTablero(4);
}

#define REPINTADO(f, nombre, aspecto, dpr)                                                          \
    BENCHMARK_CAPTURE(f, nombre, aspecto, dpr)                                                      \
        ->Unit(benchmark::kMillisecond)->MinTime(0.3)->Repetitions(10)->ReportAggregatesOnly(true)

REPINTADO(Repintado, Clasico_1920x1080, Aspecto::Clasico, 1.0);
REPINTADO(Repintado, Moderno_1920x1080, Aspecto::Moderno, 1.0);
REPINTADO(Repintado, Moderno_1920x1080_x2, Aspecto::Moderno, 2.0);
REPINTADO(TableroVacio, Clasico_1920x1080, Aspecto::Clasico, 1.0);
REPINTADO(TableroVacio, Moderno_1920x1080, Aspecto::Moderno, 1.0);

}  // namespace
}  // namespace parchis

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
