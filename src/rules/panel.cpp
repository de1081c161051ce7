#include "rules/panel.h"

#include "rules/movimiento.h"

namespace parchis {

const char* const TextoContar =
    "No dispone de ninguna ficha con la que pueda contar de forma  conjunta  todos los "
    "valores desglosados.  Tendrá  que contar los valores de los dados independientemente.";

namespace {

bool EsBono(const Partida& p) { return p.TipoJugada == 5; }

// Steps of a selection once the toggle of row i holds its new state.
bool AplicaSeleccion(Partida& p, int i) {
    bool avisar = false;
    if (p.ValorMarcado[i]) {
        for (int k = 1; k <= p.ModoValores; ++k)
            if (k != i) p.ValorMarcado[k] = false;
    } else if (i > 0 && p.DesgloseObligado) {
        // A single value must be counted: the toggle cannot be cleared.
        p.ValorMarcado[i] = true;
        avisar = p.ValoresUsados == 0;
    }
    // With no row set the person counts the joint total again (index 0);
    // keeping the cleared value would count a die the panel no longer shows.
    int j = 0;
    for (int k = p.ModoValores; k >= 1; --k)
        if (p.ValorMarcado[k]) { j = k; break; }
    p.IndiceValor = static_cast<Entero>(j);
    if (!EsBono(p)) p.ValorCuenta = p.ValoresCuenta[j];
    FichasMovibles(p, p.ValorCuenta, 0);
    ComponeIndicacion(p);
    return avisar;
}

bool DebePreseleccionar(const Partida& p, int i) {
    if (p.NumValoresDesglose > 1 && p.ValoresUsados > 0) return true;
    if (p.NumValoresDesglose == 1 && i == p.JugadaElegida.Indice) return true;
    return p.NumValoresDesglose >= 2 && p.DesgloseObligado;
}

std::string Numero(int n) { return std::to_string(n); }

// The value being counted; an index out of range (a damaged file) reads as
// the joint total.
int ValorIndicado(const Partida& p) {
    const int i = p.IndiceValor >= 0 && p.IndiceValor <= 5 ? p.IndiceValor : 0;
    return p.ValoresCuenta[i];
}

std::string TextoBasico(Partida& p) {
    const int v = ValorIndicado(p);
    const bool total = p.IndiceValor == 0 && p.NumValoresDesglose >= 2;
    const bool sacar = p.PuedeSacar && PuedeMover(p, p.Turno, v, 0);
    if (p.NumFichasMovibles >= 2) {
        std::string t = sacar ? "Elija ficha para sacar o para contar " + Numero(v)
                              : "Elija ficha para contar " + Numero(v);
        if (total) t += " o marque un valor desglosado";
        return t;
    }
    if (p.NumFichasMovibles == 1) {
        if (sacar) return "Sólo puede sacar ficha";
        std::string t = "Sólo hay una ficha para contar " + Numero(v);
        if (total) t += " o un valor desglosado";
        return t;
    }
    return {};
}

}  // namespace

PanelCuenta DescribePanel(const Partida& p) {
    PanelCuenta panel;
    panel.Filas = p.ModoValores;
    for (int i = 1; i <= p.ModoValores && i <= 4; ++i) {
        panel.FilaVisible[i] = !p.ValorUsado[i];
        panel.Etiqueta[i] = "Contar " + Numero(p.ValoresCuenta[i]);
        panel.Marcada[i] = p.ValorMarcado[i];
    }
    panel.Visible = p.Control[p.Turno] == 1 && p.NumValoresDesglose >= 2 && !EsBono(p);
    panel.AdmiteClics = panel.Visible && p.ValoresUsados != p.ModoValores - 1;
    return panel;
}

void PreparaPanel(Partida& p) {
    bool hecho = false;
    for (int i = 1; i <= p.ModoValores && i <= 4 && !hecho; ++i) {
        if (p.ValorUsado[i] || !DebePreseleccionar(p, i)) continue;
        p.ValorMarcado[i] = true;
        AplicaSeleccion(p, i);
        hecho = true;
    }
    ComponeIndicacion(p);
}

bool MarcaValor(Partida& p, int i) {
    if (i < 0 || i > 4) return false;
    p.ValorMarcado[i] = !p.ValorMarcado[i];
    return AplicaSeleccion(p, i);
}

void ComponeIndicacion(Partida& p) {
    if (EsBono(p)) {
        p.Indicacion = (p.NumFichasMovibles >= 2 ? "Elija ficha para contar  "
                                                 : "Sólo hay una ficha para contar  ") +
                       Numero(p.ValorCuenta);
        return;
    }
    std::string t = TextoBasico(p);
    switch (p.JugadaElegida.Tipo) {
        case 8: t = "Saliendo doble con la primera ficha"; break;
        case 9: t = "Saliendo doble con la segunda ficha"; break;
        case 10: t = "La primera ficha sale contando"; break;
        default: break;
    }
    if (p.SacarObligado) t = "Tiene que sacar ficha obligatoriamente";
    if (p.ComerObligado) t = "Tiene que comer ficha obligatoriamente";
    if (p.AbrirBarrera)
        t = std::string("Tiene que abrir ") +
            (p.NumBarreras == 1 ? "la barrera" : "una de sus barreras");
    p.Indicacion = t;
}

}  // namespace parchis
