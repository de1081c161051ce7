#include "ui/mainwindow/arranque.h"

#include <QCoreApplication>
#include <string>

#include "core/carpeta.h"
#include "core/configuracion.h"
#include "flow/motor.h"
#include "rules/tablero.h"
#include "ui/common/careta.h"
#include "ui/mainwindow/escritorio.h"
#include "ui/mainwindow/mesa.h"

namespace parchis {

namespace {

const char* const TextoResolucion =
    "Este programa  se  ha diseñado para funcionar con  una  resolución  mínima  de  pantalla de "
    "800x600 con profundidad de color de 16 bits o superior. Su resolución es de ";
const char* const TextoCambioResolucion =
    ". Pulse  Aceptar  para cambiar la resolución de la pantalla a 800x600 o  Cancelar  para "
    "salir del programa.";
const char* const TextoAyudaInicial =
    "Si desea consultar una descripción general de este  programa  para  conocer  rápidamente su "
    "funcionamiento, pulse el botón de Ayuda.";
const char* const TextoContinua =
    "Continua el desarrollo de la partida que no finalizó en la sesión anterior.";

// A screen narrower than 800 pixels is offered a change this platform
// cannot make; the answer Cancelar leaves the program.
bool CompruebaPantalla(Escritorio& ui) {
    int ancho = 0, alto = 0;
    ui.TamanoPantalla(ancho, alto);
    if (ancho >= 800) return true;
    const std::string texto = TextoResolucion + std::to_string(ancho) + "x" + std::to_string(alto) +
                              TextoCambioResolucion;
    if (ui.Mensaje("Resolución de pantalla", texto, 7, 2, 0) != Aceptar) return false;
    const char* titulo = "Cambio de resolución de pantalla";
    switch (ui.CambiaPantalla()) {
        case CambioPantalla::NoPosible:
            ui.Mensaje(titulo, "No se puede cambiar la resolución de la pantalla.", 2, 1, 0);
            break;
        case CambioPantalla::Hecho:
            ui.Mensaje(titulo, "Se ha cambiado con éxito la resolución de la pantalla a 800x600.", 2, 1, 0);
            break;
        case CambioPantalla::Reiniciar:
            ui.Mensaje(titulo, "Necesita reiniciar el equipo para que los cambios tengan efecto.", 2, 1, 0);
            break;
        case CambioPantalla::Fallido:
            ui.Mensaje(titulo,
                       "No se ha podido cambiar la resolución de la pantalla. Inténtelo de forma manual.",
                       2, 1, 0);
            break;
    }
    return true;
}

}  // namespace

void Arranque(Mesa& mesa, Escritorio& ui, const std::string& carpetaPrograma) {
    Partida& p = mesa.Juego();
    Careta careta;
    careta.show();
    QCoreApplication::processEvents();
    PrepararCarpeta(p, carpetaPrograma);
    if (!CompruebaPantalla(ui)) {
        mesa.Sal();
        return;
    }
    ui.SiembraAleatorio();
    p.CargandoPartida = true;
    const ResultadoConfiguracion leida = LeerConfiguracion(p);
    p.CargandoPartida = false;
    ui.PreparaVentana();
    careta.close();
    if (leida.Aviso)
        ui.Mensaje(leida.Aviso->Titulo, leida.Aviso->Texto, leida.Aviso->Lineas, leida.Aviso->Botones,
                   leida.Aviso->Ayuda);
    ui.Mensaje(NombrePrograma, TextoAyudaInicial, 3, 1, 1020);
    if (!p.PartidaIniciada || mesa.Saliendo()) return;
    ui.Mensaje("Continuar la partida anterior", TextoContinua, 2, 1, 0);
    ui.PresentaPartida();
    RetrocederTurno(p);
    JuegaPartida(p, ui);
}

}  // namespace parchis
