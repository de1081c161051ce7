// The state line and the log line as written, and records read back from
// them.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "ayudas_core.h"
#include "core/codificacion.h"
#include "core/estado.h"
#include "core/narracion_texto.h"

namespace parchis {
namespace {

using prueba::ConCampo;
using prueba::RegistroPorDefecto;

std::string Repite(const std::string& texto, int veces) {
    std::string salida;
    for (int i = 0; i < veces; ++i) salida += texto;
    return salida;
}

std::string BloquePorDefecto(const std::string& nombre, char control) {
    return AjustaAncho(nombre, 9) + "050" + "1" + control + "2" + "000" + Repite("0  ", 8);
}

TEST(EstadoEscritura, LineaDeLosValoresPorDefecto) {
    const std::string ajustes =
        std::string("-1") + "-1" + "2 " + "-1" + "050"   // 801 pause, sound, direction, tutor, speed
        + "111121"                                        // 812 rules
        + Repite("-1", 6)                                 // 818 exit and barrier rules
        + "0 " + "-1"                                     // 830 compulsory capture, destinations
        + "202"                                           // 834 network mode, colours, counting
        + "0 " + "0" + "0 " + "0000" + "  "               // 837 partners, turn, game, move, blank
        + "440" + "    " + "01";                          // 848 seats, pieces, repeats, id, admin, port
    const std::string esperada = BloquePorDefecto("Carmen", '2') + BloquePorDefecto("Roberto", '2') +
                                 BloquePorDefecto("María", '2') + BloquePorDefecto("Luis", '1') +
                                 Repite("000000", 100) + std::string(17, ' ') + std::string(15, ' ') +
                                 ajustes + std::string(44, ' ');
    const TextoEstado texto = ComponerEstado(RegistroPorDefecto());
    EXPECT_EQ(texto.Linea1, esperada);
    EXPECT_EQ(texto.Linea2, "");
}

// Every field in its place, numbers wider than their field or negative cut
// as ever (in an entry or a square whose other fields are written whole,
// nothing moving), and the file in Windows-1252 with quotes and CR LF.
TEST(EstadoEscritura, CamposEnSuSitioYFicheroEnWindows1252ConComillasYCrLf) {
    Partida p = RegistroPorDefecto();
    p.Fichas[1][1] = 5;
    p.Fichas[2][8] = 100;
    p.Nombres[3] = "Maximiliano";
    p.Nombres[4] = "Di\"az\r\n";
    p.IPAdministrador = "10.0.0.1";
    p.IdPartida = "0042";
    p.Casillas[1].Jugador[3] = 4;
    p.Casillas[1].Pieza[3] = 8;
    p.Casillas[2].Jugador[1] = 12;
    p.Casillas[2].Pieza[1] = -1;
    p.Casillas[2].Pieza[3] = 8;
    p.Nivel[2] = -5;
    p.Velocidad = 7;
    p.NumJugada = 3;
    p.PartidaIniciada = true;
    p.Jugadas[1] = {1, 0, 5, 0, 150, 3, 1, 0, -5, 1000, 0, 1, 3, 2};
    p.Jugadas[2] = {1, 0, 5, 0, 20, 5, 1, 0, 5, 25, 0, 0, 0, 0};
    const std::string linea = ComponerEstado(p).Linea1;
    // A quote would end the quoted line early and a line break split it.
    for (auto [pos, texto] : {std::pair<int, std::string>{51, "-05"}, {808, "007"}, {18, "5  "}, {81, "100"},
                              {84, "Maximilia"}, {126, "Di'az    "}, {168, "000048" "1-0008" "000000"},
                              {785, "10.0.0.1       "}, {850, "0042"}})
        EXPECT_EQ(linea.substr(pos, texto.size()), texto) << pos;
    const std::string contenido = ContenidoFichero(p);
    const std::string registro = "1050150310-051000103" "10502005100050250000";
    EXPECT_EQ(ComponerEstado(p).Linea2, registro);
    EXPECT_EQ(ContenidoFichero(RegistroPorDefecto()).substr(85, 10), "Mar\xED" "a    0");   // one byte for í
    EXPECT_EQ(contenido.substr(901), "\"\r\n\"" + registro + "\"\r\n");   // after the 900 of line 1
    Partida leido;
    LeerEstado(leido, contenido);
    EXPECT_EQ(leido.IPAdministrador, "10.0.0.1       ");   // with the blanks of its field
}

TEST(EstadoLectura, LoEscritoSeLeeIgual) {
    std::mt19937 azar(1234);
    // Each file is read over the last one's record: a log longer or shorter
    // than the new one, whose entries never show through its entries of zeros.
    Partida leidos[2];
    // Logs that grow past 40, 80 and 120 entries keep every one of them.
    for (int numJugada : {0, 1, 2, 3, 39, 40, 41, 80, 81, 121, 200, 1000, 7}) {
        for (bool simulacion : {false, true}) {
            Partida original = prueba::RegistroAleatorio(azar, numJugada, numJugada > 0);
            if (numJugada > 2) original.Jugadas[numJugada / 2] = Jugada{};
            Partida& leido = leidos[simulacion];
            leido.LeyendoSimulacion = simulacion;
            LeerEstado(leido, ContenidoFichero(original));
            SCOPED_TRACE(std::to_string(numJugada) + (simulacion ? " simulación" : ""));
            prueba::EsperaMismoRegistro(original, leido);
            // Every entry is told, at least in one line, after the opening one.
            if (!simulacion) { EXPECT_GE(leido.ListaJugadas.size(), std::max(numJugada, 1) + 0u); }
        }
    }
}

TEST(EstadoLectura, LaListaSeRehaceConLosJugadoresYaValidados) {
    Partida p = RegistroPorDefecto();
    p.Nombres[2] = "PEDRO";
    p.NumJugada = 4;   // entry 3 never played
    p.PartidaIniciada = true;
    p.Jugadas[1] = {2, 0, 5, 0, 5, 3, 1, 0, 0, 5, 0, 1, 0, 0};
    p.Jugadas[2] = {2, 0, 6, 0, 0, 11, 1, 0, 5, 0, 0, 1, 0, 0};
    const std::vector<std::string> esperada{"Principio de la partida", "  1 Pedro cuenta 5",
                                            "  2 Ficha de Pedro", "    eliminada (3 seises)",
                                            "  3  cuenta 0"};
    // Lines of another game, more or fewer, longer or shorter: none of them
    // may show through.
    for (const char* vieja : {"una línea de otra partida, más larga", "x", ""}) {
        for (std::size_t lineas : {1, 6}) {
            Partida leido;
            leido.ListaJugadas.assign(lineas, vieja);
            LeerEstado(leido, ContenidoFichero(p));
            EXPECT_EQ(leido.ListaJugadas, esperada) << vieja;
        }
    }

    // A simulation reads the record only.
    Partida simulado;
    simulado.LeyendoSimulacion = true;
    simulado.ListaJugadas = {"intacta"};
    LeerEstado(simulado, ContenidoFichero(p));
    EXPECT_EQ(simulado.ListaJugadas, std::vector<std::string>{"intacta"});
}

TEST(EstadoLectura, SinJugadasCompletasLaLinea2SeIgnora) {
    const std::string registro = "1050050310000005010310500205100050250000";
    struct Caso { Entero numJugada; bool iniciada; } casos[] = {{1, true}, {0, true}, {3, false}};
    for (const auto& c : casos) {
        Partida p = RegistroPorDefecto();
        p.NumJugada = c.numJugada;
        p.PartidaIniciada = c.iniciada;
        std::string contenido = ContenidoFichero(p);
        contenido.replace(contenido.size() - 3, 0, registro);   // leftover text
        Partida leido;
        LeerEstado(leido, contenido);
        EXPECT_EQ(leido.NumJugada, c.numJugada);
        EXPECT_EQ(leido.Jugadas, std::vector<Jugada>(c.numJugada + 41u));
        EXPECT_EQ(leido.ListaJugadas, std::vector<std::string>{"Principio de la partida"});
    }
}

// The field a validation case reads back.
#define CAMPO(expresion) [](const Partida& p) { return static_cast<int>(p.expresion); }

TEST(EstadoLectura, ValidacionDeLoLeido) {
    // Text laid at a state-line position; a simulation reads it unchecked.
    const struct {
        int pos;
        std::string texto;
        bool simulacion;
        std::function<int(const Partida&)> campo;
        int esperado;
    } casos[] = {
        {10, "101", false, CAMPO(Nivel[1]), 50},  {10, "-1 ", false, CAMPO(Nivel[1]), 50},
        {10, "100", false, CAMPO(Nivel[1]), 100}, {10, "101", true, CAMPO(Nivel[1]), 101},
        {14, "0", false, CAMPO(Control[1]), 2},   {57, "4", false, CAMPO(Caracter[2]), 2},
        {97, "3", false, CAMPO(Estado[3]), 1},    {837, "1 ", false, CAMPO(BarreraCompaneros), false},
        {837, "1 ", true, CAMPO(BarreraCompaneros), true}, {830, "7 ", false, CAMPO(ComerObligatorio), false},
        {803, "1 ", false, CAMPO(Sonido), true},  {824, "99", false, CAMPO(BarreraSalida), true},
        {840, "1 ", false, CAMPO(PartidaIniciada), true}, {805, "3 ", false, CAMPO(Sentido), 2},
        {809, "101", false, CAMPO(Velocidad), 50}, {812, "4", false, CAMPO(ModoJuego), 1},
        {813, "0", false, CAMPO(NumDados), 1},
        {816, "0", false, CAMPO(PrimeraFicha), 2}, {834, "3", false, CAMPO(ModoRed), 2},
        {835, "4", false, CAMPO(PuestoMesa), 0},  {836, "0", false, CAMPO(MetodoCuenta), 2},
        {856, "4", false, CAMPO(MiPuerto), 1},
        // A negative move number starts the log afresh.
        {842, "-7  ", false, CAMPO(NumJugada), 1}, {842, "-7  ", false, CAMPO(Jugadas.size()), 42},
        // The number of pieces follows the rule, the player count the seats.
        {814, "2", false, CAMPO(NumFichas), 8},   {849, "8", false, CAMPO(NumFichas), 4},
        {97, "2", false, CAMPO(NumJugadores), 3}, {848, "0", false, CAMPO(NumJugadores), 4},
    };
    const std::string base = ContenidoFichero(RegistroPorDefecto());
    for (const auto& c : casos) {
        Partida leido;
        leido.LeyendoSimulacion = c.simulacion;
        LeerEstado(leido, ConCampo(base, c.pos, c.texto));
        EXPECT_EQ(c.campo(leido), c.esperado) << c.pos << " '" << c.texto << "'";
    }
}
#undef CAMPO

TEST(EstadoLectura, NombresValidados) {
    const std::pair<std::string, std::string> casos[] = {
        {"Carmen   ", "Carmen"},   {"  jOS\xC9   ", "josé"},     {"\xD1" "AND\xDA    ", "Ñandú"},
        {"ANA MAR\xCD" "A", "Ana maría"}, {"         ", ""},     {"\xC1" "lvaro   ", "Álvaro"},
    };
    const std::string base = ContenidoFichero(RegistroPorDefecto());
    for (const auto& [enFichero, nombre] : casos) {
        Partida leido;
        LeerEstado(leido, ConCampo(base, 1, enFichero));
        EXPECT_EQ(leido.Nombres[1], nombre);
    }
}

}  // namespace
}  // namespace parchis
