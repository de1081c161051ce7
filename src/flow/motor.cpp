// The engine is one loop of turns; a turn is a loop of passes; a pass counts
// one value: the first value of a throw, a further value of the same throw,
// or a bonus of 20 (a capture) or 10 (a piece home).
//
// Every wait checks a flag and yields (Interfaz::Espera).  The move number is
// advanced before the pass's first yield, so that whatever runs inside a
// wait (the exit command, the recorder) always finds NumJugada naming the
// move being made, with entries 1..NumJugada-1 recorded.
#include "flow/motor.h"

#include <algorithm>
#include <utility>

#include "ai/eleccion.h"
#include "core/estado.h"
#include "flow/final.h"
#include "flow/jugada.h"
#include "flow/persona.h"
#include "flow/red.h"
#include "rules/movimiento.h"
#include "rules/tablero.h"

namespace parchis {

const char* const TextoLimite =
    "La partida ha llegado al número máximo de jugadas que se pueden anotar y no puede continuar.";

namespace {

enum class Paso {
    Siguiente,  // another pass of the same turn
    FinTurno,   // the turn passes to the next seat
    Termina,    // the game is no longer under way: finish
    Vuelve,     // return at once, without finishing
    Final,      // a seat has every piece home
};

const char* const FraseSeis = "Este  jugador  ha  sacado un seis por tercera vez.";
const char* const FraseDoble = "Este jugador ha sacado un doble  por  tercera vez.";
const char* const FraseCasa =
    " Como la ficha que ha movido en la jugada anterior  ha  llegado  a  casa  no volverá al "
    "cuadro de espera.";
const char* const FrasePasillo =
    " Como la ficha que ha movido en la jugada anterior  ha  llegado  al  pasillo de casa no "
    "tiene que volver al cuadro de espera.";
const char* const CastigoSeis = "Este jugador ha sacado un  seis  por  tercera vez";
const char* const CastigoDoble = "Este jugador ha sacado un doble  por  tercera vez";
const char* const FichaVuelve =
    " y la ficha que  ha  movido  en  la jugada anterior vuelve al cuadro de espera.";
const char* const NingunaVuelve =
    ". Como en el turno anterior no pudo mover, no vuelve ninguna ficha al cuadro de espera.";

// A bonus pass, counted (kind 5) or found uncountable (kind 1 or 2 with no
// piece, after the throw's first move, for 10 or 20: no value of a throw
// counted after its first move reaches 10).
bool EsEntradaBono(const Jugada& e) {
    if (e.TipoJugada == 5) return true;
    return (e.TipoJugada == 1 || e.TipoJugada == 2) && e.InicioTirada == 0 && e.FichaJugada == 0 &&
           (e.ValorCuenta == 10 || e.ValorCuenta == 20);
}

class Motor {
public:
    Motor(Partida& p, Interfaz& ui) : p_(p), ui_(ui) {}
    void Juega();

private:
    Paso Pasada();
    Paso Tira(bool& castigo);
    Paso Repeticion(bool& castigo);
    Paso Castiga(bool& castigo);
    Paso ObtenJugada();
    void EligeLocal();
    // The move the computer player chose is made (and pointed at).
    void JuegaLaElegida();
    Paso Ejecuta(bool pasadaBono);
    Paso Continua(bool pasadaBono, bool comio, int llegada);
    void DevuelveComida();
    void RefrescaTurnoRed();

