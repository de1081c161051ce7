// What the player settings window decides: the changes each control makes
// to the record (and those it refuses, on a network client above all), and
// the check made when the window is left, which compares the record with a
// copy taken at opening, asks before every change that ends the game under
// way, undoes what the person does not confirm and leaves the requests for
// the main window (PedirNuevaPartida, PedirInicioRed,
// PedirRestaurarAnterior).
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "core/partida.h"
#include "core/preferencias_propias.h"
#include "flow/interfaz.h"

namespace parchis {

inline constexpr int LargoNombreJugador = 9;
inline constexpr int LargoIP = 15;
inline constexpr int LargoServidorSala = static_cast<int>(LargoServidor);
inline constexpr int LargoCodigoSala = 6;

inline constexpr const char* TituloJuegoEnRed = "Juego en Red";
extern const char* const TextoRechazoCliente;

// The fields the exit check compares with what they were at opening.
struct CopiaJugadores {
    std::array<std::string, 5> Nombres{};
    std::array<Entero, 5> Estado{}, Control{}, Nivel{}, Caracter{};
    std::string IPAdministrador;
    Entero MiPuerto = 1;
    bool JugarPorSala = false;
    std::string ServidorSala, CodigoSala;
    bool JugarEnRed = false;
    Entero ModoRed = 2;
    Entero Sentido = 2;
    bool PausaEntreJugadas = true;
    bool IndicarDestino = true;
    Entero PuestoMesa = 0;
    bool Sonido = true;
    bool TutorAutomatico = true;
    Entero Velocidad = 50;
    bool operator==(const CopiaJugadores&) const = default;
};

// Opening the window: the copy; outside network play the game is saved to
// ZRVEL34.ARE, the situation to come back to after network play, and the
// switch is put on when JugarEnRedRecordado is (nothing connects yet).
CopiaJugadores EmpiezaAjustesJugadores(Partida& p);

enum class AjusteJugador {
    Estado, Control, Caracter, Nivel,   // one per seat
    Sentido, GiraColores, Sonido, Pausa, Tutor, Destino, Velocidad,
    JugarEnRed, ModoRed, MiPuerto, PorSala
};

// A click on a control: a selector steps to its next value, a switch
// toggles, the colour button turns the board; a knob sets `valor` (0..100).
// Returns false when the change is refused (the reason has been shown and
// nothing changed).
bool CambiaAjusteJugador(Partida& p, Interfaz& ui, AjusteJugador a, int puesto = 0, int valor = 0);

// A name as typed: leading blanks removed, every word capitalised and the
// rest in small letters, at most nine characters.
std::string NombreCorregido(std::string_view texto);

// The administrator's address as typed, blanks trimmed at both ends.
void PonIPAdministrador(Partida& p, std::string_view texto);

// The room server's address and the room's code as typed: blanks out; the
// code in capitals without dashes, as it is read out.
void PonServidorSala(Partida& p, std::string_view texto);
void PonCodigoSala(Partida& p, std::string_view texto);

// An address with its blanks removed passes when it has exactly four parts
// that are not empty and are below 256 (a part of letters counts as 0).
bool DireccionValida(std::string_view ip);

// Whether a dotted IPv4 address is a private one (10.x, 172.16-31.x,
// 192.168.x).
bool DireccionPrivada(std::string_view ip);

// Leaving the window.  Returns false when it must stay open (fewer than two
// players, no remote seat for an administrator, a malformed address).  What
// changed is written to the configuration file at once (GuardaAjustes), and
// "Jugar en red" to the program's own settings file when it differs from
// what that file holds.
bool SalidaAjustesJugadores(Partida& p, Interfaz& ui, const CopiaJugadores& copia);

}  // namespace parchis
