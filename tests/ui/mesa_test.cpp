// The main window with the game flow behind it: a click on a movable piece
// plays it, the pointer over pieces, the keyboard's "go", leaving the
// program, and a whole game between computer seats.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

#include "common/posicion.h"
#include "core/configuracion.h"
#include "core/estado.h"
#include "rules/tablero.h"
#include "ui/board/raton.h"
#include "ui/mainwindow/escritorio.h"
#include "ui/mainwindow/mesa.h"
#include "ui/common/pausa.h"
#include "ui/mainwindow/ordenes.h"

namespace parchis {
namespace {

class Ventana : public testing::Test {
protected:
    Ventana() {
        AplicaValoresPorDefecto(p);
        p.Carpeta = carpeta.path().toStdString() + "/";
        p.Sonido = false;
        p.Velocidad = 100;
        p.NumFichas = 4;
        CuentaJugadores(p);
        ReiniciaTablero(p);
        mesa.PonInterfaz(&ui);
        ui.FijaSemilla(7);
        mesa.PonContestador([this](const std::string& titulo, const std::string&, int) {
            titulos.push_back(titulo);
            return respuesta;
        });
        mesa.Prepara(800, 600);
    }

    QPoint Centro(int s) {
        const Punto c = CentroCasilla(mesa.Lienzo().Me(), p.NumFichas, s, 0, 0, 0);
        return {c.x, c.y};
    }
    // The person at seat 4 must choose a piece to count 3.
    void EsperaPersona() {
        p.PartidaIniciada = true;
        p.Turno = 4;
        p.EsperandoFicha = true;
        p.ValorCuenta = 3;
        p.ValoresCuenta[0] = 3;
        p.TipoJugada = 0;
        prueba::Pon(p, 4, 1, 10);
        prueba::Pon(p, 4, 2, 20);
        prueba::Pon(p, 1, 1, 40);
        p.FichaMovible[1] = true;
    }
    // The move the flow was handed to play.
    EleccionJugada Hecha() const {
        return {p.FichaJugada, p.ValorCuenta, p.IndiceValor, p.CasillaOrigen, p.CasillaFinal, p.TipoJugada};
    }

