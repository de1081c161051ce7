#include "common/partida_aleatoria.h"

#include <vector>

#include "rules/movimiento.h"
#include "rules/narracion.h"
#include "rules/registro.h"
#include "rules/tablero.h"

namespace parchis::prueba {

namespace {

bool Moneda(std::mt19937& azar) { return std::uniform_int_distribution<int>(0, 1)(azar) == 1; }
int Entre(std::mt19937& azar, int a, int b) { return std::uniform_int_distribution<int>(a, b)(azar); }

struct Opcion {
    int indice, ficha;
};

// One game in progress, following the turn engine's passes: a throw, one
// pass per value counted, bonus passes, another throw after a six.
class Motor {
public:
    Motor(Partida& p, std::mt19937& azar, int max, const TrasJugada& tras)
        : p_(p), azar_(azar), max_(max), tras_(tras) {}

    bool Juega() {
        for (;;) {
            p_.Turno = static_cast<Entero>(SiguienteJugador(p_, p_.Turno));
            p_.TiradaNueva = true;
            bool sigue = true;
            while (sigue) {
                if (anotadas_ >= max_) return Termina(false);
                ++p_.NumJugada;
                if (p_.TiradaNueva && !Tira()) break;
                if (p_.TipoJugada != 11) EligeMovimiento();
                const int casa = CasillaCasa[p_.Turno];
                const bool captura = Captura();
                Anota();
                if (p_.TipoJugada == 9 || p_.TipoJugada == 10 || p_.TipoJugada == 11)
                    p_.ValoresUsados = p_.ModoValores;
                p_.TiradaNueva = false;
                if (p_.EnCasa[p_.Turno] == p_.NumFichas) return Termina(true);
                const int ficha = p_.FichaJugada;
                const int destino = p_.CasillaFinal;
                p_.TipoJugada = 0;
                const bool bono = captura && AnotaCaptura(destino);
                sigue = Continua(bono, destino == casa, ficha);
            }
        }
    }

private:
    bool Termina(bool ganada) {
        p_.NumJugada = static_cast<Entero>(ultima_ + 1);
        return ganada;
    }

    // The throw, and the third-six penalty.  False when the turn ends at once.
    bool Tira() {
        p_.Dado1 = static_cast<Entero>(Entre(azar_, 1, 6));
        p_.Dado2 = static_cast<Entero>(p_.NumDados == 2 ? Entre(azar_, 1, 6) : 0);
        p_.TipoJugada = 0;
        p_.SalidaDoble = 0;
        p_.SacarObligado = false;
        p_.ComerObligado = false;
        p_.AbrirBarrera = false;
        p_.ValorUsado.fill(false);
        p_.ValoresUsados = 0;
        CalculaValores(p_);
        const bool repite = p_.NumDados == 2 ? p_.Dado1 == p_.Dado2 : p_.Dado1 == 6;
        if (!repite) {
            p_.Repeticiones = 0;
            return true;
        }
        if (++p_.Repeticiones < 3) return true;
        return Penaliza();
    }

    bool Penaliza() {
        p_.ValoresUsados = p_.ModoValores;
        int ficha = 0;
        for (int n = p_.NumJugada - 1; n >= 1; --n) {
            const Jugada& e = p_.Jugadas[n];
            if (e.Jugador == p_.Turno && e.TipoJugada != 5 && e.TipoJugada != 7) {
                ficha = e.FichaJugada;
                break;
            }
        }
        const int pos = p_.Fichas[p_.Turno][ficha];
        if (pos >= CasillaCasa[p_.Turno] - 7) {
            --p_.NumJugada;
            p_.Repeticiones = 0;
            return false;
        }
        p_.FichaJugada = static_cast<Entero>(ficha);
        p_.CasillaOrigen = static_cast<Entero>(pos);
        p_.CasillaFinal = 0;
        p_.TipoJugada = 11;
        return true;
    }

    void Mueve(int tipo, int ficha, int valor, int indice) {
        p_.TipoJugada = static_cast<Entero>(tipo);
        p_.FichaJugada = static_cast<Entero>(ficha);
        p_.ValorCuenta = static_cast<Entero>(valor);
        p_.IndiceValor = static_cast<Entero>(indice);
        p_.CasillaOrigen = p_.Fichas[p_.Turno][ficha];
        p_.CasillaFinal = p_.CasillaDestino;
    }

    void NoPuede() {
        p_.TipoJugada = p_.EnEspera[p_.Turno] == p_.NumFichas ? 2 : 1;
        p_.FichaJugada = 0;
        p_.CasillaOrigen = 0;
        p_.CasillaFinal = 0;
    }

