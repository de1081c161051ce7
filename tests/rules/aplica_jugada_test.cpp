#include <gtest/gtest.h>

#include "common/posicion.h"
#include "rules/movimiento.h"

namespace parchis {
namespace {

using prueba::Pon;
using prueba::PonEnHueco;

void EsperaHueco(const Partida& p, int s, int h, int j, int k) {
    EXPECT_EQ(p.Casillas[s].Jugador[h], j) << "square " << s << " slot " << h;
    EXPECT_EQ(p.Casillas[s].Pieza[h], k) << "square " << s << " slot " << h;
}

TEST(AplicaJugada, MovimientoSimpleDejaElHuecoSinCompactar) {
    Partida p = prueba::PartidaVacia();
    Pon(p, 1, 1, 30);
    Pon(p, 1, 2, 30);
    AplicaJugada(p, 30, 33, 1);
    EXPECT_EQ(p.Fichas[1][1], 33);
    EsperaHueco(p, 30, 1, 0, 0);  // slot 2 stays where it was
    EsperaHueco(p, 30, 2, 1, 2);
    EsperaHueco(p, 33, 1, 1, 1);
    EXPECT_EQ(p.Bonificacion, 0);
    EXPECT_EQ(p.JugadorComido, 0);

    // Arriving where slot 1 is empty fills slot 1, beside the piece in slot 2.
    AplicaJugada(p, 33, 30, 1);
    EsperaHueco(p, 30, 1, 1, 1);
    EsperaHueco(p, 30, 2, 1, 2);
}

TEST(AplicaJugada, SalidaDelCuadroYLlegadaACasa) {
    Partida p = prueba::PartidaVacia();
    AplicaJugada(p, 0, 56, 1);
    EXPECT_EQ(p.EnEspera[1], 3);
    EXPECT_EQ(p.SiguienteSalida[1], 2);
    EsperaHueco(p, 56, 1, 1, 1);

    Pon(p, 1, 2, 97);
    AplicaJugada(p, 97, 100, 2);
    EXPECT_EQ(p.Bonificacion, 10);
    EXPECT_EQ(p.EnCasa[1], 1);
    EXPECT_EQ(p.Fichas[1][2], 100);
    EXPECT_EQ(p.Casillas[100], Casilla{});  // home keeps no slots
    EXPECT_EQ(p.Casillas[97], Casilla{});
}

TEST(AplicaJugada, CapturaEnCasillaBlanca) {
    Partida p = prueba::PartidaVacia();
    Pon(p, 2, 1, 43);
    Pon(p, 1, 1, 40);
    AplicaJugada(p, 40, 43, 1);
    EXPECT_EQ(p.Bonificacion, 20);
    EXPECT_EQ(p.JugadorComido, 2);
    EXPECT_EQ(p.Fichas[2][1], 0);
    EXPECT_EQ(p.EnEspera[2], 4);
    EXPECT_EQ(p.SiguienteSalida[2], 1);
    EsperaHueco(p, 43, 1, 1, 1);  // the capturer takes the victim's slot
    EsperaHueco(p, 43, 2, 0, 0);
}

// Leaving the box onto one's own exit square held by two rivals captures the
// one that arrived last; the bonus depends on BonoComerSaliendo.
TEST(AplicaJugada, CapturaAlSalir) {
    for (bool bono : {true, false}) {
        Partida p = prueba::PartidaVacia();
        p.BonoComerSaliendo = bono;
        Pon(p, 2, 1, 56);
        Pon(p, 3, 2, 56);
        AplicaJugada(p, 0, 56, 1);
        EXPECT_EQ(p.Bonificacion, bono ? 20 : 0);
        EXPECT_EQ(p.JugadorComido, 3);
        EXPECT_EQ(p.Fichas[3][2], 0);
        EXPECT_EQ(p.EnEspera[3], 4);
        EsperaHueco(p, 56, 1, 2, 1);
        EsperaHueco(p, 56, 2, 1, 1);
        EsperaHueco(p, 56, 3, 0, 0);
    }
    // Own piece and a rival: the rival goes, wherever it stands.
    Partida p = prueba::PartidaVacia();
    Pon(p, 2, 3, 56);
    Pon(p, 1, 1, 56);
    AplicaJugada(p, 0, 56, 2);
    EXPECT_EQ(p.JugadorComido, 2);
    EsperaHueco(p, 56, 1, 1, 2);
    EsperaHueco(p, 56, 2, 1, 1);
    EXPECT_EQ(p.SiguienteSalida[2], 1);
}

TEST(AplicaJugada, SinCapturaEnSeguroNiConCompanero) {
    Partida p = prueba::PartidaVacia();
    Pon(p, 2, 1, 46);
    Pon(p, 1, 1, 40);
    AplicaJugada(p, 40, 46, 1);
    EXPECT_EQ(p.Bonificacion, 0);
    EsperaHueco(p, 46, 1, 2, 1);
    EsperaHueco(p, 46, 2, 1, 1);

    Partida q = prueba::PartidaVacia();
    q.ModoJuego = 2;
    q.BarreraCompaneros = true;
    Pon(q, 3, 1, 43);
    Pon(q, 1, 1, 40);
    AplicaJugada(q, 40, 43, 1);
    EXPECT_EQ(q.JugadorComido, 0);
    EXPECT_EQ(q.Fichas[3][1], 43);
}

TEST(AplicaJugada, DatosDanadosNoCambianNada) {
    Partida p = prueba::PartidaVacia();
    Pon(p, 1, 1, 40);
    const Partida antes = p;
    for (auto [origen, destino, ficha] : {std::array{40, 101, 1}, std::array{40, 0, 1}, std::array{-1, 43, 1},
                                          std::array{40, 43, 0}, std::array{40, 43, 9}}) {
        AplicaJugada(p, origen, destino, ficha);
        EXPECT_EQ(p.Fichas, antes.Fichas);
        EXPECT_EQ(p.Casillas, antes.Casillas);
        EXPECT_EQ(p.EnEspera, antes.EnEspera);
    }
    p.Turno = 0;
    AplicaJugada(p, 40, 43, 1);
    EXPECT_EQ(p.Casillas, antes.Casillas);
}

}  // namespace
}  // namespace parchis
