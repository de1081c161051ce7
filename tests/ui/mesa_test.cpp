// The main window with the game flow behind it, driven by mouse and keys;
// and its side of network play: the chat window, the request and turn
// panels, the ports shown, the status bar after leaving.
#include <gtest/gtest.h>

#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>
#include <array>
#include <csignal>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "common/posicion.h"
#include "con_mesa.h"
#include "core/estado.h"
#include "core/narracion_texto.h"
#include "flow/arranque.h"
#include "flow/sorteo.h"
#include "net/puertos.h"
#include "rules/tablero.h"
#include "ui/board/medidas.h"
#include "ui/board/raton.h"
#include "ui/board/tablero.h"
#include "ui/common/controles.h"
#include "ui/common/estilo.h"
#include "ui/common/pausa.h"
#include "ui/common/senales.h"
#include "ui/mainwindow/dados_manuales.h"
#include "ui/mainwindow/grabadora.h"
#include "ui/mainwindow/ordenes.h"
#include "ui/mainwindow/panel_cuenta.h"
#include "ui/mainwindow/paneles_red.h"
#include "ui/mainwindow/selector.h"
#include "ui/windows/ajustes_jugadores.h"
#include "ui/windows/chat.h"

namespace parchis {
namespace {

class Ventana : public prueba::ConMesa {
protected:
    Ventana() { ui.FijaSemilla(7); }
    int Contesta(const std::string& titulo, int) override {
        // Once the draw has named who starts, a test may have seen enough.
        if (titulo == TituloSorteo && pararTrasSorteo) p.PartidaIniciada = false;
        return respuesta;
    }

    QPoint Centro(int s) {
        const Punto c = CentroCasilla(mesa.Lienzo().Me(), p.NumFichas, s, 0, 0, 0);
        return {c.x, c.y};
    }
    // Seat 4's throw is awaited on screen, and the selector's `opcion` is chosen.
    void EligeAlTirar(int opcion) {
        mesa.show();
        p.PartidaIniciada = p.EsperandoTirada = true;
        p.Turno = 4;
        p.NumJugada = 1;
        mesa.EligeOpcion(opcion);
    }

    // Carmen's piece has left its box with a 5: one move recorded.
    void SaleCarmen() {
        prueba::Pon(p, 1, 1, CasillaSalida[1]);
        p.NumJugada = 1;
        prueba::Anota(p, Jugada{1, 0, 5, 0, 5, 3, 1, 0, 0, CasillaSalida[1], 0, 1, 3});
        p.ListaJugadas = {PrincipioPartida};
        NarraJugada(p, 1);
    }

    bool pararTrasSorteo = false;
};

// Without a game under way a letter starts one, and Esc or Q do not.
TEST_F(Ventana, ClicOTeclaSeguirTiraLosDadosOEmpiezaUnaPartida) {
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
    p.PartidaIniciada = false;
    pararTrasSorteo = true;
    for (auto [tecla, empieza] : {std::pair{Qt::Key_Escape, false}, {Qt::Key_Q, false}, {Qt::Key_A, true}}) {
        titulos.clear();
        QTest::keyClick(&mesa, tecla);
        EXPECT_EQ(!titulos.empty() && titulos.front() == TituloComienza, empieza) << tecla;
    }
}

// Closing the window in the middle of a pause asks once the pause is over;
// Cancelar stays, Aceptar to the command postpones the game and leaves.
TEST_F(Ventana, CerrarEnMitadDeUnaPausaEsperaASuFinalYSalirPospone) {
    // The person at seat 4 must choose a piece to count 3.
    p.PartidaIniciada = p.EsperandoFicha = p.FichaMovible[1] = true;
    p.Turno = 4;
    p.ValorCuenta = p.ValoresCuenta[0] = 3;
    p.TipoJugada = 0;
    for (auto [j, k, s] : {std::array{4, 1, 10}, {4, 2, 20}, {1, 1, 40}}) prueba::Pon(p, j, k, s);
    respuesta = Cancelar;
    mesa.show();
    std::size_t preguntasDurante = 99;
    QTimer::singleShot(0, &mesa, [&] { mesa.close(); });
    QTimer::singleShot(60, &mesa, [&] { preguntasDurante = titulos.size(); });
    EsperaSinEntrada(120);
    EXPECT_EQ(preguntasDurante, 0u);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !titulos.empty(); }, 3000));
    EXPECT_EQ(titulos, (std::vector<std::string>{"Posponer la partida en juego"}));
    EXPECT_FALSE(mesa.Saliendo());
    respuesta = Aceptar;
    OrdenSalir(mesa, ui);
    EXPECT_EQ(titulos, (std::vector<std::string>(2, "Posponer la partida en juego")));
    EXPECT_TRUE(mesa.Saliendo());
    QCoreApplication::processEvents();   // the quit is for the program's own loop
}