    void EligeMovimiento() {
        const int t = p_.Turno;
        if (p_.TipoJugada == 5) return EligeBono();
        if (p_.SalidaDoble == 2) {
            p_.SalidaDoble = 0;
            p_.CasillaDestino = static_cast<Entero>(CasillaSalida[t]);
            return Mueve(9, p_.SiguienteSalida[t], 5, p_.IndiceValor);
        }
        if (p_.SalidaCon5 && p_.EnEspera[t] == p_.NumFichas && SalidaEspecial()) return;
        EligeValorYPieza();
    }

    // The first piece leaving counting, or two pieces leaving on the first
    // five (only onto an empty exit square, so that both always fit).
    bool SalidaEspecial() {
        const int t = p_.Turno;
        const int total = p_.ValoresCuenta[0];
        if (p_.PrimeraFicha == 3 && PuedeMover(p_, t, total, 0, 1)) {
            Mueve(10, 1, total, 0);
            return true;
        }
        if (p_.PrimeraFicha != 2 || p_.Casillas[CasillaSalida[t]].Jugador[1] != 0) return false;
        bool sale = PuedeMover(p_, t, total, 0);
        if (p_.NumDados == 2 && p_.MetodoCuenta == 2)
            sale = sale || PuedeMover(p_, t, p_.Dado1, 0) || PuedeMover(p_, t, p_.Dado2, 0);
        if (!sale) return false;
        p_.SalidaDoble = 1;
        p_.CasillaDestino = static_cast<Entero>(CasillaSalida[t]);
        Mueve(8, 1, total, 0);
        return true;
    }

    std::vector<int> IndicesLibres() const {
        std::vector<int> r;
        if (p_.ValoresUsados == 0) r.push_back(0);
        for (int i = 1; p_.ModoValores > 1 && i <= p_.ModoValores; ++i)
            if (!p_.ValorUsado[i]) r.push_back(i);
        return r;
    }

    // Whether some piece captures with one of the values, as the computer
    // player's analysis tells the compulsory-capture rule.
    bool CapturaPosible(const std::vector<int>& valores) {
        const int t = p_.Turno;
        for (int v : valores)
            for (int k = 1; k <= p_.NumFichas; ++k)
                if (PuedeMover(p_, t, v, p_.Fichas[t][k], k) && ComeFicha(p_, t, p_.CasillaDestino)) return true;
        return false;
    }

    void EligeValorYPieza() {
        const std::vector<int> indices = IndicesLibres();
        std::vector<int> valores;
        for (int i : indices) valores.push_back(p_.ValoresCuenta[i]);
        p_.HayCapturaPosible = CapturaPosible(valores);
        const bool comerObligado = p_.ComerObligado;
        std::vector<Opcion> opciones;
        for (int i : indices) {
            FichasMovibles(p_, p_.ValoresCuenta[i]);
            for (int k = 1; k <= p_.NumFichas; ++k)
                if (p_.FichaMovible[k]) opciones.push_back({i, k});
        }
        p_.ComerObligado = comerObligado;
        if (opciones.empty()) return NoPuede();
        const Opcion o = opciones[Entre(azar_, 0, static_cast<int>(opciones.size()) - 1)];
        const int valor = p_.ValoresCuenta[o.indice];
        FichasMovibles(p_, valor);  // the flags of the value actually counted
        PuedeMover(p_, p_.Turno, valor, p_.Fichas[p_.Turno][o.ficha], o.ficha);
        p_.SacarObligado = p_.Fichas[p_.Turno][o.ficha] == 0 && p_.SalidaCon5 && p_.SalidaObligatoria;
        Mueve(o.indice == 0 ? 3 : 4, o.ficha, valor, o.indice);
        if (o.indice == 0) {
            p_.ValoresUsados = p_.ModoValores;
        } else {
            p_.ValorUsado[o.indice] = true;
            ++p_.ValoresUsados;
        }
    }

    // A bonus count of 10 or 20, with any piece that can count it.
    void EligeBono() {
        const int valor = p_.ValorCuenta;
        p_.SacarObligado = false;
        p_.HayCapturaPosible = CapturaPosible({valor});
        FichasMovibles(p_, valor);
        std::vector<int> fichas;
        for (int k = 1; k <= p_.NumFichas; ++k)
            if (p_.FichaMovible[k]) fichas.push_back(k);
        if (fichas.empty()) return NoPuede();
        const int k = fichas[Entre(azar_, 0, static_cast<int>(fichas.size()) - 1)];
        PuedeMover(p_, p_.Turno, valor, p_.Fichas[p_.Turno][k], k);
        Mueve(5, k, valor, p_.IndiceValor);
    }

