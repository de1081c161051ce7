#include "ayudas_core.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <tuple>

#include "core/codificacion.h"
#include "core/estado.h"

namespace parchis::prueba {

namespace {

int Entre(std::mt19937& azar, int min, int max) {
    return std::uniform_int_distribution<int>(min, max)(azar);
}

std::string NombreAleatorio(std::mt19937& azar) {
    const std::vector<std::string> primeras{"A", "Á", "Ñ", "Z", "m", "é", "O"};
    const std::vector<std::string> resto{"a", "b", "ñ", "á", "é", "í", "ó", "ú", "ü", "z", " ", "'"};
    std::string nombre = primeras[Entre(azar, 0, 6)];
    const int largo = Entre(azar, 0, 8);
    for (int i = 0; i < largo; ++i) nombre += resto[Entre(azar, 0, 11)];
    return QuitaBlancos(nombre);
}

Entero E(std::mt19937& azar, int min, int max) { return static_cast<Entero>(Entre(azar, min, max)); }

void SorteaPuestos(std::mt19937& azar, Partida& p) {
    using Campo = std::array<Entero, 5> Partida::*;
    const std::tuple<Campo, int, int> campos[] = {
        {&Partida::Nivel, 0, 100}, {&Partida::Estado, 1, 2},   {&Partida::Control, 1, 3},
        {&Partida::Caracter, 1, 3}, {&Partida::EnEspera, 0, 8}, {&Partida::EnCasa, 0, 8},
        {&Partida::SiguienteSalida, 1, 8}};
    for (int j = 1; j <= 4; ++j) {
        p.Nombres[j] = NombreAleatorio(azar);
        for (const auto& [campo, min, max] : campos) (p.*campo)[j] = E(azar, min, max);
        for (int k = 1; k <= MaxFichas; ++k) p.Fichas[j][k] = E(azar, 0, 100);
    }
    for (int i = 1; i <= NumCasillas; ++i)
        for (int h = 1; h <= 3; ++h) {
            p.Casillas[i].Jugador[h] = E(azar, 0, 4);
            p.Casillas[i].Pieza[h] = E(azar, 0, 8);
        }
    CuentaJugadores(p);
}

void SorteaAjustes(std::mt19937& azar, Partida& p) {
    for (bool* b : {&p.PausaEntreJugadas, &p.Sonido, &p.TutorAutomatico, &p.SalidaCon5,
                    &p.SalidaObligatoria, &p.BonoComerSaliendo, &p.BarreraSalida, &p.BarreraSeguro,
                    &p.BarreraBlancas, &p.ComerObligatorio, &p.IndicarDestino, &p.BarreraCompaneros})
        *b = Entre(azar, 0, 1) == 1;
    const std::tuple<Entero*, int, int> campos[] = {
        {&p.Sentido, 1, 2},      {&p.Velocidad, 0, 100},    {&p.ModoJuego, 1, 3},
        {&p.NumDados, 1, 2},     {&p.FichasPorJugador, 1, 2}, {&p.SeisConTodas, 1, 3},
        {&p.PrimeraFicha, 1, 3}, {&p.MetodoSalida, 1, 2},   {&p.MetodoCuenta, 1, 2},
        {&p.ModoRed, 1, 2},      {&p.PuestoMesa, 0, 3},     {&p.MiPuerto, 1, 3},
        {&p.Turno, 1, 4},        {&p.Repeticiones, 0, 3},   {&p.PuestoAdmin, 0, 3}};
    for (const auto& [campo, min, max] : campos) *campo = E(azar, min, max);
    p.NumFichas = static_cast<Entero>(FichasSegunRegla(p));
    char id[8];
    std::snprintf(id, sizeof id, "%04d", Entre(azar, 1, 9999));
    p.IdPartida = id;
    // The address is read back with the blanks of its field.
    p.IPAdministrador = AjustaAncho("192.168.1." + std::to_string(Entre(azar, 1, 254)), 15);
}

Jugada EntradaAleatoria(std::mt19937& azar) {
    // Braced initialisation draws the fields in order: seat, author, dice,
    // value, kind, piece, value index, origin, end, repeats, first, outcome.
    return {E(azar, 1, 4),   E(azar, 0, 4),   E(azar, 0, 6), E(azar, 0, 6),  E(azar, 0, 20),
            E(azar, 1, 11),  E(azar, 0, 8),   E(azar, 0, 4), E(azar, 0, 100), E(azar, 0, 100),
            E(azar, 0, 2),   E(azar, 0, 1),   E(azar, 0, 7)};
}

// The record as a file stores it: the move list is told by the reader, the
// reading mode is the caller's and the address keeps the blanks of its field.
Partida SoloLoGuardado(Partida p) {
    p.ListaJugadas.clear();
    p.LeyendoSimulacion = false;
    p.IPAdministrador = AjustaAncho(p.IPAdministrador, 15);
    return p;
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
    // The next piece out of each box is kept as the program keeps it.
    p.NumFichas = static_cast<Entero>(FichasSegunRegla(p));
    for (int j = 1; j <= 4; ++j) {
        if (p.SiguienteSalida[j] > p.NumFichas) p.SiguienteSalida[j] = 1;
        RefrescaSalida(p, j);
    }
    return p;
}

void EsperaMismoRegistro(const Partida& a, const Partida& b) {
    // Every field, working ones included, must match; the files as written
    // show where they differ.
    EXPECT_TRUE(SoloLoGuardado(a) == SoloLoGuardado(b))
        << Utf8DesdeWindows1252(ContenidoFichero(a)) << "\n" << Utf8DesdeWindows1252(ContenidoFichero(b));
}

std::string ConCampo(std::string contenido, int pos, const std::string& texto) {
    contenido.replace(static_cast<std::size_t>(pos), texto.size(), texto);
    return contenido;
}

}  // namespace parchis::prueba