// The selector opens while a throw is awaited or no game is under way, as
// "Histórico" is available; a click while the computer plays (never a
// throw awaited with no pause between moves) opens it at the next throw.
TEST_F(Ventana, ElSelectorSeAbreSoloCuandoTocaYOfreceSusEntradas) {
    VentanasMesa v;
    v.Historico = [] {};
    mesa.PonVentanas(v);
    mesa.show();
    const int lado = mesa.Lienzo().Me().LadoLienzo;
    const struct {
        bool partida, tirada, red;
        QPoint punto;
        int entradas;   // 0: it does not open
        QPoint esquina;
        bool luego;     // at the next throw
    } casos[] = {
        {false, false, false, {100, 100}, 2, {100, 100}, false},
        {true, true, false, {100, 100}, 5, {100, 100}, false},
        {true, false, false, {100, 100}, 5, {100, 100}, true},   // the computer is playing
        {true, true, true, {100, 100}, 0, {}, false},            // network game
        {true, true, false, {lado - 10, lado - 10}, 5, {lado - 10 - AnchoSelector, lado - 10 - 5 * 18 - 8}, false},
    };
    for (const auto& c : casos) {
        p.PartidaIniciada = c.partida;
        p.EsperandoTirada = c.tirada;
        p.JugarEnRed = c.red;
        EXPECT_EQ(mesa.BotonDisponible(5), !c.partida || c.tirada);
        QTest::mouseClick(&mesa, Qt::RightButton, {}, c.punto);
        SelectorOpciones* s = mesa.Selector();
        ASSERT_EQ(s->isVisible(), c.entradas > 0 && !c.luego) << c.partida << c.tirada << c.red;
        ASSERT_EQ(ui.OpcionesPedidas(), c.luego);   // what the engine asks at each throw
        p.EsperandoTirada = true;
        QCoreApplication::processEvents();
        if (!c.entradas) continue;
        EXPECT_EQ(s->geometry(), QRect(c.esquina, QSize(AnchoSelector, 8 + 18 * c.entradas)));
        EXPECT_EQ(s->OpcionEn({10, 4 + 18 * 2 + 1}), c.partida ? OpcionBorrar : 0);
        QTest::mouseClick(&mesa, Qt::LeftButton, {}, {5, 5});   // a click elsewhere closes it
        EXPECT_FALSE(s->isVisible());
    }
}

// A window closed by the keyboard leaves the pointer it showed over the
// board; the board's own comes back once the board takes input again.
TEST_F(Ventana, ElPunteroVuelveAlDelTableroAlCerrarseUnaVentana) {
    mesa.show();
    QTest::mouseMove(&mesa, Centro(30));
    const Qt::CursorShape propio = mesa.cursor().shape();
    mesa.setCursor(Qt::IBeamCursor);
    QCursor::setPos(mesa.mapToGlobal(Centro(30)));
    QEvent desbloqueo(QEvent::WindowUnblocked);
    QCoreApplication::sendEvent(&mesa, &desbloqueo);
    QCoreApplication::processEvents();
    EXPECT_EQ(mesa.cursor().shape(), propio);
}

