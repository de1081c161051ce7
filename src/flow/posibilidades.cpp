#include "flow/posibilidades.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>

#include "flow/arranque.h"
#include "flow/comprobacion.h"
#include "flow/interfaz_sin_ventana.h"
#include "flow/motor.h"
#include "rules/tablero.h"

namespace parchis {

double Posibilidades::Probabilidad(int jugador) const {
    if (Partidas <= 0 || jugador < 1 || jugador > 4) return 0;
    std::int64_t v = Victorias[jugador];
    if (Parejas) v += Victorias[Companero[jugador]];
    return static_cast<double>(v) / static_cast<double>(Partidas);
}

double Posibilidades::Margen(int jugador) const {
    if (Partidas <= 0) return 1;
    const double q = Probabilidad(jugador);
    return Z95 * std::sqrt(q * (1 - q) / static_cast<double>(Partidas));
}

double Posibilidades::MargenMaximo(const Partida& p) const {
    double m = 0;
    for (int j = 1; j <= 4; ++j)
        if (p.Estado[j] == 1) m = std::max(m, Margen(j));
    return m;
}

namespace {

// The engine's services for a playout: nothing is shown, every message is
// accepted, the clock stands still (so the player's time guard never cuts
// a search short and the outcome depends on the dice alone), and a stop
// request ends the game at the engine's next pass.
class InterfazSimulacion final : public InterfazCallada {
public:
    InterfazSimulacion(Partida& p, std::uint64_t semilla, const std::atomic<bool>* parar)
        : InterfazCallada(semilla), p_(p), parar_(parar) {}

    bool Simulacion() const override { return true; }
    void Cede() override {
        if (parar_ && parar_->load(std::memory_order_relaxed)) p_.PartidaIniciada = false;
    }

private:
    Partida& p_;
    const std::atomic<bool>* parar_;
};

std::uint64_t Mezcla(std::uint64_t x) {
    x += 0x9e3779b97f4a7c15ull;
    x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ull;
    x = (x ^ (x >> 27)) * 0x94d049bb133111ebull;
    return x ^ (x >> 31);
}

}  // namespace

bool PreparaSimulacion(const Partida& p, Partida& inicio, bool comprobar) {
    if (!p.PartidaIniciada || p.Turno < 1 || p.Turno > 4 || p.NumJugada < 1) return false;
    inicio = p;
    Partida& s = inicio;
    s.ListaJugadas.clear();
    s.ColaRed.clear();
    s.Carpeta.clear();
    for (int j = 1; j <= 4; ++j) {
        if (s.Control[j] != 2) s.Nivel[j] = 100;
        s.Control[j] = 2;
    }
    s.JugarEnRed = false;
    s.PausaEntreJugadas = false;
    s.Sonido = false;
    s.TutorAutomatico = false;
    s.EsperandoTirada = false;
    CuentaJugadores(s);
    if (s.NumJugadores < 2) return false;
    const int ultima = std::min<int>(s.NumJugada - 1, static_cast<int>(s.Jugadas.size()) - 1);
    for (int n = 1; comprobar && n <= ultima; ++n)
        if (!CompruebaEntrada(s, n).empty()) return false;
    InterfazSimulacion ui(s, 0, nullptr);
    VuelveAlInicioDeTirada(s, ui);
    s.EsperandoFicha = false;
    if (comprobar && (!CompruebaPosicion(s).empty() || !CompruebaRegistro(s, s.NumJugada - 1).empty()))
        return false;
    // A seat with every piece home has already won.
    for (int j = 1; j <= 4; ++j)
        if (s.Estado[j] == 1 && s.EnCasa[j] >= s.NumFichas) return false;
    RetrocederTurno(s);
    s.TiradaNueva = true;
    return true;
}

int JuegaSimulacion(const Partida& inicio, std::uint64_t semilla, std::int64_t indice,
                    const std::atomic<bool>* parar) {
    Partida p = inicio;
    InterfazSimulacion ui(p, Mezcla(semilla ^ Mezcla(static_cast<std::uint64_t>(indice))), parar);
    JuegaPartida(p, ui);
    // The engine leaves the game under way, with the winner to move, only
    // when a seat has brought every piece home.
    if (!p.PartidaIniciada || p.Turno < 1 || p.Turno > 4 || p.EnCasa[p.Turno] < p.NumFichas) return 0;
    return p.Turno;
}

Analisis::Analisis(const Partida& p, std::uint64_t semilla, double margen, std::int64_t maximo,
                   int hilos, bool comprobar, bool segundoPlano)
    : semilla_(semilla), margen_(margen), maximo_(std::max<std::int64_t>(maximo, Bloque)) {
    valido_ = PreparaSimulacion(p, inicio_, comprobar);
    cuenta_.Parejas = p.ModoJuego == 2;
    if (!valido_) {
        terminado_ = true;
        return;
    }
    if (hilos <= 0) hilos = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    for (int i = 0; i < hilos; ++i) hilos_.emplace_back([this, segundoPlano] { Trabaja(segundoPlano); });
}

Analisis::~Analisis() {
    Para();
    Espera();
}

void Analisis::Para() {
    parar_ = true;
    terminado_ = true;
}

void Analisis::Espera() {
    for (std::thread& h : hilos_)
        if (h.joinable()) h.join();
}

Posibilidades Analisis::Estimacion() const {
    std::lock_guard<std::mutex> cerrojo(mutex_);
    return cuenta_;
}

void Analisis::Trabaja(bool segundoPlano) {
    // On Linux a thread's own id names that thread alone.
    if (segundoPlano) setpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)), 10);
    const std::int64_t bloquesMaximos = (maximo_ + Bloque - 1) / Bloque;
    for (;;) {
        if (parar_.load()) return;
        const std::int64_t b = siguienteBloque_.fetch_add(1);
        if (b >= bloquesMaximos) return;
        std::vector<std::uint8_t> ganadores(Bloque);
        for (std::int64_t i = 0; i < Bloque; ++i) {
            ganadores[i] = static_cast<std::uint8_t>(JuegaSimulacion(inicio_, semilla_, b * Bloque + i, &parar_));
            if (parar_.load()) return;   // a playout cut short counts for nobody
        }
        std::lock_guard<std::mutex> cerrojo(mutex_);
        if (bloques_.size() <= static_cast<std::size_t>(b)) {
            bloques_.resize(b + 1);
            hechos_.resize(b + 1, false);
        }
        bloques_[b] = std::move(ganadores);
        hechos_[b] = true;
        CuentaBloques();
        if (contados_ >= bloquesMaximos) {
            terminado_ = true;
            parar_ = true;
        }
    }
}

// Blocks are counted in order, and the goal checked after each one, so the
// figures where an analysis stops depend on the seed alone.
void Analisis::CuentaBloques() {
    while (static_cast<std::size_t>(contados_) < hechos_.size() && hechos_[contados_] && !terminado_) {
        std::vector<std::uint8_t>& b = bloques_[contados_];
        for (std::uint8_t g : b) {
            ++cuenta_.Partidas;
            if (g == 0)
                ++cuenta_.SinGanador;
            else
                ++cuenta_.Victorias[g];
        }
        b = {};
        ++contados_;
        if (cuenta_.Partidas >= MinimoPartidas && cuenta_.MargenMaximo(inicio_) <= margen_) {
            terminado_ = true;
            parar_ = true;
        }
    }
}

Posibilidades EstimaPosibilidades(const Partida& p, std::uint64_t semilla, double margen,
                                  std::int64_t maximo, int hilos) {
    Analisis a(p, semilla, margen, maximo, hilos);
    a.Espera();
    return a.Estimacion();
}

}  // namespace parchis
