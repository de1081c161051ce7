// The settings, saved-games, history and statistics windows as a person
// uses them, and the services every window uses: the speed-scaled pause,
// the sounds, the help pages and the message dialog.
#include <gtest/gtest.h>

#include <QFile>
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <cmath>
#include <functional>
#include <vector>

#include "common/posicion.h"
#include "common/posicion_media.h"
#include "con_mesa.h"
#include "ui/board/pintura.h"
#include "ui/common/ayuda.h"
#include "ui/common/controles.h"
#include "ui/common/estilo.h"
#include "ui/common/mensaje.h"
#include "ui/common/pausa.h"
#include "ui/common/sonido.h"
#include "ui/windows/tablerito.h"
#include "ui/windows/ajustes_jugadores.h"
#include "ui/windows/estadisticas.h"
#include "ui/windows/historia.h"
#include "ui/windows/partidas_guardadas.h"
#include "ui/windows/reglas.h"

namespace parchis {
namespace {

class Ajustes : public prueba::ConMesa {
protected:
    Ajustes() {
        p.PartidaIniciada = true;
        p.NumJugada = 5;
    }
};

TEST_F(Ajustes, TwoDiceRewordTheRulesAndCancelUndoesThem) {
    VentanaReglas v(&mesa, p, ui);
    v.show();
    auto* seis = static_cast<Selector*>(v.Control(5));
    EXPECT_EQ(seis->toolTip(), "Si se obtiene un 6 y están todas las fichas en juego");
    EXPECT_TRUE(v.Control(8)->isHidden());
    v.Control(4)->setFocus();
    QTest::keyClick(v.Control(4), Qt::Key_Space);
    EXPECT_EQ(p.NumDados, 2);
    EXPECT_EQ(seis->toolTip(), "Si se obtiene un doble y están todas las fichas en juego");
    EXPECT_EQ(seis->Valor(), "Se añaden los valores opuestos");
    EXPECT_FALSE(v.Control(8)->isHidden());
    respuesta = Cancelar;
    v.Sal();
    EXPECT_EQ(titulos, std::vector<std::string>{"Número de dados"});
    EXPECT_EQ(p.NumDados, 1);
}

// The window stays open while only one player is left; once it can be
// played, a confirmed change asks for a new game.  What Cancelar leaves is
// the flow's test.
TEST_F(Ajustes, PlayerChangesThroughTheWindow) {
    VentanaJugadores v(&mesa, p, ui);
    v.show();
    QTest::mouseClick(v.Estado(1), Qt::LeftButton);
    EXPECT_EQ(v.Estado(1)->Valor(), "Desactivado");
    for (int j = 2; j <= 3; ++j) v.Estado(j)->Acciona();
    v.close();
    EXPECT_TRUE(v.isVisible());
    EXPECT_EQ(titulos, std::vector<std::string>{"Número de Jugadores"});
    v.Estado(3)->Acciona();
    v.Nombre(2)->Campo()->selectAll();
    QTest::keyClicks(v.Nombre(2)->Campo(), " ana  belEN");
    EXPECT_EQ(v.Nombre(2)->Campo()->text(), "Ana  Bele");
    v.Sal();
    EXPECT_FALSE(v.isVisible());
    EXPECT_EQ(titulos, (std::vector<std::string>{"Número de Jugadores", "Jugadores Activados"}));
    EXPECT_TRUE(p.PedirNuevaPartida);
    EXPECT_EQ(p.Estado, (std::array<Entero, 5>{0, 2, 2, 1, 1}));
    EXPECT_EQ(p.Nombres[2], "Ana  Bele");
}

TEST_F(Ajustes, SavedGamesByKeyboardAndList) {
    // A game with no move made yet: a loaded game must be one that can be played.
    p.NumJugada = 1;
    p.Turno = 1;
    {
        VentanaPartidas guardar(&mesa, p, ui, ModoPartidas::Guardar);
        guardar.show();
        EXPECT_FALSE(guardar.Boton()->Activo());
        guardar.Nombre()->insert(QStringLiteral("Señora"));
        EXPECT_TRUE(guardar.Boton()->Activo());
        QTest::keyClick(guardar.Nombre(), Qt::Key_Return);
        EXPECT_FALSE(guardar.isVisible());
    }
    p.Nombres[1] = "Otra";
    VentanaPartidas cargar(&mesa, p, ui, ModoPartidas::Cargar);
    cargar.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&cargar));
    ASSERT_EQ(cargar.Lista()->count(), 1);
    QListWidgetItem* item = cargar.Lista()->item(0);
    EXPECT_EQ(item->text(), "Señora");
    const QRect r = cargar.Lista()->visualItemRect(item);
    // A person's double-click: a click, then the second press.
    QTest::mouseClick(cargar.Lista()->viewport(), Qt::LeftButton, {}, r.center());
    EXPECT_TRUE(cargar.Boton()->Activo());
    QTest::mouseDClick(cargar.Lista()->viewport(), Qt::LeftButton, {}, r.center());
    EXPECT_FALSE(cargar.isVisible());
    EXPECT_EQ(p.Nombres[1], "Carmen");
    EXPECT_TRUE(p.PartidaCargada);
}

