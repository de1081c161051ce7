// The main window's commands: the keyboard with no game, the options
// selector, the dice chosen by hand, a piece moved by hand, the buttons'
// refusals and call points, the column at every screen size, and a whole
// game played with the keyboard alone.
#include <gtest/gtest.h>

#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <string>
#include <vector>

#include "common/posicion.h"
#include "core/configuracion.h"
#include "flow/comprobacion.h"
#include "flow/sorteo.h"
#include "rules/tablero.h"
#include "ui/mainwindow/botonera.h"
#include "ui/mainwindow/dados_manuales.h"
#include "ui/mainwindow/escritorio.h"
#include "ui/mainwindow/mesa.h"
#include "ui/mainwindow/panel_cuenta.h"
#include "ui/mainwindow/selector.h"

namespace parchis {
namespace {

class Ordenes : public testing::Test {
protected:
    Ordenes() {
        AplicaValoresPorDefecto(p);
        p.Carpeta = carpeta.path().toStdString() + "/";
        p.Sonido = false;
        p.Velocidad = 100;
        CuentaJugadores(p);
        ReiniciaTablero(p);
        mesa.PonInterfaz(&ui);
        ui.FijaSemilla(11);
        mesa.PonContestador([this](const std::string& titulo, const std::string& texto, int) {
            titulos.push_back(titulo);
            textos.push_back(texto);
            // The opening draw has named who starts: the test has seen enough.
            if (titulo == TituloSorteo && pararTrasSorteo) p.PartidaIniciada = false;
            return Aceptar;
        });
        mesa.Prepara(800, 600);
        mesa.show();
    }
    QPoint Centro(int s) {
        const Punto c = CentroCasilla(mesa.Lienzo().Me(), p.NumFichas, s, 0, 0, 0);
        return {c.x, c.y};
    }
    void EsperaTirada() {
        p.PartidaIniciada = true;
        p.Turno = 4;
        p.NumJugada = 1;
        p.EsperandoTirada = true;
    }

