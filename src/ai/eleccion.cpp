// The choice runs in three stages.  Moves the rules force (the special
// first exits and the compulsory exit) are settled at once.  Otherwise every
// sequence of the throw's values is searched on the record itself, each
// path restored from an in-memory copy of the board, and each finished path
// is scored as a candidate; the first move of the best candidate (the last
// one found among equal totals) is the choice.  Parts of the search met
// again are taken from memory (see busqueda.h).  When every path starts with
// the same move nothing is scored: that move is the choice whatever the
// scores.  Nothing is written to disk, and the record is left as it was
// except for the choice and its facts.
#include "ai/eleccion.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <optional>

#include "ai/alcance.h"
#include "ai/busqueda.h"
#include "ai/puntuacion.h"
#include "ai/valoracion.h"
#include "rules/movimiento.h"
#include "rules/tablero.h"

namespace parchis {

const char* const TextoPartidaCompleja =
    "La combinación  de  parámetros  que  ha  seleccionado para jugar esta partida está "
    "produciendo una demora excesiva en el proceso  de  elección  de  jugada por parte del "
    "ordenador. Como consecuencia de ello, para acelerar el proceso, no se están valorando "
    "todas  las  variables durante  el  proceso de cálculo.  Para acortar  y  mejorar "
    "sensiblemente el desarrollo de la partida, se recomienda reducir el número de dados, de "
    "jugadores o de fichas por jugador.";

namespace {

constexpr double SegundosGuardia = 40;
constexpr int CortesAviso = 3;

double RelojMonotono() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

// Highest index of ValoresCuenta the throw uses: a single value is [0].
int UltimoIndice(const Partida& p) {
    return p.ModoValores >= 2 ? std::min<int>(p.ModoValores, 4) : 0;
}

bool Usado(const Partida& p, int i) { return i == 0 ? p.ValoresUsados != 0 : p.ValorUsado[i]; }

// The rules' result fields, which the search's calls overwrite.
struct ResultadosReglas {
    Entero CasillaDestino;
    std::array<bool, MaxFichas + 1> FichaMovible;
    Entero NumBarreras;
    std::array<Entero, MaxFichas + 1> FichasBarrera;
    bool AbrirBarrera, ComerObligado;
    Entero Bonificacion, JugadorComido;

    explicit ResultadosReglas(const Partida& p)
        : CasillaDestino(p.CasillaDestino), FichaMovible(p.FichaMovible),
          NumBarreras(p.NumBarreras), FichasBarrera(p.FichasBarrera),
          AbrirBarrera(p.AbrirBarrera), ComerObligado(p.ComerObligado),
          Bonificacion(p.Bonificacion), JugadorComido(p.JugadorComido) {}

