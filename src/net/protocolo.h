// The frame of every network message: "ZRA34", a two-digit code and a
// payload whose length the code fixes, with nothing marking its end.  The
// texts built here are UTF-8, as everything in memory; they become
// Windows-1252 (one byte per character) only on the wire.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/partida.h"

namespace parchis {

inline constexpr std::string_view PrefijoRed = "ZRA34";
inline constexpr std::size_t LargoPrefijo = 5;
inline constexpr std::size_t LargoCabecera = 7;   // prefix and code
inline constexpr std::size_t LargoMaximoMensaje = 907;
inline constexpr std::size_t LargoMarca = 8;

// The resume marks that never match each other when a side has no
// restore file.
inline constexpr const char* MarcaAdministradorSinFichero = "99999999";
inline constexpr const char* MarcaClienteSinFichero = "00000000";

enum class Papel { Administrador, Cliente };

// Total length of a message with this code as the role receives it; 0 for
// a code the role does not know.
std::size_t LargoMensaje(Papel papel, std::string_view codigo);

std::string TextoInicioJuego(bool nueva);              // 02: "1" new game, "2" resumed
std::string TextoPuesto(int puesto);                   // 03
std::string TextoMarca(const std::string& marca);      // 04
std::string TextoNuevaPartida();                       // 08
std::string TextoInstantanea(const Partida& p);        // 11: the state line
std::string TextoChat(const std::string& registro);    // 20

// The resume mark of a state line (IdPartida then NumJugada, as stored), or
// an empty text when the line is too short to hold them.
std::string MarcaDeLinea(std::string_view linea);

// The first line of the state file at `ruta`, as stored (Windows-1252,
// without its quotes); false when the file cannot be read.
bool PrimeraLineaDeEstado(const std::string& ruta, std::string& linea);

// Takes a socket's arrivals apart into whole messages.  Leading blanks of
// an arrival are skipped; a wrong prefix or a code this role does not know
// drops the rest of that arrival; an incomplete message is kept for the
// next arrival, so at most one message's worth of bytes is ever held.
class Receptor {
public:
    explicit Receptor(Papel papel = Papel::Cliente) : papel_(papel) {}
    // The whole messages completed by this arrival (Windows-1252 bytes),
    // converted to UTF-8, in order.
    std::vector<std::string> Recibe(std::string_view llegada);
    void Vacia() { resto_.clear(); }
    std::size_t Pendiente() const { return resto_.size(); }

private:
    Papel papel_;
    std::string resto_;
};

}  // namespace parchis
