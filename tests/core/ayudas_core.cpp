#include "ayudas_core.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "core/codificacion.h"

namespace parchis::prueba {

namespace {

int Entre(std::mt19937& azar, int min, int max) {
    return std::uniform_int_distribution<int>(min, max)(azar);
}

bool Moneda(std::mt19937& azar) { return Entre(azar, 0, 1) == 1; }

std::string NombreAleatorio(std::mt19937& azar) {
    const std::vector<std::string> primeras{"A", "Á", "Ñ", "Z", "m", "é", "O"};
    const std::vector<std::string> resto{"a", "b", "ñ", "á", "é", "í", "ó", "ú", "ü", "z", " ", "'"};
    std::string nombre = primeras[Entre(azar, 0, 6)];
    const int largo = Entre(azar, 0, 8);
    for (int i = 0; i < largo; ++i) nombre += resto[Entre(azar, 0, 11)];
    return QuitaBlancos(nombre);
}

void SorteaPuestos(std::mt19937& azar, Partida& p) {
    for (int j = 1; j <= 4; ++j) {
        p.Nombres[j] = NombreAleatorio(azar);
        p.Nivel[j] = static_cast<Entero>(Entre(azar, 0, 100));
        p.Estado[j] = static_cast<Entero>(Entre(azar, 1, 2));
        p.Control[j] = static_cast<Entero>(Entre(azar, 1, 3));
        p.Caracter[j] = static_cast<Entero>(Entre(azar, 1, 3));
        p.EnEspera[j] = static_cast<Entero>(Entre(azar, 0, 8));
        p.EnCasa[j] = static_cast<Entero>(Entre(azar, 0, 8));
        p.SiguienteSalida[j] = static_cast<Entero>(Entre(azar, 1, 8));
        for (int k = 1; k <= MaxFichas; ++k) p.Fichas[j][k] = static_cast<Entero>(Entre(azar, 0, 100));
    }
    for (int i = 1; i <= NumCasillas; ++i)
        for (int h = 1; h <= 3; ++h) {
            p.Casillas[i].Jugador[h] = static_cast<Entero>(Entre(azar, 0, 4));
            p.Casillas[i].Pieza[h] = static_cast<Entero>(Entre(azar, 0, 8));
        }
    CuentaJugadores(p);
}

void SorteaAjustes(std::mt19937& azar, Partida& p) {
    for (bool* b : {&p.PausaEntreJugadas, &p.Sonido, &p.TutorAutomatico, &p.SalidaCon5,
                    &p.SalidaObligatoria, &p.BonoComerSaliendo, &p.BarreraSalida, &p.BarreraSeguro,
                    &p.BarreraBlancas, &p.ComerObligatorio, &p.IndicarDestino, &p.BarreraCompaneros})
        *b = Moneda(azar);
    p.Sentido = static_cast<Entero>(Entre(azar, 1, 2));
    p.Velocidad = static_cast<Entero>(Entre(azar, 0, 100));
    p.ModoJuego = static_cast<Entero>(Entre(azar, 1, 3));
    p.NumDados = static_cast<Entero>(Entre(azar, 1, 2));
    p.FichasPorJugador = static_cast<Entero>(Entre(azar, 1, 2));
    p.NumFichas = static_cast<Entero>(FichasSegunRegla(p));
    p.SeisConTodas = static_cast<Entero>(Entre(azar, 1, 3));
    p.PrimeraFicha = static_cast<Entero>(Entre(azar, 1, 3));
    p.MetodoSalida = static_cast<Entero>(Entre(azar, 1, 2));
    p.MetodoCuenta = static_cast<Entero>(Entre(azar, 1, 2));
    p.ModoRed = static_cast<Entero>(Entre(azar, 1, 2));
    p.PuestoMesa = static_cast<Entero>(Entre(azar, 0, 3));
    p.MiPuerto = static_cast<Entero>(Entre(azar, 1, 3));
    p.Turno = static_cast<Entero>(Entre(azar, 1, 4));
    p.Repeticiones = static_cast<Entero>(Entre(azar, 0, 3));
    p.PuestoAdmin = static_cast<Entero>(Entre(azar, 0, 3));
    char id[8];
    std::snprintf(id, sizeof id, "%04d", Entre(azar, 1, 9999));
    p.IdPartida = id;
    // The address is read back with the blanks of its field.
    p.IPAdministrador = AjustaAncho("192.168.1." + std::to_string(Entre(azar, 1, 254)), 15);
}

Jugada EntradaAleatoria(std::mt19937& azar) {
    Jugada j;
    j.Jugador = static_cast<Entero>(Entre(azar, 1, 4));
    j.Autor = static_cast<Entero>(Entre(azar, 0, 4));
    j.Dado1 = static_cast<Entero>(Entre(azar, 0, 6));
    j.Dado2 = static_cast<Entero>(Entre(azar, 0, 6));
    j.ValorCuenta = static_cast<Entero>(Entre(azar, 0, 20));
    j.TipoJugada = static_cast<Entero>(Entre(azar, 1, 11));
    j.FichaJugada = static_cast<Entero>(Entre(azar, 0, 8));
    j.IndiceValor = static_cast<Entero>(Entre(azar, 0, 4));
    j.CasillaOrigen = static_cast<Entero>(Entre(azar, 0, 100));
    j.CasillaFinal = static_cast<Entero>(Entre(azar, 0, 100));
    j.Repeticiones = static_cast<Entero>(Entre(azar, 0, 2));
    j.InicioTirada = static_cast<Entero>(Entre(azar, 0, 1));
    j.Detalle = static_cast<Entero>(Entre(azar, 0, 7));
    return j;
}

}  // namespace

Partida RegistroAleatorio(std::mt19937& azar, int numJugada, bool iniciada) {
    Partida p;
    SorteaPuestos(azar, p);
    SorteaAjustes(azar, p);
    p.NumJugada = static_cast<Entero>(numJugada);
    p.PartidaIniciada = iniciada;
    p.Jugadas.assign(static_cast<std::size_t>(numJugada) + 41, Jugada{});
    if (iniciada)
        for (int n = 1; n < numJugada; ++n) p.Jugadas[n] = EntradaAleatoria(azar);
    return p;
}

void EsperaMismoRegistro(const Partida& a, const Partida& b) {
    EXPECT_EQ(a.Nombres, b.Nombres);
    EXPECT_EQ(a.Estado, b.Estado);
    EXPECT_EQ(a.Control, b.Control);
    EXPECT_EQ(a.Nivel, b.Nivel);
    EXPECT_EQ(a.Caracter, b.Caracter);
    EXPECT_EQ(a.EnEspera, b.EnEspera);
    EXPECT_EQ(a.EnCasa, b.EnCasa);
    EXPECT_EQ(a.SiguienteSalida, b.SiguienteSalida);
    EXPECT_EQ(a.Fichas, b.Fichas);
    EXPECT_EQ(a.Casillas, b.Casillas);
    EXPECT_EQ(a.NumFichas, b.NumFichas);
    EXPECT_EQ(a.NumJugadores, b.NumJugadores);
    EXPECT_EQ(a.Repeticiones, b.Repeticiones);
    EXPECT_EQ(a.Jugadas, b.Jugadas);
    EXPECT_EQ(a.NumJugada, b.NumJugada);
    EXPECT_EQ(a.Turno, b.Turno);
    EXPECT_EQ(a.PartidaIniciada, b.PartidaIniciada);
    EXPECT_EQ(a.IdPartida, b.IdPartida);
    EXPECT_EQ(a.PuestoAdmin, b.PuestoAdmin);
    const auto reglas = [](const Partida& p) {
        return std::vector<int>{p.ModoJuego, p.NumDados, p.FichasPorJugador, p.SeisConTodas,
                                p.PrimeraFicha, p.MetodoSalida, p.MetodoCuenta, p.SalidaCon5,
                                p.SalidaObligatoria, p.BonoComerSaliendo, p.BarreraSalida,
                                p.BarreraSeguro, p.BarreraBlancas, p.BarreraCompaneros,
                                p.ComerObligatorio};
    };
    EXPECT_EQ(reglas(a), reglas(b));
    const auto preferencias = [](const Partida& p) {
        return std::vector<int>{p.Sentido, p.Sonido, p.PausaEntreJugadas, p.TutorAutomatico,
                                p.IndicarDestino, p.Velocidad, p.PuestoMesa, p.ModoRed, p.MiPuerto};
    };
    EXPECT_EQ(preferencias(a), preferencias(b));
    // The address field is read with its blanks.
    EXPECT_EQ(AjustaAncho(a.IPAdministrador, 15), AjustaAncho(b.IPAdministrador, 15));
}

void EsperaRangos(const Partida& p) {
    for (int j = 1; j <= 4; ++j) {
        EXPECT_LE(CuentaCaracteres(p.Nombres[j]), 9u);
        for (const auto* campo : {&p.EnEspera, &p.EnCasa, &p.SiguienteSalida}) {
            EXPECT_GE((*campo)[j], 0);
            EXPECT_LE((*campo)[j], 8);
        }
        for (int k = 1; k <= MaxFichas; ++k) {
            EXPECT_GE(p.Fichas[j][k], 0);
            EXPECT_LE(p.Fichas[j][k], 100);
        }
    }
    for (int i = 1; i <= NumCasillas; ++i)
        for (int h = 1; h <= 3; ++h) {
            EXPECT_GE(p.Casillas[i].Jugador[h], 0);
            EXPECT_LE(p.Casillas[i].Jugador[h], 4);
            EXPECT_GE(p.Casillas[i].Pieza[h], 0);
            EXPECT_LE(p.Casillas[i].Pieza[h], 8);
        }
    EXPECT_TRUE(p.NumFichas == 4 || p.NumFichas == 8);
    EXPECT_GE(p.NumJugada, 0);
    EXPECT_LE(p.NumJugada, 9999);
    EXPECT_EQ(p.Jugadas.size(), static_cast<std::size_t>(p.NumJugada) + 41);
    EXPECT_GE(p.Turno, 0);
    EXPECT_LE(p.Turno, 4);
    for (const Jugada& j : p.Jugadas) {
        EXPECT_TRUE(j.Jugador >= 0 && j.Jugador <= 4);
        EXPECT_TRUE(j.FichaJugada >= 0 && j.FichaJugada <= 8);
        EXPECT_TRUE(j.CasillaOrigen >= 0 && j.CasillaOrigen <= 100);
        EXPECT_TRUE(j.CasillaFinal >= 0 && j.CasillaFinal <= 100);
        EXPECT_TRUE(j.TipoJugada >= 0 && j.TipoJugada <= 11);
        EXPECT_TRUE(j.IndiceValor >= 0 && j.IndiceValor <= 5);
    }
}

std::string ConCampo(std::string contenido, int pos, const std::string& texto) {
    contenido.replace(static_cast<std::size_t>(pos), texto.size(), texto);
    return contenido;
}

}  // namespace parchis::prueba
