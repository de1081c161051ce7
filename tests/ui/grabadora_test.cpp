// The remote control in the main window: a press reaches the game flow, the
// board ignores clicks while it is on, and the list follows the steps.
#include <gtest/gtest.h>

#include <QListWidget>
#include <QTest>

#include "common/posicion.h"
#include "core/configuracion.h"
#include "core/narracion_texto.h"
#include "rules/tablero.h"
#include "ui/mainwindow/escritorio.h"
#include "ui/mainwindow/grabadora.h"
#include "ui/mainwindow/mesa.h"

namespace parchis {
namespace {

TEST(MandoEnLaVentana, EncenderYRetroceder) {
    Partida p;
    AplicaValoresPorDefecto(p);
    p.Sonido = false;
    p.Velocidad = 100;
    CuentaJugadores(p);
    ReiniciaTablero(p);
    Mesa mesa(p);
    Escritorio ui(mesa);
    mesa.PonInterfaz(&ui);
    mesa.Prepara(800, 600);
    // Carmen's piece has left its box with a 5: one move recorded.
    prueba::Pon(p, 1, 1, CasillaSalida[1]);
    p.NumJugada = 1;
    prueba::Anota(p, Jugada{1, 0, 5, 0, 5, 3, 1, 0, 0, CasillaSalida[1], 0, 1, 3});
    p.ListaJugadas = {PrincipioPartida};
    NarraJugada(p, 1);
    p.PartidaIniciada = p.EsperandoTirada = true;
    mesa.ActualizaLista();
    mesa.show();
    auto* mando = static_cast<Grabadora*>(mesa.findChild<QWidget*>(QStringLiteral("Pic_Grabadora")));
    auto pulsa = [&](int b) { QTest::mouseClick(mando, Qt::LeftButton, {}, Grabadora::RectanguloBoton(b).center()); };

    pulsa(MandoPotencia);
    EXPECT_TRUE(ui.GrabadoraEncendida());
    QTest::mouseClick(&mesa, Qt::LeftButton, {}, QPoint(200, 200));
    EXPECT_TRUE(p.EsperandoTirada);
    pulsa(MandoAtras);
    EXPECT_EQ(p.NumJugada, 1);
    EXPECT_EQ(p.Fichas[1][1], 0);
    EXPECT_EQ(mesa.Lista()->currentRow(), 1);
}

}  // namespace
}  // namespace parchis
