#include "flow/jugada.h"

#include <algorithm>
#include <cassert>
#include <string>

#include "core/narracion_texto.h"
#include "flow/generador.h"
#include "rules/movimiento.h"
#include "rules/narracion.h"
#include "rules/registro.h"

namespace parchis {

namespace {

// The per-value bookkeeping of the previous throw goes with it.
void OlvidaTirada(Partida& p) {
    p.ValorCuenta = 0;
    p.IndiceValor = 0;
    p.ValoresUsados = 0;
    p.ValorUsado.fill(false);
    p.ValorMarcado.fill(false);
}

// Nine frames of tumbling dice; the last one is the throw.  A playout,
// which shows nothing, draws the last frame alone.
void Voltea(Partida& p, Interfaz& ui) {
    for (int i = ui.Simulacion() ? 9 : 1; i <= 9; ++i) {
        p.Dado1 = static_cast<Entero>(CaraDado(ui.Aleatorio()));
        p.Dado2 = static_cast<Entero>(p.NumDados == 2 ? CaraDado(ui.Aleatorio()) : 0);
        ui.DibujaDados(p.Turno, p.Dado1, p.Dado2);
        if (i == 1 || i == 3) ui.TocaSonido(17, false);
        if (i == 5) ui.TocaSonido(18, false);
        if (i == 7) ui.TocaSonido(19, false);
        ui.Pausa(8 * i + 55);
    }
}

int Cara(int valor) { return valor < 1 ? 1 : valor > 6 ? 6 : valor; }

bool CuentaValorDeTirada(int tipo) {
    return tipo == 3 || tipo == 4 || tipo == 8 || tipo == 9 || tipo == 10;
}

// The joint total uses the whole throw; each split value one of its values.
void MarcaValorUsado(Partida& p) {
    if (!CuentaValorDeTirada(p.TipoJugada)) return;
    const int i = p.IndiceValor >= 0 && p.IndiceValor <= 5 ? p.IndiceValor : 0;
    if (p.ValorUsado[i]) return;
    p.ValorUsado[i] = true;
    if (i == 0)
        p.ValoresUsados = p.ModoValores;
    else if (p.ValoresUsados < p.ModoValores)
        ++p.ValoresUsados;
}

}  // namespace

std::string NombreDe(const Partida& p, int jugador) {
    const std::string& n = p.Nombres[jugador];
    const auto a = n.find_first_not_of(' ');
    if (a == std::string::npos) return {};
    return n.substr(a, n.find_last_not_of(' ') - a + 1);
}

void TiraDados(Partida& p, Interfaz& ui) {
    OlvidaTirada(p);
    int d1 = 0, d2 = 0;
    if (ui.DadosElegidos(d1, d2)) {
        p.Dado1 = static_cast<Entero>(Cara(d1));
        p.Dado2 = static_cast<Entero>(p.NumDados == 2 ? Cara(d2) : 0);
        ui.DibujaDados(p.Turno, p.Dado1, p.Dado2);
    } else {
        Voltea(p, ui);
    }
    CalculaValores(p);
}

void TiraDados(Partida& p, Interfaz& ui, int dado1, int dado2) {
    OlvidaTirada(p);
    Voltea(p, ui);
    p.Dado1 = static_cast<Entero>(dado1);
    p.Dado2 = static_cast<Entero>(dado2);
    ui.DibujaDados(p.Turno, p.Dado1, p.Dado2);
    CalculaValores(p);
}

void MuestraUltimaTirada(const Partida& p, Interfaz& ui, int jugador) {
    const int ultima = std::min<int>(p.NumJugada - 1, static_cast<int>(p.Jugadas.size()) - 1);
    for (int k = ultima; k >= 1; --k) {
        const Jugada& e = p.Jugadas[k];
        if (e.Jugador == jugador && e.Dado1 != 0) {
            ui.DibujaDados(jugador, e.Dado1, e.Dado2);
            return;
        }
    }
    ui.DibujaDados(jugador, 5, p.NumDados == 2 ? 5 : 0);
}

void AnotaJugada(Partida& p, Interfaz& ui) {
    assert(p.NumJugada >= 1);
    AseguraLog(p, p.NumJugada);
    p.Jugadas[p.NumJugada] = EntradaJugada(p);
    if (ui.Simulacion()) return;
    NarraJugada(p, p.NumJugada);
    ui.ActualizaLista();
}

bool CapturaJugada(const Partida& p) {
    const int t = p.TipoJugada;
    const bool cuenta = t == 3 || t == 4 || t == 5 || t == 8 || t == 9 || t == 10;
    return cuenta && p.CasillaFinal >= 1 && p.CasillaFinal <= NumCasillas &&
           ComeFicha(p, p.Turno, p.CasillaFinal);
}

bool AnimaMovimiento(Partida& p, Interfaz& ui, Sentido sentido) {
    if (sentido == Sentido::Atras) {
        RetrocedeJugada(p, p.NumJugada);
        ui.MuestraJugada(p.NumJugada, false);
        return false;
    }
    const bool comio = CapturaJugada(p);
    AvanzaJugada(p, p.NumJugada);
    MarcaValorUsado(p);
    ui.MuestraJugada(p.NumJugada, true);
    return comio;
}

}  // namespace parchis