TEST_F(Ventana, DadosElegidosAMano) {
    EligeAlTirar(OpcionDados);
    ListaDados* lista = mesa.Dados();
    ASSERT_TRUE(lista->isVisible());
    QTest::mouseClick(lista, Qt::LeftButton, {}, lista->RectanguloLinea(9).center());
    EXPECT_TRUE(p.EsperandoTirada) << "one die: the second group completes nothing";
    QTest::mouseClick(lista, Qt::LeftButton, {}, lista->RectanguloLinea(4).center());
    EXPECT_FALSE(p.EsperandoTirada);
    int d1 = 0, d2 = 0;
    EXPECT_TRUE(ui.DadosElegidos(d1, d2));
    EXPECT_EQ(std::pair(d1, d2), std::pair(5, 0));
    EXPECT_FALSE(lista->isVisible());
    EleccionDados dos;   // two dice: one line of each group, the later one in a group counts
    EXPECT_FALSE(dos.Elige(3, 2));
    EXPECT_TRUE(dos.Elige(11, 2) && dos.Elige(7, 2));
    EXPECT_EQ(std::pair(dos.Dado1(), dos.Dado2()), std::pair(4, 2));
    // A key closes an open list and throws at random.
    p.EsperandoTirada = true;
    mesa.EligeOpcion(OpcionDados);
    QTest::keyClick(&mesa, Qt::Key_Space);
    EXPECT_FALSE(lista->isVisible());
    EXPECT_FALSE(p.EsperandoTirada);
}

TEST_F(Ventana, ArrastrarUnaFichaAnotaUnaJugadaManual) {
    EligeAlTirar(OpcionManual);
    ASSERT_TRUE(mesa.Raton().ModoManual);
    const Rectangulo caja = ZonaFicha(mesa.Lienzo().Me(), p, 2, 1);   // seat 2's box
    for (QPoint hasta : {QPoint(-40, 30), Centro(55)}) {   // outside the window it comes back
        QTest::mousePress(&mesa, Qt::LeftButton, {}, QPoint(caja.x + caja.ancho / 2, caja.y + caja.alto / 2));
        EXPECT_TRUE(mesa.Raton().Arrastrando);
        QTest::mouseRelease(&mesa, Qt::LeftButton, {}, hasta);
    }
    EXPECT_EQ(p.NumJugada, 2);
    const Jugada& e = p.Jugadas[1];
    EXPECT_EQ((std::vector<int>{e.TipoJugada, e.Autor, e.CasillaOrigen, e.CasillaFinal, p.Turno}),
              (std::vector<int>{7, 2, 0, 55, 4}));
    EXPECT_TRUE(mesa.Raton().ModoManual);
    QTest::keyClick(&mesa, Qt::Key_A);   // leaves the manual mode and throws
    EXPECT_FALSE(mesa.Raton().ModoManual);
    EXPECT_FALSE(p.EsperandoTirada);
}

TEST_F(Ventana, BotonesRechazosYVentanas) {
    std::vector<int> abiertas;
    VentanasMesa v;
    v.Jugadores = [&] { abiertas.push_back(1); };
    mesa.PonVentanas(v);
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
    EXPECT_NE(textos[0], textos[1]);
}

// The Tutor button's hand is on the board while it blinks, at the highest
// speed too (where the automatic tutor's is not waited for).
TEST_F(Ventana, LaManoDelTutorSeVeATodaVelocidad) {
    prueba::Pon(p, 4, 1, CasillaSalida[4]);
    p.PartidaIniciada = p.EsperandoFicha = true;
    p.Turno = 4;
    p.JugadaElegida.Ficha = 1;
    mesa.show();
    mesa.Lienzo().RedibujaMesa(p, QString());
    p.Velocidad = 100;
    const QImage antes = mesa.Lienzo().Superficie().toImage();
    bool vista = false;
    QTimer::singleShot(150, &mesa, [&] { vista = mesa.Lienzo().Superficie().toImage() != antes; });
    mesa.PulsaBoton(3);
    QTest::qWait(200);
    EXPECT_TRUE(vista);
    EXPECT_EQ(mesa.Lienzo().Superficie().toImage(), antes);
}

