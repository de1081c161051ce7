#include "flow/ajustes_reglas.h"

#include <string>

#include "core/estado.h"
#include "flow/ajustes_jugadores.h"

namespace parchis {

namespace {

bool EnJuego(const Partida& p) { return p.PartidaIniciada && p.NumJugada >= 2; }

const ControlRegla* Busca(int numero) {
    for (const auto& c : ControlesReglas())
        if (c.Numero == numero) return &c;
    return nullptr;
}

int Indice(const ControlRegla& c) { return static_cast<int>(&c - ControlesReglas().data()); }

Entero Original(const CopiaReglas& copia, int numero) { return copia.Valores[Indice(*Busca(numero))]; }

// A change of selector `numero` that ends the game under way: asked when a
// game is under way and no new game is requested yet; without a question
// the change stands and the new game is requested.
void ConfirmaNuevaPartida(Partida& p, Interfaz& ui, int numero, const char* titulo, const char* texto,
                          int lineas, int ayuda, const CopiaReglas& copia) {
    const ControlRegla& c = *Busca(numero);
    if (p.*c.Valor == Original(copia, numero) || p.PedirNuevaPartida) return;
    if (!EnJuego(p) || ui.Mensaje(titulo, texto, lineas, 2, ayuda) == Aceptar) {
        p.PedirNuevaPartida = true;
        return;
    }
    p.*c.Valor = Original(copia, numero);
    p.NumFichas = static_cast<Entero>(FichasSegunRegla(p));
}

}  // namespace

const std::vector<ControlRegla>& ControlesReglas() {
    using P = Partida;
    static const std::vector<ControlRegla> controles = {
        {9, 0, &P::ModoJuego, nullptr, 2},
        {4, 0, &P::NumDados, nullptr, 2},
        {3, 0, &P::FichasPorJugador, nullptr, 2},
        {58, 1, nullptr, &P::BarreraSalida},
        {59, 1, nullptr, &P::BarreraSeguro},
        {65, 1, nullptr, &P::BarreraBlancas},
        {68, 1, nullptr, &P::BarreraCompaneros},
        {66, 2, nullptr, &P::ComerObligatorio},
        {5, 2, &P::SeisConTodas, nullptr, 3},
        {8, 2, &P::MetodoCuenta, nullptr, 2},
        {55, 3, nullptr, &P::SalidaCon5},
        {56, 3, nullptr, &P::SalidaObligatoria},
        {57, 3, nullptr, &P::BonoComerSaliendo},
        {6, 3, &P::PrimeraFicha, nullptr, 3},
        {7, 3, &P::MetodoSalida, nullptr, 2},
    };
    return controles;
}

bool ReglaVisible(const Partida& p, const ControlRegla& c) {
    if (c.Numero == 68) return p.ModoJuego == 2;
    if (c.Numero == 7 || c.Numero == 8) return p.NumDados == 2;
    return true;
}

CopiaReglas CopiaDeReglas(const Partida& p) {
    CopiaReglas copia;
    for (const auto& c : ControlesReglas()) {
        if (c.Valor) copia.Valores[Indice(c)] = p.*c.Valor;
        if (c.Interruptor) copia.Interruptores[Indice(c)] = p.*c.Interruptor;
    }
    return copia;
}

bool CambiaRegla(Partida& p, Interfaz& ui, int numero) {
    const ControlRegla* c = Busca(numero);
    if (!c) return false;
    if (p.JugarEnRed && p.ModoRed == 2) {
        ui.Mensaje(TituloJuegoEnRed, TextoRechazoCliente, 4, 1, 5100);
        return false;
    }
    if (c->Interruptor) {
        p.*c->Interruptor = !(p.*c->Interruptor);
    } else {
        Entero& v = p.*c->Valor;
        v = static_cast<Entero>(v >= 1 && v < c->NumValores ? v + 1 : 1);
    }
    if (numero == 3) p.NumFichas = static_cast<Entero>(FichasSegunRegla(p));
    return true;
}

bool SalidaReglas(Partida& p, Interfaz& ui, const CopiaReglas& copia) {
    CuentaJugadores(p);
    if (p.ModoJuego == 2 && p.NumJugadores != 4) {
        ui.Mensaje("Modo de Juego improcedente",
                   "Sólo se puede  seleccionar el  modo  Parejas cuando estan activados los cuatro "
                   "jugadores. Actualmente sólo estan en juego " +
                       std::to_string(p.NumJugadores % 10) + " jugadores.",
                   3, 1, 2142);
        return false;
    }
    ConfirmaNuevaPartida(
            p, ui, 9, "Modo de juego",
            "Ha modificado el selector 'Modo  de  juego', por lo que finalizará la  partida  actual  y "
            "dará comienzo una nueva partida con el valor actualmente  seleccionado.  Pulse  el  botón "
            "Aceptar  para  comenzar la nueva partida. Si pulsa el botón Cancelar  no se modificará el "
            "modo de juego y continuará la partida actual.",
            7, 2142, copia);
    ConfirmaNuevaPartida(
            p, ui, 4, "Número de dados",
            "Ha modificado el valor del  selector  'Número de dados', por lo que  finalizará  la "
            "partida actual y comenzará una  nueva  partida con el valor  actualmente  seleccionado.   "
            "Pulse  el botón Aceptar para comenzar la nueva partida. Si pulsa el botón Cancelar  no se "
            "modificarán el número de dados y continuará la partida en juego.",
            8, 2143, copia);
    ConfirmaNuevaPartida(
            p, ui, 3, "Fichas por jugador",
            "Ha modificado las fichas iniciales  de  cada jugador, por lo que  finalizará  la  partida "
            "actual y dará comienzo una nueva partida con la cantidad actualmente seleccionada.  Pulse "
            "el botón  Aceptar  para  comenzar  la  nueva partida. Si pulsa Cancelar no se modificarán "
            "las fichas por jugador y podrá  continuar la partida en juego.",
            8, 2144, copia);
    if (p.JugarEnRed && p.ModoRed == 1) {
        if (CopiaDeReglas(p) != copia) ui.EnviaRed("ZRA3411" + ComponerEstado(p).Linea1, 0);
        if (p.PedirNuevaPartida) ui.EnviaRed("ZRA3408", 0);
    }
    return true;
}

}  // namespace parchis
