#include "ai/dados.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <sstream>

#include "core/fichero.h"

namespace parchis {

void CuentaDados::Suma(const CuentaDados& o) {
    Tiradas += o.Tiradas;
    TiradasDos += o.TiradasDos;
    for (int i = 0; i < 7; ++i) Caras[i] += o.Caras[i];
    for (int i = 0; i < 13; ++i) Sumas[i] += o.Sumas[i];
    Dobles += o.Dobles;
}

namespace {

bool EsCara(int v) { return v >= 1 && v <= 6; }

void Anota(CuentaDados& c, int d1, int d2) {
    ++c.Caras[d1];
    if (d2 == 0) {
        ++c.Tiradas;
        return;
    }
    ++c.TiradasDos;
    ++c.Caras[d2];
    ++c.Sumas[d1 + d2];
    if (d1 == d2) ++c.Dobles;
}

}  // namespace

RecuentoDados CuentaTiradasHasta(const Partida& p, int ultima) {
    RecuentoDados r{};
    ultima = std::min<int>(ultima, static_cast<int>(p.Jugadas.size()) - 1);
    for (int n = 1; n <= ultima; ++n) {
        const Jugada& e = p.Jugadas[n];
        // Kind 7 (a piece moved by hand) also starts a "throw" in the log,
        // with no dice; kind 6 is the return of a captured piece.
        if (e.InicioTirada != 1 || e.TipoJugada == 6 || e.TipoJugada == 7) continue;
        if (e.Jugador < 1 || e.Jugador > 4 || !EsCara(e.Dado1)) continue;
        if (e.Dado2 != 0 && !EsCara(e.Dado2)) continue;
        Anota(r[e.Jugador], e.Dado1, e.Dado2);
        Anota(r[0], e.Dado1, e.Dado2);
    }
    return r;
}

RecuentoDados CuentaTiradas(const Partida& p) {
    RecuentoDados r = CuentaTiradasHasta(p, p.NumJugada - 1);
    const bool dosDados = p.NumDados == 2;
    if (p.PartidaIniciada && p.TiradaNueva && p.EsperandoFicha && p.Turno >= 1 && p.Turno <= 4 &&
        EsCara(p.Dado1) && (dosDados ? EsCara(p.Dado2) : p.Dado2 == 0)) {
        Anota(r[p.Turno], p.Dado1, p.Dado2);
        Anota(r[0], p.Dado1, p.Dado2);
    }
    return r;
}

// Q(a, x) by its series when x < a + 1 (as 1 - P), else by its continued
// fraction (modified Lentz).  Both converge within a few hundred steps for
// the degrees of freedom met here.
double GammaIncompletaQ(double a, double x) {
    if (!(a > 0) || !(x >= 0)) return std::nan("");
    if (x == 0) return 1;
    if (std::isinf(x)) return 0;
    const double registro = a * std::log(x) - x - std::lgamma(a);
    constexpr double Eps = 1e-15;
    if (x < a + 1) {
        double termino = 1 / a, suma = termino;
        for (int n = 1; n < 1000; ++n) {
            termino *= x / (a + n);
            suma += termino;
            if (std::fabs(termino) < std::fabs(suma) * Eps) break;
        }
        return std::clamp(1 - suma * std::exp(registro), 0.0, 1.0);
    }
    constexpr double Minimo = 1e-300;
    double b = x + 1 - a, c = 1 / Minimo, d = 1 / b, h = d;
    for (int i = 1; i < 1000; ++i) {
        const double an = -i * (i - a);
        b += 2;
        d = an * d + b;
        if (std::fabs(d) < Minimo) d = Minimo;
        c = b + an / c;
        if (std::fabs(c) < Minimo) c = Minimo;
        d = 1 / d;
        const double delta = d * c;
        h *= delta;
        if (std::fabs(delta - 1) < Eps) break;
    }
    return std::clamp(std::exp(registro) * h, 0.0, 1.0);
}

namespace {

template <std::size_t N>
PruebaDados Prueba(const std::array<double, N>& observados, const std::array<double, N>& esperados,
                   bool suficiente) {
    PruebaDados r;
    r.Suficiente = suficiente;
    r.GradosLibertad = static_cast<int>(N) - 1;
    if (!suficiente) return r;
    for (std::size_t i = 0; i < N; ++i) {
        const double d = observados[i] - esperados[i];
        r.ChiCuadrado += d * d / esperados[i];
    }
    r.Probabilidad = GammaIncompletaQ(r.GradosLibertad / 2.0, r.ChiCuadrado / 2);
    return r;
}

// The classic rule of thumb: some five throws expected in each cell (with
// two dice, in all but the totals of 2 and 12).
constexpr std::int64_t MinimoCaras = 30;
constexpr std::int64_t MinimoSumas = 90;

}  // namespace

double CarasEsperadas(const CuentaDados& c) { return static_cast<double>(c.Dados()) / 6; }

double SumasEsperadas(const CuentaDados& c, int suma) {
    if (suma < 2 || suma > 12) return 0;
    return static_cast<double>(c.TiradasDos) * (6 - std::abs(suma - 7)) / 36;
}

double DoblesEsperados(const CuentaDados& c) { return static_cast<double>(c.TiradasDos) / 6; }

PruebaDados PruebaCaras(const CuentaDados& c) {
    std::array<double, 6> o{}, e{};
    for (int i = 0; i < 6; ++i) {
        o[i] = static_cast<double>(c.Caras[i + 1]);
        e[i] = CarasEsperadas(c);
    }
    return Prueba(o, e, c.Dados() >= MinimoCaras);
}

PruebaDados PruebaSumas(const CuentaDados& c) {
    std::array<double, 11> o{}, e{};
    for (int i = 0; i < 11; ++i) {
        o[i] = static_cast<double>(c.Sumas[i + 2]);
        e[i] = SumasEsperadas(c, i + 2);
    }
    return Prueba(o, e, c.TiradasDos >= MinimoSumas);
}

std::string TextoProbabilidad(double p) {
    char texto[32];
    const double pct = 100 * p;
    if (pct < 0.1)
        return "menos del 0,1 %";
    else if (pct < 10)
        std::snprintf(texto, sizeof texto, "%.1f %%", pct);
    else
        std::snprintf(texto, sizeof texto, "%.0f %%", pct);
    std::string s = texto;
    std::replace(s.begin(), s.end(), '.', ',');
    return s;
}

std::string Veredicto(const PruebaDados& prueba) {
    if (!prueba.Suficiente) return "Aún hay pocas tiradas para juzgar los dados";
    const std::string p = TextoProbabilidad(prueba.Probabilidad);
    if (prueba.Probabilidad >= 0.05)
        return "Los dados se comportan como cabe esperar por azar (unos dados sin trucar se "
               "apartan así o más en el " + p + " de los casos)";
    if (prueba.Probabilidad >= 0.001)
        return "Los dados se apartan de lo esperado más de lo habitual: unos dados sin trucar "
               "lo hacen sólo en el " + p + " de los casos";
    return "Los dados se apartan mucho de lo esperado: unos dados sin trucar lo harían en " + p +
           " de los casos";
}

// --- the tally file ---------------------------------------------------------
//
//   recuento-dados 1
//   partidas N
//   jugador J  tiradas tiradasDos  caras 1..6  sumas 2..12  dobles
//   huellas h1 h2 ... (hexadecimal)

namespace {

constexpr const char* Cabecera = "recuento-dados 1";
// More throws than a lifetime of games could give: a larger figure is damage.
constexpr std::int64_t MaxCuenta = std::int64_t{1} << 40;
constexpr std::size_t MaxTamanoRecuento = 64 * 1024;

bool CuadraCuenta(const CuentaDados& c) {
    std::int64_t caras = 0, sumas = 0;
    for (int i = 1; i <= 6; ++i) caras += c.Caras[i];
    for (int i = 2; i <= 12; ++i) sumas += c.Sumas[i];
    return caras == c.Dados() && sumas == c.TiradasDos && c.Dobles <= c.TiradasDos &&
           c.Caras[0] == 0 && c.Sumas[0] == 0 && c.Sumas[1] == 0;
}

bool LeeNumero(std::istringstream& in, std::int64_t& v) {
    std::string t;
    if (!(in >> t) || t.empty() || t.size() > 14 || t.find_first_not_of("0123456789") != std::string::npos)
        return false;
    v = std::stoll(t);
    return v <= MaxCuenta;
}

}  // namespace

std::string ComponeRecuento(const RecuentoGeneral& r) {
    std::ostringstream out;
    out << Cabecera << "\npartidas " << r.Partidas << '\n';
    for (int j = 1; j <= 4; ++j) {
        const CuentaDados& c = r.Recuento[j];
        out << "jugador " << j << ' ' << c.Tiradas << ' ' << c.TiradasDos;
        for (int i = 1; i <= 6; ++i) out << ' ' << c.Caras[i];
        for (int i = 2; i <= 12; ++i) out << ' ' << c.Sumas[i];
        out << ' ' << c.Dobles << '\n';
    }
    out << "huellas";
    for (std::uint64_t h : r.Hechas) {
        char t[20];
        std::snprintf(t, sizeof t, " %016llx", static_cast<unsigned long long>(h));
        out << t;
    }
    out << '\n';
    return out.str();
}

RecuentoGeneral LeeRecuento(const std::string& texto) {
    RecuentoGeneral r;
    std::istringstream lineas(texto.substr(0, MaxTamanoRecuento));
    std::string linea;
    if (!std::getline(lineas, linea) || linea.rfind(Cabecera, 0) != 0) return r;
    while (std::getline(lineas, linea)) {
        std::istringstream in(linea);
        std::string clave;
        in >> clave;
        std::int64_t v = 0;
        if (clave == "partidas") {
            if (LeeNumero(in, v)) r.Partidas = v;
        } else if (clave == "jugador") {
            std::int64_t j = 0;
            CuentaDados c;
            bool bien = LeeNumero(in, j) && j >= 1 && j <= 4 && LeeNumero(in, c.Tiradas) &&
                        LeeNumero(in, c.TiradasDos);
            for (int i = 1; bien && i <= 6; ++i) bien = LeeNumero(in, c.Caras[i]);
            for (int i = 2; bien && i <= 12; ++i) bien = LeeNumero(in, c.Sumas[i]);
            bien = bien && LeeNumero(in, c.Dobles) && CuadraCuenta(c);
            if (bien) r.Recuento[j] = c;
        } else if (clave == "huellas") {
            std::string t;
            while (in >> t && r.Hechas.size() < MaxHuellasRecuento) {
                if (t.empty() || t.size() > 16 || t.find_first_not_of("0123456789abcdef") != std::string::npos)
                    continue;
                r.Hechas.push_back(std::stoull(t, nullptr, 16));
            }
        }
    }
    r.Recuento[0] = {};
    for (int j = 1; j <= 4; ++j) r.Recuento[0].Suma(r.Recuento[j]);
    return r;
}

RecuentoGeneral CargaRecuento(const std::string& carpeta) {
    std::string texto;
    if (LeeFichero(carpeta + FicheroRecuento, texto, MaxTamanoRecuento) != 0) return {};
    return LeeRecuento(texto);
}

std::uint64_t HuellaPartida(const Partida& p) {
    std::uint64_t h = 1469598103934665603ull;
    auto mezcla = [&h](std::int64_t v) {
        for (int i = 0; i < 8; ++i) {
            h ^= static_cast<std::uint64_t>(v >> (8 * i)) & 0xff;
            h *= 1099511628211ull;
        }
    };
    for (char c : p.IdPartida) mezcla(c);
    mezcla(p.NumDados);
    const int ultima = std::min<int>(p.NumJugada, static_cast<int>(p.Jugadas.size()) - 1);
    mezcla(ultima);
    for (int n = 1; n <= ultima; ++n) {
        const Jugada& e = p.Jugadas[n];
        mezcla(e.Jugador);
        mezcla(e.Dado1);
        mezcla(e.Dado2);
        mezcla(e.TipoJugada);
        mezcla(e.FichaJugada);
        mezcla(e.CasillaFinal);
    }
    return h;
}

bool AnadeRecuento(const std::string& carpeta, const Partida& p, std::string* apartado) {
    // A tally that is there but cannot be read is left as it is, and one
    // that does not read back whole (damaged, or not ours) is kept aside
    // before what could be taken of it is written anew: a game's dice never
    // cost the figures of the games before it.
    const std::string fichero = carpeta + FicheroRecuento;
    std::string texto;
    const int error = LeeFichero(fichero, texto, MaxTamanoRecuento + 1);
    if (error != 0 && error != ENOENT) return false;
    RecuentoGeneral r = LeeRecuento(texto);
    const std::uint64_t huella = HuellaPartida(p);
    if (std::find(r.Hechas.begin(), r.Hechas.end(), huella) != r.Hechas.end()) return true;
    if (!texto.empty() && ComponeRecuento(r) != texto) {
        const std::string nombre = ApartaFichero(fichero);
        if (nombre.empty()) return false;
        if (apartado) *apartado = nombre;
    }
    const RecuentoDados partida = CuentaTiradasHasta(p, p.NumJugada);
    for (int j = 0; j <= 4; ++j) r.Recuento[j].Suma(partida[j]);
    ++r.Partidas;
    r.Hechas.push_back(huella);
    if (r.Hechas.size() > MaxHuellasRecuento)
        r.Hechas.erase(r.Hechas.begin(), r.Hechas.end() - MaxHuellasRecuento);
    return EscribeFichero(fichero, ComponeRecuento(r));
}

}  // namespace parchis
