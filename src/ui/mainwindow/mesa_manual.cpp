// The main window's hand-made play: the options selector's entries, the
// manual moving mode with its drag and drop, and the dice chosen by hand.
//
// A dragged piece stays where it is in the record until it is dropped: the
// board is drawn without it meanwhile.  Whatever interrupts a drag (a key,
// the window closing, a new game) therefore leaves the record whole, and a
// drop becomes one logged move of kind 7 like any other.
#include <QString>

#include "flow/interfaz.h"
#include "flow/jugada.h"
#include "flow/motor.h"
#include "rules/tablero.h"
#include "ui/mainwindow/botonera.h"
#include "ui/mainwindow/dados_manuales.h"
#include "ui/mainwindow/mesa.h"
#include "ui/mainwindow/selector.h"

namespace parchis {

namespace {

// The piece off the board data of a copy, to draw the board without it.
void QuitaFicha(Partida& p, int j, int k) {
    const int s = p.Fichas[j][k];
    if (s == 0) {
        --p.EnEspera[j];
    } else if (s == CasillaCasa[j]) {
        --p.EnCasa[j];
    } else {
        Casilla& c = p.Casillas[s];
        for (int h = 1; h <= 3; ++h)
            if (c.Jugador[h] == j && c.Pieza[h] == k) c.Jugador[h] = c.Pieza[h] = 0;
    }
}

}  // namespace

void Mesa::MuestraTextoEstado() {
    if (raton_.MandoEncendido) return;
    const char* texto = raton_.ModoManual || raton_.Arrastrando ? TextoModoManual
                        : !dados_->isHidden()                  ? TextoDadosManuales
                                                               : nullptr;
    tablero_.MuestraMensaje(texto ? QString::fromUtf8(texto) : QString::fromStdString(p_.TextoTurno));
    indicacionVisible_ = false;
}

void Mesa::EligeOpcion(int opcion) {
    if (!ui_ || saliendo_) return;
    switch (opcion) {
        case OpcionGuardar: OrdenPartidas(*this, *ui_, ModoPartidas::Guardar); break;
        case OpcionCargar: OrdenPartidas(*this, *ui_, ModoPartidas::Cargar); break;
        case OpcionBorrar: OrdenPartidas(*this, *ui_, ModoPartidas::Borrar); break;
        case OpcionManual: AlternaModoManual(); break;
        case OpcionDados: AlternaDadosManuales(); break;
        default: break;
    }
    botonera_->update();
}

void Mesa::AlternaModoManual() {
    if (raton_.ModoManual || raton_.Arrastrando) {
        CancelaArrastre();
        raton_.ModoManual = false;
    } else if (p_.PartidaIniciada) {
        OcultaListaDados();
        raton_.ModoManual = true;
    }
    MuestraTextoEstado();
}

// The engine calls this as a throw begins: it shows the turn itself.
void Mesa::TerminaModoManual() {
    CancelaArrastre();
    raton_.ModoManual = false;
}

void Mesa::AlternaDadosManuales() {
    if (!dados_->isHidden()) {
        OcultaListaDados();
    } else if (p_.PartidaIniciada && p_.EsperandoTirada) {
        if (raton_.ModoManual || raton_.Arrastrando) AlternaModoManual();
        dados_->Abre(p_.NumDados);
        ColocaColumna();
    }
    MuestraTextoEstado();
}

void Mesa::OcultaListaDados() {
    if (dados_->isHidden()) return;
    dados_->hide();
    ColocaColumna();
    MuestraTextoEstado();
}

void Mesa::EligeLineaDados(int linea) {
    if (!p_.PartidaIniciada || !p_.EsperandoTirada || raton_.MandoEncendido) return;
    const bool completa = dados_->Eleccion().Elige(linea, p_.NumDados);
    dados_->repaint();
    if (!completa) return;
    Pausa(500);
    // The engine throws with these values and takes them from the list.
    p_.EsperandoTirada = false;
}

bool Mesa::TomaDadosElegidos(int& dado1, int& dado2) {
    if (dados_->isHidden()) return false;
    const EleccionDados e = dados_->Eleccion();
    OcultaListaDados();
    if (!e.Completa(p_.NumDados)) return false;
    dado1 = e.Dado1();
    dado2 = p_.NumDados == 2 ? e.Dado2() : 0;
    return true;
}

void Mesa::EmpiezaArrastre(int x, int y) {
    // Room in the log for this move and for the throw the engine awaits.
    if (!ui_ || !p_.PartidaIniciada || !p_.EsperandoTirada || p_.NumJugada + 2 > MaxJugadas) return;
    const PiezaMesa pieza = PiezaEnPunto(tablero_.Me(), p_, x, y);
    if (pieza.Jugador == 0) return;
    arrastrada_ = pieza;
    origenArrastre_ = p_.Fichas[pieza.Jugador][pieza.Ficha];
    Partida sin = p_;
    QuitaFicha(sin, pieza.Jugador, pieza.Ficha);
    tablero_.RedibujaMesa(sin, QString::fromUtf8(TextoModoManual));
    raton_.ModoManual = false;
    raton_.Arrastrando = true;
    raton_.JugadorArrastrado = pieza.Jugador;
}

void Mesa::TerminaArrastre(int x, int y) {
    if (!raton_.Arrastrando) return;
    const int j = arrastrada_.Jugador;
    const Medidas& me = tablero_.Me();
    int destino = -1;
    if (x >= 0 && y >= 0 && x < me.LadoLienzo && y < me.LadoLienzo)
        destino = DestinoManual(me, p_, j, origenArrastre_, x, y);
    raton_.Arrastrando = false;
    raton_.JugadorArrastrado = 0;
    if (destino < 0 || destino == origenArrastre_)
        tablero_.RedibujaMesa(p_, QString::fromUtf8(TextoModoManual));
    else
        JugadaManual(destino);
    raton_.ModoManual = true;
    MuestraTextoEstado();
}

void Mesa::CancelaArrastre() {
    if (!raton_.Arrastrando) return;
    raton_.Arrastrando = false;
    raton_.JugadorArrastrado = 0;
    tablero_.RedibujaMesa(p_, QString::fromStdString(p_.TextoTurno));
}

// The dropped piece's seat makes the move, logged as entry NumJugada; the
// throw the engine awaits becomes the next entry.
void Mesa::JugadaManual(int destino) {
    const Entero turno = p_.Turno, tipo = p_.TipoJugada, ficha = p_.FichaJugada;
    const Entero origen = p_.CasillaOrigen, final = p_.CasillaFinal;
    const bool barrera = p_.AbrirBarrera;
    p_.Turno = static_cast<Entero>(arrastrada_.Jugador);
    p_.TipoJugada = 7;
    p_.FichaJugada = static_cast<Entero>(arrastrada_.Ficha);
    p_.CasillaOrigen = static_cast<Entero>(origenArrastre_);
    p_.CasillaFinal = static_cast<Entero>(destino);
    p_.AbrirBarrera = false;   // a rule of the last throw, not of this move
    AnotaJugada(p_, *ui_);
    AnimaMovimiento(p_, *ui_, Sentido::Adelante);
    ++p_.NumJugada;
    p_.Turno = turno;
    p_.TipoJugada = tipo;
    p_.FichaJugada = ficha;
    p_.CasillaOrigen = origen;
    p_.CasillaFinal = final;
    p_.AbrirBarrera = barrera;
}

}  // namespace parchis
