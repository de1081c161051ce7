// The two looks of the board.  The classic one is compared pixel for pixel
// with pictures kept in tests/ui/referencias (PARCHIS_GRABA_REFERENCIAS=1
// writes them again), and beyond them for the corners' colours at every
// turn of the colours and every value of a die; the other is checked for
// what a player relies on.  Pieces moving on the board: the frames of a
// glide, and the picture after every move (forward and undone) being
// exactly the one a full redraw of the record gives, with the sounds of
// each kind of move.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QListWidget>
#include <QTabWidget>
#include <QTemporaryDir>
#include <algorithm>
#include <array>
#include <vector>

#include "con_mesa.h"
#include "common/posicion.h"
#include "core/fichero.h"
#include "core/preferencias_propias.h"
#include "rules/registro.h"
#include "rules/tablero.h"
#include "ui/board/animacion.h"
#include "ui/board/pintura.h"
#include "ui/board/raton.h"
#include "ui/board/tablero.h"
#include "ui/common/controles.h"
#include "ui/common/estilo.h"
#include "ui/common/mensaje.h"
#include "ui/windows/ajustes_jugadores.h"
#include "ui/windows/reglas.h"

namespace parchis {
namespace {

// A position that shows every kind of thing the static board draws: names,
// a status text, pieces alone and paired on track, corridor and exit
// squares, full and partial boxes and homes, and both dice.
Partida PosicionDeMuestra() {
    Partida p = prueba::PartidaVacia();
    p.Nombres = {"", "Carmen", "Luis", "María", "Ordenador"};
    for (auto [j, k, s] : {std::array{1, 1, 5}, {3, 1, 5}, {2, 1, 30}, {2, 2, 9}, {4, 1, 12}, {4, 2, 12},
                           {1, 2, 97}, {3, 2, 84}, {3, 3, 84}, {2, 3, 92}})
        prueba::Pon(p, j, k, s);
    return p;
}

QImage Dibuja(Tablero& t, int ancho, int alto, Aspecto a = Aspecto::Clasico) {
    t.Prepara(ancho, alto);
    t.AsignaAspecto(a);
    t.AsignaColores(0);
    t.DibujaTablero(4);
    const Partida p = PosicionDeMuestra();
    t.RedibujaMesa(p, QStringLiteral("  Luis lanza el dado  "));
    t.DibujaDados(2, 2, 5, 6);
    return t.Superficie().toImage().convertToFormat(QImage::Format_RGB32);
}

// Where two pictures differ within `zona`: the box around it, and how many
// pixels.
std::pair<QRect, int> Diferencia(const QImage& a, const QImage& b, const QRect& zona) {
    QRect d;
    int n = 0;
    for (int y = zona.top(); y <= zona.bottom(); ++y)
        for (int x = zona.left(); x <= zona.right(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y)) {
                d |= QRect(x, y, 1, 1);
                ++n;
            }
    return {d, n};
}

TEST(AspectoClasico, IgualQueLasReferencias) {
    for (const QSize pantalla : {QSize(800, 600), QSize(1024, 768)}) {
        Tablero t{{}};
        const QImage img = Dibuja(t, pantalla.width(), pantalla.height());
        const QString fichero = QStringLiteral(DIRECTORIO_REFERENCIAS "/clasico-%1x%2.png")
                                    .arg(pantalla.width())
                                    .arg(pantalla.height());
        if (qEnvironmentVariableIsSet("PARCHIS_GRABA_REFERENCIAS")) {
            ASSERT_TRUE(img.save(fichero));
        }
        const QImage ref = QImage(fichero).convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(ref.isNull()) << fichero.toStdString();
        EXPECT_TRUE(img == ref) << fichero.toStdString();
    }
}

// Corners and exit squares (just inside a square's corner, beside their
// safe ring) in their seat's colour.
TEST(AspectoClasico, ColoresDeEsquinasYCasillas) {
    Tablero t{{}};
    t.Prepara(800, 600);
    // Rotation 0: seat 1 green, 2 red, 3 blue, 4 yellow; one step later
    // every colour has moved one seat up.
    const struct { int puesto, jugador; QColor color; } casos[] = {
        {0, 1, QColor(0, 128, 0)}, {0, 2, QColor(255, 0, 0)},   {0, 3, QColor(0, 0, 255)},
        {0, 4, QColor(255, 255, 0)}, {1, 1, QColor(255, 255, 0)}, {1, 2, QColor(0, 128, 0)},
        {3, 4, QColor(0, 128, 0)},   {2, 3, QColor(0, 128, 0)},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << "puesto " << c.puesto << " jugador " << c.jugador);
        t.AsignaColores(c.puesto);
        t.DibujaTablero(4);
        EXPECT_EQ(t.PixelEn(t.Me().OrigenX[c.jugador] + 2, t.Me().OrigenY[c.jugador] + 2), c.color);
        const Punto s = CentroCasilla(t.Me(), 4, CasillaSalida[c.jugador], 0, 0, 0);
        const MedidaCasilla h = MedidasCasilla(t.Me(), CasillaSalida[c.jugador]);
        EXPECT_EQ(t.PixelEn(s.x - h.MitadX + 2, s.y - h.MitadY + 2), c.color);
    }
}

// Every value of a die; dice at zero draw nothing, and erasing the dice
// leaves the board as it was.
TEST(AspectoClasico, PuntosDeCadaValorDelDado) {
    Tablero t{{}};
    Dibuja(t, 800, 600);
    t.DibujaTablero(4);
    const QImage antes = t.Superficie().toImage();
    t.DibujaDados(3, 2, 0, 0);
    EXPECT_EQ(t.Superficie().toImage(), antes);
    // Pip cells from the die's corner and the values that show them.
    const struct {
        int dx, dy;
        std::initializer_list<int> valores;
    } puntos[] = {{14, 12, {4, 5, 6}}, {42, 40, {4, 5, 6}}, {14, 40, {2, 3, 4, 5, 6}},
                  {42, 12, {2, 3, 4, 5, 6}}, {28, 26, {1, 3, 5}}, {28, 12, {6}}, {28, 40, {6}}};
    const Punto e = EsquinaDado(t.Me(), 1, 2, 1);
    for (int valor = 1; valor <= 6; ++valor) {
        t.DibujaDados(2, 1, valor, 0);
        for (const auto& q : puntos) {
            const bool esperado = std::find(q.valores.begin(), q.valores.end(), valor) != q.valores.end();
            EXPECT_EQ(t.PixelEn(e.x + q.dx + 4, e.y + q.dy + 4).lightness() < 100, esperado)
                << "valor " << valor << " punto " << q.dx << "," << q.dy;
        }
    }
    t.BorraDados(1);
    t.DibujaDados(3, 2, 6, 6);
    t.BorraDados(2);
    EXPECT_EQ(t.Superficie().toImage(), antes);
}

// Each piece alone on the empty board: what it changes is centred on the
// point the geometry gives and stays inside the box the board restores.
TEST(AspectoModerno, CadaFichaEnElCentroDeSuCasillaYDentroDeSuCaja) {
    Tablero t{{}};
    Dibuja(t, 1024, 768, Aspecto::Moderno);
    t.DibujaTablero(4);
    const QImage vacio = t.Superficie().toImage();
    const Medidas& me = t.Me();
    std::vector<std::pair<Punto, int>> sitios;
    for (int s = 1; s <= 99; ++s)
        if (s != 76 && s != 84 && s != 92) sitios.push_back({CentroCasilla(me, 4, s, 0, 0, 0), 1 + s % 4});
    for (int j = 1; j <= 4; ++j)
        for (int k = 1; k <= 4; ++k) {
            sitios.push_back({CentroCasilla(me, 4, 0, j, k, 0), j});
            sitios.push_back({CentroCasilla(me, 4, CasillaCasa[j], j, 0, k), j});
        }
    for (const auto& [c, j] : sitios) {
        t.DibujaFicha(c.x, c.y, j);
        const QRect caja = Tablero::Caja(CajaFicha(me, c.x, c.y));
        const QRect cambio = Diferencia(t.Superficie().toImage(), vacio, caja.adjusted(-4, -4, 4, 4)).first;
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        EXPECT_TRUE(caja.contains(cambio));
        // The shadow falls down and to the right: the disc's own left and
        // top edges give its centre.
        EXPECT_NEAR(cambio.left() + me.DiametroFicha / 2.0, c.x, 1.5);
        EXPECT_NEAR(cambio.top() + me.DiametroFicha / 2.0, c.y, 1.5);
        t.RestauraDeVacio(caja);
    }
}

// The dice stay inside their area, on the corner's own surface; the names
// fit their plates.
TEST(AspectoModerno, DadosDentroDeSuZonaYNombresEnteros) {
    for (const QSize pantalla : {QSize(800, 600), QSize(1920, 1080)}) {
        Tablero t{{}};
        Dibuja(t, pantalla.width(), pantalla.height(), Aspecto::Moderno);
        const Medidas& me = t.Me();
        for (int numDados = 1; numDados <= 2; ++numDados)
            for (int j = 1; j <= 4; ++j) {
                t.BorraDados(2);
                const QImage antes = t.Superficie().toImage();
                t.DibujaDados(j, numDados, 6, 3);
                const auto [cambio, dentro] = Diferencia(antes, t.Superficie().toImage(), antes.rect());
                EXPECT_TRUE(Tablero::Caja(RectanguloDados(me, numDados, j)).contains(cambio)) << j << " dados " << numDados;
                // Each die about a square and a half or more.
                EXPECT_GT(dentro, numDados * 1.5 * me.LadoCasilla * 1.5 * me.LadoCasilla * 0.8);
            }
        // The widest name a seat can have, in its plate: the text's dark
        // pixels keep clear of the plate's ends.
        Partida p = prueba::PartidaVacia();
        p.Nombres = {"", "WWWWWWWWW", "MMMMMMMMM", "Ana", "Ordenador"};
        t.DibujaNombres(p);
        const QImage img = t.Superficie().toImage();
        for (int j = 1; j <= 4; ++j) {
            const QRect placa = Tablero::Caja(RectanguloNombre(me, j));
            int izquierda = placa.right(), derecha = placa.left();
            for (int x = placa.left() + placa.height(); x < placa.right() - 2; ++x)
                for (int y = placa.top() + 3; y < placa.bottom() - 2; ++y)
                    if (QColor(img.pixel(x, y)).lightness() < 60) {
                        izquierda = std::min(izquierda, x);
                        derecha = std::max(derecha, x);
                    }
            EXPECT_LT(izquierda, derecha) << j;
            EXPECT_LT(derecha, placa.right() - 4) << j;
        }
    }
}

// The window's own status lines, the longest first, are whole in the bar at
// 800 x 600 in either look: the text's pixels keep clear of the bar's ends
// (a clipped line reaches them).
TEST(AspectoAmbos, LineasDeEstadoEnterasEnLaBarra) {
    for (const Aspecto a : {Aspecto::Clasico, Aspecto::Moderno})
        for (const char* texto : {TextoOpcionesPedidas, TextoDadosManuales, TextoModoManual}) {
            Tablero t{{}};
            Dibuja(t, 800, 600, a);
            const QRect barra = Tablero::Caja(RectanguloBarra(t.Me()));
            t.MuestraMensaje(QString());
            const QImage vacia = t.Superficie().toImage();
            t.MuestraMensaje(QString::fromUtf8(texto));
            const auto [letras, n] = Diferencia(vacia, t.Superficie().toImage(), barra);
            EXPECT_GT(n, 0) << texto;
            EXPECT_GE(letras.left(), barra.left() + 7) << static_cast<int>(a) << " " << texto;
            EXPECT_LE(letras.right(), barra.right() - 7) << static_cast<int>(a) << " " << texto;
        }
}

// A piece dropped on the centre goes home where its seat's triangle is:
// on the classic board, exactly where the painted pixel and those two
// around it are the seat's colour, and never on a dark line; the rule does not look at the screen,
// so the modern board gives the same.
TEST(AspectoAmbos, LaCasaSeDecidePorGeometria) {
    for (const QSize pantalla : {QSize(800, 600), QSize(1920, 1080)}) {
        Tablero t{{}};
        Dibuja(t, pantalla.width(), pantalla.height());
        t.DibujaTablero(4);
        const QImage img = t.Superficie().toImage();
        const Medidas& me = t.Me();
        const int desde = me.Margen + 8 * me.PasoN(), hasta = me.Margen + 13 * me.PasoN();
        int casas = 0;
        for (int y = desde - 4; y <= hasta + 4; ++y)
            for (int x = desde - 4; x <= hasta + 4; ++x) {
                bool uniforme = true;
                for (int dy = -2; dy <= 2; ++dy)
                    for (int dx = -2; dx <= 2; ++dx) uniforme &= img.pixel(x + dx, y + dy) == img.pixel(x, y);
                for (int j = 1; j <= 4; ++j) {
                    const bool color = img.pixelColor(x, y) == t.ColorDe(j);
                    if (uniforme) {
                        EXPECT_EQ(EnSuCasa(me, j, x, y), color) << j << " " << x << "," << y;
                    }
                    if (!uniforme && !color) {
                        EXPECT_FALSE(EnSuCasa(me, j, x, y) && img.pixelColor(x, y).lightness() < 60)
                            << j << " " << x << "," << y << " " << me.Margen << " " << me.PasoN();
                    }
                    casas += EnSuCasa(me, j, x, y);
                }
            }
        EXPECT_GT(casas, 4 * 4 * me.PasoN() * me.PasoN());
    }
}

// At a device pixel ratio of 2 the surfaces have twice the pixels and the
// board's points still name the same places.
TEST(AspectoAmbos, ResolucionDoble) {
    for (const Aspecto a : {Aspecto::Clasico, Aspecto::Moderno}) {
        Tablero t{{}};
        t.Prepara(800, 600, 2);
        t.AsignaAspecto(a);
        t.DibujaTablero(4);
        const Medidas& me = t.Me();
        EXPECT_EQ(t.Superficie().width(), 2 * me.LadoLienzo);
        EXPECT_EQ(t.Superficie().devicePixelRatio(), 2);
        const Punto c = CentroCasilla(me, 4, 30, 0, 0, 0);
        const QColor antes = t.PixelEn(c.x, c.y);
        t.DibujaFicha(c.x, c.y, 2);
        EXPECT_NE(t.PixelEn(c.x - me.DiametroFicha / 3, c.y), antes);
        t.RehaceCasilla(prueba::PartidaVacia(), 30);
        EXPECT_EQ(t.PixelEn(c.x - me.DiametroFicha / 3, c.y), antes);
    }
}

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
        const QRect d = a == b ? QRect() : Diferencia(a, b, a.rect()).first;
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

// The program's own settings file: read back as written, each setting on
// its own, anything else the default, and the configuration file is not
// touched.
TEST(AspectoFichero, SeGuardaAparteYLoDesconocidoEsElValorPorDefecto) {
    const struct { std::string texto; Aspecto a; bool red; } casos[] = {
        {"Aspecto=Moderno\n", Aspecto::Moderno, false},   // as the look alone was kept
        {"Aspecto=Moderno\r\nJugarEnRed=Si\r\n", Aspecto::Moderno, true},
        {"Color=Rojo\nJugarEnRed=Si", Aspecto::Clasico, true},
        {"", Aspecto::Clasico, false},
        {"Aspecto=moderno\nJugarEnRed=1\n JugarEnRed=Si\n", Aspecto::Clasico, false},
        {std::string("\xff\xfe\0Aspecto=Moderno\nJugarEnRed=Si\0", 33), Aspecto::Clasico, false},
    };
    for (const auto& c : casos) {
        const PreferenciasPropias leidas = PreferenciasDeTexto(c.texto);
        EXPECT_EQ(leidas, (PreferenciasPropias{c.a, c.red, false, {}})) << c.texto;
        EXPECT_EQ(PreferenciasDeTexto(TextoDePreferencias(leidas)), leidas);
    }
    QTemporaryDir dir;
    const std::string carpeta = dir.path().toStdString() + "/";
    EXPECT_EQ(LeeAspecto(carpeta), Aspecto::Clasico);
    ASSERT_TRUE(EscribeRed(carpeta, true, true, "salas.ejemplo.org:49930"));
    ASSERT_TRUE(EscribeAspecto(carpeta, Aspecto::Moderno));
    EXPECT_EQ(LeePreferencias(carpeta), (PreferenciasPropias{Aspecto::Moderno, true, true, "salas.ejemplo.org:49930"}));
    // A server with blanks, or longer than the field, is not kept.
    for (const std::string& malo : {std::string("salas ejemplo"), std::string(61, 'a')}) {
        ASSERT_TRUE(EscribeFichero(carpeta + FicheroPreferencias, "ServidorSala=" + malo + "\n"));
        EXPECT_EQ(LeePreferencias(carpeta).ServidorSala, "");
        ASSERT_TRUE(EscribeRed(carpeta, false, false, malo));
        EXPECT_EQ(LeePreferencias(carpeta).ServidorSala, "");
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{FicheroPreferencias});
}

// The main window and the windows with colours of their own, in each look
// at 800 x 600: every control inside its window, with the room its text
// asks for (also when rules changed in the open window show more of them);
// the classic look shows its grey plates, green bands and garnet edges,
// the modern one none of them and mostly warm ivory and wood.  The
// choice is kept in the data folder; back in the classic look the column
// keeps its 800 x 600 sizes, and on a large screen it grows.
using VentanaEnAspecto = prueba::ConMesa;

TEST_F(VentanaEnAspecto, CadaVentanaEnSuPaleta) {
    const auto clasico = [](QRgb c) {
        const QColor q(c);
        return q == QColor(192, 192, 192) || q == QColor(160, 195, 160) || q == QColor(119, 26, 18);
    };
    const auto calido = [](QRgb c) {
        const QColor q(c);
        return q.red() >= q.green() && q.green() >= q.blue() && q.red() - q.blue() >= 8;
    };
    p.Nombres = {"", "Carmen", "Luis", "María", "Ordenador"};
    EligeAspecto(p.Carpeta, Aspecto::Moderno);
    mesa.Prepara(800, 575);   // an 800 x 600 screen less the title bar
    mesa.show();
    const Partida inicial = p;
    for (const Aspecto a : {Aspecto::Moderno, Aspecto::Clasico}) {
        p = inicial;
        EligeAspecto(p.Carpeta, a);
        EXPECT_EQ(mesa.Lienzo().AspectoActual(), a);
        EXPECT_EQ(qApp->styleSheet().isEmpty(), a == Aspecto::Clasico);
        EXPECT_EQ(LeeAspecto(p.Carpeta), a);
        EXPECT_LE(mesa.width(), 800);
        for (const QWidget* w : mesa.findChildren<QWidget*>())
            if (w->isVisible() && w->parentWidget() == &mesa) {
                EXPECT_TRUE(mesa.rect().contains(w->geometry())) << w->objectName().toStdString();
            }
        VentanaJugadores jugadores(&mesa, p, ui);
        VentanaReglas reglas(&mesa, p, ui);
        DialogoMensaje mensaje(&mesa, QStringLiteral("Salir"), QStringLiteral("¿Desea salir del programa?"), 2, 2,
                               5100, {});
        // The players' window holds the small board.
        ASSERT_NE(jugadores.findChild<QWidget*>(QStringLiteral("Pic_Tablerito")), nullptr);
        for (QWidget* v : std::initializer_list<QWidget*>{&jugadores, &reglas, &mensaje}) {
            const std::string nombre = v->metaObject()->className() + std::string(" ") + v->objectName().toStdString();
            v->show();
            // Two dice, eight pieces and pairs bring more rules into the
            // open window's last page.
            if (v == &reglas) {
                for (const int regla : {4, 3, 9}) reglas.Control(regla)->Acciona();
                auto* paginas = reglas.findChild<QTabWidget*>();
                paginas->setCurrentIndex(paginas->count() - 1);
            }
            QApplication::processEvents();
            const QImage img = v->grab().toImage();
            int clasicos = 0, calidos = 0;
            for (int y = 0; y < img.height(); ++y)
                for (int x = 0; x < img.width(); ++x) {
                    clasicos += clasico(img.pixel(x, y));
                    calidos += calido(img.pixel(x, y));
                }
            EXPECT_EQ(clasicos > 0, a == Aspecto::Clasico) << nombre << " " << clasicos;
            if (a == Aspecto::Moderno) {
                EXPECT_GT(calidos, img.width() * img.height() / 2) << nombre;
            }
            EXPECT_LE(v->width(), 800) << nombre;
            EXPECT_LE(v->height(), 575) << nombre;
            for (const QWidget* w : v->findChildren<QWidget*>()) {
                if (!w->isVisibleTo(v)) continue;
                EXPECT_TRUE(w->parentWidget()->rect().contains(w->geometry())) << nombre;
                if (dynamic_cast<const ControlComun*>(w)) {
                    EXPECT_TRUE(w->width() >= w->sizeHint().width() && w->height() >= w->sizeHint().height())
                        << nombre << " " << w->toolTip().toStdString();
                }
            }
            v->hide();
        }
    }
    const QWidget* botonera = mesa.findChild<QWidget*>(QStringLiteral("Pic_Botonera"));
    EXPECT_EQ(mesa.Lista()->width(), 194);
    EXPECT_EQ(botonera->size(), QSize(141, 300));
    mesa.Prepara(1920, 1050);
    EXPECT_GT(mesa.Lista()->width(), 300);
    EXPECT_GT(botonera->width(), 200);
}

}  // namespace
}  // namespace parchis
