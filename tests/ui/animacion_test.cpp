// Pieces moving on the board: the frames of a glide, and the picture after
// every move (forward and undone) being exactly the one a full redraw of
// the record gives, with the sounds of each kind of move.
#include <gtest/gtest.h>

#include <QImage>
#include <vector>

#include "common/posicion.h"
#include "rules/registro.h"
#include "rules/tablero.h"
#include "ui/board/animacion.h"
#include "ui/board/tablero.h"

namespace parchis {
namespace {

TEST(Deslizamiento, PasosPorFotograma) {
    const struct { Punto desde, hasta; int paso; std::vector<Punto> puntos; } casos[] = {
        {{0, 0}, {21, 0}, 7, {{7, 0}, {14, 0}, {21, 0}}},
        {{0, 0}, {20, 0}, 7, {{7, 0}, {14, 0}, {20, 0}}},    // the last frame snaps
        {{5, 40}, {5, 30}, 5, {{5, 35}, {5, 30}}},             // one axis only, upward
        {{0, 0}, {10, -20}, 7, {{4, -7}, {7, -14}, {10, -20}}},// the other axis in proportion
        {{0, 0}, {300, 170}, 2000, {{300, 170}}},              // a manual move: one frame
        {{8, 8}, {8, 8}, 7, {}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << c.hasta.x << "," << c.hasta.y << " paso " << c.paso);
        EXPECT_EQ(Deslizamiento(c.desde, c.hasta, c.paso), c.puntos);
    }
}

class Movimientos : public testing::Test {
protected:
    Movimientos() { Mide(800, 600, Aspecto::Clasico); }
    void Mide(int ancho, int alto, Aspecto aspecto) {
        for (Tablero* t : {&t, &referencia}) {
            t->Prepara(ancho, alto);
            t->AsignaAspecto(aspecto);
            t->DibujaTablero(4);
            t->RedibujaMesa(p, std::nullopt);
        }
    }

    // Plays (or undoes) an entry on the record and on the animated board,
    // and compares the result with a redraw from the record; `sonidos` keeps
    // the sounds of this move only.
    void Juega(Entero jugador, Entero ficha, Entero origen, Entero destino, Entero tipo) {
        const int n = ++ultima;
        AseguraLog(p, n);
        const Entero autor = tipo == 7 ? jugador : Entero{0};
        p.Jugadas[n] = {jugador, autor, 0, 0, 0, tipo, ficha, 0, origen, destino};
        p.Turno = jugador;
        sonidos.clear();
        AvanzaJugada(p, n);
        animador.MuestraJugada(p, n, true, false);
        Compara();
    }
    void Deshace() {
        const int n = ultima--;
        RetrocedeJugada(p, n);
        animador.MuestraJugada(p, n, false, false);
        Compara();
    }
    void Compara() {
        referencia.RedibujaMesa(p, std::nullopt);
        const QImage a = t.Superficie().toImage(), b = referencia.Superficie().toImage();
        QRect d;   // where the pictures differ
        for (int y = 0; a != b && y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x)
                if (a.pixel(x, y) != b.pixel(x, y)) d |= QRect(x, y, 1, 1);
        EXPECT_TRUE(d.isNull()) << "la imagen no coincide tras la jugada " << ultima << " en " << d.x() << ","
                                << d.y() << " " << d.width() << "x" << d.height();
    }

    using Sonidos = std::vector<std::pair<int, bool>>;
    Partida p = prueba::PartidaVacia();
    Tablero t{{}};
    Tablero referencia{{}};
    Sonidos sonidos;
    Animador animador{t, {[this](int n, bool esperar) { sonidos.push_back({n, esperar}); }, [](int) {}}};
    int ultima = 0;
};

TEST_F(Movimientos, LaImagenYLosSonidosSiguenAlRegistro) {
    Juega(4, 1, 0, 5, 3);     // out of the box onto the exit square
    EXPECT_EQ(sonidos, (Sonidos{{1, false}}));
    Juega(4, 2, 0, 5, 3);     // a second piece beside it
    Juega(4, 1, 5, 9, 3);     // past the diagonal squares 8 and 9, a click on each square
    EXPECT_EQ(sonidos, Sonidos(4, {1, false}));
    Juega(1, 1, 0, 56, 3);
    Juega(1, 1, 56, 8, 3);    // round the corner of the ring onto 8, beside 9
    Juega(3, 1, 0, 22, 3);
    Juega(3, 1, 22, 9, 3);    // onto 9: a capture (the mark comes and goes)
    EXPECT_EQ(sonidos.back(), (std::pair<int, bool>{11, true}));   // the capture, to its end
    Juega(4, 1, 9, 0, 6);     // the captured piece back to its box
    EXPECT_EQ(sonidos, (Sonidos{{13, false}}));
    Juega(2, 3, 0, 90, 7);    // placed by hand in its corridor
    Juega(2, 3, 90, 92, 3);   // home
    for (int i = 0; i < 10; ++i) Deshace();
}

// Every seat fills its home, each piece arriving another way: walking
// (kinds 3 and 4), placed by hand straight in, and after a capture sent it
// back to its box.  The homes' rows meet near the middle, the boxes' rows
// hold the captured pieces; then the whole log is stepped back.
TEST_F(Movimientos, CasasLlenasComoUnRedibujado) {
    const struct { int ancho, alto; Aspecto aspecto; } casos[] = {
        {800, 600, Aspecto::Clasico}, {1920, 1080, Aspecto::Clasico}, {1024, 768, Aspecto::Moderno}};
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << c.ancho << "x" << c.alto << " aspecto " << int(c.aspecto));
        p = prueba::PartidaVacia();
        ultima = 0;
        Mide(c.ancho, c.alto, c.aspecto);
        for (Entero j : {4, 3, 2, 1}) {
            const Entero casa = CasillaCasa[j], salida = CasillaSalida[j];
            Juega(j, 1, 0, casa - 2, 7);
            Juega(j, 1, casa - 2, casa, 3);
            Juega(j, 2, 0, casa - 1, 7);
            Juega(j, 2, casa - 1, casa, 4);
            Juega(j, 3, 0, casa, 7);
            Juega(j, 4, 0, salida, 3);
            Juega(j, 4, salida, 0, 6);
            Juega(j, 4, 0, casa, 7);
        }
        while (ultima > 0) Deshace();
    }
}

TEST_F(Movimientos, DestinosYManoParpadeanYElTableroQuedaIgual) {
    Juega(4, 1, 0, 5, 3);
    Juega(1, 1, 0, 8, 3);
    p.Turno = 4;
    p.Destinos[1] = {0, 9, 12, 0, 76, 0};   // 9 overlaps the piece on 8
    const QImage antes = t.Superficie().toImage();
    QImage enMedio;
    int destellos = 0;
    Animador mira{t, {[&](int n, bool) {
                          if (n == 1 && ++destellos == 1) enMedio = t.Superficie().toImage();
                      },
                      [](int) {}}};
    mira.DestellaDestinos(p, 1);
    EXPECT_EQ(destellos, 2);
    EXPECT_FALSE(enMedio == antes);
    EXPECT_TRUE(t.Superficie().toImage() == antes);
    // The pointing hand comes and goes the same way.
    sonidos.clear();
    animador.SenalaFicha(p, 4, 1, true);
    EXPECT_EQ(sonidos, Sonidos(3, {12, false}));
    sonidos.clear();
    animador.SenalaFicha(p, 4, 1, false);
    EXPECT_EQ(sonidos, Sonidos(3, {15, false}));
    EXPECT_TRUE(t.Superficie().toImage() == antes);
}

}  // namespace
}  // namespace parchis
