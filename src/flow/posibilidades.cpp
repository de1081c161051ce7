#include "flow/posibilidades.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <utility>

#include "ai/alcance.h"
#include "flow/arranque.h"
#include "flow/comprobacion.h"
#include "flow/interfaz_sin_ventana.h"
#include "flow/motor.h"
#include "rules/movimiento.h"
#include "rules/tablero.h"

namespace parchis {

double Posibilidades::Probabilidad(int jugador) const {
    if (Partidas <= 0 || jugador < 1 || jugador > 4) return 0;
    if (Corregida[jugador]) return std::clamp(Corregido[jugador], 0.0, 1.0);
    return Suma[jugador] / static_cast<double>(Partidas);
}

// The spread of the playouts' win shares: with one branch each, that of
// a win count.
double Posibilidades::Margen(int jugador) const {
    if (Partidas <= 1 || jugador < 1 || jugador > 4) return 1;
    if (Corregida[jugador]) return Z95 * Error[jugador];
    const double n = static_cast<double>(Partidas), media = Suma[jugador] / n;
    const double varianza = std::max(0.0, Cuadrados[jugador] - n * media * media) / (n - 1);
    return Z95 * std::sqrt(varianza / n);
}

double Posibilidades::MargenMaximo(const Partida& p) const {
    double m = 0;
    for (int j = 1; j <= 4; ++j)
        if (p.Estado[j] == 1) m = std::max(m, Margen(j));
    return m;
}

namespace {

// What counting one value lets the seat to move do on the board.
// Set up by Efectos for the values it is asked about alone.
struct Efecto {
    unsigned Victimas;                     // bit r: a piece of seat r can be captured
    std::array<int, 5> Recorrido;          // ...the furthest of them has come so far
    bool Casa, Sale;                       // a piece reaches home, leaves the box
    void Junta(const Efecto& o) {
        Victimas |= o.Victimas;
        for (int r = 1; r <= 4; ++r) Recorrido[r] = std::max(Recorrido[r], o.Recorrido[r]);
        Casa = Casa || o.Casa;
        Sale = Sale || o.Sale;
    }
};

// The effects of every value up to `maximo`, for the seat to move: its
// pieces on the board step along their paths once, as far as a barrier,
// and the box asks the rules whether a piece can leave.  (The rules' finer
// points are not looked at: the luck terms need only follow the captures
// closely.)
void Efectos(Partida& p, int maximo, std::array<Efecto, 33>& efectos) {
    const int t = p.Turno;
    for (int v = 0; v <= maximo; ++v) efectos[v] = {};
    const auto captura = [&](int v, int casilla) {
        const int r = p.Casillas[casilla].Jugador[1];
        if (r < 1 || r == t || !ComeFicha(p, t, casilla)) return;
        efectos[v].Victimas |= 1u << r;
        efectos[v].Recorrido[r] = std::max(efectos[v].Recorrido[r], RecorridoEn(Tablas(), r, casilla));
    };
    for (int k = 1; k <= PiezasDe(p); ++k) {
        int casilla = p.Fichas[t][k];
        if (casilla < 1 || casilla > NumCasillas || casilla == CasillaCasa[t]) continue;
        for (int v = 1; v <= maximo; ++v) {
            casilla = AvanzaUno(t, casilla);
            if (casilla == CasillaCasa[t]) {
                efectos[v].Casa = true;
                break;
            }
            // Nobody passes a barrier, which takes two pieces.
            if (p.Casillas[casilla].Jugador[2] != 0 && EsBarrera(p, casilla)) break;
            if (casilla <= 68) captura(v, casilla);   // beyond: the corridor
        }
    }
    if (p.EnEspera[t] == 0) return;
    for (int v = 1; v <= maximo; ++v) {
        if (!PuedeMover(p, t, v, 0)) continue;
        efectos[v].Sale = true;
        captura(v, p.CasillaDestino);
    }
}

// Slot of seat t's term about seat r (r != t) among the twelve pairs.
int Par(int t, int r) { return 3 * (t - 1) + (r < t ? r - 1 : r - 2); }

// Thrown where a playout branches.
struct Rama {};

int MasEnCasa(const Partida& p) {
    int m = 0;
    for (int j = 1; j <= 4; ++j)
        if (p.Estado[j] == 1) m = std::max<int>(m, p.EnCasa[j]);
    return m;
}

// The engine's services for a playout: nothing is shown, every message is
// accepted, the clock stands still (so the player's time guard never cuts
// a search short and the outcome depends on the dice alone), a stop
// request ends the game at the engine's next pass, and a playout that
// branches stops at the start of the throw where it branches.
class InterfazSimulacion final : public InterfazCallada {
public:
    InterfazSimulacion(Partida& p, std::uint64_t semilla, const std::atomic<bool>* parar, Suerte* suerte = nullptr,
                       int corte = 0)
        : InterfazCallada(semilla), p_(p), parar_(parar), suerte_(suerte), corte_(corte) {}