// The board drawn again while a person here chooses a piece (a name, the
// colours or the look changed in the player settings) keeps the throw's
// dice and the prompt in the status bar.
TEST_F(Ventana, RedibujarAlElegirFichaConservaDadosEIndicacion) {
    p.NumDados = 2;
    prueba::Pon(p, 4, 1, CasillaSalida[4]);
    prueba::Pon(p, 4, 2, CasillaSalida[4] + 3);
    p.PartidaIniciada = p.EsperandoFicha = true;
    p.Turno = 4;
    p.Dado1 = 4;
    p.Dado2 = 5;
    p.NumFichasMovibles = 2;
    p.TextoTurno = "Luis lanza los dados";
    p.Indicacion = "Elija ficha para contar 9";
    mesa.show();
    Tablero& t = mesa.Lienzo();
    const std::function<void()> redibujos[] = {[&] { ui.PresentaPartida(); },
                                               [&] { EligeAspecto(p.Carpeta, Aspecto::Moderno); }};
    for (const auto& redibuja : redibujos) {
        t.RedibujaMesa(p, QString::fromStdString(p.Indicacion));
        t.DibujaDados(4, 2, 4, 5);
        redibuja();
        const QImage despues = t.Superficie().toImage();
        // What the throw looks like, in the look now on the board.
        t.RedibujaMesa(p, QString::fromStdString(p.Indicacion));
        t.DibujaDados(4, 2, 4, 5);
        const QImage esperada = t.Superficie().toImage();
        for (const Rectangulo r : {RectanguloDados(t.Me(), 2, 4), RectanguloBarra(t.Me())}) {
            const QRect zona = Tablero::Caja(r);
            EXPECT_EQ(despues.copy(zona), esperada.copy(zona)) << zona.x() << "," << zona.y();
        }
    }
    EligeAspecto(p.Carpeta, Aspecto::Clasico);
}

// The window fits the screen it was measured for; the counting panel and
// the dice list push the move list down, never over it.
TEST_F(Ventana, LaColumnaCabeYNoTapaLaLista) {
    EligeAlTirar(OpcionDados);
    p.EsperandoFicha = true;
    p.NumFichasMovibles = p.NumValoresDesglose = 2;
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
    p.Control[4] = 2;   // a computer seat's turn shows no panel
    mesa.MuestraPanel(panel);
    EXPECT_FALSE(mesa.findChild<QWidget*>(QStringLiteral("Pic_Desglosar"))->isVisible());
}

// The remote's power button and a step back, clicked on the remote: the
// board takes no clicks while it is on, and the list follows the step
// until the remote goes off.
TEST_F(Ventana, ElMandoSeEnciendeYRetrocede) {
    SaleCarmen();
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
    // Off again, the present is on the board and no line is marked.
    pulsa(MandoPotencia);
    EXPECT_EQ(p.Fichas[1][1], CasillaSalida[1]);
    EXPECT_TRUE(mesa.Lista()->selectedItems().isEmpty());
}