// The pages turn at the bottom corners and with keys, each turn with its
// sound; the window has the program's own buttons, as every other window.
TEST(VentanaHistorico, PaginasConRatonYTeclado) {
    std::vector<int> sonidos;
    VentanaHistorico v(nullptr, std::vector<RegistroHistorico>(20), [&](int n) { sonidos.push_back(n); },
                       [](QWidget*, int) {});
    EXPECT_TRUE(v.findChildren<QPushButton*>().isEmpty() && v.findChild<BotonPulsador*>("Pic_BotSalir"));
    v.show();
    CarpetaHistorico* c = v.Carpeta();
    const int ancho = c->width(), alto = c->height();
    auto pulsa = [c](int x, int y) { QTest::mouseClick(c, Qt::LeftButton, {}, QPoint(x, y)); };
    auto derecha = [&] { pulsa(ancho - 2, alto - 2); };
    auto izquierda = [&] { pulsa(2, alto - 2); };
    const struct { std::function<void()> accion; int primera; bool suena; } pasos[] = {
        {izquierda, 19, false},                                         // nothing newer
        {derecha, 11, true},
        {[&] { QTest::keyClick(c, Qt::Key_PageDown); }, 3, true},
        {derecha, 3, false},                                            // nothing older
        {[&] { QTest::keyClick(c, Qt::Key_Left); }, 11, true},
        {izquierda, 19, true},
        {[&] { pulsa(ancho / 2, alto - 2); }, 19, false},             // not a corner
    };
    for (const auto& paso : pasos) {
        const std::size_t antes = sonidos.size();
        paso.accion();
        EXPECT_EQ(c->PrimeraDePagina(), paso.primera);
        EXPECT_EQ(sonidos.size(), antes + (paso.suena ? 1 : 0));
    }
    EXPECT_EQ(sonidos, std::vector<int>(4, 10));
    QTest::keyClick(c, Qt::Key_Escape);
    EXPECT_FALSE(v.isVisible());
}

// The names on the small board read on every seat's colour, whatever the
// turn of the colours (a contrast of 4.5 or more).
TEST(Aspecto, NombresLegiblesEnCadaColor) {
    auto luz = [](const QColor& c) {
        auto canal = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * canal(c.redF()) + 0.7152 * canal(c.greenF()) + 0.0722 * canal(c.blueF()) + 0.05;
    };
    for (int giro = 0; giro < 4; ++giro)
        for (int j = 1; j <= 4; ++j) {
            const QColor fondo = ColoresSegunPuesto(giro)[j];
            const double a = luz(fondo), b = luz(ColorLetraSobre(fondo));
            EXPECT_GE(std::max(a, b) / std::min(a, b), 4.5) << fondo.name().toStdString();
        }
}

bool EnBlanco(VentanaEstadisticas& v) {
    const QImage imagen = v.findChild<QWidget*>(QStringLiteral("Texto"))->grab().toImage();
    QImage lleno(imagen.size(), imagen.format());
    lleno.fill(imagen.pixel(0, 0));
    return imagen == lleno;
}

TEST(VentanaEstadisticas, TurnoDadosYPosibilidadesDeUnaPartida) {
    const ServiciosControl s{[](int) {}, [](int) {}};
    Partida reglas = prueba::RegistroPorDefecto();
    reglas.Estado = {0, 1, 1, 1, 1};
    VentanaEstadisticas vacia(nullptr, s, reglas);
    EXPECT_TRUE(EnBlanco(vacia));
    EXPECT_EQ(vacia.AnalisisEnCurso(), nullptr);

    Partida p = prueba::PosicionMedia(reglas, 2, 60);
    ASSERT_TRUE(p.PartidaIniciada);
    VentanaEstadisticas v(nullptr, s, p);
    v.show();
    EXPECT_FALSE(EnBlanco(v));
    // No wider than the board at 800x600, and the turn page needs no
    // horizontal scrolling.
    EXPECT_LE(v.width(), 640);
    auto* turno = v.findChild<QWidget*>(QStringLiteral("Texto"));
    EXPECT_LE(turno->width(), v.width() - 40);
    // The dice table counts the log's throws.
    const CuentaDados todos = CuentaTiradas(p)[0];
    const QString tabla = v.findChild<QLabel*>(QStringLiteral("Tabla_Dados"))->text();
    EXPECT_TRUE(tabla.contains(QStringLiteral("<b>%1</b>").arg(todos.Tiradas + todos.TiradasDos)));
    // Figures arrive on the event loop; a new position starts a new analysis.
    EXPECT_TRUE(QTest::qWaitFor([&] { return v.AnalisisEnCurso()->Estimacion().Partidas > 0; }, 30000));
    p.Turno = static_cast<Entero>(p.Turno % 4 + 1);
    QTest::qWait(600);
    EXPECT_EQ(v.Arranques(), 2);
}

