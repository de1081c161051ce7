// The opening exchange of a room server: one text line from each caller
// before its bytes are piped, and the room codes.
//
//   administrator, control:  "PARCHIS-SALA 1 ADMINISTRADOR"
//        answer:             "SALA <code> <key>"          (or "NO <reason>" and close)
//   administrator, again:    "PARCHIS-SALA 1 ADMINISTRADOR <code> <key>"
//        answer:             "SALA <code> <key>"          (or "NO CODIGO" / "NO ESPERE" and close)
//        takes back its room after the control connection was lost; the
//        pipes of the seated clients never stopped
//   administrator, control:  "CIERRA"   closes the room now (a control connection
//        that is only lost leaves it waiting for the administrator)
//   client:                  "PARCHIS-SALA 1 CLIENTE <code> <port>"
//        answer:             "SI"                          (or "NO CODIGO" / "NO ESPERE" and close;
//                            "NO AUSENTE" while the room waits for its administrator)
//   server to administrator: "LLAMADA <id> <ip> <port>"   on the control connection
//   administrator, link:     "PARCHIS-SALA 1 ENLACE <code> <key> <id>"   (no answer: the pipe starts)
//
// Every line ends in "\n" (a "\r" before it is allowed) and is at most
// LongitudMaximaApertura bytes.  After the opening line the server only
// pipes bytes, so the game's messages are the same as on a local network.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace parchis::sala {

inline constexpr int VersionSala = 1;
inline constexpr std::size_t LongitudMaximaApertura = 96;
inline constexpr std::size_t LongitudCodigo = 6;
inline constexpr std::size_t LongitudClave = 16;
// Letters and digits a person cannot mistake for one another: no 0/O, 1/I/L.
inline constexpr std::string_view AlfabetoCodigo = "23456789ABCDEFGHJKMNPQRSTUVWXYZ";

enum class Papel { Ninguno, Administrador, Cliente, Enlace };

struct Apertura {
    Papel Quien = Papel::Ninguno;   // Ninguno: the line is not ours, or malformed
    std::string Codigo;
    std::string Clave;
    int Puerto = 0;                 // the client's "Mi puerto", 1..65535
    std::uint32_t Id = 0;           // the caller a link is for
};

// Reads one opening line (without its "\n").  Anything malformed, of
// another version, too long or with stray bytes is Papel::Ninguno.
Apertura LeeApertura(std::string_view linea);

// A code or key of `n` characters of the alphabet from a secure source;
// empty when the system has none to give.
std::string GeneraCodigo(std::size_t n);
// The code as a person typed it: blanks and dashes out, letters in capitals.
// Empty when what is left is not a possible code.
std::string NormalizaCodigo(std::string_view escrito);
// Compares in a time that does not depend on where they differ.
bool IgualesSinPrisa(std::string_view a, std::string_view b);

// Has the system probe the connection `fd` once it has been quiet for a
// minute, every 20 seconds: a home router keeps remembering it (many
// forget a quiet one within minutes), and a peer that is gone is found
// within two minutes and a half.  The administrator's control connection
// is quiet all game.
void ActivaSondeo(int fd);

}  // namespace parchis::sala
