// The remote control in the main window: its presses reach the game flow,
// the board ignores clicks while it is on, and the list follows the steps.
#include <gtest/gtest.h>

#include <QApplication>
#include <QListWidget>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>

#include "common/posicion.h"
#include "core/configuracion.h"
#include "core/narracion_texto.h"
#include "rules/registro.h"
#include "rules/tablero.h"
#include "ui/mainwindow/escritorio.h"
#include "ui/mainwindow/grabadora.h"
#include "ui/mainwindow/mesa.h"

namespace parchis {
namespace {

TEST(MandoEnLaVentana, EncenderRetrocederYApagar) {
    QTemporaryDir carpeta;
    Partida p;
    AplicaValoresPorDefecto(p);
    p.Carpeta = carpeta.path().toStdString() + "/";
    p.Sonido = false;
    p.Velocidad = 100;
    CuentaJugadores(p);
    ReiniciaTablero(p);
    Mesa mesa(p);
    Escritorio ui(mesa);
    mesa.PonInterfaz(&ui);
    mesa.Prepara(800, 600);
    // Carmen takes a piece out with a 5 and counts 5 with it.
    const int salida = CasillaSalida[1];
    p.ListaJugadas = {PrincipioPartida};
    p.NumJugada = 1;
    for (const auto& [origen, destino, detalle] : {std::tuple{0, salida, 3}, std::tuple{salida, salida + 5, 0}}) {
        const Jugada e{1, 0, 5, 0, 5, 3, 1, 0, static_cast<Entero>(origen), static_cast<Entero>(destino), 0, 1,
                       static_cast<Entero>(detalle)};
        prueba::Anota(p, e);
        AvanzaJugada(p, p.NumJugada - 1);
        NarraJugada(p, p.NumJugada - 1);
    }
    p.PartidaIniciada = true;
    p.EsperandoTirada = true;
    p.Turno = 2;
    mesa.ActualizaLista();
    mesa.show();

    auto* mando = static_cast<Grabadora*>(mesa.findChild<QWidget*>(QStringLiteral("Pic_Grabadora")));
    ASSERT_NE(mando, nullptr);
    auto pulsa = [&](int b) { QTest::mouseClick(mando, Qt::LeftButton, {}, Grabadora::RectanguloBoton(b).center()); };
    const QPointF encima = Grabadora::RectanguloBoton(MandoRestaurar).center();
    QMouseEvent movimiento(QEvent::MouseMove, encima, mando->mapToGlobal(encima), Qt::NoButton, Qt::NoButton,
                           Qt::NoModifier);
    QApplication::sendEvent(mando, &movimiento);
    EXPECT_EQ(mando->toolTip(), QStringLiteral(" Restaurar partida "));

    pulsa(MandoPotencia);
    EXPECT_TRUE(mando->Encendido());
    EXPECT_TRUE(ui.GrabadoraEncendida());
    EXPECT_FALSE(mesa.BotonDisponible(1));
    QTest::mouseClick(&mesa, Qt::LeftButton, {}, QPoint(200, 200));
    EXPECT_TRUE(p.EsperandoTirada);

    pulsa(MandoAtras);
    EXPECT_EQ(p.NumJugada, 2);
    EXPECT_EQ(p.Fichas[1][1], salida);
    EXPECT_EQ(p.Turno, 1);
    EXPECT_EQ(mesa.Lista()->currentRow(), 3);
    EXPECT_EQ(mando->Pulsado(), -1);

    pulsa(MandoPotencia);
    EXPECT_FALSE(ui.GrabadoraEncendida());
    EXPECT_FALSE(mando->Encendido());
    EXPECT_EQ(p.NumJugada, 3);
    EXPECT_EQ(p.Fichas[1][1], salida + 5);
    EXPECT_EQ(p.Turno, 2);
}

}  // namespace
}  // namespace parchis