    bool Captura() const {
        const int t = p_.Turno;
        switch (p_.TipoJugada) {
            case 3: case 4: case 5: case 8: case 9: case 10:
                return p_.CasillaFinal != CasillaCasa[t] && ComeFicha(p_, t, p_.CasillaFinal);
            default:
                return false;
        }
    }

    void Anota() {
        AseguraLog(p_, p_.NumJugada);
        p_.Jugadas[p_.NumJugada] = EntradaJugada(p_);
        AvanzaJugada(p_, p_.NumJugada);
        ultima_ = p_.NumJugada;
        ++anotadas_;
        if (tras_) tras_(p_, p_.NumJugada);
    }

    // The captured piece goes back as an entry of its own.  True when the
    // capture earns the bonus of 20.
    bool AnotaCaptura(int casilla) {
        const int t = p_.Turno;
        const Casilla& c = p_.Casillas[casilla];
        int h = 3;
        while (h >= 1 && (c.Pieza[h] == 0 || c.Jugador[h] == t)) --h;
        if (h < 1) return false;
        ++p_.NumJugada;
        p_.JugadorComido = c.Jugador[h];
        p_.FichaJugada = c.Pieza[h];
        p_.CasillaOrigen = static_cast<Entero>(casilla);
        p_.CasillaFinal = 0;
        p_.TipoJugada = 6;
        Anota();
        p_.TipoJugada = 0;
        return casilla != CasillaSalida[t] || p_.BonoComerSaliendo;
    }

    // What follows a move; false when the turn ends.
    bool Continua(bool bono, bool enCasa, int ficha) {
        if (p_.SalidaDoble == 1) {
            p_.SalidaDoble = 2;
            p_.ValorCuenta = 5;
            return true;
        }
        if (bono || enCasa) {
            p_.TipoJugada = 5;
            p_.ValorCuenta = bono ? 20 : 10;
            return true;
        }
        if (ficha != 0 && p_.ValoresUsados < p_.ModoValores) return true;
        if (p_.Repeticiones == 1 || p_.Repeticiones == 2) {
            p_.TiradaNueva = true;
            return true;
        }
        p_.Repeticiones = 0;
        return false;
    }

    Partida& p_;
    std::mt19937& azar_;
    int max_;
    const TrasJugada& tras_;
    int anotadas_ = 0;
    int ultima_ = 0;
};

}  // namespace

void ReglasAleatorias(Partida& p, std::mt19937& azar) {
    p.ModoJuego = static_cast<Entero>(Entre(azar, 1, 2));
    p.NumDados = static_cast<Entero>(Entre(azar, 1, 2));
    p.FichasPorJugador = static_cast<Entero>(Entre(azar, 1, 2));
    p.NumFichas = static_cast<Entero>(FichasSegunRegla(p));
    p.SeisConTodas = static_cast<Entero>(Entre(azar, 1, 3));
    p.PrimeraFicha = static_cast<Entero>(Entre(azar, 1, 3));
    p.MetodoSalida = static_cast<Entero>(Entre(azar, 1, 2));
    p.MetodoCuenta = static_cast<Entero>(Entre(azar, 1, 2));
    p.SalidaCon5 = Entre(azar, 0, 3) != 0;
    p.SalidaObligatoria = Moneda(azar);
    p.BonoComerSaliendo = Moneda(azar);
    p.BarreraSalida = Moneda(azar);
    p.BarreraSeguro = Moneda(azar);
    p.BarreraBlancas = Moneda(azar);
    p.BarreraCompaneros = Moneda(azar);
    p.ComerObligatorio = Moneda(azar);
    p.Sentido = static_cast<Entero>(Entre(azar, 1, 2));
    do {
        for (int j = 1; j <= 4; ++j) p.Estado[j] = static_cast<Entero>(Entre(azar, 0, 2) == 0 ? 2 : 1);
        CuentaJugadores(p);
    } while (p.NumJugadores < 2);
}

void EmpiezaPartida(Partida& p, std::mt19937& azar) {
    ReiniciaTablero(p);
    p.Turno = static_cast<Entero>(Entre(azar, 1, 4));
    while (p.Estado[p.Turno] != 1) p.Turno = static_cast<Entero>(p.Turno % 4 + 1);
    // The engine moves on to the next seat before the first throw.
    JugadorAnterior(p);
    p.TipoJugada = 0;
    p.SalidaDoble = 0;
}

bool JuegaPartidaAleatoria(Partida& p, std::mt19937& azar, int maxEntradas, const TrasJugada& tras) {
    Motor m(p, azar, maxEntradas, tras);
    return m.Juega();
}

}  // namespace parchis::prueba
