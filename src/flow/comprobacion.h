// Consistency checks of a game record, for a game read from a file (a
// postponed or a saved one) and for whole games played without a window
// (the terminal tool's --comprobar and the tests): the board data
// agree with themselves, the log is well formed, and the log replays to the
// position it claims and undoes back to the start.  Each returns an empty
// text when everything holds, or says what does not.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/partida.h"

namespace parchis {

// Fichas and Casillas describe the same position; EnEspera, EnCasa and
// SiguienteSalida match it; every piece stands on its own path; no square
// holds more than two pieces, except `casillaComida`, where a capturing
// piece waits next to its victim until the capture is recorded (0 = none).
std::string CompruebaPosicion(const Partida& p, int casillaComida = 0);

// Log entry n has fields a game can produce.
std::string CompruebaEntrada(const Partida& p, int n);

// Entries 1..ultima, played forward from a new game's board, give the
// record's position; undone backward from the record's position, they give
// the new game's board back.
std::string CompruebaRegistro(const Partida& p, int ultima);

// A game under way read from a file can be played on: Turno names a seat,
// at least two seats play, every entry of the log is well formed, the
// position is consistent and the log replays to it.
std::string CompruebaPartida(const Partida& p);

// The bytes of a state file read into a copy of `p`, as a loaded file is:
// the copy when it may take the place of the game in play (a state file
// whose game under way, when it holds one, passes CompruebaPartida);
// nothing when it is damaged.
std::optional<Partida> LeePartidaComprobada(const Partida& p, const std::string& contenido);

// CargarEstado with that check: a file that cannot be read or is damaged
// leaves the record as it was, with CargaCorrecta = false.
void CargarEstadoComprobado(Partida& p, const std::string& nombre);

// Watches a game move by move: call TrasJugada after every move shown and
// AlFinal when the winner is announced (the log still holds the game).
class VigilanteJugadas {
public:
    // Entry n is well formed and the position holds; a capturing move is
    // followed by the captured piece going back from the same square.  Every
    // value of a throw is counted once, or recorded as not countable, or
    // taken by a move that ends the throw (the second piece of a two-piece
    // exit, the first piece leaving by counting, the third repetition's
    // penalty); nothing counts a value the throw did not offer; every bonus
    // earned is counted or recorded as not countable, before the throw's
    // next value.
    std::string TrasJugada(const Partida& p, int n);
    // Turno has every piece home and nobody else has; the log replays.
    std::string AlFinal(const Partida& p);

private:
    std::string CuentaValores(const Partida& p, int n);
    std::string CuentaBono(const Jugada& e);

    int comida_ = 0;   // square of a capture whose piece has not gone back yet
    // The throw being played: its values and which are still to count
    // ([0], the whole throw, only while none is used).
    std::array<int, 5> valores_{};
    std::array<bool, 5> porContar_{};
    std::vector<int> bonos_;   // earned and not yet counted
};

}  // namespace parchis