// Told to stop from outside (SIGTERM) with the remote stepped back and a
// window open, seat 2's throw awaited: nobody is asked anything, the window
// ends, and the game is postponed at the present, not at the step the
// remote showed.
TEST_F(Ventana, UnaSenalDeTerminarPosponeLaPartidaSinPreguntar) {
    SaleCarmen();
    p.PartidaIniciada = p.EsperandoTirada = p.TiradaNueva = true;
    p.Turno = 2;
    mesa.ActualizaLista();
    mesa.show();
    mesa.PulsaMando(MandoPotencia);
    mesa.PulsaMando(MandoAtras);
    ASSERT_EQ(p.Fichas[1][1], 0);
    AvisaAlTerminar(&mesa, [&] { mesa.Termina(); });
    QDialog abierta(&mesa);
    bool seguiaAbierta = false;   // a window left open would hold the exit for ever
    QTimer::singleShot(0, &mesa, [&] { abierta.exec(); });
    QTimer::singleShot(20, &mesa, [] { std::raise(SIGTERM); });
    QTimer::singleShot(2000, &abierta, [&] { seguiaAbierta = abierta.isVisible(), abierta.reject(); });
    EXPECT_TRUE(QTest::qWaitFor([&] { return mesa.Saliendo(); }, 3000));
    for (int s : {SIGTERM, SIGHUP, SIGINT}) std::signal(s, SIG_DFL);
    EXPECT_FALSE(seguiaAbierta);
    EXPECT_TRUE(titulos.empty());
    Partida guardada;
    guardada.Carpeta = p.Carpeta;
    LeerConfiguracion(guardada);
    EXPECT_TRUE(guardada.PartidaIniciada);
    EXPECT_EQ(guardada.Fichas[1][1], CasillaSalida[1]);
    QCoreApplication::processEvents();   // the quit is for the program's own loop
}

// Whole games: between computer seats; and with seat 4 a person whose every
// throw waits, played by a scripted hand with the mouse (a click on the
// board, a click on the first movable piece where it is drawn) or with the
// keyboard alone.
TEST_F(Ventana, PartidasEnteras) {
    enum Mano { Ordenadores, Raton, Teclado };
    for (Mano forma : {Ordenadores, Raton, Teclado}) {
        SCOPED_TRACE(forma);
        ReiniciaTablero(p);
        titulos.clear();
        p.PausaEntreJugadas = forma != Ordenadores;
        for (int j = 1; j <= 4; ++j) p.Control[j] = j == 4 && forma != Ordenadores ? 1 : 2;
        mesa.show();
        int elecciones = 0;
        QTimer mano;
        mano.setInterval(1);
        QObject::connect(&mano, &QTimer::timeout, [&] {
            const bool elige = p.EsperandoFicha && p.Turno == 4;
            if (!p.EsperandoTirada && !elige) return;
            elecciones += elige;
            if (forma == Teclado) return QTest::keyClick(&mesa, Qt::Key_Space);
            QPoint punto = Centro(30);
            for (int k = p.NumFichas; elige && k >= 1; --k) {
                const Rectangulo r = ZonaFicha(mesa.Lienzo().Me(), p, 4, k);
                if (p.FichaMovible[k]) punto = QPoint(r.x + r.ancho / 2, r.y + r.alto / 2);
            }
            QTest::mouseClick(&mesa, Qt::LeftButton, {}, punto);
        });
        mano.start();
        bool agotado = false;
        QTimer::singleShot(120000, [&] {
            agotado = true;
            p.PartidaIniciada = false;
        });
        OrdenNuevaPartida(mesa, ui);
        mano.stop();
        ASSERT_FALSE(agotado) << "la partida no terminó a tiempo";
        int ganadores = 0;
        for (int j = 1; j <= 4; ++j) ganadores += p.EnCasa[j] == p.NumFichas;
        EXPECT_EQ(ganadores, 1);
        EXPECT_EQ(elecciones > 0, forma != Ordenadores);
        EXPECT_NE(std::find(titulos.begin(), titulos.end(), "Final de la Partida"), titulos.end());
        EXPECT_FALSE(p.PartidaIniciada);
        EXPECT_GT(mesa.Lista()->count(), 60);
        EXPECT_TRUE(QFile::exists(carpeta.filePath(QStringLiteral("ZRVEL34.HIS"))));
    }
}

using PanelesRed = prueba::ConMesa;

