#include "posiciones.h"

#include <algorithm>

#include "common/partida_aleatoria.h"
#include "rules/movimiento.h"

namespace parchis::prueba {

namespace {

int Entre(std::mt19937& azar, int a, int b) { return std::uniform_int_distribution<int>(a, b)(azar); }

// Levels around every threshold of the scoring, and any level.
int NivelAzar(std::mt19937& azar) {
    static constexpr int Umbrales[] = {0, 40, 41, 60, 61, 75, 76, 80, 81, 90, 91, 100};
    if (Entre(azar, 0, 1) == 0) return Umbrales[Entre(azar, 0, 11)];
    return Entre(azar, 0, 100);
}

}  // namespace

void NuevaTirada(Partida& p, int dado1, int dado2) {
    p.Dado1 = static_cast<Entero>(dado1);
    p.Dado2 = static_cast<Entero>(dado2);
    p.TipoJugada = p.SalidaDoble = 0;
    p.SacarObligado = p.ComerObligado = p.AbrirBarrera = false;
    p.ValorUsado.fill(false);
    p.ValoresUsados = 0;
    p.TiradaNueva = true;
    CalculaValores(p);
}

std::vector<Partida> PosicionesDeDecision(std::mt19937& azar, int cuantas, const AjusteReglas& reglas,
                                          const std::function<bool(Partida&, std::mt19937&)>& filtro) {
    std::vector<Partida> salida;
    const auto faltan = [&] { return static_cast<int>(salida.size()) < cuantas; };
    while (faltan()) {
        Partida p;
        if (reglas) reglas(p, azar);
        else ReglasAleatorias(p, azar);
        EmpiezaPartida(p, azar);
        InterfazAzar ui(p, static_cast<unsigned>(azar()));
        ui.MaxEntradas = Entre(azar, 10, 800);
        // One position in six, and a share of them from each game, so that
        // many games and rule sets take part.
        int deEsta = 0;
        ui.AntesDeElegir = [&](Partida& q) {
            q.Nivel[q.Turno] = static_cast<Entero>(NivelAzar(azar));
            q.Caracter[q.Turno] = static_cast<Entero>(Entre(azar, 1, 3));
            if (Entre(azar, 0, 5) != 0) return;
            Partida copia = q;
            if (filtro && !filtro(copia, azar)) return;
            salida.push_back(std::move(copia));
            if (!faltan() || ++deEsta >= std::max(1, cuantas / 50)) q.PartidaIniciada = false;
        };
        JuegaPartidaAleatoria(p, ui);
    }
    return salida;
}

}  // namespace parchis::prueba
