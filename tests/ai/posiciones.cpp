#include "posiciones.h"

#include <optional>

#include "common/partida_aleatoria.h"
#include "rules/movimiento.h"
#include "rules/tablero.h"

namespace parchis::prueba {

namespace {

int Entre(std::mt19937& azar, int a, int b) { return std::uniform_int_distribution<int>(a, b)(azar); }

// Levels around every threshold of the scoring, and any level.
int NivelAzar(std::mt19937& azar) {
    static constexpr int Umbrales[] = {0, 40, 41, 60, 61, 75, 76, 80, 81, 90, 91, 100};
    if (Entre(azar, 0, 1) == 0) return Umbrales[Entre(azar, 0, 11)];
    return Entre(azar, 0, 100);
}

class Recolector {
public:
    Recolector(std::mt19937& azar, std::vector<Partida>& salida, int cuantas,
               const std::function<bool(Partida&, std::mt19937&)>& filtro)
        : azar_(azar), salida_(salida), cuantas_(cuantas), filtro_(filtro) {}

    // A position is complete only when the entry after it is not the
    // kind-6 half of a capture.
    void TrasJugada(Partida& p, int n) {
        if (pendiente_ && p.Jugadas[n].TipoJugada != 6) Emite(*pendiente_, pendienteN_);
        pendiente_.reset();
        if (Entre(azar_, 0, 3) == 0 && static_cast<int>(salida_.size()) < cuantas_) {
            pendiente_ = p;
            pendienteN_ = n;
        }
    }

private:
    void Emite(Partida q, int n) {
        const Jugada e = q.Jugadas[n];
        const int t = q.Turno;
        q.NumJugada = static_cast<Entero>(n + 1);
        if (q.EnCasa[t] == q.NumFichas) return;
        if (e.TipoJugada == 9 || e.TipoJugada == 10) q.ValoresUsados = q.ModoValores;
        const bool moviendo = e.TipoJugada >= 3 && e.TipoJugada <= 10 && e.TipoJugada != 6 &&
                              e.TipoJugada != 7;
        const int caso = Entre(azar_, 0, 2);
        if (e.TipoJugada == 6 && caso != 0 &&
            (e.CasillaOrigen != CasillaSalida[t] || q.BonoComerSaliendo)) {
            Bono(q, 20);
        } else if (moviendo && e.CasillaFinal == CasillaCasa[t] && caso != 0) {
            Bono(q, 10);
        } else if (e.TipoJugada == 8 && caso != 0) {
            q.SalidaDoble = 2;
            q.ValorCuenta = 5;
            q.TipoJugada = 0;
            q.TiradaNueva = false;
        } else if ((e.TipoJugada == 3 || e.TipoJugada == 4 || e.TipoJugada == 5) &&
                   q.ValoresUsados < q.ModoValores && caso != 0) {
            q.TipoJugada = 0;
            q.TiradaNueva = false;
            SiguienteValor(q);
        } else {
            if (Entre(azar_, 0, 1) == 0) q.Turno = static_cast<Entero>(SiguienteJugador(q, t));
            const int d1 = Entre(azar_, 1, 6);
            const int d2 = Entre(azar_, 0, 3) == 0 ? d1 : Entre(azar_, 1, 6);
            NuevaTirada(q, d1, q.NumDados == 2 ? d2 : 0);
        }
        q.Nivel[q.Turno] = static_cast<Entero>(NivelAzar(azar_));
        q.Caracter[q.Turno] = static_cast<Entero>(Entre(azar_, 1, 3));
        if (filtro_ && !filtro_(q, azar_)) return;
        salida_.push_back(std::move(q));
    }

    static void Bono(Partida& q, int valor) {
        q.TipoJugada = 5;
        q.ValorCuenta = static_cast<Entero>(valor);
        q.TiradaNueva = false;
    }

    std::mt19937& azar_;
    std::vector<Partida>& salida_;
    int cuantas_;
    const std::function<bool(Partida&, std::mt19937&)>& filtro_;
    std::optional<Partida> pendiente_;
    int pendienteN_ = 0;
};

}  // namespace

void NuevaTirada(Partida& p, int dado1, int dado2) {
    p.Dado1 = static_cast<Entero>(dado1);
    p.Dado2 = static_cast<Entero>(dado2);
    p.TipoJugada = 0;
    p.SalidaDoble = 0;
    p.SacarObligado = false;
    p.ComerObligado = false;
    p.AbrirBarrera = false;
    p.ValorUsado.fill(false);
    p.ValoresUsados = 0;
    p.TiradaNueva = true;
    CalculaValores(p);
}

std::vector<Partida> PosicionesDeDecision(std::mt19937& azar, int cuantas, const AjusteReglas& reglas,
                                          const std::function<bool(Partida&, std::mt19937&)>& filtro) {
    std::vector<Partida> salida;
    Recolector r(azar, salida, cuantas, filtro);
    while (static_cast<int>(salida.size()) < cuantas) {
        Partida p;
        if (reglas) reglas(p, azar);
        else ReglasAleatorias(p, azar);
        p.NumFichas = static_cast<Entero>(FichasSegunRegla(p));
        CuentaJugadores(p);
        EmpiezaPartida(p, azar);
        p.PartidaIniciada = true;
        JuegaPartidaAleatoria(p, azar, Entre(azar, 10, 600),
                              [&r](Partida& q, int n) { r.TrasJugada(q, n); });
    }
    salida.resize(static_cast<std::size_t>(cuantas));
    return salida;
}

}  // namespace parchis::prueba
