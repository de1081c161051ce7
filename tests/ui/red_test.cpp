// The desktop's side of network play: the chat window, the request and
// turn panels, the ports shown, the status bar after leaving.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>

#include <cstdlib>

#include "con_mesa.h"
#include "core/estado.h"
#include "flow/arranque.h"
#include "net/puertos.h"
#include "ui/board/medidas.h"
#include "ui/board/tablero.h"
#include "ui/common/controles.h"
#include "ui/mainwindow/ordenes.h"
#include "ui/mainwindow/paneles_red.h"
#include "ui/windows/ajustes_jugadores.h"
#include "ui/windows/chat.h"

namespace parchis {
namespace {

class Chat : public prueba::ConMesa {
protected:
    MensajesRed mensajes;
    std::vector<std::string> enviados;
    ChatRed chat{&mesa, {}, mensajes, [this](const std::string& t) { enviados.push_back(t); }};
};

// The send button follows every key typed (none: a backspace); Return
// sends the text as typed.  Arrivals show in order, the newest in view, in
// the window open; a window closed opens again with the whole list.
TEST_F(Chat, SendsWhatIsTypedAndShowsEveryMessageInOrder) {
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

using PanelesRed = prueba::ConMesa;

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
