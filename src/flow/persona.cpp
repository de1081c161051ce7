#include "flow/persona.h"

#include "rules/movimiento.h"
#include "rules/panel.h"

namespace parchis {

DecisionTurno DecideTurno(const Partida& p) {
    if (p.NumFichasMovibles == 0) return DecisionTurno::NoPuedeMover;
    const int control = p.Control[p.Turno];
    if (control == 2) return DecisionTurno::JuegaElegida;
    if (p.NumFichasMovibles == 1 && p.NumValoresDesglose == 1) return DecisionTurno::JuegaElegida;
    // Nobody gets the tutor's help in a network game.
    if (control == 1 && p.TutorAutomatico && !p.JugarEnRed) return DecisionTurno::Sugerencia;
    return DecisionTurno::EsperaPersona;
}

void PreparaPanelCuenta(Partida& p, Interfaz& ui) {
    PreparaPanel(p);
    ui.MuestraPanel(DescribePanel(p));
    ui.MuestraIndicacion(p.Indicacion);
}

void SeleccionaValor(Partida& p, Interfaz& ui, int i) {
    const PanelCuenta panel = DescribePanel(p);
    if (!p.EsperandoFicha || !panel.AdmiteClics || i < 1 || i > panel.Filas ||
        !panel.FilaVisible[i])
        return;
    if (MarcaValor(p, i)) ui.Mensaje(TituloContar, TextoContar, 3, 1, 0);
    ui.MuestraPanel(DescribePanel(p));
    ui.MuestraIndicacion(p.Indicacion);
}

void MuestraIndicacion(Partida& p, Interfaz& ui) {
    ComponeIndicacion(p);
    ui.MuestraIndicacion(p.Indicacion);
}

void MuestraSugerencia(Partida& p, Interfaz& ui) {
    PanelCuenta sugerido = DescribePanel(p);
    const int i = p.JugadaElegida.Indice;
    if (i >= 1 && i <= 4) {
        sugerido.Marcada.fill(false);
        sugerido.Marcada[i] = true;
    }
    ui.MuestraPanel(sugerido);
    ui.SenalaFicha(p.Turno, p.JugadaElegida.Ficha, FormaSenal::Tutor);
    ui.MuestraPanel(DescribePanel(p));
}

bool EligeFichaPersona(Partida& p, int ficha) {
    if (!p.EsperandoFicha || ficha < 1 || ficha > p.NumFichas || !p.FichaMovible[ficha])
        return false;
    const int origen = p.Fichas[p.Turno][ficha];
    if (!PuedeMover(p, p.Turno, p.ValorCuenta, origen)) return false;
    p.FichaJugada = static_cast<Entero>(ficha);
    p.CasillaOrigen = static_cast<Entero>(origen);
    p.CasillaFinal = p.CasillaDestino;
    if (p.TipoJugada == 0) p.TipoJugada = p.ValorCuenta == p.ValoresCuenta[0] ? 3 : 4;
    p.EsperandoFicha = false;
    return true;
}

}  // namespace parchis
