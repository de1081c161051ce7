// The state file: its two lines as written, records read back from them,
// and damaged files, where what the file does not say keeps its previous
// value.  Arbitrary bytes, and the ranges every read record keeps, are the
// fuzzer's.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <random>
#include <tuple>
#include <vector>

#include "ayudas_core.h"
#include "core/codificacion.h"
#include "core/estado.h"
#include "core/narracion_texto.h"

namespace parchis {
namespace {

using prueba::RegistroPorDefecto;

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

// A record as validation leaves it, with every stored field drawn at random
// and the log holding numJugada-1 entries (when iniciada).
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

// Every stored field of the two records is equal (the log included); the
// files as written show where they differ.
void EsperaMismoRegistro(const Partida& a, const Partida& b) {
    EXPECT_TRUE(SoloLoGuardado(a) == SoloLoGuardado(b))
        << Utf8DesdeWindows1252(ContenidoFichero(a)) << "\n" << Utf8DesdeWindows1252(ContenidoFichero(b));
}

// The file's text with `texto` laid at state-line position `pos` (the
// line's opening quote is byte 0).
std::string ConCampo(std::string contenido, int pos, const std::string& texto) {
    contenido.replace(static_cast<std::size_t>(pos), texto.size(), texto);
    return contenido;
}

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
            Partida original = RegistroAleatorio(azar, numJugada, numJugada > 0);
            if (numJugada > 2) original.Jugadas[numJugada / 2] = Jugada{};
            Partida& leido = leidos[simulacion];
            leido.LeyendoSimulacion = simulacion;
            LeerEstado(leido, ContenidoFichero(original));
            SCOPED_TRACE(std::to_string(numJugada) + (simulacion ? " simulación" : ""));
            EsperaMismoRegistro(original, leido);
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
        EXPECT_EQ(std::tuple(leido.NumJugada, leido.Jugadas, leido.ListaJugadas),
                  std::tuple(c.numJugada, std::vector<Jugada>(c.numJugada + 41u),
                             std::vector<std::string>{"Principio de la partida"}));
    }
}

// The field a validation case reads back.
#define CAMPO(expresion) [](const Partida& p) { return static_cast<int>(p.expresion); }