    Partida& p_;
    Interfaz& ui_;
    bool remoto_ = false;
    double inicioEspera_ = 0;
    // The bonus of a first piece that captured leaving the box two at a
    // time: it is counted once the second piece is out.
    int bonoSalida_ = 0;
};

void Motor::Juega() {
    for (;;) {
        ui_.BorraDados();
        p_.Turno = static_cast<Entero>(SiguienteJugador(p_, p_.Turno));
        p_.TiradaNueva = true;
        remoto_ = EsRemoto(p_);
        Paso paso;
        do paso = Pasada();
        while (paso == Paso::Siguiente);
        switch (paso) {
            case Paso::Termina: TerminaPartida(p_, ui_); return;
            case Paso::Vuelve: return;
            case Paso::Final:
                if (!ui_.Simulacion()) FinDePartida(p_, ui_);
                return;
            default: break;
        }
    }
}

Paso Motor::Pasada() {
    if (!p_.PartidaIniciada) return Paso::Termina;
    // Room for this move and for a captured piece's return.
    if (p_.NumJugada + 2 > MaxJugadas) {
        ui_.Mensaje(TituloLimite, TextoLimite, 2, 1, 0);
        return Paso::Termina;
    }
    ++p_.NumJugada;
    ui_.Cede();
    ui_.PonPuntero(Puntero::Normal);
    if (!p_.PartidaIniciada) return Paso::Termina;
    // The restore point is the start of a throw, like a postponed game: a
    // restored game throws again with the same seat.
    if (p_.JugarEnRed && p_.TiradaNueva) GuardarEstado(p_, FicheroRestauracion);
    ui_.Pausa(300);
    // A bonus pass that finds no piece to count it is recorded as kind 1.
    const bool pasadaBono = !p_.TiradaNueva && p_.TipoJugada == 5;
    bool castigo = false;
    if (p_.TiradaNueva) {
        const Paso paso = Tira(castigo);
        if (paso != Paso::Siguiente) return paso;
    }
    if (!castigo) {
        const Paso paso = ObtenJugada();
        if (paso != Paso::Siguiente) return paso;
    }
    if (!p_.PartidaIniciada) return Paso::Termina;
    ui_.PonPuntero(Puntero::Normal);
    // The penalty is not sent: every computer derives it from the throw.
    // (The message is only composed for network play.)
    if (!castigo && p_.JugarEnRed) EnviaDelTurno(p_, ui_, TextoMovimiento(p_));
    return Ejecuta(pasadaBono);
}

Paso Motor::Tira(bool& castigo) {
    // A playout shows nothing: the last throw and the line naming who
    // throws are for a person's eyes.
    const bool visible = !ui_.Simulacion();
    if (visible) MuestraUltimaTirada(p_, ui_, p_.Turno);
    ui_.TocaSonido(5, true);
    p_.EsperandoTirada = p_.PausaEntreJugadas;
    if (!remoto_ && !p_.JugarEnRed && ui_.OpcionesPedidas()) p_.EsperandoTirada = true;
    ui_.TerminaModoManual();
    p_.TipoJugada = 0;
    p_.SalidaDoble = 0;
    p_.SacarObligado = false;
    p_.ComerObligado = false;
    bonoSalida_ = 0;
    if (p_.JugarEnRed) {
        inicioEspera_ = ui_.Reloj();
        RefrescaTurnoRed();
    }
    if (visible) {
        p_.TextoTurno = NombreDe(p_, p_.Turno) + (p_.NumDados == 2 ? " lanza los dados" : " lanza el dado");
        ui_.MuestraMensaje(p_.TextoTurno);
    }
    if (remoto_) {
        p_.EsperandoTirada = false;
        p_.Dado1 = p_.Dado2 = 0;
        while (p_.PartidaIniciada && SigueRemoto(p_) && !TomaTirada(p_)) {
            ui_.Espera();
            RefrescaTurnoRed();
        }
        if (!p_.PartidaIniciada) return Paso::Termina;
        remoto_ = p_.Dado1 + p_.Dado2 != 0;
        if (remoto_) TiraDados(p_, ui_, p_.Dado1, p_.Dado2);
    }
    while (p_.EsperandoTirada && p_.PartidaIniciada) {
        ui_.Espera();
        RefrescaTurnoRed();
    }
    if (!p_.PartidaIniciada) return Paso::Termina;
    if (!remoto_) TiraDados(p_, ui_);
    if (p_.JugarEnRed) EnviaDelTurno(p_, ui_, TextoTirada(p_));
    return Repeticion(castigo);
}

// Sixes with one die, doubles with two: the third in a turn is punished.
Paso Motor::Repeticion(bool& castigo) {
    const bool repite = (p_.NumDados == 1 && p_.Dado1 == 6) ||
                        (p_.NumDados == 2 && p_.Dado1 == p_.Dado2);
    if (!repite) {
        p_.Repeticiones = 0;
    } else if (++p_.Repeticiones >= 3) {
        return Castiga(castigo);
    }
    p_.ValoresUsados = 0;
    return Paso::Siguiente;
}

Paso Motor::Castiga(bool& castigo) {
    p_.ValoresUsados = p_.ModoValores;
    int k = 0;
    const int ultima = std::min<int>(p_.NumJugada - 1, static_cast<int>(p_.Jugadas.size()) - 1);
    for (int n = ultima; n >= 1 && k == 0; --n) {
        const Jugada& e = p_.Jugadas[n];
        if (e.Jugador == p_.Turno && e.TipoJugada != 7 && !EsEntradaBono(e)) k = n;
    }
    const int ficha = p_.Jugadas[k].FichaJugada;
    const int posicion = ficha >= 1 && ficha <= MaxFichas ? p_.Fichas[p_.Turno][ficha] : 0;
    const bool unDado = p_.NumDados == 1;
    const char* titulo = unDado ? TituloTresSeises : TituloTresDobles;
    const int casa = CasillaCasa[p_.Turno];
    if (posicion >= casa - 7 && posicion <= casa) {
        const std::string texto =
            std::string(unDado ? FraseSeis : FraseDoble) + (posicion == casa ? FraseCasa : FrasePasillo);
        ui_.Mensaje(titulo, texto, 4, 1, 4040);
        --p_.NumJugada;
        p_.Repeticiones = 0;
        return Paso::FinTurno;
    }
    // The sentence names what happens to entry k's piece, the one the
    // penalty sends back.
    const std::string texto =
        std::string(unDado ? CastigoSeis : CastigoDoble) + (ficha != 0 ? FichaVuelve : NingunaVuelve);
    ui_.Mensaje(titulo, texto, 3, 1, 4040);
    p_.FichaJugada = static_cast<Entero>(ficha);
    p_.CasillaOrigen = static_cast<Entero>(posicion);
    p_.CasillaFinal = 0;
    p_.TipoJugada = 11;
    castigo = true;
    return Paso::Siguiente;
}

Paso Motor::ObtenJugada() {
    p_.EsperandoFicha = true;
    if (remoto_) {
        p_.TextoTurno = "Esperando jugada de " + NombreDe(p_, p_.Turno);
        ui_.MuestraMensaje(p_.TextoTurno);
        p_.EsperandoFicha = false;
        // The facts the sender's choice started from (an exit or a capture
        // that must be made, a barrier to open) hold for this position too:
        // worked out here, they narrate the received move as the sender
        // did and keep the barrier-opened rule the same on every computer.
        EligeJugada(p_, [this] { return ui_.Reloj(); });
        FichasMovibles(p_, p_.ValorCuenta);
        bool recibida = false;
        while (p_.PartidaIniciada && SigueRemoto(p_) && !(recibida = TomaMovimiento(p_))) {
            ui_.Espera();
            RefrescaTurnoRed();
        }
        remoto_ = recibida;
        if (p_.PartidaIniciada && recibida && p_.FichaJugada != 0)
            ui_.SenalaFicha(p_.Turno, p_.FichaJugada, FormaSenal::Ordenador);
    }
    if (!remoto_ && p_.PartidaIniciada) EligeLocal();
    if (!p_.PartidaIniciada) return Paso::Vuelve;
    while (p_.EsperandoFicha && p_.PartidaIniciada) {
        ui_.Espera();
        RefrescaTurnoRed();
        // The seat was given to the computer in the player settings while
        // its person chose: nobody is left to choose, and the computer
        // plays the move it had worked out.
        if (p_.EsperandoFicha && p_.PartidaIniciada && p_.Control[p_.Turno] == 2 && !remoto_) JuegaLaElegida();
    }
    return Paso::Siguiente;
}

// The computer player looks at the value for every local seat: it plays for
// a computer seat and prepares the prompt and the suggestion for a person.
void Motor::EligeLocal() {
    ui_.MuestraMensaje("");
    ui_.PonPuntero(Puntero::Espera);
    // The choice's search has mostly asked the rules the same already.
    MovilesCuenta moviles;
    const bool compleja = EligeJugada(p_, [this] { return ui_.Reloj(); }, &moviles);
    FichasMoviblesCuenta(p_, moviles);
    ui_.PonPuntero(Puntero::Normal);
    if (compleja) ui_.Mensaje(TituloPartidaCompleja, TextoPartidaCompleja, 8, 1, 0);
    if (p_.AbrirBarrera) {
        p_.TextoTurno = std::string("Tiene que abrir ") +
                        (p_.NumFichasMovibles == 1 ? "la barrera" : "una de sus barreras");
        ui_.MuestraMensaje(p_.TextoTurno);
    }
    if (p_.NumFichasMovibles > 0 && !ui_.Simulacion()) PreparaPanelCuenta(p_, ui_);
    switch (DecideTurno(p_)) {
        case DecisionTurno::NoPuedeMover:
            p_.EsperandoFicha = false;
            p_.FichaJugada = p_.CasillaOrigen = p_.CasillaFinal = 0;
            p_.TipoJugada = static_cast<Entero>(p_.EnEspera[p_.Turno] == p_.NumFichas ? 2 : 1);
            break;
        case DecisionTurno::JuegaElegida: JuegaLaElegida(); break;
        case DecisionTurno::Sugerencia: MuestraSugerencia(p_, ui_); break;
        case DecisionTurno::EsperaPersona: break;
    }
}

void Motor::JuegaLaElegida() {
    const EleccionJugada& e = p_.JugadaElegida;
    p_.EsperandoFicha = false;
    p_.FichaJugada = e.Ficha;
    p_.ValorCuenta = e.Valor;
    p_.IndiceValor = e.Indice;
    p_.CasillaOrigen = e.Origen;
    p_.CasillaFinal = e.Destino;
    p_.TipoJugada = e.Tipo;
    ui_.SenalaFicha(p_.Turno, e.Ficha, FormaSenal::Ordenador);
}

Paso Motor::Ejecuta(bool pasadaBono) {
    AnotaJugada(p_, ui_);
    const bool comio = AnimaMovimiento(p_, ui_, Sentido::Adelante);
    if (p_.TipoJugada == 9 || p_.TipoJugada == 10) p_.ValoresUsados = p_.ModoValores;
    p_.TiradaNueva = false;
    if (p_.EnCasa[p_.Turno] == p_.NumFichas) return Paso::Final;
    const int llegada = p_.CasillaFinal;
    p_.TipoJugada = 0;
    if (comio) DevuelveComida();
    return Continua(pasadaBono, comio, llegada);
}

Paso Motor::Continua(bool pasadaBono, bool comio, int llegada) {
    const bool sinBono = llegada == CasillaSalida[p_.Turno] && !p_.BonoComerSaliendo;
    // The second piece of a two-piece exit follows the first unless the exit
    // square now holds a barrier (the first piece and a partner's): it would
    // make three pieces on one square, so it stays in the box.
    if (p_.SalidaDoble == 1) {
        if (!EsBarrera(p_, CasillaSalida[p_.Turno])) {
            if (comio && !sinBono) bonoSalida_ = 20;
            p_.SalidaDoble = 2;
            p_.ValorCuenta = 5;
            return Paso::Siguiente;
        }
        p_.SalidaDoble = 0;
    }
    int bono = 0;
    if (comio && !sinBono)
        bono = 20;
    else if (p_.CasillaFinal == CasillaCasa[p_.Turno])
        bono = 10;
    else
        bono = std::exchange(bonoSalida_, 0);
    if (bono != 0) {
        p_.TipoJugada = 5;
        p_.ValorCuenta = static_cast<Entero>(bono);
        return Paso::Siguiente;
    }
    // A bonus no piece could count leaves the throw's other values to count.
    if ((p_.FichaJugada != 0 || pasadaBono) && p_.ValoresUsados < p_.ModoValores) {
        SiguienteValor(p_);
        return Paso::Siguiente;
    }
    if (p_.Repeticiones == 1 || p_.Repeticiones == 2) {
        p_.TiradaNueva = true;
        return Paso::Siguiente;
    }
    p_.Repeticiones = 0;
    return Paso::FinTurno;
}

// The captured piece goes back to its box as a move of its own: the last
// rival piece to arrive on the square.
void Motor::DevuelveComida() {
    const Casilla& c = p_.Casillas[p_.CasillaFinal];
    int hueco = 0;
    for (int s = 3; s >= 1 && hueco == 0; --s)
        if (c.Pieza[s] != 0 && c.Jugador[s] != p_.Turno) hueco = s;
    if (hueco == 0) return;
    ++p_.NumJugada;
    p_.FichaJugada = c.Pieza[hueco];
    p_.JugadorComido = c.Jugador[hueco];
    p_.CasillaOrigen = p_.CasillaFinal;
    p_.CasillaFinal = 0;
    p_.TipoJugada = 6;
    AnotaJugada(p_, ui_);
    AnimaMovimiento(p_, ui_, Sentido::Adelante);
    // The next value of the throw is an ordinary count, not another return.
    p_.TipoJugada = 0;
}

void Motor::RefrescaTurnoRed() {
    if (p_.JugarEnRed)
        ui_.MuestraTurnoRed(NombreDe(p_, p_.Turno), static_cast<int>(ui_.Reloj() - inicioEspera_));
}

}  // namespace

void JuegaPartida(Partida& p, Interfaz& ui) {
    // Only two dice give the player searches long enough to use its memory.
    if (p.NumDados == 2) PreparaMemoriaJugador();
    Motor(p, ui).Juega();
}

void TerminaPartida(Partida& p, Interfaz& ui) {
    ui.ActualizaLista();
    p.PartidaIniciada = false;
    p.NumJugada = 0;
    ui.ActualizaControles();
}

}  // namespace parchis