    bool Simulacion() const override { return true; }
    // A playout draws each throw once, before it is counted.
    void DibujaDados(int jugador, int dado1, int dado2) override {
        if (suerte_ && jugador == p_.Turno) AnotaSuerte(p_, dado1, dado2, *suerte_);
    }
    // The engine yields at the start of each throw, before the dice.
    void Cede() override {
        if (parar_ && parar_->load(std::memory_order_relaxed))
            p_.PartidaIniciada = false;
        else if (corte_ > 0 && p_.TiradaNueva && MasEnCasa(p_) >= corte_)
            throw Rama{};
    }

private:
    Partida& p_;
    const std::atomic<bool>* parar_;
    Suerte* suerte_;
    int corte_;
};

std::uint64_t Mezcla(std::uint64_t x) {
    x += 0x9e3779b97f4a7c15ull;
    x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ull;
    x = (x ^ (x >> 27)) * 0x94d049bb133111ebull;
    return x ^ (x >> 31);
}

// The throws a seat could make (with two dice, each pair once with its
// weight) and the values each gives, which depend on the rules and on
// whether the seat's box is empty alone.
struct Tirada {
    int A, B, Peso;
    std::array<Entero, 5> Valores;
};
struct Tiradas {
    std::array<Tirada, 21> Lista;
    int Num = 0, Maximo = 0, Pesos = 0;
    bool Dos = false;
};

const Tiradas& TiradasPosibles(Partida& p) {
    thread_local std::array<std::pair<std::uint32_t, Tiradas>, 2> hechas{};
    const std::uint32_t clave = 1u | (p.EnEspera[p.Turno] == 0 ? 2u : 0u) | (p.NumDados == 2 ? 4u : 0u) |
                                static_cast<std::uint32_t>(p.MetodoCuenta & 0xff) << 8 |
                                static_cast<std::uint32_t>(p.SeisConTodas & 0xff) << 16;
    auto& [guardada, t] = hechas[(clave >> 1) & 1u];
    if (guardada == clave) return t;
    guardada = clave;
    const Entero d1 = p.Dado1, d2 = p.Dado2, cuenta = p.ValorCuenta, modo = p.ModoValores;
    const auto valores = p.ValoresCuenta;
    t = {};
    t.Dos = p.NumDados == 2;
    for (int a = 1; a <= 6; ++a)
        for (int b = t.Dos ? a : 0; b <= (t.Dos ? 6 : 0); ++b) {
            p.Dado1 = static_cast<Entero>(a);
            p.Dado2 = static_cast<Entero>(b);
            CalculaValores(p);
            Tirada& x = t.Lista[static_cast<std::size_t>(t.Num++)];
            x = {a, b, t.Dos && a != b ? 2 : 1, {}};
            const int ultimo = p.ModoValores == 1 ? 0 : std::min<int>(p.ModoValores, 4);
            for (int i = 0; i <= ultimo; ++i) {
                x.Valores[i] = static_cast<Entero>(std::clamp<int>(p.ValoresCuenta[i], 0, 32));
                t.Maximo = std::max<int>(t.Maximo, x.Valores[i]);
            }
            t.Pesos += x.Peso;
        }
    p.Dado1 = d1;
    p.Dado2 = d2;
    p.ValorCuenta = cuenta;
    p.ModoValores = modo;
    p.ValoresCuenta = valores;
    return t;
}

}  // namespace

void AnotaSuerte(Partida& p, int dado1, int dado2, Suerte& suerte) {
    const int t = p.Turno;
    if (t < 1 || t > 4) return;
    const Tiradas& tiradas = TiradasPosibles(p);
    const bool dos = tiradas.Dos;
    const Entero destino = p.CasillaDestino;
    std::array<Efecto, 33> efectos;   // [0]: no value
    Efectos(p, tiradas.Maximo, efectos);
    p.CasillaDestino = destino;
    // The seat's terms for each throw: captures of each seat, how far the
    // captured pieces had come, home, out of the box, the total, a six (a
    // double with two dice).  The luck is the thrown one's less their
    // average.
    Efecto lanzado{}, junto;
    std::array<int, 12> suma{};
    int total = 0, seis = 0;
    const int a = std::clamp(dado1, 1, 6), b = std::clamp(dado2, 1, 6);
    for (int i = 0; i < tiradas.Num; ++i) {
        const Tirada& x = tiradas.Lista[static_cast<std::size_t>(i)];
        const Efecto* e = &efectos[static_cast<std::size_t>(x.Valores[0])];
        if (x.Valores[1] >= 1) {
            junto = *e;
            for (std::size_t v = 1; v < x.Valores.size(); ++v)
                if (x.Valores[v] >= 1) junto.Junta(efectos[static_cast<std::size_t>(x.Valores[v])]);
            e = &junto;
        }
        for (int r = 1; r <= 4; ++r) {
            suma[r - 1] += x.Peso * static_cast<int>((e->Victimas >> r) & 1u);
            suma[4 + r - 1] += x.Peso * e->Recorrido[r];
        }
        suma[8] += x.Peso * e->Casa;
        suma[9] += x.Peso * e->Sale;
        const int esSeis = dos ? x.A == x.B : x.A == 6;
        suma[10] += x.Peso * (x.A + x.B);
        suma[11] += x.Peso * esSeis;
        if (dos ? x.A == std::min(a, b) && x.B == std::max(a, b) : x.A == a) {
            lanzado = *e;
            total = x.A + x.B;
            seis = esSeis;
        }
    }
    std::array<double, 12> lanzada;
    for (int r = 1; r <= 4; ++r) {
        lanzada[r - 1] = (lanzado.Victimas >> r) & 1u;
        lanzada[4 + r - 1] = lanzado.Recorrido[r];
    }
    lanzada[8] = lanzado.Casa;
    lanzada[9] = lanzado.Sale;
    lanzada[10] = total;
    lanzada[11] = seis;
    for (int k = 0; k < 12; ++k) lanzada[k] -= static_cast<double>(suma[k]) / tiradas.Pesos;
    for (int r = 1; r <= 4; ++r) {
        if (r == t) continue;
        suerte[Par(t, r)] += lanzada[r - 1];
        suerte[12 + Par(t, r)] += lanzada[4 + r - 1];
    }
    for (int k = 0; k < 4; ++k) suerte[24 + 4 * k + t - 1] += lanzada[8 + k];
}

void Correccion::Anota(const Suerte& x, const std::array<double, 5>& gana) {
    ++n_;
    for (int a = 0; a < NumSuerte; ++a) {
        sx_[a] += x[a];
        if (x[a] == 0) continue;
        for (int b = 0; b < NumSuerte; ++b) sxx_[a * NumSuerte + b] += x[a] * x[b];
        for (int j = 1; j <= 4; ++j) sxy_[j][a] += x[a] * gana[j];
    }
    for (int j = 1; j <= 4; ++j) {
        sy_[j] += gana[j];
        syy_[j] += gana[j] * gana[j];
    }
}

// Least squares on the luck sums, centred: the chance is the mean win count
// less the fitted part of the luck's mean (which is zero in expectation).
bool Correccion::Estima(int j, double& probabilidad, double& error) const {
    constexpr int K = NumSuerte;
    if (j < 1 || j > 4 || n_ < 8 * K) return false;
    const double n = static_cast<double>(n_);
    std::array<double, K> media, sxy;
    for (int a = 0; a < K; ++a) media[a] = sx_[a] / n;
    const double my = sy_[j] / n;
    const double syy = syy_[j] - n * my * my;
    if (syy <= 0) return false;
    std::vector<double> m(K * K);
    for (int a = 0; a < K; ++a) {
        sxy[a] = sxy_[j][a] - n * media[a] * my;
        for (int b = 0; b < K; ++b) m[a * K + b] = sxx_[a * K + b] - n * media[a] * media[b];
    }
    // Cholesky with a sliver added to the diagonal: a term that never
    // varies (a seat that is not playing) gets no weight.
    double traza = 0;
    for (int a = 0; a < K; ++a) traza += m[a * K + a];
    const double sliver = 1e-9 * traza / K + 1e-12;
    for (int a = 0; a < K; ++a) {
        m[a * K + a] += sliver;
        for (int b = 0; b <= a; ++b) {
            double s = m[a * K + b];
            for (int c = 0; c < b; ++c) s -= m[a * K + c] * m[b * K + c];
            if (a == b) {
                if (s <= 0) return false;
                m[a * K + a] = std::sqrt(s);
            } else {
                m[a * K + b] = s / m[b * K + b];
            }
        }
    }
    // Solves L L' z = v in place.
    const auto resuelve = [&](std::array<double, K> v) {
        for (int a = 0; a < K; ++a) {
            for (int c = 0; c < a; ++c) v[a] -= m[a * K + c] * v[c];
            v[a] /= m[a * K + a];
        }
        for (int a = K - 1; a >= 0; --a) {
            for (int c = a + 1; c < K; ++c) v[a] -= m[c * K + a] * v[c];
            v[a] /= m[a * K + a];
        }
        return v;
    };
    const std::array<double, K> beta = resuelve(sxy), w = resuelve(media);
    double explicada = 0, ajuste = 0, h = 0;
    for (int a = 0; a < K; ++a) {
        explicada += beta[a] * sxy[a];
        ajuste += beta[a] * media[a];
        h += media[a] * w[a];
    }
    const double residuo = std::max(0.0, syy - explicada) / (n - K - 1);
    if (residuo >= syy / (n - 1)) return false;
    probabilidad = my - ajuste;
    error = std::sqrt(residuo * (1 / n + h));
    return true;
}

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

namespace {

// Plays `p` on with the dice of `semilla`: the winning seat, 0 for none, -1
// when the game reached a throw where a seat has `corte` pieces home (and
// `p` is left at its start, for PreparaSimulacion to go on from).
int Juega(Partida& p, std::uint64_t semilla, const std::atomic<bool>* parar, Suerte* suerte, int corte) {
    InterfazSimulacion ui(p, semilla, parar, suerte, corte);
    try {
        JuegaPartida(p, ui);
    } catch (const Rama&) {
        return -1;
    }
    // The engine leaves the game under way, with the winner to move, only
    // when a seat has brought every piece home.
    if (!p.PartidaIniciada || p.Turno < 1 || p.Turno > 4 || p.EnCasa[p.Turno] < p.NumFichas) return 0;
    return p.Turno;
}

std::uint64_t SemillaDe(std::uint64_t semilla, std::int64_t indice) {
    return Mezcla(semilla ^ Mezcla(static_cast<std::uint64_t>(indice)));
}

}  // namespace

int JuegaSimulacion(const Partida& inicio, std::uint64_t semilla, std::int64_t indice,
                    const std::atomic<bool>* parar, Suerte* suerte) {
    Partida p = inicio;
    return Juega(p, SemillaDe(semilla, indice), parar, suerte, 0);
}

// The last quarter of a seat's pieces: with eight pieces, the state of the
// game when the leading seat has six home foretells a fifth of who wins,
// for three quarters of a playout's cost (docs/rendimiento.md).
Reparto RepartoPara(const Partida& inicio) {
    Reparto r;
    r.Corte = std::max(inicio.NumFichas - inicio.NumFichas / 4, MasEnCasa(inicio) + 1);
    r.Ramas = inicio.NumFichas / 4 + 1;
    if (r.Corte >= inicio.NumFichas) r = {};
    return r;
}

Muestra JuegaMuestra(const Partida& inicio, const Reparto& reparto, std::uint64_t semilla,
                     std::int64_t indice, const std::atomic<bool>* parar, Suerte* suerte) {
    Muestra m;
    Partida p = inicio;
    const std::uint64_t base = SemillaDe(semilla, indice);
    const int ganador = Juega(p, base, parar, suerte, reparto.Corte);
    Partida desde;
    // Stopped at a new throw, the game is always one to go on from (no
    // seat has every piece home); were it not, the playout counts for no
    // one, as one cut short does.
    if (ganador >= 0 || !PreparaSimulacion(p, desde)) {
        m.Ganadas[static_cast<std::size_t>(std::max(ganador, 0))] = 1;
        m.Ramas = 1;
        return m;
    }
    Suerte rama{};
    for (int i = 0; i < reparto.Ramas; ++i) {
        p = desde;
        ++m.Ganadas[static_cast<std::size_t>(Juega(p, SemillaDe(base, i + 1), parar, suerte ? &rama : nullptr, 0))];
        ++m.Ramas;
    }
    if (suerte)
        for (int a = 0; a < NumSuerte; ++a) (*suerte)[static_cast<std::size_t>(a)] += rama[static_cast<std::size_t>(a)] / m.Ramas;
    return m;
}

Analisis::Analisis(const Partida& p, std::uint64_t semilla, double margen, std::int64_t maximo,
                   int hilos, bool comprobar, bool segundoPlano)
    : semilla_(semilla), margen_(margen), maximo_(std::max<std::int64_t>(maximo, Bloque)) {
    valido_ = PreparaSimulacion(p, inicio_, comprobar);
    reparto_ = RepartoPara(inicio_);
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
        std::vector<Hecho> ganadores(Bloque);
        for (std::int64_t i = 0; i < Bloque; ++i) {
            Hecho& h = ganadores[static_cast<std::size_t>(i)];
            h.Azar.fill(0);
            h.Resultado = JuegaMuestra(inicio_, reparto_, semilla_, b * Bloque + i, &parar_, &h.Azar);
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
        std::vector<Hecho>& b = bloques_[contados_];
        for (const Hecho& h : b) {
            const Muestra& m = h.Resultado;
            ++cuenta_.Partidas;
            cuenta_.Terminadas += m.Ramas;
            cuenta_.SinGanador += m.Ganadas[0];
            std::array<double, 5> gana{};
            for (int j = 1; j <= 4; ++j) {
                cuenta_.Victorias[j] += m.Ganadas[j];
                gana[j] = (m.Ganadas[j] + (cuenta_.Parejas ? m.Ganadas[Companero[j]] : 0)) / double(m.Ramas);
                cuenta_.Suma[j] += gana[j];
                cuenta_.Cuadrados[j] += gana[j] * gana[j];
            }
            correccion_.Anota(h.Azar, gana);
        }
        b = {};
        ++contados_;
        for (int j = 1; j <= 4; ++j)
            cuenta_.Corregida[j] = correccion_.Estima(j, cuenta_.Corregido[j], cuenta_.Error[j]);
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
