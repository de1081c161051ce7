#include "net/textos_red.h"

#include "core/codificacion.h"

namespace parchis {

const char* const TextoConectando =
    "Se está realizando la conexión con el Administrador de la partida. Permanezca a la espera.\r\n";
const char* const TextoConectado =
    "Se ha completado su conexión con el Administrador de la partida. Cuando finalice el proceso "
    "de conexiones comenzará el juego. Permanezca a la espera.\r\n";
const char* const PreguntaContinuar =
    "Si lo desea, puede restaurar la situación de la última partida en red  que  no  finalizó. "
    "Pulse  el  botón  Aceptar  para que continúe la  partida inacabada.  Si  pulsa  el  botón "
    "Cancelar comenzará una nueva partida en red.";
const char* const TextoCorteAdministrador =
    "Se  ha  cortado  la   comunicación   con   el Administrador de la partida.  Pulse el  botón "
    "Aceptar para intentar conectar nuevamente. Si pulsa el botón  Cancelar  comenzará una nueva "
    "partida en modo local.";
const char* const PreguntaRestaurar =
    "Ha terminado  de  jugar  en  red.  Si  desea restaurar  la  situación  que había antes de "
    "entrar en red, pulse el botón Aceptar. Pulse el botón  Cancelar  para iniciar  una  nueva "
    "partida con los valores actuales.";
const char* const TextoRechazado =
    "El Administrador de la partida ha rechazado su solicitud de conexión.  Puede  volver  a "
    "intentarlo nuevamente.";

std::string TiempoDeEspera(int segundos) {
    std::string t = std::string(CRLF) + " Tiempo de espera.: ";
    const int minutos = segundos / 60;
    if (minutos > 0) t += std::to_string(minutos) + (minutos == 1 ? " minuto y " : " minutos y ");
    return t + std::to_string(segundos % 60) + " segundos.";
}

std::string TituloProgreso(int remotosEsperados) {
    return remotosEsperados == 1 ? "Conectando con jugador en red" : "Conectando con jugadores en red";
}

std::string LineaJugador(const std::string& nombre, bool conectado, const std::string& ip, int puerto) {
    std::string t = "Jugador " + AjustaAncho(nombre, 9);
    if (conectado)
        t += ": CONECTADO (" + ip + ":" + std::to_string(puerto) + ")";
    else
        t += ": Pendiente de conexión";
    return t + CRLF;
}

std::string NombrePuesto(int puesto) {
    static const char* const nombres[] = {"", "Oeste", "Norte", "Este"};
    return puesto >= 1 && puesto <= 3 ? nombres[puesto] : "";
}

std::string TextoPeticion(const std::string& ip, int puerto) {
    return "Hay una petición de conexión desde la dirección IP  " + ip + "  y  el puerto  " +
           std::to_string(puerto) + "." + CRLF +
           "Seleccione el lugar que desea asignarle  en  la mesa de juego o rechace la conexión.";
}

std::string TextoError(int numero, const std::string& descripcion) {
    return "Se ha producido el error " + std::to_string(numero) + " = " + descripcion;
}

std::string TextoJugadorCortado(const std::string& nombre) {
    return "Se ha cortado la comunicación con  el jugador " + nombre + "." + CRLF +
           "Pulse el botón Aceptar para intentar conectar nuevamente. Si pulsa  Cancelar  "
           "continuará la partida con ese jugador en modo Automático.";
}

}  // namespace parchis
