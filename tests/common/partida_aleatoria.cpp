#include "common/partida_aleatoria.h"

#include <stdexcept>
#include <vector>

#include "flow/final.h"
#include "flow/motor.h"
#include "flow/persona.h"
#include "rules/panel.h"
#include "rules/tablero.h"

namespace parchis::prueba {

namespace {

int Entre(std::mt19937& azar, int a, int b) { return std::uniform_int_distribution<int>(a, b)(azar); }
Entero EnteroEntre(std::mt19937& azar, int a, int b) { return static_cast<Entero>(Entre(azar, a, b)); }
bool Moneda(std::mt19937& azar) { return Entre(azar, 0, 1) == 1; }

}  // namespace

void ReglasAleatorias(Partida& p, std::mt19937& azar) {
    p.ModoJuego = EnteroEntre(azar, 1, 2);
    p.NumDados = EnteroEntre(azar, 1, 2);
    p.FichasPorJugador = EnteroEntre(azar, 1, 2);
    p.SeisConTodas = EnteroEntre(azar, 1, 3);
    p.PrimeraFicha = EnteroEntre(azar, 1, 3);
    p.MetodoSalida = EnteroEntre(azar, 1, 2);
    p.MetodoCuenta = EnteroEntre(azar, 1, 2);
    p.SalidaCon5 = Entre(azar, 0, 3) != 0;
    p.SalidaObligatoria = Moneda(azar);
    p.BonoComerSaliendo = Moneda(azar);
    p.BarreraSalida = Moneda(azar);
    p.BarreraSeguro = Moneda(azar);
    p.BarreraBlancas = Moneda(azar);
    p.BarreraCompaneros = Moneda(azar);
    p.ComerObligatorio = Moneda(azar);
    p.TutorAutomatico = Moneda(azar);
    p.Sentido = EnteroEntre(azar, 1, 2);
    do {
        for (int j = 1; j <= 4; ++j) p.Estado[j] = static_cast<Entero>(Entre(azar, 0, 2) == 0 ? 2 : 1);
        CuentaJugadores(p);
    } while (p.NumJugadores < 2);
}

void EmpiezaPartida(Partida& p, std::mt19937& azar) {
    p.NumFichas = static_cast<Entero>(FichasSegunRegla(p));
    CuentaJugadores(p);
    for (int j = 1; j <= 4; ++j) {
        p.Control[j] = EnteroEntre(azar, 1, 2);
        p.Nivel[j] = EnteroEntre(azar, 0, 100);
        p.Caracter[j] = EnteroEntre(azar, 1, 3);
    }
    ReiniciaTablero(p);
    p.PartidaIniciada = true;
    p.NumJugada = 0;
    p.Turno = EnteroEntre(azar, 1, 4);
    while (p.Estado[p.Turno] != 1) p.Turno = static_cast<Entero>(p.Turno % 4 + 1);
    // The engine moves on to the next seat before the first throw.
    JugadorAnterior(p);
}

void InterfazAzar::Cede() {
    if (++cesiones_ > 50'000'000) throw std::runtime_error("el motor espera sin fin");
    if (Ultima >= MaxEntradas) p_.PartidaIniciada = false;
    p_.EsperandoTirada = false;
    if (p_.EsperandoFicha && p_.Control[p_.Turno] == 1) Persona();
}

int InterfazAzar::Mensaje(const std::string& titulo, const std::string&, int, int, int) {
    if (AlMensaje) AlMensaje(titulo);
    return titulo == TituloHistorico ? Cancelar : Aceptar;
}

void InterfazAzar::PonPuntero(Puntero puntero) {
    if (puntero == Puntero::Espera && p_.EsperandoFicha && AntesDeElegir) AntesDeElegir(p_);
}

void InterfazAzar::MuestraJugada(int n, bool adelante) {
    if (!adelante) return;
    Ultima = n;
    if (TrasJugada) TrasJugada(p_, n);
}

bool InterfazAzar::ClicAzar() {
    std::vector<int> movibles;
    for (int k = 1; k <= p_.NumFichas; ++k)
        if (p_.FichaMovible[k]) movibles.push_back(k);
    return !movibles.empty() && EligeFichaPersona(p_, movibles[Entre(azar_, 0, int(movibles.size()) - 1)]);
}

// A random row of the panel, then a random piece; when that value leaves no
// piece to move, the tutor's value and piece.
void InterfazAzar::Persona() {
    const PanelCuenta panel = DescribePanel(p_);
    if (panel.AdmiteClics && Moneda(azar_)) {
        const int i = Entre(azar_, 1, panel.Filas);
        if (panel.FilaVisible[i]) SeleccionaValor(p_, *this, i);
    }
    if (Moneda(azar_) && ClicAzar()) return;
    const int sugerido = p_.JugadaElegida.Indice;
    for (int k = 1; k <= p_.ModoValores && p_.TipoJugada != 5; ++k)
        if (p_.ValorMarcado[k] != (k == sugerido)) MarcaValor(p_, k);
    if (!EligeFichaPersona(p_, p_.JugadaElegida.Ficha)) ClicAzar();
}

bool JuegaPartidaAleatoria(Partida& p, InterfazAzar& ui) {
    JuegaPartida(p, ui);
    p.NumJugada = static_cast<Entero>(ui.Ultima + 1);
    return p.EnCasa[p.Turno] == p.NumFichas;
}

}  // namespace parchis::prueba
