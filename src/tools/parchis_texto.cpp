// parchis-texto: whole games between computer seats in the terminal, for
// playing without a display and for checking the game at volume.
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <random>
#include <unistd.h>
#include <vector>

#include "core/bloqueo.h"
#include "core/carpeta.h"
#include "core/configuracion.h"
#include "core/fichero.h"
#include "ai/dados.h"
#include "flow/arranque.h"
#include "flow/motor.h"
#include "flow/red.h"
#include "flow/sorteo.h"
#include "tools/analisis_texto.h"
#include "tools/interfaz_texto.h"
#include "tools/opciones.h"
#include "tools/opciones_red.h"

namespace fs = std::filesystem;
using namespace parchis;

namespace {

// The history of the tool's games goes to a folder of its own unless one is
// given, so that trying the tool leaves nothing behind.
struct CarpetaDeTrabajo {
    explicit CarpetaDeTrabajo(const std::string& pedida) {
        if (!pedida.empty()) {
            ruta = pedida;
            return;
        }
        std::random_device azar;
        ruta = fs::temp_directory_path() / ("parchis-texto-" + std::to_string(azar()));
        temporal = true;
    }
    ~CarpetaDeTrabajo() {
        std::error_code ignorado;
        if (temporal) fs::remove_all(ruta, ignorado);
    }
    std::string Texto() const {
        const std::string s = ruta.string();
        return s.empty() || s.back() == '/' ? s : s + '/';
    }
    fs::path ruta;
    bool temporal = false;
};

// Stopped by a signal (Ctrl+C, SIGTERM, a terminal closed, a reader of
// the output gone), the tool still leaves no temporary folder behind: the
// handler removes the files the games and network play write there (their
// names, and those of their temporary copies, are known beforehand) and
// the folder, all safe to do inside a handler, then ends as the signal
// would have.
std::vector<std::string> FicherosTemporales;
std::string CarpetaTemporal;

extern "C" void AlInterrumpir(int senal) {
    for (const std::string& f : FicherosTemporales) unlink(f.c_str());
    rmdir(CarpetaTemporal.c_str());
    std::signal(senal, SIG_DFL);
    std::raise(senal);
}

void BorraAlInterrumpir(const CarpetaDeTrabajo& carpeta) {
    if (!carpeta.temporal) return;
    CarpetaTemporal = carpeta.ruta.string();
    const std::string temporal = MarcaTemporal + std::to_string(getpid());
    for (const char* f : {FicheroHistorial, FicheroBloqueo, FicheroConfiguracion, FicheroRestauracion,
                          FicheroAnterior, FicheroRecuento}) {
        FicherosTemporales.push_back(carpeta.Texto() + f);
        FicherosTemporales.push_back(carpeta.Texto() + f + temporal);
    }
    for (const int senal : {SIGINT, SIGTERM, SIGHUP, SIGPIPE}) std::signal(senal, AlInterrumpir);
}

// The summary and the games went to standard output: a full disk or a
// closed pipe must not pass for success.
bool SalidaEscrita() {
    std::cout.flush();
    return std::fflush(stdout) == 0 && !std::ferror(stdout) && std::cout.good();
}

Partida PartidaInicial() {
    Partida p;
    AplicaValoresPorDefecto(p);
    for (int j = 1; j <= 4; ++j) p.Control[j] = 2;
    p.Velocidad = 100;
    p.PausaEntreJugadas = false;
    p.Sonido = false;
    return p;
}

void Resumen(const Partida& p, const texto::Estadistica& d, double segundos, bool comprobado,
             std::uint64_t semilla) {
    std::printf("\nPartidas: %ld (semilla %llu)\n", d.Partidas, static_cast<unsigned long long>(semilla));
    std::printf("Victorias:");
    for (int j = 1; j <= 4; ++j)
        if (p.Estado[j] == 1) std::printf("  %s (%d) %ld", p.Nombres[j].c_str(), j, d.Victorias[j]);
    std::printf("\n");
    if (d.SinGanador > 0)
        std::printf("Sin ganador (límite de %d jugadas): %ld\n", MaxJugadas, d.SinGanador);
    if (p.ModoJuego == 2)
        std::printf("Parejas:  1 y 3: %ld  2 y 4: %ld\n", d.Victorias[1] + d.Victorias[3],
                    d.Victorias[2] + d.Victorias[4]);
    if (d.Partidas > 0) std::printf("Jugadas por partida: %.1f\n", double(d.Jugadas) / double(d.Partidas));
    std::printf("Partidas por segundo: %.2f\n", segundos > 0 ? double(d.Partidas) / segundos : 0.0);
    if (d.Decisiones > 0) {
        auto tiempos = [&d](const char* titulo, const texto::TiemposDecision& t, const char* cola) {
            std::printf("%s: media %.3f ms, percentil 99 %.3f ms, percentil 99,9 %.3f ms, "
                        "peor %.3f ms (partida %ld, jugada %ld)%s\n",
                        titulo, 1000 * t.Segundos / double(d.Decisiones), 1000 * t.Percentil(0.99, d.Decisiones),
                        1000 * t.Percentil(0.999, d.Decisiones), 1000 * t.Peor, t.PartidaPeor, t.JugadaPeor, cola);
        };
        const std::string decisiones = ", " + std::to_string(d.Decisiones) + " decisiones";
        tiempos("Decisión del ordenador", d.Reloj, decisiones.c_str());
        if (!d.Proceso.Tramos.empty()) {
            tiempos("Decisión del ordenador, tiempo de proceso", d.Proceso, "");
            for (const auto& l : d.Proceso.Lentas)
                std::printf("Decisión lenta: %ld (partida %ld, jugada %ld), %.3f ms de proceso\n", l.Decision,
                            l.Partida, l.Jugada, 1000 * l.Segundos);
        }
    }
    if (comprobado) std::printf("Comprobación: ninguna violación\n");
}

}  // namespace

