// The history and statistics windows: turning pages by mouse and keyboard
// with their sounds, and a blank statistics window before a game starts.
#include <gtest/gtest.h>

#include <QImage>
#include <QTest>
#include <vector>

#include "ui/windows/estadisticas.h"
#include "ui/windows/historia.h"

namespace parchis {
namespace {

struct Registro {
    std::vector<int> sonidos;
    SonidoVentana Sonido() { return [this](int n) { sonidos.push_back(n); }; }
    AyudaVentana Ayuda() { return [](QWidget*, int) {}; }
};

TEST(VentanaHistorico, PaginasConRatonYTeclado) {
    Registro r;
    VentanaHistorico v(nullptr, std::vector<RegistroHistorico>(20), r.Sonido(), r.Ayuda());
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
        const std::size_t antes = r.sonidos.size();
        paso.accion();
        EXPECT_EQ(c->PrimeraDePagina(), paso.primera);
        EXPECT_EQ(r.sonidos.size(), antes + (paso.suena ? 1 : 0));
    }
    EXPECT_EQ(r.sonidos, std::vector<int>(4, 10));
    QTest::keyClick(c, Qt::Key_Escape);
    EXPECT_FALSE(v.isVisible());
}

bool EnBlanco(VentanaEstadisticas& v) {
    const QImage imagen = v.findChild<QWidget*>(QStringLiteral("Texto"))->grab().toImage();
    QImage lleno(imagen.size(), imagen.format());
    lleno.fill(imagen.pixel(0, 0));
    return imagen == lleno;
}

TEST(VentanaEstadisticas, EnBlancoSinPartida) {
    Registro r;
    VentanaEstadisticas vacia(nullptr, Estadistica{}, 0, r.Sonido(), r.Ayuda());
    EXPECT_TRUE(EnBlanco(vacia));

    Estadistica e;
    e.HayPartida = true;
    e.Turno = 1;
    e.Distribucion.NumValoresPosibles = 6;
    VentanaEstadisticas v(nullptr, e, 0, r.Sonido(), r.Ayuda());
    v.show();
    EXPECT_FALSE(EnBlanco(v));
}

}  // namespace
}  // namespace parchis