TEST(Pausa, FactorSegunLaVelocidad) {
    const std::pair<int, double> casos[] = {{0, 8.0}, {50, 1.0}, {75, 0.3536}, {100, 0.0},
                                            {25, 3.375}, {90, 0.0894}};
    for (auto [velocidad, factor] : casos) EXPECT_DOUBLE_EQ(FactorPausa(velocidad), factor) << velocidad;
}

TEST(Sonido, ModosYPreferencia) {
    std::vector<double> esperas;
    Sonidos s([&](double ms) { esperas.push_back(ms); });
    for (int n : Sonidos::Numeros) {
        EXPECT_GT(s.Duracion(n), 10) << n;
        EXPECT_LT(s.Duracion(n), 2000) << n;
    }
    EXPECT_EQ(s.Duracion(2), 0);
    s.Toca(true, 1, 5);               // at once
    EXPECT_TRUE(esperas.empty());
    EXPECT_EQ(s.UltimoSonido(), 5);
    s.Toca(true, 2, 14);              // to the end
    ASSERT_EQ(esperas.size(), 1u);
    EXPECT_DOUBLE_EQ(esperas[0], s.Duracion(14));
    s.Toca(false, 2, 11);             // the Sonido preference off: nothing at all
    s.Toca(true, 2, 3);               // no such sound
    EXPECT_EQ(esperas.size(), 1u);
    EXPECT_EQ(s.UltimoSonido(), 14);
}

TEST(Ayuda, UnaPaginaPorTemaYEnlacesValidos) {
    for (int tema : TemasAyuda()) {
        QFile f(PaginaAyuda(tema));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << tema;
        const QString texto = QString::fromUtf8(f.readAll());
        EXPECT_TRUE(texto.contains(QStringLiteral("<h1>"))) << tema;
        const QRegularExpression enlace(QStringLiteral("href=\"([^\"]+)\""));
        for (auto m = enlace.globalMatch(texto); m.hasNext();) {
            const QString destino = m.next().captured(1);
            EXPECT_TRUE(QFile::exists(QStringLiteral(":/ayuda/") + destino))
                << tema << " -> " << destino.toStdString();
        }
    }
    EXPECT_EQ(PaginaAyuda(9999), QStringLiteral(":/ayuda/indice.html"));
}

// F1 pressed in a window, wherever its focus is, opens that window's help
// page, as its help button does; that page, or those it leads to, names
// every page and control of the window (the rules in the help's own words).
TEST_F(Ajustes, CadaVentanaAbreYDescribeSuAyuda) {
    const auto texto = [](const QString& ruta) {
        QFile f(ruta);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    };
    const ServiciosControl s{[](int) {}, [](int) {}};
    VentanaJugadores jugadores(&mesa, p, ui);
    VentanaReglas reglas(&mesa, p, ui);
    VentanaEstadisticas estadisticas(&mesa, s, p);
    VentanaPartidas partidas(&mesa, p, ui, ModoPartidas::Guardar);
    int temaHistorico = 0;
    VentanaHistorico historico(&mesa, {}, {}, [&](QWidget*, int tema) { temaHistorico = tema; });
    const struct { QWidget* ventana; int tema; bool controles; } casos[] = {
        {&jugadores, 2121, true}, {&reglas, 2141, false}, {&estadisticas, 2161, true},
        {&partidas, 2510, false}, {&historico, 2181, false}};
    for (const auto& c : casos) {
        c.ventana->show();
        QTest::keyClick(c.ventana->focusWidget() ? c.ventana->focusWidget() : c.ventana, Qt::Key_F1);
        if (c.ventana == &historico) {
            EXPECT_EQ(temaHistorico, c.tema);
        } else {
            QWidget* ayuda = VentanaDeAyuda();
            ASSERT_NE(ayuda, nullptr) << c.tema;
            EXPECT_EQ(ayuda->findChild<QTextBrowser*>()->source().toString(), QStringLiteral("qrc") + PaginaAyuda(c.tema));
            delete ayuda;
        }
        c.ventana->hide();
        // The page and what it links to, two links deep.
        QString pagina = texto(PaginaAyuda(c.tema));
        QStringList vistas;
        const QRegularExpression enlace(QStringLiteral("href=\"(\\d+)\\.html\""));
        for (int nivel = 0; nivel < 2; ++nivel)
            for (auto m = enlace.globalMatch(QString(pagina)); m.hasNext();) {
                const QString otra = m.next().captured(1);
                if (vistas.contains(otra)) continue;
                vistas << otra;
                pagina += texto(QStringLiteral(":/ayuda/") + otra + QStringLiteral(".html"));
            }
        QStringList nombres;
        for (const QTabWidget* t : c.ventana->findChildren<QTabWidget*>())
            for (int i = 0; i < t->count(); ++i) nombres << t->tabText(i).trimmed();
        for (const QWidget* w : c.ventana->findChildren<QWidget*>()) {
            const auto* control = dynamic_cast<const ControlComun*>(w);
            if (c.controles && control && !dynamic_cast<const BotonPulsador*>(w)) nombres << control->Titulo().trimmed();
        }
        for (const QString& n : nombres)
            EXPECT_TRUE(pagina.contains(n, Qt::CaseInsensitive)) << c.tema << ": " << n.toStdString();
    }
}