int main(int argc, char** argv) {
    std::string error;
    texto::OpcionesRed red;
    const auto opciones = texto::SeparaOpcionesRed(argc, argv, red, error)
                              ? texto::LeeOpciones(argc, argv, error)
                              : std::nullopt;
    if (!opciones) {
        std::cerr << error << '\n';
        return 2;
    }
    if (opciones->Ayuda) {
        std::cout << texto::TextoAyuda << texto::AyudaRed;
        if (SalidaEscrita()) return 0;
        std::cerr << "no se ha podido escribir la salida\n";
        return 1;
    }
    if (!opciones->Analiza.empty()) {
        const auto semilla = opciones->Semilla.value_or(static_cast<std::uint64_t>(
            std::chrono::system_clock::now().time_since_epoch().count()));
        return texto::AnalizaFichero(opciones->Analiza, semilla, opciones->Margen / 100.0, std::cout, std::cerr);
    }
    Partida p = PartidaInicial();
    error = texto::AplicaCambios(*opciones, p);
    CuentaJugadores(p);
    if (error.empty() && p.NumJugadores < 2) error = "hacen falta al menos dos jugadores";
    // As in the game's settings: a pair is two players.
    if (error.empty() && p.ModoJuego == 2 && p.NumJugadores != 4)
        error = "--parejas necesita a los cuatro jugadores (sin --desactiva)";
    if (!error.empty()) {
        std::cerr << error << '\n';
        return 2;
    }
    const CarpetaDeTrabajo carpeta(opciones->Carpeta);
    BorraAlInterrumpir(carpeta);
    std::error_code ignorado;
    fs::create_directories(carpeta.ruta, ignorado);
    p.Carpeta = carpeta.Texto();
    // Every game ends in the history: better to say now that it cannot.
    if (!AnadeAFichero(p.Carpeta + FicheroHistorial, "")) {
        std::cerr << "no se puede escribir el histórico en " << p.Carpeta << '\n';
        return 1;
    }
    const auto semilla = opciones->Semilla.value_or(static_cast<std::uint64_t>(
        std::chrono::system_clock::now().time_since_epoch().count()));
    if (red.Activa()) return texto::JuegaEnRed(red, *opciones, p, semilla);
    texto::InterfazTexto ui(p, std::cout, opciones->Silencioso, opciones->Comprobar, semilla);
    ui.MideProceso(opciones->TiempoProceso);
    const auto inicio = std::chrono::steady_clock::now();
    for (long i = 1; i <= opciones->Partidas; ++i) {
        try {
            ui.EmpiezaPartida();
            NuevaPartida(p, ui);
            if (!ui.Terminada()) throw texto::Violacion("la partida ha terminado sin ganador");
        } catch (const texto::Violacion& v) {
            std::cerr << "Partida " << i << " (semilla " << semilla << "): " << v.what() << '\n';
            return 1;
        }
    }
    const double segundos =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count();
    Resumen(p, ui.Datos(), segundos, opciones->Comprobar, semilla);
    if (!SalidaEscrita()) {
        std::cerr << "no se ha podido escribir la salida\n";
        return 1;
    }
    return ui.HistoricoPerdido() == 0 ? 0 : 1;
}