    void Restaura(Partida& p) const {
        p.CasillaDestino = CasillaDestino;
        p.FichaMovible = FichaMovible;
        p.NumBarreras = NumBarreras;
        p.FichasBarrera = FichasBarrera;
        p.AbrirBarrera = AbrirBarrera;
        p.ComerObligado = ComerObligado;
        p.Bonificacion = Bonificacion;
        p.JugadorComido = JugadorComido;
    }
};

void Unica(Partida& p) { p.NumFichasMovibles = p.NumValoresDesglose = 1; }

// The special first exits: two pieces on the first 5, or the first piece
// leaving by counting.
bool SalidaEspecial(Partida& p) {
    const int t = p.Turno;
    bool especial = p.SalidaDoble == 2;
    if (!especial && p.EnEspera[t] == p.NumFichas) {
        if (p.PrimeraFicha == 3)
            especial = PuedeMover(p, t, p.ValorCuenta, 0);
        else if (p.PrimeraFicha == 2)
            especial = PuedeMover(p, t, p.ValorCuenta, 0) ||
                       (p.NumDados == 2 && p.MetodoCuenta == 2 &&
                        (PuedeMover(p, t, p.Dado1, 0) || PuedeMover(p, t, p.Dado2, 0)));
    }
    if (!especial) return false;
    EleccionJugada& e = p.JugadaElegida;
    e.Origen = 0;
    Unica(p);
    if (p.PrimeraFicha == 3) {
        e.Tipo = 10;
        e.Ficha = 1;
        e.Destino = static_cast<Entero>(AvanzaCasillas(t, p.ValorCuenta, CasillaSalida[t]));
    } else {
        if (p.SalidaDoble == 0) p.SalidaDoble = 1;
        e.Tipo = p.SalidaDoble == 1 ? 8 : 9;
        e.Ficha = p.SalidaDoble;
        e.Destino = static_cast<Entero>(CasillaSalida[t]);
        if (p.SalidaDoble == 2) p.SalidaDoble = 0;
    }
    return true;
}

// A piece in the box must leave when it can.
bool SalidaObligada(Partida& p) {
    const int t = p.Turno;
    if (p.EnEspera[t] < 1 || !p.SalidaObligatoria || p.TipoJugada == 5) {
        p.SacarObligado = false;
        return false;
    }
    EleccionJugada& e = p.JugadaElegida;
    e.Origen = 0;
    e.Destino = static_cast<Entero>(CasillaSalida[t]);
    if (p.NumDados == 2 && p.MetodoSalida == 1) {
        for (int i = 0; i <= UltimoIndice(p); ++i) {
            if (p.ValoresCuenta[i] != 5 || Usado(p, i) || !PuedeMover(p, t, 5, 0)) continue;
            e.Ficha = p.SiguienteSalida[t];
            p.ValorCuenta = e.Valor = 5;
            e.Indice = static_cast<Entero>(i);
            e.Tipo = i == 0 ? 3 : 4;
            Unica(p);
            p.SacarObligado = true;
            return true;
        }
    }
    // The value being counted is the throw's whole value only before any of
    // it is used; later a 5 still to count is the only exit, found above.
    if (p.ValoresUsados == 0 && PuedeMover(p, t, p.ValorCuenta, 0)) {
        e.Ficha = p.SiguienteSalida[t];
        e.Tipo = 3;
        Unica(p);
        p.SacarObligado = true;
        return true;
    }
    p.SacarObligado = false;
    return false;
}

bool JugadaForzada(Partida& p) {
    if (!p.SalidaCon5) return false;
    if (SalidaEspecial(p)) return true;
    if (p.EnEspera[p.Turno] == p.NumFichas && p.PrimeraFicha == 3) p.ModoValores = 0;
    return SalidaObligada(p);
}

// The sequences of values to search: the joint total first, then every
// ordering of the unused split values, produced by permuting their digits
// (equal values give repeated orderings).  At most the total and the 24
// orders of four values.
struct Secuencias {
    std::array<Secuencia, 25> Lista;
    std::size_t Num = 0;
    const Secuencia* begin() const { return Lista.data(); }
    const Secuencia* end() const { return Lista.data() + Num; }
};

void ListaSecuencias(const Partida& p, Secuencias& secuencias) {
    secuencias.Num = 0;
    auto nueva = [&secuencias]() -> Secuencia& {
        Secuencia& s = secuencias.Lista[secuencias.Num++];
        s = Secuencia{};
        return s;
    };
    auto anade = [&nueva](int v) { nueva().push_back(v); };
    if (p.NumDados != 2 || p.MetodoCuenta == 1 || p.ValoresUsados == p.ModoValores) {
        if (p.TipoJugada != 5) anade(p.ValorCuenta);
        return;
    }
    if (p.ValoresUsados == 0) anade(p.ValoresCuenta[0]);
    std::array<int, 4> libres{};
    std::size_t numLibres = 0;
    for (int i = 1; i <= UltimoIndice(p); ++i)
        if (!p.ValorUsado[i]) libres[numLibres++] = p.ValoresCuenta[i];
    if (numLibres == 0) return;
    std::array<int, 4> orden{0, 1, 2, 3};
    do {
        Secuencia& s = nueva();
        for (std::size_t i = 0; i < numLibres; ++i) s.push_back(libres[static_cast<std::size_t>(orden[i])]);
    } while (std::next_permutation(orden.begin(), orden.begin() + static_cast<std::ptrdiff_t>(numLibres)));
}

// Calls `prueba` with each different first value the sequences count (the
// pending bonus, if any) until it returns true; the board is the same for
// all of them, so a repeated value would give the same answer.
template <typename Prueba>
bool AlgunPrimerValor(const Secuencias& secuencias, int bono, Prueba prueba) {
    std::uint32_t vistos = 0;
    for (const Secuencia& s : secuencias) {
        const int v = bono != 0 ? bono : (s.empty() ? 0 : s[0]);
        if (v <= 0) continue;
        if (v <= MaxValor) {
            if ((vistos >> v) & 1u) continue;
            vistos |= 1u << v;
        }
        if (prueba(v)) return true;
    }
    return false;
}

// Where each piece goes with each first value, as PuedeMover says on the
// first board (values above MaxValor, which only a damaged record gives,
// are asked again whenever needed).
using DestinosPiezas = std::array<std::array<Entero, MaxFichas + 1>, MaxValor + 1>;

// Some piece can capture with the first value some sequence counts.  Fills
// `destinos` for every first value on the way.
bool CapturaPosible(Partida& p, const Secuencias& secuencias, int bono, int numFichas, DestinosPiezas& destinos) {
    const int t = p.Turno;
    bool captura = false;
    AlgunPrimerValor(secuencias, bono, [&](int valor) {
        std::array<Entero, MaxFichas + 1> otro;
        auto& d = valor <= MaxValor ? destinos[static_cast<std::size_t>(valor)] : otro;
        DestinosFichas(p, valor, d);
        for (int k = 1; k <= numFichas && !captura; ++k)
            captura = d[k] >= 1 && ComeFicha(p, t, d[k]);
        return false;
    });
    return captura;
}

// The movable pieces of every first value, once HayCapturaPosible is known;
// with `moviles`, every result of the value being counted as well.
void PreparaPrimeras(Partida& p, const Secuencias& secuencias, int bono, const DestinosPiezas& destinos,
                     PrimerasJugadas& primeras, MovilesCuenta* moviles) {
    AlgunPrimerValor(secuencias, bono, [&](int v) {
        if (v > MaxValor) return false;
        const auto i = static_cast<std::size_t>(v);
        const bool guarda = moviles && v == p.ValorCuenta;
        // The call only ever sets ComerObligado: what it sets is told apart
        // from what an earlier value set, and the flag left as it would be.
        const bool comerAntes = p.ComerObligado;
        if (guarda) p.ComerObligado = false;
        FichasMovibles(p, v, 0, &primeras.Destinos[i], &destinos[i], guarda);
        primeras.Movibles[i] = p.FichaMovible;
        primeras.Hechas |= 1u << v;
        if (guarda) {
            *moviles = {true, static_cast<Entero>(v), p.FichaMovible, p.NumBarreras, p.FichasBarrera,
                        p.AbrirBarrera, p.ComerObligado, p.CasillaDestino};
            p.ComerObligado = comerAntes || p.ComerObligado;
        }
        return false;
    });
}

// The paths can start with more than one move (piece and value): only then
// do the scores decide anything.
bool VariasPrimeras(Partida& p, const Secuencias& secuencias, int bono, int numFichas,
                    const PrimerasJugadas& primeras) {
    int ficha = 0, valor = 0;
    return AlgunPrimerValor(secuencias, bono, [&](int v) {
        if (!primeras.Sabe(v)) FichasMovibles(p, v, 0, nullptr, nullptr, false);
        const auto& movibles = primeras.Sabe(v) ? primeras.Movibles[static_cast<std::size_t>(v)] : p.FichaMovible;
        for (int k = 1; k <= numFichas; ++k) {
            if (!movibles[k]) continue;
            if (ficha == 0) {
                ficha = k;
                valor = v;
            } else if (k != ficha || v != valor) {
                return true;
            }
        }
        return false;
    });
}

struct Resultado {
    std::optional<Acumulado> Candidatos;
    bool Aviso = false;
};

// A sequence already searched from the same position yields the same
// candidates again: the search takes them from memory.
Resultado BuscaCandidatos(Partida& p, const RelojBusqueda& reloj, MovilesCuenta* moviles) {
    Resultado r;
    const int bono = p.TipoJugada == 5 ? p.ValorCuenta : 0;
    // The thread's, as the search's lists: set up afresh, not cleared.
    thread_local Secuencias secuencias;
    ListaSecuencias(p, secuencias);
    if (secuencias.Num == 0 && bono != 0) secuencias.Lista[secuencias.Num++] = Secuencia{};   // the bonus alone
    const double inicio = reloj();
    const int numFichas = PiezasDe(p);
    DestinosPiezas destinos;
    p.HayCapturaPosible = CapturaPosible(p, secuencias, bono, numFichas, destinos);
    PrimerasJugadas primeras;
    PreparaPrimeras(p, secuencias, bono, destinos, primeras, moviles);
    Busqueda busqueda(p, numFichas, VariasPrimeras(p, secuencias, bono, numFichas, primeras), p.ValoresCuenta[0],
                      &primeras);
    busqueda.Seguir = [&] { return reloj() - inicio <= SegundosGuardia; };
    thread_local std::array<std::pair<const Secuencia*, Resumen>, 25> hechas;
    std::size_t numHechas = 0;
    for (const Secuencia& s : secuencias) {
        if (reloj() - inicio > SegundosGuardia) {
            r.Aviso = ++p.CortesBusqueda == CortesAviso;
            break;
        }
        const auto previa = std::find_if(hechas.begin(), hechas.begin() + static_cast<std::ptrdiff_t>(numHechas),
                                         [&s](const auto& h) { return *h.first == s; });
        if (previa != hechas.begin() + static_cast<std::ptrdiff_t>(numHechas)) {
            busqueda.Repite(previa->second);
            continue;
        }
        Resumen resumen;
        const bool completa = busqueda.Recorre(s, bono, resumen);
        if (!completa) {
            r.Aviso = ++p.CortesBusqueda == CortesAviso;
            break;
        }
        hechas[numHechas++] = {&s, resumen};
    }
    r.Candidatos.emplace(busqueda.Resultado());
    return r;
}

void Elige(Partida& p, const Acumulado& a) {
    if (!a.Alguno) return;
    const int t = p.Turno;
    const Candidato& elegido = a.Elegido;
    EleccionJugada& e = p.JugadaElegida;
    e.Ficha = elegido.Ficha;
    e.Valor = elegido.Valor;
    for (int i = 0; i <= UltimoIndice(p); ++i)
        if (!Usado(p, i) && p.ValoresCuenta[i] == e.Valor) e.Indice = static_cast<Entero>(i);
    e.Origen = p.Fichas[t][e.Ficha];
    PuedeMover(p, t, e.Valor, e.Origen);
    e.Destino = p.CasillaDestino;
    e.Tipo = p.TipoJugada != 0 ? p.TipoJugada
                               : static_cast<Entero>(e.Valor == p.ValoresCuenta[0] ? 3 : 4);
    p.NumFichasMovibles = a.MismaFicha ? 1 : 99;
    p.NumValoresDesglose = a.MismoValor ? 1 : 99;
    p.DesgloseObligado = !(p.ValoresUsados == 0 && a.Total);
    p.PuedeSacar = a.Sacar;
}

}  // namespace

bool EligeJugada(Partida& p, const RelojBusqueda& reloj, MovilesCuenta* moviles) {
    if (moviles) moviles->Sabidas = false;
    p.JugadaElegida = EleccionJugada{0, p.ValorCuenta, 0, 0, 0, 0};
    p.NumFichasMovibles = p.NumValoresDesglose = 0;
    p.DesgloseObligado = p.PuedeSacar = false;
    p.HayCapturaPosible = false;
    for (auto& huecos : p.Destinos) huecos.fill(0);
    if (p.Turno < 1 || p.Turno > 4) return false;

    const ResultadosReglas resultados(p);
    if (JugadaForzada(p)) {
        const EleccionJugada& e = p.JugadaElegida;
        p.PuedeSacar = true;
        p.DesgloseObligado = !(p.ValoresUsados == 0 && e.Valor == p.ValoresCuenta[0]);
        resultados.Restaura(p);
        return false;
    }
    const Resultado r = BuscaCandidatos(p, reloj ? reloj : RelojBusqueda(RelojMonotono), moviles);
    Elige(p, *r.Candidatos);
    resultados.Restaura(p);
    return r.Aviso;
}

void FichasMoviblesCuenta(Partida& p, const MovilesCuenta& m) {
    if (!m.Sabidas || m.Valor != p.ValorCuenta) {
        FichasMovibles(p, p.ValorCuenta);
        return;
    }
    p.FichaMovible = m.FichaMovible;
    p.NumBarreras = m.NumBarreras;
    p.FichasBarrera = m.FichasBarrera;
    p.AbrirBarrera = m.AbrirBarrera;
    p.ComerObligado = p.ComerObligado || m.ComerObligado;
    p.CasillaDestino = m.CasillaDestino;
}

void PreparaMemoriaJugador() { Busqueda::PreparaMemoria(); }

}  // namespace parchis
