// Board metrics and square centres against worked values for 600- and
// 768-pixel screens, plus the shape of the track as a whole.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <set>
#include <utility>

#include "ui/board/medidas.h"

namespace parchis {
namespace {

TEST(Medidas, EscalaSegunAltoDePantalla) {
    // n, w, a, b, m, canvas, d, bar x, bar y.
    const std::pair<int, std::array<int, 9>> casos[] = {
        {600, {25, 57, 169, 505, 47, 599, 20, 90, 566}},
        {768, {31, 71, 211, 631, 68, 767, 26, 174, 724}},
        {1024, {43, 99, 295, 883, 70, 1023, 38, 302, 979}},
    };
    for (const auto& [alto, esperado] : casos) {
        const Medidas me = CalculaMedidas(800, alto);
        EXPECT_EQ((std::array<int, 9>{me.LadoCasilla, me.AnchoCasilla, me.AnchoBrazo, me.LadoTablero,
                                      me.Margen, me.LadoLienzo, me.DiametroFicha, me.BarraX, me.BarraY}),
                  esperado)
            << alto;
    }
    const Medidas me = CalculaMedidas(800, 600);
    EXPECT_EQ((std::array<int, 4>{me.OrigenX[1], me.OrigenX[2], me.OrigenX[3], me.OrigenX[4]}),
              (std::array<int, 4>{47, 47, 383, 383}));
    EXPECT_EQ((std::array<int, 4>{me.OrigenY[1], me.OrigenY[2], me.OrigenY[3], me.OrigenY[4]}),
              (std::array<int, 4>{383, 47, 47, 383}));
}

TEST(Medidas, SoloEscalasDeCasillasEnteras) {
    // n is odd with (7n - 4) / 3 whole: 25, 31, 37, 43, 49, 55 ...; a window shorter
    // than the design minimum keeps the smallest board.
    const std::pair<int, int> casos[] = {{560, 25}, {650, 25}, {700, 31}, {820, 37},
                                         {1050, 43}, {1200, 55}, {400, 25}};
    for (auto [alto, n] : casos) EXPECT_EQ(LadoCasillaPara(alto), n) << alto;
}

TEST(Medidas, CentroDeCasillas) {
    const struct {
        int alto, fichas, casilla, jugador, espera, casa, x, y;
    } casos[] = {
        // Track: square 1 at the outer end of the bottom arm's right column,
        // 67 at the outer end of its left column, the tips in the middle lane.
        {600, 4, 1, 0, 0, 0, 355, 539},   {600, 4, 67, 0, 0, 0, 243, 539},
        {600, 4, 68, 0, 0, 0, 299, 539},  {600, 4, 17, 0, 0, 0, 539, 299},
        {600, 4, 34, 0, 0, 0, 299, 59},   {600, 4, 51, 0, 0, 0, 59, 299},
        // Both sides of each inner corner.
        {600, 4, 8, 0, 0, 0, 355, 371},   {600, 4, 9, 0, 0, 0, 371, 355},
        {600, 4, 25, 0, 0, 0, 371, 243},  {600, 4, 26, 0, 0, 0, 355, 227},
        {600, 4, 42, 0, 0, 0, 243, 227},  {600, 4, 43, 0, 0, 0, 227, 243},
        {600, 4, 59, 0, 0, 0, 227, 355},  {600, 4, 60, 0, 0, 0, 243, 371},
        {600, 4, 5, 0, 0, 0, 355, 443},   {600, 4, 12, 0, 0, 0, 443, 355},
        // Corridors.
        {600, 4, 69, 0, 0, 0, 299, 515},  {600, 4, 75, 0, 0, 0, 299, 371},
        {600, 4, 77, 0, 0, 0, 515, 299},  {600, 4, 85, 0, 0, 0, 299, 83},
        {600, 4, 99, 0, 0, 0, 227, 299},
        // Homes, four pieces: pitch 22, row 86 long.
        {600, 4, 76, 4, 0, 1, 266, 347},  {600, 4, 76, 4, 0, 4, 332, 347},
        {600, 4, 84, 3, 0, 1, 347, 332},  {600, 4, 92, 2, 0, 1, 332, 251},
        {600, 4, 100, 1, 0, 4, 251, 332},
        // Eight pieces: pitch 9; halves round to even.
        {600, 8, 76, 4, 0, 1, 268, 347},  {600, 8, 76, 4, 0, 2, 276, 347},
        {600, 8, 76, 4, 0, 8, 330, 347},
        // Waiting boxes, four pieces d + 4 apart.
        {600, 4, 0, 1, 1, 0, 83, 395},    {600, 4, 0, 1, 4, 0, 155, 395},
        {600, 4, 0, 2, 1, 0, 203, 83},    {600, 4, 0, 2, 4, 0, 203, 155},
        {600, 4, 0, 3, 1, 0, 515, 203},   {600, 4, 0, 3, 4, 0, 443, 203},
        {600, 4, 0, 4, 4, 0, 395, 443},   {600, 4, 0, 4, 1, 0, 395, 515},
        // Eight pieces overlap, 0.6 d apart.
        {600, 8, 0, 1, 1, 0, 71, 395},    {600, 8, 0, 1, 7, 0, 143, 395},
        {600, 8, 0, 1, 8, 0, 155, 395},
        // 768 pixels: n' = 30, w' = 70, m = 68.
        {768, 4, 1, 0, 0, 0, 453, 683},   {768, 4, 76, 4, 0, 1, 344, 443},
        {768, 8, 76, 4, 0, 1, 344, 443},  {768, 8, 76, 4, 0, 2, 356, 443},
        {768, 4, 0, 4, 4, 0, 503, 563},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << c.alto << " casilla " << c.casilla << " jugador "
                                        << c.jugador << " orden " << c.espera << "/" << c.casa);
        const Medidas me = CalculaMedidas(800, c.alto);
        EXPECT_EQ(CentroCasilla(me, c.fichas, c.casilla, c.jugador, c.espera, c.casa),
                  (Punto{c.x, c.y}));
    }
}

TEST(Medidas, RecorridoContinuoDentroDelTablero) {
    // Every square lies inside the board, no two share a centre, and each
    // step of the ring and of every corridor is to a neighbouring square.
    for (int alto : {600, 768, 1024}) {
        SCOPED_TRACE(alto);
        const Medidas me = CalculaMedidas(1280, alto);
        const int limite = me.Margen + me.LadoTablero;
        auto centro = [&](int s) { return CentroCasilla(me, 4, s, 1, 1, 1); };
        std::set<std::pair<int, int>> vistos;
        for (int s = 1; s <= 99; ++s) {
            if (s == 76 || s == 84 || s == 92) continue;
            const Punto c = centro(s);
            EXPECT_TRUE(c.x > me.Margen && c.x < limite && c.y > me.Margen && c.y < limite) << s;
            EXPECT_TRUE(vistos.insert({c.x, c.y}).second) << s;
        }
        auto vecinas = [&](int s, int t) {
            const Punto a = centro(s), b = centro(t);
            const int paso = std::max(std::abs(a.x - b.x), std::abs(a.y - b.y));
            EXPECT_LE(paso, me.AnchoCasilla) << s << "->" << t;
            EXPECT_GE(paso, me.PasoN() / 2) << s << "->" << t;
        };
        for (int s = 1; s <= 68; ++s) vecinas(s, s % 68 + 1);
        for (auto [e, c] : {std::pair{68, 69}, {17, 77}, {34, 85}, {51, 93}}) {
            vecinas(e, c);
            for (int s = c; s < c + 6; ++s) vecinas(s, s + 1);
        }
    }
}

TEST(Medidas, MitadesYDesplazamientos) {
    const struct {
        int alto, casilla;
        MedidaCasilla esperada;
    } casos[] = {
        {600, 5, {28, 12, 10, 0}},    // vertical: two pieces side by side
        {600, 12, {12, 28, 0, 10}},   // horizontal: one above the other
        {600, 76, {28, 12, 10, 0}},
        {600, 84, {12, 28, 0, 10}},
        {600, 0, {10, 10, 0, 0}},
        {768, 12, {16, 36, 0, 13}},   // 15.5 and 35.5 round to even
        {768, 68, {36, 16, 13, 0}},
    };
    for (const auto& c : casos)
        EXPECT_EQ(MedidasCasilla(CalculaMedidas(800, c.alto), c.casilla), c.esperada) << c.alto << " " << c.casilla;
    // Where the track turns from one lie to the other.
    for (auto [s, horizontal] : {std::pair{8, false}, {9, true}, {25, true}, {26, false}, {42, false},
                                 {43, true}, {59, true}, {60, false}, {76, false}, {77, true},
                                 {84, true}, {85, false}, {92, false}, {93, true}, {100, true}})
        EXPECT_EQ(CasillaHorizontal(s), horizontal) << s;
}

TEST(Medidas, DadosYPlacas) {
    const Medidas me = CalculaMedidas(800, 600);
    EXPECT_EQ(RectanguloDados(me, 1, 1), (Rectangulo{97, 433, 68, 68}));
    EXPECT_EQ(RectanguloDados(me, 2, 3), (Rectangulo{408, 72, 118, 118}));
    EXPECT_EQ(EsquinaDado(me, 1, 1, 1), (Punto{106, 440}));
    EXPECT_EQ(EsquinaDado(me, 2, 1, 1), (Punto{78, 412}));
    EXPECT_EQ(EsquinaDado(me, 2, 1, 2), (Punto{134, 468}));
    // Each die lies inside its black area.
    for (int dados = 1; dados <= 2; ++dados) {
        const Rectangulo r = RectanguloDados(me, dados, 4);
        for (int i = 1; i <= dados; ++i) {
            const Punto e = EsquinaDado(me, dados, 4, i);
            EXPECT_TRUE(e.x >= r.x && e.y >= r.y && e.x + LadoDado <= r.x + r.ancho &&
                        e.y + LadoDado <= r.y + r.alto) << dados << " " << i;
        }
    }
    const Rectangulo nombres[] = {{}, {97, 530, 69, 20}, {97, 49, 69, 20}, {433, 49, 69, 20}, {433, 530, 69, 20}};
    for (int j = 1; j <= 4; ++j) EXPECT_EQ(RectanguloNombre(me, j), nombres[j]) << j;
}

}  // namespace
}  // namespace parchis
