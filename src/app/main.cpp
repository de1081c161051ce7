// The desktop program: the game record, the main window and the services it
// offers the game, network play on Qt's sockets, then start-up inside the
// window system's loop.
#include <QApplication>
#include <QTimer>

#include "core/partida.h"
#include "flow/arranque.h"
#include "net/qt/sala_qt.h"
#include "net/red.h"
#include "ui/common/careta.h"
#include "ui/common/senales.h"
#include "ui/mainwindow/escritorio.h"
#include "ui/mainwindow/mesa.h"
#include "ui/mainwindow/ordenes.h"
#include "ui/windows/ajustes_jugadores.h"
#include "ui/windows/chat.h"
#include "ui/windows/estadisticas.h"
#include "ui/windows/historia.h"
#include "ui/windows/partidas_guardadas.h"
#include "ui/windows/reglas.h"

int main(int argc, char** argv) {
    QApplication aplicacion(argc, argv);
    // Lets the desktop match the window to the menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.parchis"));
    parchis::Partida partida;
    parchis::Mesa mesa(partida);
    parchis::Escritorio escritorio(mesa);
    mesa.PonInterfaz(&escritorio);
    parchis::ConexionesSalaQt conexiones;
    // Each start of network play goes through the room chosen in the
    // player settings, or straight to the administrator.
    conexiones.PonOrigen([&] {
        return partida.JugarPorSala ? std::pair{partida.ServidorSala, partida.CodigoSala}
                                    : std::pair{std::string(), std::string()};
    });
    escritorio.PonCodigoSala([&] { return conexiones.Codigo(); });
    parchis::Red red(partida, escritorio, conexiones);
    conexiones.PonOyente(&red);
    mesa.PonRed(&red);
    parchis::ChatRed chat(&mesa,
                          {[&](int n) { escritorio.TocaSonido(n, true); },
                           [&](int u) { escritorio.Pausa(u); }},
                          red.Mensajes(), [&](const std::string& texto) { red.EnviaMensaje(texto); });
    chat.PonEnRed([&] { return partida.JugarEnRed; });
    mesa.PonVentanas({
        [&] {
            parchis::AbreVentanaJugadores(&mesa, partida, escritorio, [&](int j) { return red.Conectado(j); });
        },
        [&] { parchis::AbreVentanaReglas(&mesa, partida, escritorio); },
        [&] { parchis::AbreEstadisticas(&mesa, partida, escritorio); },
        [&] { parchis::AbreHistorico(&mesa, partida, escritorio); },
        [&] { chat.Abre(); },
        [&](parchis::ModoPartidas modo) {
            partida.PartidaCargada = false;
            parchis::AbrePartidasGuardadas(&mesa, partida, escritorio, modo);
            return modo == parchis::ModoPartidas::Cargar && partida.PartidaCargada;
        },
    });
    parchis::Careta careta;
    careta.show();
    escritorio.PonCareta(&careta);
    const std::string carpeta = QCoreApplication::applicationDirPath().toStdString();
    // Told to stop from outside (the session ending, a `kill`), the game
    // is postponed as on leaving, rather than lost.
    parchis::AvisaAlTerminar(&mesa, [&] { mesa.Termina(); });
    QTimer::singleShot(0, &mesa, [&] {
        if (!parchis::Arranque(partida, escritorio, carpeta)) mesa.Sal();
    });
    return aplicacion.exec();
}