    QTemporaryDir carpeta;
    Partida p;
    Mesa mesa{p};
    Escritorio ui{mesa};
    std::vector<std::string> titulos, textos;
    bool pararTrasSorteo = true;
};

TEST_F(Ordenes, SinPartidaUnaLetraEmpiezaUnaYEscQNo) {
    for (auto [tecla, empieza] : {std::pair{Qt::Key_Escape, false}, {Qt::Key_Q, false}, {Qt::Key_A, true}}) {
        titulos.clear();
        QTest::keyClick(&mesa, tecla);
        EXPECT_EQ(!titulos.empty() && titulos.front() == "Comienza la Partida", empieza) << tecla;
    }
}

TEST_F(Ordenes, ElSelectorSeAbreSoloCuandoTocaYOfreceSusEntradas) {
    const int lado = mesa.Lienzo().Me().LadoLienzo;
    const struct {
        bool partida, tirada, red;
        QPoint punto;
        int entradas;   // 0: does not open
        QPoint esquina;
    } casos[] = {
        {false, false, false, {100, 100}, 2, {100, 100}},
        {true, true, false, {100, 100}, 5, {100, 100}},
        {true, false, false, {100, 100}, 0, {}},                 // the computer is thinking
        {true, true, true, {100, 100}, 0, {}},                   // network game
        {true, true, false, {lado - 10, lado - 10}, 5, {lado - 10 - AnchoSelector, lado - 10 - 5 * 18 - 8}},
    };
    for (const auto& c : casos) {
        p.PartidaIniciada = c.partida;
        p.EsperandoTirada = c.tirada;
        p.JugarEnRed = c.red;
        QTest::mouseClick(&mesa, Qt::RightButton, {}, c.punto);
        SelectorOpciones* s = mesa.Selector();
        ASSERT_EQ(s->isVisible(), c.entradas > 0) << c.partida << c.tirada << c.red;
        if (!c.entradas) continue;
        // "Guardar" only with a game; "TIrar dados" only with a throw awaited.
        EXPECT_EQ(s->height(), 8 + 18 * c.entradas);
        EXPECT_EQ(s->pos(), c.esquina);
        EXPECT_EQ(s->OpcionEn({10, 4 + 18 * 2 + 1}), c.partida ? OpcionBorrar : 0);
        QTest::mouseClick(&mesa, Qt::LeftButton, {}, {5, 5});   // a click elsewhere closes it
        EXPECT_FALSE(s->isVisible());
    }
}

TEST_F(Ordenes, DadosElegidosAMano) {
    EleccionDados e;
    EXPECT_FALSE(e.Elige(8, 1));   // one die: the second group completes nothing
    EXPECT_TRUE(e.Elige(2, 1));
    EXPECT_EQ(e.Dado1(), 3);
    EXPECT_FALSE((EleccionDados{}.Elige(3, 2)));
    EXPECT_TRUE(e.Elige(11, 2));
    EXPECT_TRUE(e.Elige(7, 2));   // a line clears the rest of its group
    EXPECT_EQ(e.Dado2(), 2);

    // Through the window: the list opens from the selector's entry and the
    // throw goes when the first die is chosen.
    EsperaTirada();
    mesa.EligeOpcion(OpcionDados);
    ListaDados* lista = mesa.Dados();
    ASSERT_TRUE(lista->isVisible());
    QTest::mouseClick(lista, Qt::LeftButton, {}, lista->RectanguloLinea(9).center());
    EXPECT_TRUE(p.EsperandoTirada);
    QTest::mouseClick(lista, Qt::LeftButton, {}, lista->RectanguloLinea(4).center());
    EXPECT_FALSE(p.EsperandoTirada);
    int d1 = 0, d2 = 0;
    EXPECT_TRUE(ui.DadosElegidos(d1, d2));
    EXPECT_EQ(std::pair(d1, d2), std::pair(5, 0));
    EXPECT_FALSE(lista->isVisible());
    // A key closes an open list and throws at random.
    p.EsperandoTirada = true;
    mesa.EligeOpcion(OpcionDados);
    QTest::keyClick(&mesa, Qt::Key_Space);
    EXPECT_FALSE(lista->isVisible());
    EXPECT_FALSE(p.EsperandoTirada);
}

TEST_F(Ordenes, DestinoDeUnaFichaMovidaAMano) {
    const Medidas& me = mesa.Lienzo().Me();
    Partida q = prueba::PartidaVacia();
    prueba::Pon(q, 1, 1, 30);
    prueba::Pon(q, 2, 1, 30);
    auto destino = [&](int j, QPoint punto, bool color = false) {
        return DestinoManual(me, q, j, 0, punto.x(), punto.y(), color);
    };
    const Rectangulo esquina4{me.OrigenX[4], me.OrigenY[4], 0, 0};
    const int medio = me.LadoLienzo / 2;
    const struct {
        int jugador;
        QPoint punto;
        bool color;
        int esperado;
    } casos[] = {
        {4, Centro(4), false, -1},    // before seat 4's exit: not on its path
        {4, Centro(5), false, 5},
        {4, Centro(30), false, -1},   // two pieces there already
        {4, Centro(70), false, 70},   // its own corridor
        {1, Centro(70), false, -1},   // another seat's corridor
        {4, {esquina4.x + 5, esquina4.y + 5}, false, 0},
        {1, {esquina4.x + 5, esquina4.y + 5}, false, -1},
        {4, {medio, medio}, true, 76},
        {4, {medio, medio}, false, -1},
    };
    for (const auto& c : casos)
        EXPECT_EQ(destino(c.jugador, c.punto, c.color), c.esperado) << c.jugador << " " << c.esperado;
}

TEST_F(Ordenes, ArrastrarUnaFichaAnotaUnaJugadaManual) {
    EsperaTirada();
    mesa.EligeOpcion(OpcionManual);
    ASSERT_TRUE(mesa.Raton().ModoManual);
    const Rectangulo caja = ZonaFicha(mesa.Lienzo().Me(), p, 2, 1);   // seat 2's box
    const QPoint desde(caja.x + caja.ancho / 2, caja.y + caja.alto / 2);
    auto arrastra = [&](QPoint hasta) {
        QTest::mousePress(&mesa, Qt::LeftButton, {}, desde);
        EXPECT_TRUE(mesa.Raton().Arrastrando);
        QTest::mouseRelease(&mesa, Qt::LeftButton, {}, hasta);
    };
    arrastra({-40, 30});   // released outside the window: it comes back
    arrastra(Centro(55));
    EXPECT_EQ(p.NumJugada, 2);
    const Jugada& e = p.Jugadas[1];
    EXPECT_EQ((std::vector<int>{e.TipoJugada, e.Autor, e.Dado1, e.Dado2, e.ValorCuenta, e.CasillaOrigen,
                                e.CasillaFinal}),
              (std::vector<int>{7, 2, 0, 0, 0, 0, 55}));
    EXPECT_EQ(p.Fichas[2][1], 55);
    EXPECT_EQ(p.Turno, 4);
    EXPECT_TRUE(mesa.Raton().ModoManual);
    EXPECT_EQ(CompruebaRegistro(p, p.NumJugada - 1), "");
    // A key leaves the manual mode and throws.
    QTest::keyClick(&mesa, Qt::Key_A);
    EXPECT_FALSE(mesa.Raton().ModoManual);
    EXPECT_FALSE(p.EsperandoTirada);
}

TEST_F(Ordenes, BotonesRechazosYVentanas) {
    std::vector<int> abiertas;
    VentanasMesa v;
    v.Jugadores = [&] { abiertas.push_back(1); };
    v.Historico = [&] { abiertas.push_back(5); };
    mesa.PonVentanas(v);
    EXPECT_TRUE(mesa.BotonDisponible(1));
    EXPECT_FALSE(mesa.BotonDisponible(2));   // not wired: shown unavailable
    mesa.PulsaBoton(1);
    mesa.PulsaBoton(2);
    EXPECT_EQ(abiertas, std::vector<int>{1});
    p.JugarEnRed = true;
    p.ModoRed = 2;
    p.PartidaIniciada = true;
    mesa.PulsaBoton(3);
    mesa.PulsaBoton(0);
    EXPECT_EQ(titulos, (std::vector<std::string>{"Partida en red", "Partida en red"}));
    EXPECT_EQ(textos[0], "Cuando se juega una partida en red no puede utilizar el  Tutor de Juego  ninguno de "
                         "los jugadores.");
    EXPECT_NE(textos[1].find("en modo Cliente  no  se  puede  comenzar"), std::string::npos);
}

// The window fits the screen it was measured for; the counting panel and
// the dice list push the move list down, never over it.
TEST_F(Ordenes, LaColumnaCabeYNoTapaLaLista) {
    EsperaTirada();
    mesa.EligeOpcion(OpcionDados);
    p.EsperandoFicha = true;
    p.NumFichasMovibles = 2;
    p.NumValoresDesglose = 2;
    PanelCuenta panel;
    panel.Visible = true;
    panel.Filas = 3;
    for (auto [ancho, alto] : {std::pair{800, 575}, {1024, 740}, {1366, 740}, {1920, 1050}}) {
        mesa.Prepara(ancho, alto);
        mesa.MuestraPanel(panel);
        EXPECT_LE(mesa.width(), ancho);
        const QRect lista = mesa.Lista()->geometry();
        for (const char* nombre : {"Pic_Desglosar", "Lis_Dados", "Pic_Botonera"}) {
            const QWidget* w = mesa.findChild<QWidget*>(QString::fromUtf8(nombre));
            ASSERT_TRUE(w && w->isVisible()) << nombre;
            EXPECT_FALSE(w->geometry().intersects(lista)) << nombre << " " << ancho;
        }
        EXPECT_GE(lista.height(), 40);
        EXPECT_LE(lista.bottom(), mesa.height());
    }
    // A computer seat's turn shows no panel.
    p.Control[4] = 2;
    mesa.MuestraPanel(panel);
    EXPECT_FALSE(mesa.findChild<QWidget*>(QStringLiteral("Pic_Desglosar"))->isVisible());
}

// Seat 4 is the person; every throw waits; a key does everything.
TEST_F(Ordenes, UnaPartidaEnteraConElTecladoSolo) {
    pararTrasSorteo = false;
    int teclasFicha = 0;
    QTimer mano;
    mano.setInterval(1);
    QObject::connect(&mano, &QTimer::timeout, [&] {
        if (!p.EsperandoTirada && !(p.EsperandoFicha && p.Turno == 4)) return;
        teclasFicha += p.EsperandoFicha;
        QTest::keyClick(&mesa, Qt::Key_Space);
    });
    mano.start();
    bool agotado = false;
    QTimer::singleShot(120000, [&] {
        agotado = true;
        p.PartidaIniciada = false;
    });
    QTest::keyClick(&mesa, Qt::Key_N);
    mano.stop();
    ASSERT_FALSE(agotado);
    EXPECT_GT(teclasFicha, 0);
    EXPECT_NE(std::find(titulos.begin(), titulos.end(), "Final de la Partida"), titulos.end());
}

}  // namespace
}  // namespace parchis