    QTemporaryDir carpeta;
    Partida p;
    Mesa mesa{p};
    Escritorio ui{mesa};
    std::vector<std::string> titulos;
    int respuesta = Aceptar;
};

TEST_F(Ventana, ClicEnFichaMovibleHaceLaJugada) {
    EsperaPersona();
    mesa.show();
    QTest::mouseClick(&mesa, Qt::LeftButton, {}, Centro(20));   // cannot move
    QTest::mouseClick(&mesa, Qt::LeftButton, {}, Centro(40));   // another seat's
    EXPECT_TRUE(p.EsperandoFicha);
    p.ValorCuenta = 0;
    QTest::mouseClick(&mesa, Qt::LeftButton, {}, Centro(10));   // no value to count
    EXPECT_TRUE(p.EsperandoFicha);
    p.ValorCuenta = 3;
    QTest::mouseClick(&mesa, Qt::LeftButton, {}, Centro(10));
    EXPECT_FALSE(p.EsperandoFicha);
    EXPECT_EQ(Hecha(), (EleccionJugada{1, 3, 0, 10, 13, 3}));
}


TEST_F(Ventana, PunteroSobreLasFichas) {
    EsperaPersona();
    mesa.show();
    const struct {
        int casilla, cursor;
    } casos[] = {{10, 22}, {20, 23}, {40, 28}, {60, 28}, {10, 22}};
    for (const auto& c : casos) {
        QTest::mouseMove(&mesa, Centro(c.casilla));
        EXPECT_EQ(mesa.Puntero(), c.cursor) << c.casilla;
    }
}

TEST_F(Ventana, ClicOTeclaSeguirTiraLosDados) {
    p.PartidaIniciada = true;
    p.Turno = 4;
    mesa.show();
    const struct {
        const char* nombre;
        std::function<void()> accion;
        bool tira;
    } casos[] = {
        {"clic derecho", [&] { QTest::mouseClick(&mesa, Qt::RightButton, {}, Centro(30)); }, false},
        {"Esc", [&] { QTest::keyClick(&mesa, Qt::Key_Escape); }, false},
        {"Q", [&] { QTest::keyClick(&mesa, Qt::Key_Q); }, false},
        {"Ctrl+C", [&] { QTest::keyClick(&mesa, Qt::Key_C, Qt::ControlModifier); }, false},
        {"clic izquierdo", [&] { QTest::mouseClick(&mesa, Qt::LeftButton, {}, Centro(30)); }, true},
        {"A", [&] { QTest::keyClick(&mesa, Qt::Key_A); }, true},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        p.EsperandoTirada = true;
        c.accion();
        EXPECT_EQ(p.EsperandoTirada, !c.tira);
    }
    // While a piece is awaited the same key plays the suggested move.
    p.EsperandoTirada = false;
    p.EsperandoFicha = true;
    p.JugadaElegida = {2, 5, 1, 12, 17, 4};
    QTest::keyClick(&mesa, Qt::Key_Space);
    EXPECT_FALSE(p.EsperandoFicha);
    EXPECT_EQ(Hecha(), p.JugadaElegida);
}

TEST_F(Ventana, SalirPreguntaYPospone) {
    EsperaPersona();
    respuesta = Cancelar;
    OrdenSalir(mesa, ui);
    EXPECT_EQ(titulos, (std::vector<std::string>{"Posponer la partida en juego"}));
    EXPECT_FALSE(mesa.Saliendo());
    EXPECT_FALSE(QFile::exists(carpeta.filePath(QStringLiteral("ZRVEL34.INI"))));
    respuesta = Aceptar;
    OrdenSalir(mesa, ui);
    EXPECT_TRUE(mesa.Saliendo());
    Partida leida;
    CargarEstado(leida, std::string(p.Carpeta) + "ZRVEL34.INI");
    EXPECT_TRUE(leida.CargaCorrecta);
    EXPECT_TRUE(leida.PartidaIniciada);
    EXPECT_EQ(leida.Fichas[4][1], 10);
    QCoreApplication::processEvents();   // the quit is for the program's own loop
}

TEST_F(Ventana, CerrarEnMitadDeUnaPausaEsperaASuFinal) {
    EsperaPersona();
    respuesta = Cancelar;
    mesa.show();
    std::size_t preguntasDurante = 99;
    QTimer::singleShot(0, &mesa, [&] { mesa.close(); });
    QTimer::singleShot(60, &mesa, [&] { preguntasDurante = titulos.size(); });
    EsperaSinEntrada(120);
    EXPECT_EQ(preguntasDurante, 0u);
    QElapsedTimer reloj;
    reloj.start();
    while (titulos.empty() && reloj.elapsed() < 3000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(titulos, (std::vector<std::string>{"Posponer la partida en juego"}));
    EXPECT_FALSE(mesa.Saliendo());
}

TEST_F(Ventana, PartidaEntreOrdenadoresHastaElFinal) {
    for (int j = 1; j <= 4; ++j) p.Control[j] = 2;
    p.PausaEntreJugadas = false;
    bool agotado = false;
    QTimer::singleShot(120000, [&] {
        agotado = true;
        p.PartidaIniciada = false;
    });
    QElapsedTimer reloj;
    reloj.start();
    OrdenNuevaPartida(mesa, ui);
    ASSERT_FALSE(agotado) << "la partida no terminó a tiempo";
    int ganadores = 0;
    for (int j = 1; j <= 4; ++j) ganadores += p.EnCasa[j] == p.NumFichas;
    EXPECT_EQ(ganadores, 1);
    EXPECT_EQ(titulos.front(), "Comienza la Partida");
    EXPECT_NE(std::find(titulos.begin(), titulos.end(), "Final de la Partida"), titulos.end());
    EXPECT_FALSE(p.PartidaIniciada);
    EXPECT_GT(mesa.Lista()->count(), 60);
    EXPECT_TRUE(QFile::exists(carpeta.filePath(QStringLiteral("ZRVEL34.HIS"))));
    std::printf("partida completa en %lld ms, %d líneas\n", static_cast<long long>(reloj.elapsed()),
                mesa.Lista()->count());
}

// The default set-up: seat 4 is the person, every throw waits for a click.
// A scripted hand clicks the board to throw and clicks the first movable
// piece of seat 4 where it is drawn, through the window's own mouse path.
TEST_F(Ventana, UnaPersonaJuegaUnaPartidaEnteraConElRaton) {
    ASSERT_EQ(p.Control[4], 1);
    ASSERT_TRUE(p.PausaEntreJugadas);
    mesa.show();
    int clicsFicha = 0;
    QTimer mano;
    mano.setInterval(2);
    QObject::connect(&mano, &QTimer::timeout, [&] {
        if (p.EsperandoTirada) {
            QTest::mouseClick(&mesa, Qt::LeftButton, {}, Centro(30));
            return;
        }
        if (!p.EsperandoFicha || p.Turno != 4) return;
        for (int k = 1; k <= p.NumFichas; ++k) {
            if (!p.FichaMovible[k]) continue;
            const Rectangulo r = ZonaFicha(mesa.Lienzo().Me(), p, 4, k);
            QTest::mouseClick(&mesa, Qt::LeftButton, {}, QPoint(r.x + r.ancho / 2, r.y + r.alto / 2));
            ++clicsFicha;
            return;
        }
    });
    mano.start();
    bool agotado = false;
    QTimer::singleShot(180000, [&] {
        agotado = true;
        p.PartidaIniciada = false;
    });
    OrdenNuevaPartida(mesa, ui);
    mano.stop();
    ASSERT_FALSE(agotado) << "la partida no terminó a tiempo";
    int ganadores = 0;
    for (int j = 1; j <= 4; ++j) ganadores += p.EnCasa[j] == p.NumFichas;
    EXPECT_EQ(ganadores, 1);
    EXPECT_GT(clicsFicha, 0) << "the person chose pieces with the mouse";
    EXPECT_NE(std::find(titulos.begin(), titulos.end(), "Final de la Partida"), titulos.end());
}

}  // namespace
}  // namespace parchis