TEST(EstadoLectura, ValidacionDeLoLeido) {
    // Text laid at a state-line position; a simulation reads it unchecked.
    const struct {
        int pos; std::string texto; bool simulacion; std::function<int(const Partida&)> campo; int esperado;
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

// Damaged files.

// The record the damaged file is read into.
Partida Previo() {
    Partida p = RegistroPorDefecto();
    p.Velocidad = 77;
    p.Fichas[1][1] = 12;
    p.Fichas[4][8] = 76;
    p.Casillas[7].Jugador[2] = 2;
    p.Casillas[7].Pieza[2] = 3;
    p.EnEspera[2] = 3;
    p.Turno = 2;
    p.NumFichas = 4;
    return p;
}

struct Caso {
    const char* nombre; std::function<std::string(const std::string&)> dana;
    std::function<void(const Partida& leido, const Partida& escrito)> comprueba;
};

void ConservaLoPrevio(const Partida& leido, const Partida&) {
    const Partida previo = Previo();
    EXPECT_EQ(std::tuple(leido.Velocidad, leido.Fichas, leido.Casillas, leido.Nombres),
              std::tuple(previo.Velocidad, previo.Fichas, previo.Casillas, previo.Nombres));
}

TEST(EstadoDanado, LoQueNoDiceConservaSuValor) {
    const Caso casos[] = {
        {"vacío", [](const std::string&) { return std::string(); }, ConservaLoPrevio},
        {"cortado en las casillas",
         [](const std::string& c) { return c.substr(0, 450); },
         [](const Partida& leido, const Partida& escrito) {
             EXPECT_EQ(std::tuple(leido.Fichas, leido.Casillas[7], leido.Velocidad, leido.Turno),
                       std::tuple(escrito.Fichas, escrito.Casillas[7], 77, 2));
         }},
        {"cortado en el registro",
         [](const std::string& c) { return c.substr(0, 905 + 45); },
         [](const Partida& leido, const Partida& escrito) {
             EXPECT_EQ(std::tuple(leido.Jugadas[2], leido.Jugadas[3].Jugador, leido.Jugadas[4]),
                       std::tuple(escrito.Jugadas[2], escrito.Jugadas[3].Jugador, Jugada{}));
         }},
        {"sin comillas", [](std::string c) { return std::erase(c, '"'), c; }, EsperaMismoRegistro},
        {"sin comillas de cierre",
         [](const std::string& c) { return ConCampo(ConCampo(c, 901, "\r"), c.size() - 3, "\r"); },
         EsperaMismoRegistro},
        {"línea 1 demasiado larga",
         [](const std::string& c) { return c.substr(0, 901) + std::string(5000, '9') + c.substr(901); },
         EsperaMismoRegistro},
        {"línea 2 demasiado larga",
         [](const std::string& c) { return c.substr(0, c.size() - 3) + std::string(300000, '7') + "\"\r\n"; },
         EsperaMismoRegistro},
        {"números fuera de rango",
         [](const std::string& c) {
             std::string s = ConCampo(c, 19, "999");              // seat 1, piece 1
             s = ConCampo(s, 42 * 3 + 19 + 21, "-1 ");           // seat 4, piece 8
             s = ConCampo(s, 168 + 6 * 6 + 3, "7");               // square 7, slot 2 seat
             s = ConCampo(s, 168 + 6 * 6 + 4, "9");               // square 7, slot 2 piece
             s = ConCampo(s, 42 + 16, "9");                       // seat 2 waiting pieces
             s = ConCampo(s, 849, "5");                           // pieces per seat
             s = ConCampo(s, 839, "7");                           // turn
             s = ConCampo(s, 905, "5");                           // entry 1 seat
             s = ConCampo(s, 905 + 8, "9");                       // entry 1 piece
             s = ConCampo(s, 905 + 20 + 10, "999");               // entry 2 origin
             s = ConCampo(s, 905 + 40 + 6, "12");                 // entry 3 kind
             return s;
         },
         [](const Partida& leido, const Partida& escrito) {
             // The previous values stay; the log's fields read as 0.
             const Partida& l = leido;
             EXPECT_EQ((std::vector<int>{l.Fichas[1][1], l.Fichas[4][8], l.Casillas[7].Jugador[2],
                                         l.Casillas[7].Pieza[2], l.EnEspera[2], l.Turno}),
                       (std::vector<int>{12, 76, 2, 3, 3, 2}));
             EXPECT_EQ((std::vector<int>{l.Jugadas[1].Jugador, l.Jugadas[1].FichaJugada, l.Jugadas[2].CasillaOrigen,
                                         l.Jugadas[3].TipoJugada, l.Jugadas[3].CasillaFinal}),
                       (std::vector<int>{0, 0, 0, 0, escrito.Jugadas[3].CasillaFinal}));
         }},
        {"campos ilegibles",
         [](const std::string& c) {
             std::string s = ConCampo(c, 809, "   ");            // speed
             s = ConCampo(s, 813, "x");                           // dice
             s = ConCampo(s, 839, "-");                           // turn
             s = ConCampo(s, 801, "  ");                          // pause
             s = ConCampo(s, 19, "a3 ");                          // seat 1, piece 1
             s = ConCampo(s, 168 + 6 * 6 + 3, " ");               // square 7, slot 2 seat
             s = ConCampo(s, 10, "7x ");                          // seat 1 level
             return ConCampo(s, 42 + 16, "?");                    // seat 2 waiting pieces
         },
         [](const Partida& l, const Partida&) {
             // What cannot be read keeps its value, but a seat's own numbers
             // are read by the digits they begin with.
             EXPECT_EQ((std::vector<int>{l.Velocidad, l.NumDados, l.Turno, l.PausaEntreJugadas, l.Fichas[1][1],
                                         l.Casillas[7].Jugador[2], l.Nivel[1], l.EnEspera[2]}),
                       (std::vector<int>{77, 1, 2, true, 12, 2, 7, 0}));
         }},
        {"registro de 9999 jugadas sin línea 2",
         [](const std::string& c) { return ConCampo(c.substr(0, 903), 842, "9999"); },
         [](const Partida& leido, const Partida&) {
             EXPECT_EQ(std::tuple(leido.NumJugada, leido.Jugadas[9998]), std::tuple(9999, Jugada{}));
         }},
    };
    std::mt19937 azar(7);
    const Partida escrito = RegistroAleatorio(azar, 6, true);   // a game under way, 5 entries logged
    const std::string fichero = ContenidoFichero(escrito);
    for (const auto& c : casos) {
        for (bool simulacion : {false, true}) {
            SCOPED_TRACE(std::string(c.nombre) + (simulacion ? " (simulación)" : ""));
            Partida leido = Previo();
            leido.LeyendoSimulacion = simulacion;
            LeerEstado(leido, c.dana(fichero));
            c.comprueba(leido, escrito);
        }
    }
}

// A file can name as the next piece to leave a box one the seat does not
// have, or one already out: a loaded game names the lowest-numbered piece
// in the box, as moving keeps it, and the file's number when the box is
// empty and the number is one of the seat's pieces.
TEST(EstadoDanado, LaSiguienteFichaEnSalirEsDeLaCaja) {
    // FichasPorJugador (1: four pieces, 2: eight), SiguienteSalida in the
    // file, the pieces of seat 1 on the board, and the piece read.
    const struct {
        const char* nombre; int fichasPorJugador, guardada; std::vector<int> fuera; int esperada;
    } casos[] = {
        {"PiezaQueNoTiene", 1, 6, {1}, 2},
        {"PiezaYaFuera", 1, 1, {1, 2}, 3},
        {"Cero", 2, 0, {}, 1},
        {"CajaVaciaConservaLaSuya", 1, 3, {1, 2, 3, 4}, 3},
        {"CajaVaciaYNumeroAjeno", 1, 7, {1, 2, 3, 4}, 1},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        Partida escrito = RegistroPorDefecto();
        escrito.FichasPorJugador = static_cast<Entero>(c.fichasPorJugador);
        escrito.SiguienteSalida[1] = static_cast<Entero>(c.guardada);
        for (int k : c.fuera) escrito.Fichas[1][k] = static_cast<Entero>(20 + k);
        Partida leido;
        LeerEstado(leido, ContenidoFichero(escrito));
        EXPECT_EQ(leido.SiguienteSalida[1], c.esperada);
    }
}
}  // namespace
}  // namespace parchis
