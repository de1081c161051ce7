// Plays whole games as the terminal tool does (the same options and the
// same seeded dice) and prints, one line each, the positions whose choice
// took longer than a threshold, so that a set of slow positions of real
// play can be kept fixed.  Each line is read back and chosen again to check
// that it gives the same choice.
// With --filtra, the lines read from standard input are timed again one by
// one (the best of three, in processor time) and those still over the
// threshold are printed.  With --mide, every line read is timed the same way
// and printed as its time and the choice it gives (for comparing two
// versions of the player), with the percentiles of the times and the memory
// still in use at the end.
// Usage: recoge_lentas [--umbral-ms X] <parchis-texto options...> > lentas.txt
//        recoge_lentas [--umbral-ms X] --filtra < lentas.txt > filtradas.txt
//        recoge_lentas --mide < lentas.txt > tiempos.txt
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <malloc.h>
#include <random>
#include <time.h>
#include <vector>

#include "ai/comun_ai.h"
#include "ai/linea_posicion.h"
#include "common/interfaz_muda.h"
#include "core/configuracion.h"
#include "flow/sorteo.h"
#include "tools/opciones.h"

using namespace parchis;

namespace {

class Recolector : public prueba::InterfazMuda {
public:
    Recolector(Partida& p, std::uint64_t semilla, double umbral)
        : InterfazMuda(static_cast<unsigned>(semilla)), p_(p), umbral_(umbral) {}

    void PonPuntero(Puntero puntero) override {
        if (puntero == Puntero::Espera && p_.EsperandoFicha) {
            pensando_ = true;
            inicio_ = std::chrono::steady_clock::now();
        } else if (puntero == Puntero::Normal && pensando_) {
            pensando_ = false;
            const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio_).count();
            if (s > umbral_) Anota(s);
        }
    }
    long Lentas = 0, Distintas = 0;

private:
    // The board is as the choice found it; only the facts it fills differ.
    void Anota(double segundos) {
        ++Lentas;
        const std::string linea = prueba::LineaPosicion(p_);
        Partida leida, original = p_;
        if (!prueba::LeePosicion(linea, leida)) std::abort();
        EligeJugada(original, prueba::RelojParado);
        EligeJugada(leida, prueba::RelojParado);
        if (prueba::ResumenEleccion(original) != prueba::ResumenEleccion(leida)) {
            std::cerr << "la línea no reproduce la elección: " << linea << '\n';
            ++Distintas;
        }
        std::cout << linea << '\n';
        std::cerr << "  " << 1000 * segundos << " ms, jugada " << p_.NumJugada << '\n';
    }

    Partida& p_;
    double umbral_;
    bool pensando_ = false;
    std::chrono::steady_clock::time_point inicio_;
};

// Processor time of this thread: other programs on the machine do not count.
double SegundosProceso() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

double Mejor(const Partida& p) {
    double mejor = 1e9;
    for (int i = 0; i < 3; ++i) {
        Partida q = p;
        const double inicio = SegundosProceso();
        EligeJugada(q, prueba::RelojParado);
        mejor = std::min(mejor, SegundosProceso() - inicio);
    }
    return mejor;
}

int Filtra(double umbral) {
    long leidas = 0, quedan = 0;
    Partida p;
    for (std::string linea; std::getline(std::cin, linea); ++leidas) {
        if (!prueba::LeePosicion(linea, p)) return 2;
        const double s = Mejor(p);
        if (s <= umbral) continue;
        ++quedan;
        std::cout << linea << '\n';
        std::cerr << 1000 * s << " ms\n";
    }
    std::cerr << quedan << " de " << leidas << " posiciones lentas\n";
    return 0;
}

int Mide() {
    std::vector<double> tiempos;
    Partida p;
    for (std::string linea; std::getline(std::cin, linea);) {
        if (!prueba::LeePosicion(linea, p)) return 2;
        Partida q = p;
        EligeJugada(q, prueba::RelojParado);
        tiempos.push_back(1000 * Mejor(p));
        std::cout << tiempos.back() << '\t' << prueba::ResumenEleccion(q) << '\n';
    }
    if (tiempos.empty()) return 2;
    std::sort(tiempos.begin(), tiempos.end());
    double total = 0;
    for (double t : tiempos) total += t;
    auto percentil = [&](double f) { return tiempos[static_cast<std::size_t>(f * static_cast<double>(tiempos.size() - 1))]; };
    std::cerr << tiempos.size() << " posiciones, ms: mediana " << percentil(0.5) << ", p90 " << percentil(0.9)
              << ", p99 " << percentil(0.99) << ", peor " << tiempos.back() << ", total " << total
              << "; memoria en uso al final " << static_cast<double>(mallinfo2().uordblks + mallinfo2().hblkhd) / (1 << 20) << " MB\n";
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    double umbral = 0.005;
    if (argc > 2 && std::strcmp(argv[1], "--umbral-ms") == 0) {
        umbral = std::atof(argv[2]) / 1000;
        argv[2] = argv[0];
        argc -= 2;
        argv += 2;
    }
    if (argc == 2 && std::strcmp(argv[1], "--filtra") == 0) return Filtra(umbral);
    if (argc == 2 && std::strcmp(argv[1], "--mide") == 0) return Mide();
    std::string error;
    const auto opciones = texto::LeeOpciones(argc, argv, error);
    Partida p;
    AplicaValoresPorDefecto(p);
    for (int j = 1; j <= 4; ++j) p.Control[j] = 2;
    p.Velocidad = 100;
    p.PausaEntreJugadas = p.Sonido = false;
    if (opciones) error = texto::AplicaCambios(*opciones, p);
    if (!opciones || !error.empty()) {
        std::cerr << error << '\n';
        return 2;
    }
    CuentaJugadores(p);
    const auto carpeta = std::filesystem::temp_directory_path() / ("recoge-lentas-" + std::to_string(std::random_device{}()));
    std::filesystem::create_directories(carpeta);
    p.Carpeta = carpeta.string() + "/";
    Recolector ui(p, opciones->Semilla.value_or(1), umbral);
    for (long i = 1; i <= opciones->Partidas; ++i) NuevaPartida(p, ui);
    std::filesystem::remove_all(carpeta);
    std::cerr << ui.Lentas << " posiciones lentas, " << ui.Distintas << " no reproducidas\n";
    return ui.Distintas == 0 ? 0 : 1;
}
