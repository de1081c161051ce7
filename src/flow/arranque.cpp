#include "flow/arranque.h"

#include <filesystem>
#include <optional>

#include "core/bloqueo.h"
#include "core/carpeta.h"
#include "core/configuracion.h"
#include "core/fichero.h"
#include "core/narracion_texto.h"
#include "core/preferencias_propias.h"
#include "flow/comprobacion.h"
#include "flow/jugada.h"
#include "flow/motor.h"
#include "rules/registro.h"
#include "rules/tablero.h"

namespace parchis {

namespace {

const char* const TituloResolucion = "Resolución de pantalla";
const char* const TituloCambio = "Cambio de resolución de pantalla";
const char* const TituloSalir = "Salir del programa";

std::string TextoResolucion(int ancho, int alto) {
    return "Este programa  se  ha diseñado para funcionar con  una  resolución  mínima  de  pantalla "
           "de 800x600 con profundidad de color de 16 bits o superior. Su resolución es de " +
           std::to_string(ancho) + "x" + std::to_string(alto) +
           ". Pulse  Aceptar  para cambiar la resolución de la pantalla a 800x600 o  Cancelar  para "
           "salir del programa.";
}

const char* TextoCambio(CambioPantalla cambio) {
    switch (cambio) {
        case CambioPantalla::NoPosible: return "No se puede cambiar la resolución de la pantalla.";
        case CambioPantalla::Hecho: return "Se ha cambiado con éxito la resolución de la pantalla a 800x600.";
        case CambioPantalla::Reiniciar: return "Necesita reiniciar el equipo para que los cambios tengan efecto.";
        case CambioPantalla::Fallido: break;
    }
    return "No se ha podido cambiar la resolución de la pantalla. Inténtelo de forma manual.";
}

// The data folder stays this process's until it ends (the lock is released
// by the system even when the program is killed).
EstadoBloqueo TomaCarpeta(const std::string& carpeta) {
    static std::optional<BloqueoCarpeta> bloqueo;
    bloqueo.reset();
    bloqueo.emplace(carpeta);
    return bloqueo->Estado();
}

void LeeConfiguracionInicial(Partida& p, Interfaz& ui) {
    p.CargandoPartida = true;
    const ResultadoConfiguracion r = LeerConfiguracion(p);
    p.CargandoPartida = false;
    if (!r.Aviso) return;
    std::string texto = r.Aviso->Texto;
    if (p.ConservarIni)
        texto += "\nSe usan los valores por defecto; el fichero ZRVEL34.INI no se modifica.";
    ui.Mensaje(r.Aviso->Titulo, texto, r.Aviso->Lineas, r.Aviso->Botones, r.Aviso->Ayuda);
}

// A postponed game that cannot be played on is kept aside as a file for
// whoever wants to look at it (next to the target of a linked
// configuration, so the link keeps working), and the settings read from it
// go on in a new configuration.  A file the person cannot replace is left
// as it is: the game is set aside in memory only, and the file is not
// written during this run.
void ApartaPartidaDanada(Partida& p, Interfaz& ui) {
    std::string apartado;
    if (SePuedeGuardarConfiguracion(p)) apartado = ApartaFichero(p.Carpeta + FicheroConfiguracion);
    p.PartidaIniciada = false;
    ReiniciaTablero(p);
    p.ListaJugadas.assign(1, PrincipioPartida);
    std::string texto =
        "La partida que no finalizó en la sesión anterior está dañada y no se puede continuar. ";
    if (!apartado.empty()) {
        GuardarConfiguracion(p);
        texto += "Se ha guardado aparte como " + apartado.substr(apartado.rfind('/') + 1) +
                 "; se conservan los ajustes.";
    } else {
        p.ConservarIni = true;
        texto += "No se ha podido guardar aparte: el fichero ZRVEL34.INI se deja como está y se usan sus "
                 "ajustes sin modificarlo.";
    }
    ui.Mensaje("Continuar la partida anterior", texto, 4, 1, 0);
}

// The seat that made log entry n (the capturer for a piece sent back).
int AutorDe(const Jugada& e) { return e.TipoJugada == 6 ? e.Autor : e.Jugador; }

}  // namespace

Entero RepeticionesAnteriores(const Partida& p) {
    const int n = p.NumJugada - 1;
    if (n < 1 || n >= static_cast<int>(p.Jugadas.size())) return 0;
    const Jugada& e = p.Jugadas[n];
    return AutorDe(e) == p.Turno ? e.Repeticiones : 0;
}

namespace {

// Postpones the game under way (or just keeps the settings) in the
// configuration file.  A game that cannot be saved is asked about before the
// throw is rewound, so that staying changes nothing; false when the person
// stays.
bool GuardaAlSalir(Partida& p, Interfaz& ui) {
    const bool pospone = p.PartidaIniciada;
    const bool guardable = SePuedeGuardarConfiguracion(p);
    if (pospone && !guardable &&
        ui.Mensaje("Posponer la partida en juego",
                   "No se puede guardar la partida en el fichero ZRVEL34.INI (está protegido contra "
                   "escritura o no se pudo leer). Pulse  Aceptar  para salir sin guardarla o  Cancelar  "
                   "para seguir jugando.",
                   4, 2, 0) != Aceptar)
        return false;
    if (pospone) VuelveAlInicioDeTirada(p, ui);
    if (!GuardarConfiguracion(p) && pospone && guardable)
        ui.Mensaje("Posponer la partida en juego", "No se ha podido guardar la partida en el fichero ZRVEL34.INI.",
                   2, 1, 0);
    return true;
}

}  // namespace

bool CompruebaPantalla(Interfaz& ui) {
    int ancho = 0, alto = 0;
    ui.TamanoPantalla(ancho, alto);
    if (ancho >= 800) return true;
    if (ui.Mensaje(TituloResolucion, TextoResolucion(ancho, alto), 7, 2, 0) != Aceptar) return false;
    ui.Mensaje(TituloCambio, TextoCambio(ui.CambiaPantalla()), 2, 1, 0);
    return true;
}

bool Arranque(Partida& p, Interfaz& ui, const std::string& carpetaPrograma) {
    PrepararCarpeta(p, carpetaPrograma);
    const EstadoBloqueo bloqueo = TomaCarpeta(p.Carpeta);
    if (bloqueo == EstadoBloqueo::Ocupado) {
        ui.Mensaje(TituloPrograma,
                   "Otra copia de este programa está usando la carpeta de datos " + p.Carpeta +
                       "\nSólo puede haber una abierta en cada carpeta: cierre la otra antes de volver a "
                       "abrirlo.",
                   5, 1, 0);
        return false;
    }
    if (bloqueo == EstadoBloqueo::Imposible) {
        ui.Mensaje(TituloPrograma,
                   std::string("No se puede comprobar si otra copia de este programa está usando la carpeta de "
                               "datos ") +
                       p.Carpeta + ": " + FicheroBloqueo +
                       " no es un archivo que se pueda abrir (un enlace, o un archivo sin permiso de "
                       "lectura).\nBórrelo y vuelva a abrir el programa.",
                   5, 1, 0);
        return false;
    }
    // No other copy writes here: what a save cut short left is stale.
    BorraTemporales(p.Carpeta);
    if (!CompruebaPantalla(ui)) return false;
    ui.SiembraAleatorio();
    LeeConfiguracionInicial(p, ui);
    // Network play is only offered: nothing connects until the person
    // confirms the player settings window.
    const PreferenciasPropias propias = LeePreferencias(p.Carpeta);
    p.JugarEnRedRecordado = propias.JugarEnRed;
    if (!propias.ServidorSala.empty()) {
        p.JugarPorSala = propias.JugarPorSala;
        p.ServidorSala = propias.ServidorSala;
    }
    if (p.PartidaIniciada && !CompruebaPartida(p).empty()) ApartaPartidaDanada(p, ui);
    ui.PreparaVentana();
    ui.Mensaje(TituloPrograma,
               "Si desea consultar una descripción general de este  programa  para  conocer  "
               "rápidamente su funcionamiento, pulse el botón de Ayuda.",
               3, 1, 1020);
    if (p.PartidaIniciada) {
        ui.Mensaje("Continuar la partida anterior",
                   "Continua el desarrollo de la partida que no finalizó en la sesión anterior.", 2, 1, 0);
        ui.PresentaPartida();
        RetrocederTurno(p);
        JuegaPartida(p, ui);
    }
    return true;
}

namespace {

// `deshaz` undoes entry NumJugada, shown or not.
template <typename Deshaz>
void RebobinaTirada(Partida& p, Deshaz deshaz) {
    bool deshecha = false;
    // NumJugada names the move being made; the throw's recorded moves are
    // undone back to and including its first one.
    if (!p.TiradaNueva) {
        while (p.NumJugada > 1) {
            --p.NumJugada;
            deshaz();
            deshecha = true;
            if (p.Jugadas[p.NumJugada].InicioTirada != 0) break;
        }
    }
    // Thrown but not yet moved, the throw's repetition is already counted.
    if (deshecha || p.EsperandoFicha) p.Repeticiones = RepeticionesAnteriores(p);
}

}  // namespace

void VuelveAlInicioDeTirada(Partida& p, Interfaz& ui) {
    RebobinaTirada(p, [&] { AnimaMovimiento(p, ui, Sentido::Atras); });
}

bool GuardaAjustes(const Partida& p) {
    Partida copia = p;
    // A game about to be replaced is not kept.
    if (copia.JugarEnRed || p.PedirNuevaPartida || p.PedirInicioRed || p.PedirRestaurarAnterior)
        copia.PartidaIniciada = false;
    else if (copia.PartidaIniciada)
        RebobinaTirada(copia, [&] { RetrocedeJugada(copia, copia.NumJugada); });
    return GuardarConfiguracion(copia);
}

bool SalirDelPrograma(Partida& p, Interfaz& ui) {
    if (ui.GrabadoraEncendida()) {
        ui.Mensaje(TituloSalir,
                   "Tiene que apagar la  Grabadora  de  jugadas  antes de poder abandonar el programa.",
                   2, 1, 2300);
        return false;
    }
    if (p.PartidaIniciada) {
        const int respuesta =
            p.JugarEnRed
                ? ui.Mensaje(TituloSalir, "¿Desea salir del programa y abandonar la partida en red?", 2, 2, 5100)
                : ui.Mensaje("Posponer la partida en juego",
                             "¿Desea abandonar el programa para continuar en otro momento la partida "
                             "que está jugando?",
                             2, 2, 0);
        if (respuesta != Aceptar) return false;
    }
    if (!p.JugarEnRed && !GuardaAlSalir(p, ui)) return false;
    ui.CierraRed();
    std::error_code ignorado;
    std::filesystem::remove(p.Carpeta + FicheroAnterior, ignorado);
    // The engine waiting inside this command must not play on.
    p.EsperandoFicha = p.EsperandoTirada = false;
    p.PartidaIniciada = false;
    return true;
}

}  // namespace parchis
