#include "flow/grabadora.h"

#include "flow/arranque.h"
#include "flow/jugada.h"
#include "rules/registro.h"

namespace parchis {

namespace {

// The number in the first `ancho` characters of a line, -1 when they hold
// anything else (the second line of a move, the list's heading).
int NumeroDeLinea(const std::string& linea, std::size_t ancho) {
    const std::string campo = linea.substr(0, ancho);
    const auto a = campo.find_first_not_of(' ');
    if (a == std::string::npos) return -1;
    const auto b = campo.find_last_not_of(' ');
    int n = 0;
    for (auto i = a; i <= b; ++i) {
        if (campo[i] < '0' || campo[i] > '9') return -1;
        n = n * 10 + (campo[i] - '0');
    }
    return n;
}

bool PuedeAvanzar(const Partida& p, const EstadoMando& m) {
    return m.MandoEncendido && p.NumJugada < m.UltimaJugada;
}

bool PuedeRetroceder(const Partida& p, const EstadoMando& m) {
    return m.MandoEncendido && p.NumJugada >= 2;
}

// The remote goes on only while the engine waits for a throw, with at
// least one move recorded.
void Enciende(Partida& p, EstadoMando& m, Interfaz& ui) {
    ui.TerminaModoManual();
    if (!p.PartidaIniciada || !p.EsperandoTirada || p.NumJugada < 2) return;
    ui.BorraDados();
    m.MandoEncendido = true;
    m.UltimaJugada = p.NumJugada;
    m.TurnoGrabado = p.Turno;
    ui.MuestraMando(true, -1);
    ui.TocaSonido(6, true);
}

// Off, and the seat to move is announced again: its latest dice and the
// throw's sound, as when its wait began.
void MandoApagar(Partida& p, EstadoMando& m, Interfaz& ui) {
    m.MandoEncendido = false;
    ui.MuestraMando(false, -1);
    ui.TocaSonido(7, true);
    ui.Pausa(10);
    ui.PonPuntero(Puntero::Normal);
    ui.MuestraMensaje(p.TextoTurno);
    MuestraUltimaTirada(p, ui, p.Turno);
    ui.TocaSonido(5, true);
}

void VuelveAlPresente(Partida& p, EstadoMando& m, Interfaz& ui) {
    ui.PonPuntero(Puntero::Espera);
    ui.Pausa(10);
    // The last step gives Turno back as it was when the remote went on.
    while (PuedeAvanzar(p, m)) MandoAvanzar(p, m, ui);
    MandoApagar(p, m, ui);
}

// Steps until the run is stopped by a press (which clears its flag inside
// Cede) or reaches its end.
void Automatico(Partida& p, EstadoMando& m, Interfaz& ui, bool adelante) {
    bool& activo = adelante ? m.AvanceAuto : m.RetrocesoAuto;
    auto puede = [&] { return activo && (adelante ? PuedeAvanzar(p, m) : PuedeRetroceder(p, m)); };
    activo = true;
    while (puede()) {
        if (adelante) MandoAvanzar(p, m, ui);
        else MandoRetroceder(p, m, ui);
        ui.Cede();
        if (puede()) ui.Pausa(25);
    }
    activo = false;
}

// Play resumes at the start of a throw: the moves of the throw on the board
// are undone too, and everything after it is abandoned.
void Restaura(Partida& p, EstadoMando& m, Interfaz& ui) {
    ui.MuestraMando(true, MandoRestaurar);
    ui.PonPuntero(Puntero::Espera);
    ui.TocaSonido(6, true);
    ui.Pausa(25);
    // At the present NumJugada is the move not yet made: already a throw's start.
    if (p.NumJugada < m.UltimaJugada) {
        while (p.NumJugada >= 2 && p.Jugadas[p.NumJugada].InicioTirada == 0) MandoRetroceder(p, m, ui);
        p.Turno = p.Jugadas[p.NumJugada].Jugador;
    }
    const int linea = BuscaLineaGrabadora(p.ListaJugadas, p.NumJugada);
    if (linea >= 0) p.ListaJugadas.resize(static_cast<std::size_t>(linea));
    ui.ActualizaLista();
    ui.BorraDados();
    m.UltimaJugada = p.NumJugada;
    m.TurnoGrabado = p.Turno;
    p.Repeticiones = RepeticionesAnteriores(p);
    MuestraUltimaTirada(p, ui, p.Turno);
    p.TextoTurno = NombreDe(p, p.Turno) + (p.NumDados == 2 ? " lanza los dados" : " lanza el dado");
    ui.MuestraMando(true, -1);
    ui.TocaSonido(7, true);
    ui.Pausa(8);
    MandoApagar(p, m, ui);
}

}  // namespace

int BuscaLineaGrabadora(const std::vector<std::string>& lista, int jugada) {
    std::size_t ancho = 3;
    for (std::size_t i = 0; i < lista.size(); ++i) {
        const int n = NumeroDeLinea(lista[i], ancho);
        if (n == jugada) return static_cast<int>(i);
        if (n == 999) ancho = 4;
    }
    return -1;
}

void MandoAvanzar(Partida& p, EstadoMando& m, Interfaz& ui) {
    if (!PuedeAvanzar(p, m)) return;
    const int n = p.NumJugada;
    AvanzaJugada(p, n);
    ui.MuestraJugada(n, true);
    ++p.NumJugada;
    p.Turno = p.NumJugada < m.UltimaJugada ? p.Jugadas[p.NumJugada].Jugador
                                            : static_cast<Entero>(m.TurnoGrabado);
    ui.SeleccionaLinea(BuscaLineaGrabadora(p.ListaJugadas, n));
}

void MandoRetroceder(Partida& p, EstadoMando& m, Interfaz& ui) {
    if (!PuedeRetroceder(p, m)) return;
    const int n = --p.NumJugada;
    RetrocedeJugada(p, n);
    ui.MuestraJugada(n, false);
    p.Turno = p.Jugadas[n].Jugador;
    ui.SeleccionaLinea(BuscaLineaGrabadora(p.ListaJugadas, n));
}

void PulsaMando(Partida& p, EstadoMando& m, Interfaz& ui, int boton) {
    if (m.AvanceAuto || m.RetrocesoAuto) {
        m.AvanceAuto = m.RetrocesoAuto = false;
        return;
    }
    if (boton == MandoPotencia) {
        if (m.MandoEncendido) VuelveAlPresente(p, m, ui);
        else Enciende(p, m, ui);
        return;
    }
    // Restoring would leave the other computers of a network game behind.
    if (boton == MandoRestaurar && m.MandoEncendido && !p.JugarEnRed) {
        Restaura(p, m, ui);
        return;
    }
    ui.MuestraMando(m.MandoEncendido, boton);
    ui.TocaSonido(6, true);
    switch (boton) {
        case MandoAtras: MandoRetroceder(p, m, ui); break;
        case MandoAdelante: MandoAvanzar(p, m, ui); break;
        case MandoAtrasAuto: Automatico(p, m, ui, false); break;
        case MandoAdelanteAuto: Automatico(p, m, ui, true); break;
        default: break;
    }
    ui.MuestraMando(m.MandoEncendido, -1);
    ui.TocaSonido(7, true);
}

}  // namespace parchis
