// The texts of the network panels and messages, built from plain values so
// that they can be checked without a window.
#pragma once

#include <string>

namespace parchis {

inline constexpr const char* CRLF = "\r\n";
inline constexpr const char* TituloJuegoRed = "Juego en red";
inline constexpr const char* TituloConectando = "Conectando con Administrador";
inline constexpr const char* TituloErrorAdministrador = "Error en el Administrador de la partida";
inline constexpr const char* TituloErrorCliente = "Error en Cliente de una partida en red";
inline constexpr const char* TituloContinuar = "Continuar partida anterior";
inline constexpr const char* TituloDesconectado = "Jugador desconectado";
inline constexpr const char* TituloRestaurar = "Restaurar situación anterior";
inline constexpr int AyudaRed = 5100;

extern const char* const TextoConectando;
extern const char* const TextoConectado;
extern const char* const PreguntaContinuar;
extern const char* const TextoCorteAdministrador;
extern const char* const PreguntaRestaurar;
extern const char* const TextoRechazado;

// CR LF and " Tiempo de espera.: " with the minutes (when there are any)
// and the seconds.
std::string TiempoDeEspera(int segundos);

// The progress panel's title for this many remote seats.
std::string TituloProgreso(int remotosEsperados);

// One seat's line of the progress panel, ending in CR LF.
std::string LineaJugador(const std::string& nombre, bool conectado, const std::string& ip, int puerto);

// "Oeste", "Norte", "Este" for seats 1..3.
std::string NombrePuesto(int puesto);

// The connection request panel's text.
std::string TextoPeticion(const std::string& ip, int puerto);

// "Se ha producido el error " with the number and its description.
std::string TextoError(int numero, const std::string& descripcion);

// "Se ha cortado la comunicación con  el jugador " ... for a dropped seat.
std::string TextoJugadorCortado(const std::string& nombre);

}  // namespace parchis
