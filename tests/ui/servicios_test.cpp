// The services every window uses: the speed-scaled pause, the sounds, the
// help pages and the message dialog.
#include <gtest/gtest.h>

#include <QFile>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTextBrowser>
#include <vector>

#include "ui/common/ayuda.h"
#include "ui/common/controles.h"
#include "ui/common/mensaje.h"
#include "ui/common/pausa.h"
#include "ui/common/sonido.h"

namespace parchis {
namespace {

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
// once: Esc closes it.
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
        EXPECT_TRUE(ayuda->findChild<QTextBrowser*>()->source().toString().contains(pregunta ? "2142" : "2141"));
        for (int i = 0; i < 100 && !ayuda->isActiveWindow(); ++i) QTest::qWait(10);
        EXPECT_TRUE(ayuda->isActiveWindow()) << pregunta;
        QTest::keyClick(ayuda->windowHandle(), Qt::Key_Escape);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_FALSE(ayuda) << pregunta;
        delete ayuda.data();
    }
}

}  // namespace
}  // namespace parchis