// The send button follows every key typed (none: a backspace); Return
// sends the text as typed.  Arrivals show in order, the newest in view, in
// the window open; a window closed opens again with the whole list.
TEST_F(PanelesRed, TheChatSendsWhatIsTypedAndShowsEveryMessageInOrder) {
    MensajesRed mensajes;
    std::vector<std::string> enviados;
    ChatRed chat{&mesa, {}, mensajes, [&](const std::string& t) { enviados.push_back(t); }};
    mensajes.Anade(RegistroChat("Ana", "09:05", "Hola"));
    chat.Abre();
    VentanaChat& v = *chat.Ventana();
    EXPECT_FALSE(v.Enviar()->Activo());
    const std::vector<std::pair<QString, bool>> pasos = {
        {"   ", false}, {"a", true}, {"", false}, {"a ", true}};
    for (const auto& [teclas, activo] : pasos) {
        if (teclas.isEmpty())
            QTest::keyClick(v.Entrada(), Qt::Key_Backspace);
        else
            QTest::keyClicks(v.Entrada(), teclas);
        EXPECT_EQ(v.Enviar()->Activo(), activo) << v.Entrada()->text().toStdString();
    }
    QTest::keyClick(v.Entrada(), Qt::Key_Return);
    EXPECT_EQ(enviados, std::vector<std::string>{"   a "});
    EXPECT_TRUE(v.Entrada()->text().isEmpty());
    EXPECT_FALSE(v.Enviar()->Activo());
    QTest::keyClicks(v.Entrada(), QString(250, QLatin1Char('x')));
    EXPECT_EQ(v.Entrada()->text().size(), 200);

    mensajes.Anade(RegistroChat("Bernardino", "10:30", "¿Empezamos?"));
    chat.Abre();   // an arrival while the window is open
    ASSERT_EQ(chat.Ventana(), &v);
    EXPECT_EQ(v.Recibidos()->toPlainText().toStdString(),
              "<<< Mensaje de Ana a las 09:05 horas. >>>\nHola\n\n"
              "<<< Mensaje de Bernardin a las 10:30 horas. >>>\n¿Empezamos?\n\n");
    EXPECT_TRUE(v.Recibidos()->textCursor().atEnd());
    v.Sal();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    chat.Abre();
    ASSERT_NE(chat.Ventana(), nullptr);
    EXPECT_TRUE(chat.Ventana()->isVisible());
    EXPECT_NE(chat.Ventana()->Recibidos()->toPlainText().indexOf("Bernardin"), -1);
    // Outside network play the window says where messages go and sends nothing.
    chat.PonEnRed([] { return false; });
    chat.Abre();
    VentanaChat& fuera = *chat.Ventana();
    EXPECT_TRUE(fuera.Aviso()->isVisibleTo(&fuera));
    fuera.Entrada()->setText(QStringLiteral("hola"));
    emit fuera.Entrada()->textEdited(fuera.Entrada()->text());
    fuera.Enviar()->Acciona();
    EXPECT_EQ(enviados.size(), 1u);
}

// The selector steps through the free seats and wraps; Sí answers the seat
// shown, No refuses whatever is shown.
TEST_F(PanelesRed, TheRequestPanelAnswersTheSeatShownOrARefusal) {
    p.JugarEnRed = true;
    const std::vector<std::string> opciones = {"Ana (Oeste)", "Luis (Norte)", "Eva (Este)"};
    struct Caso { int pasos; bool si; int respuesta; };
    for (const Caso c : {Caso{0, true, 0}, Caso{2, true, 2}, Caso{4, true, 1}, Caso{1, false, -1}}) {
        PanelPeticion* panel = mesa.Peticion();
        QTimer::singleShot(0, &mesa, [&] {
            for (int i = 0; i < c.pasos; ++i) panel->Puestos()->Acciona();
            (c.si ? panel->Si() : panel->No())->Acciona();
        });
        EXPECT_EQ(ui.PeticionConexion("Hay una petición", opciones), c.respuesta) << c.pasos;
        EXPECT_TRUE(panel->isHidden());
    }
}

