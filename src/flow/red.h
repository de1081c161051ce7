// What the turn engine and the opening draw exchange with the network: the
// throw and move texts they send, the throw and move entries they take from
// the head of ColaRed, and the seat and square numbering of a client, which
// always sees itself at seat 4.
#pragma once

#include <string>
#include <string_view>

#include "core/partida.h"
#include "flow/interfaz.h"

namespace parchis {

inline constexpr const char* FicheroRestauracion = "ZRVEL34.DRE";

// The throw and move of the seat to move come from another computer.
bool EsRemoto(const Partida& p);

// A remote seat's throw or move is still awaited.  On the administrator a
// seat whose player has left (now played by the computer) is awaited no
// more; a client always waits for the administrator's.
bool SigueRemoto(const Partida& p);

// A client's numbering (PuestoAdmin = its seat at the administrator).
int ConvertirPuesto(const Partida& p, int puestoAdmin);
int ConvertirCasillaEntrada(const Partida& p, int casilla);   // administrator -> here
int ConvertirCasillaSalida(const Partida& p, int casilla);    // here -> administrator

// "ZRA3401" with the dice, "ZRA3406" with the move being made.
std::string TextoTirada(const Partida& p);
std::string TextoMovimiento(const Partida& p);

// Sends a throw or move text of the seat to move: the administrator to
// every client but the one playing that seat, a client only its own moves.
void EnviaDelTurno(const Partida& p, Interfaz& ui, const std::string& texto);

// ColaRed holds whole entries: a code and its payload, on the
// administrator preceded by the digit of the slot (the seat) whose client
// sent it.  A consumer waits for one kind of entry; whatever stands before
// it that it cannot use (another kind, another seat's, a malformed one) is
// dropped, so no entry can stop a wait for good.  Returns the position of
// the code of the head entry of kind `codigo` the seat to move may use, or
// npos when the queue holds none yet (an incomplete entry stays).
std::size_t Cabeza(Partida& p, std::string_view codigo);

// Takes the first usable throw entry of ColaRed into Dado1 and Dado2 and
// returns true; an entry whose dice are not a throw is dropped.
bool TomaTirada(Partida& p);

// Takes the first usable move entry of ColaRed: a move of this seat for
// move NumJugada is copied into the move being made and true is returned;
// any other (another move number, fields that cannot be a move of this
// position) is dropped.
bool TomaMovimiento(Partida& p);

}  // namespace parchis