TEST(Mensaje, RespuestasYBotones) {
    const struct {
        int botones, ayuda;
        const char* pulsado;   // nullptr: the dialog is closed
        int respuesta;
    } casos[] = {
        {1, 0, "Pic_Si", RespuestaAceptar},
        {2, 0, "Pic_Si", RespuestaAceptar},
        {2, 4040, "Pic_No", RespuestaCancelar},
        {2, 0, nullptr, RespuestaCancelar},   // a question closed unanswered
        {1, 2300, nullptr, RespuestaAceptar},  // a notice closed
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << c.botones << " " << (c.pulsado ? c.pulsado : "cerrar"));
        int sonidos = 0;
        DialogoMensaje d(nullptr, QStringLiteral("Título"), QStringLiteral("Texto"), 2, c.botones,
                         c.ayuda, {[&] { ++sonidos; }, {}});
        d.show();
        EXPECT_EQ(d.findChild<QPushButton*>(QStringLiteral("Pic_No")) != nullptr, c.botones == 2);
        EXPECT_EQ(d.findChild<QPushButton*>(QStringLiteral("Pic_BotAyuda")) != nullptr, c.ayuda != 0);
        if (c.pulsado)
            d.findChild<QPushButton*>(QString::fromLatin1(c.pulsado))->click();
        else
            d.close();
        EXPECT_EQ(d.Respuesta(), c.respuesta);
        EXPECT_EQ(sonidos, 1);
        EXPECT_FALSE(d.isVisible());
    }
}

// Help asked for from a settings window that holds the whole program up, or
// from a question over it, is in front with its topic and takes keys at
// once: Esc closes it.  It has the program's own buttons.
TEST(Ayuda, DesdeUnaVentanaModalSeUsaEnSeguida) {
    QWidget principal;
    principal.show();
    for (const bool pregunta : {false, true}) {
        VentanaAjustes ajustes(&principal, {}, QStringLiteral("Normas"), 2141, {}, {});
        ajustes.setWindowModality(Qt::ApplicationModal);
        ajustes.show();
        DialogoMensaje d(&principal, {}, {}, 2, 2, 2142, {{}, [&](int tema) { AbreAyuda(&d, tema); }});
        d.setWindowModality(Qt::WindowModal);
        d.setVisible(pregunta);
        QWidget* desde = pregunta ? static_cast<QWidget*>(&d) : &ajustes;
        QTest::mouseClick(desde->findChild<QWidget*>(QStringLiteral("Pic_BotAyuda")), Qt::LeftButton);
        const QPointer<QWidget> ayuda = VentanaDeAyuda();
        ASSERT_TRUE(ayuda);
        EXPECT_TRUE(ayuda->findChildren<QPushButton*>().isEmpty() && ayuda->findChild<BotonPulsador*>("Pic_BotSalir"));
        EXPECT_TRUE(ayuda->findChild<QTextBrowser*>()->source().toString().contains(pregunta ? "2142" : "2141"));
        EXPECT_TRUE(QTest::qWaitFor([&] { return ayuda->isActiveWindow(); }, 1000)) << pregunta;
        QTest::keyClick(ayuda->windowHandle(), Qt::Key_Escape);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_FALSE(ayuda) << pregunta;
        delete ayuda.data();
    }
}

}  // namespace
}  // namespace parchis