TEST_F(PanelesRed, TheTurnDisplayCountsTheWaitUntilTheNetworkStops) {
    p.JugarEnRed = true;
    p.PartidaIniciada = true;
    mesa.DisponeVentana();
    EXPECT_FALSE(mesa.TurnoRed()->isHidden());
    for (const auto& [segundos, texto] : std::vector<std::pair<int, QString>>{
             {7, "0:07"}, {65, "1:05"}, {600, "10:00"}}) {
        ui.MuestraTurnoRed("  Ana ", segundos);
        EXPECT_EQ(mesa.TurnoRed()->Nombre(), "Ana");
        EXPECT_EQ(mesa.TurnoRed()->Tiempo(), texto);
    }
    // A remote seat waited for: no tutor.  Once the network stops nobody is
    // waited for, and the column is laid out as before.
    p.ModoRed = 2;
    p.Turno = 1;
    ui.MuestraTurnoRed("Ana", 3);
    EXPECT_FALSE(mesa.BotonDisponible(3));
    p.JugarEnRed = false;
    ui.ActualizaControles();
    EXPECT_TRUE(mesa.BotonDisponible(3));
    EXPECT_TRUE(mesa.TurnoRed()->isHidden());
}

// Only the administrator's remote seats carry a connection mark; the ports
// shown are the ones in use, shifted or not.
TEST_F(PanelesRed, ThePlayerSettingsShowConnectedSeatsAndThePortsInUse) {
    setenv(VariableDesplazamientoPuertos, "-100", 1);
    p.JugarEnRed = true;
    p.ModoRed = 1;
    p.Control = {0, 3, 3, 2, 1};
    VentanaJugadores v(&mesa, p, ui, [](int j) { return j == 1; });
    const std::vector<QString> marcas = {"Conectado", "Pendiente de conexión", "", ""};
    for (int j = 1; j <= 4; ++j) EXPECT_EQ(v.Cabecera(j)->text(), marcas[j - 1]) << j;
    QStringList rotulos;
    for (const QLabel* l : v.findChildren<QLabel*>()) rotulos << l->text();
    EXPECT_TRUE(rotulos.contains("Mi puerto..: 49824")) << rotulos.join("|").toStdString();
    p.ModoRed = 2;
    p.MiPuerto = 3;
    VentanaJugadores cliente(&mesa, p, ui, [](int) { return true; });
    EXPECT_TRUE(cliente.Cabecera(1)->text().isEmpty());
    EXPECT_EQ(cliente.findChild<Selector*>("Opcion35")->Valor(), "49823");
    unsetenv(VariableDesplazamientoPuertos);
}

// Restoring the situation before network play, which had no game, leaves
// no turn announced in the status bar.
TEST_F(PanelesRed, RestoringASituationWithoutAGameClearsTheTurnLine) {
    ASSERT_TRUE(GuardarEstado(p, FicheroAnterior));
    const QRect barra = Tablero::Caja(RectanguloBarra(mesa.Lienzo().Me()));
    const auto Barra = [&] { return mesa.Lienzo().Superficie().copy(barra).toImage(); };
    ui.MuestraMensaje("");
    const QImage vacia = Barra();
    p.TextoTurno = "Ana lanza el dado";
    ui.MuestraMensaje(p.TextoTurno);
    ASSERT_NE(Barra(), vacia);
    VentanasMesa ventanas;
    ventanas.Jugadores = [&] { p.PedirRestaurarAnterior = true; };
    mesa.PonVentanas(ventanas);
    OrdenVentana(mesa, ui, 1);
    EXPECT_EQ(p.TextoTurno, "");
    EXPECT_EQ(Barra(), vacia);
}

}  // namespace
}  // namespace parchis
