#include "ai/probabilidad.h"

namespace parchis {

namespace {

void Anota(DistribucionValores& d, int valor) {
    if (valor >= 1 && valor <= MaxValor) ++d.Combinaciones[valor];
}

// A doubled throw with bonus values gives its four values and every sum of
// two, three and four of them: fifteen entries.
void AnotaDobleConBonos(DistribucionValores& d, const std::array<int, 4>& v) {
    for (int mascara = 1; mascara < 16; ++mascara) {
        int suma = 0;
        for (int i = 0; i < 4; ++i)
            if (mascara & (1 << i)) suma += v[i];
        Anota(d, suma);
    }
}

void AnotaDosDados(const Partida& p, bool cajaVacia, int d1, int d2, DistribucionValores& d) {
    const bool doble = d1 == d2;
    if (p.MetodoCuenta != 2) {
        int valor = d1 + d2;
        if (doble && cajaVacia) {
            if (p.SeisConTodas == 1) valor = 14;
            else if (p.SeisConTodas == 2) valor = 2 * (d1 + d2);
        }
        Anota(d, valor);
        return;
    }
    if (doble && cajaVacia && (p.SeisConTodas == 1 || p.SeisConTodas == 2)) {
        const int bono = p.SeisConTodas == 1 ? 7 - d1 : d1;
        AnotaDobleConBonos(d, {d1, d2, bono, bono});
        return;
    }
    Anota(d, d1);
    Anota(d, d2);
    Anota(d, d1 + d2);
}

DistribucionValores Calcula(const Partida& p, bool cajaVacia) {
    DistribucionValores d;
    if (p.NumDados == 2) {
        for (int d1 = 1; d1 <= 6; ++d1)
            for (int d2 = 1; d2 <= 6; ++d2) AnotaDosDados(p, cajaVacia, d1, d2, d);
    } else {
        for (int dado = 1; dado <= 6; ++dado) {
            int valor = dado;
            if (dado == 6 && cajaVacia) {
                if (p.SeisConTodas == 1) valor = 7;
                else if (p.SeisConTodas == 2) valor = 12;
            }
            Anota(d, valor);
        }
    }
    int total = 0;
    for (int v = 1; v <= MaxValor; ++v) {
        total += d.Combinaciones[v];
        if (d.Combinaciones[v] > 0) d.NumValoresPosibles = v;
    }
    for (int v = 1; v <= MaxValor; ++v)
        d.PorcentajeValor[v] = total > 0 ? d.Combinaciones[v] * 100.0 / total : 0.0;
    return d;
}

// The rules a distribution depends on; the computer player asks for the same
// two at every choice of a game, so the last answer of each is kept.
struct ReglasDistribucion {
    Entero NumDados = 0, MetodoCuenta = 0, SeisConTodas = 0;
    bool operator==(const ReglasDistribucion&) const = default;
};

struct Guardada {
    bool Hecha = false;
    ReglasDistribucion Reglas;
    DistribucionValores Valores;
};

}  // namespace

DistribucionValores DistribucionSegunEspera(const Partida& p, bool cajaVacia) {
    thread_local std::array<Guardada, 2> guardadas;
    Guardada& g = guardadas[cajaVacia ? 1 : 0];
    const ReglasDistribucion reglas{p.NumDados, p.MetodoCuenta, p.SeisConTodas};
    if (!g.Hecha || !(g.Reglas == reglas)) {
        g.Valores = Calcula(p, cajaVacia);
        g.Reglas = reglas;
        g.Hecha = true;
    }
    return g.Valores;
}

DistribucionValores ProbabilidadValores(const Partida& p, int jugador) {
    const bool cajaVacia = jugador >= 1 && jugador <= 4 && p.EnEspera[jugador] == 0;
    return DistribucionSegunEspera(p, cajaVacia);
}

}  // namespace parchis
