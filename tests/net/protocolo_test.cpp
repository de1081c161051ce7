// Taking arrivals apart, the ports, the panel texts and the chat list; and
// the snapshot, from which a client takes the administrator's seats and
// rules, only when a state file of the same content would pass.
#include <gtest/gtest.h>

#include "common/posicion.h"
#include "core/codificacion.h"
#include "core/estado.h"
#include "net/instantanea.h"
#include "net/mensajes.h"
#include "net/protocolo.h"
#include "net/puertos.h"
#include "net/textos_red.h"

namespace parchis {
namespace {

std::vector<std::string> Todo(Receptor& r, const std::vector<std::string>& llegadas) {
    std::vector<std::string> m;
    for (const auto& l : llegadas)
        for (auto& x : r.Recibe(l)) m.push_back(x);
    return m;
}

const std::string Instantanea = "ZRA3411" + std::string(900, '7');

TEST(Receptor, LlegadasYMensajes) {
    const struct { Papel papel; std::vector<std::string> llegadas, mensajes; } casos[] = {
        {Papel::Cliente, {Instantanea + "ZRA34021"}, {Instantanea, "ZRA34021"}},
        {Papel::Cliente, {"   ZRA34031"}, {"ZRA34031"}},
        {Papel::Administrador, {"zra34010402"}, {"zra34010402"}},
        {Papel::Cliente, {"ZRA34021xxZRA34022"}, {"ZRA34021"}},          // junk drops the rest
        {Papel::Administrador, {"ZRA34010102" + std::string(5000, '\xff')}, {"ZRA34010102"}},
        {Papel::Cliente, {"ZRA34021 ZRA34022"}, {"ZRA34021"}},           // blanks only lead
        {Papel::Administrador, {"ZRA34021ZRA34010101"}, {}},            // not a code of this role
        {Papel::Cliente, {"ZRA3499ZRA34021"}, {}},
        {Papel::Cliente, {"ZRA3", "X", "ZRA34021"}, {"ZRA34021"}},      // a tail that cannot be a message
        {Papel::Cliente, {"ZRA3420Mar\xED" "a" + std::string(209, ' ')}, {"ZRA3420María" + std::string(209, ' ')}},
    };
    for (const auto& c : casos) {
        Receptor r(c.papel);
        EXPECT_EQ(Todo(r, c.llegadas), c.mensajes) << c.llegadas[0];
        EXPECT_EQ(r.Pendiente(), 0u) << "junk is never held: " << c.llegadas[0];
    }
}

TEST(Receptor, CortadoEnCualquierByte) {
    const std::string flujo = Instantanea + "ZRA34021ZRA34010603ZRA3406" + std::string(18, '1') + "ZRA3408";
    Receptor entero;
    const auto esperados = entero.Recibe(flujo);
    ASSERT_EQ(esperados.size(), 5u);
    std::vector<std::string> bytes;
    for (std::size_t i = 0; i <= flujo.size(); ++i) {
        Receptor r;
        EXPECT_EQ(Todo(r, {flujo.substr(0, i), flujo.substr(i)}), esperados) << "cut at " << i;
        if (i < flujo.size()) bytes.push_back(flujo.substr(i, 1));
    }
    Receptor r;
    EXPECT_EQ(Todo(r, bytes), esperados);
}

// The ports shifted are checked where the settings show them.
TEST(Puertos, Desplazamiento) {
    const std::pair<const char*, int> casos[] = {{nullptr, 0},        {"-100", -100}, {"12x", 0},
                                                 {"15611", 15611},    {"15612", 0},   {"-48897", -48897},
                                                 {"-48898", 0},       {"99999999999999999999", 0}, {"-", 0}};
    for (const auto& [texto, d] : casos) EXPECT_EQ(DesplazamientoPuertos(texto), d) << (texto ? texto : "unset");
}

TEST(Paneles, TiempoDeEsperaYPuestoConectado) {
    for (const auto& [segundos, texto] :
         {std::pair{5, "5 segundos."}, {65, "1 minuto y 5 segundos."}, {125, "2 minutos y 5 segundos."}})
        EXPECT_EQ(TiempoDeEspera(segundos), "\r\n Tiempo de espera.: " + std::string(texto));
    EXPECT_EQ(LineaJugador("María", true, "10.0.0.2", 49922), "Jugador María    : CONECTADO (10.0.0.2:49922)\r\n");
}

TEST(Chat, ListaCreceYSeMuestraEnOrden) {
    EXPECT_EQ(RegistroChat("Maximiliano", "09:05", "hola").substr(0, 15), "Maximilia09:05h");
    MensajesRed m;
    m.Anade(RegistroChat("Ana", "09:05", "  hola  "));
    EXPECT_EQ(m.Texto(), "<<< Mensaje de Ana a las 09:05 horas. >>>\r\nhola\r\n\r\n");
    for (int i = 2; i <= 50; ++i) m.Anade(RegistroChat("Luis", "10:00", std::to_string(i)));   // the list grows
    m.Anade(RegistroChat("Luis", "10:00", "51\r\n<<< Mensaje de Falso"));
    const std::string t = m.Texto();
    EXPECT_EQ(t.find("<<< Mensaje de Ana"), 0u);
    EXPECT_NE(t.find("50\r\n\r\n<<< Mensaje de Luis a las 10:00 horas. >>>\r\n51  <<< Mensaje de Falso"),
              std::string::npos)
        << "a line break received makes no header";
    for (int i = 0; i < 20000; ++i) m.Anade(RegistroChat("Luis", "10:00", "x"));
    EXPECT_LE(m.Capacidad(), 5000u);
}

std::string LineaDelAdministrador() {
    Partida a = prueba::RegistroPorDefecto();
    a.Nombres = {"", "Ana", "Benito", "Carmen", "María"};
    a.Nivel = {0, 10, 20, 30, 40};
    a.Control = {0, 3, 3, 2, 1};
    a.Estado = {0, 1, 1, 2, 1};
    a.NumDados = 2;
    a.Sentido = 1;
    a.FichasPorJugador = 2;
    a.BarreraCompaneros = true;
    a.IdPartida = "4711";
    return ComponerEstado(a).Linea1;
}

// At the administrator's seat 2, with settings and a position of its own.
Partida Cliente() {
    Partida c = prueba::RegistroPorDefecto();
    c.PuestoAdmin = 2;
    c.Sonido = false;
    c.IPAdministrador = "10.0.0.1";
    c.Fichas[4][1] = 33;
    return c;
}

TEST(Instantanea, PuestosGiradosYReglasTomadas) {
    const std::string linea = LineaDelAdministrador();
    for (bool automatico : {false, true}) {
        Partida c = Cliente();
        ASSERT_TRUE(AplicarInstantanea(c, linea, automatico));
        // Seat s = 2: the administrator's 1, 2, 3, 4 are here 3, 4, 1, 2.
        EXPECT_EQ(c.Nombres, (std::array<std::string, 5>{"", "Carmen", "María", "Ana", "Benito"}));
        EXPECT_EQ(c.Nivel, (std::array<Entero, 5>{0, 30, 40, 10, 20}));
        EXPECT_EQ(c.Estado, (std::array<Entero, 5>{0, 2, 1, 1, 1}));
        EXPECT_EQ(c.Control, (std::array<Entero, 5>{0, 2, 3, 3, static_cast<Entero>(automatico ? 2 : 1)}));
        EXPECT_EQ(std::tuple(c.NumDados, c.Sentido, c.NumFichas, c.NumJugadores, c.BarreraCompaneros, c.IdPartida),
                  std::tuple(2, 1, 8, 3, true, "4711"));
        // This computer's own settings and position stay.
        EXPECT_EQ(std::tuple(c.Sonido, c.IPAdministrador, c.Fichas[4][1], c.PuestoAdmin),
                  std::tuple(false, "10.0.0.1", 33, 2));
    }
}

TEST(Instantanea, UnaLineaDanadaNoTocaNada) {
    const std::string buena = LineaDelAdministrador();
    const struct {
        const char* caso;
        std::size_t pos;   // 1-based
        std::string texto;
    } danos[] = {
        {"seat state 7", 13, "7"},        {"level 500", 10, "500"},       {"control x", 14, "x"},
        {"three dice", 813, "5"},        {"direction 9", 805, "9"},      {"boolean 'xx'", 801, "xx"},
        {"a quote in a name", 2, "\""}, {"a line break", 700, "\n"},    {"a control byte", 30, "\x01"},
        {"exit method 0", 817, "0"},     {"long", 901, "x"},
    };
    for (const auto& d : danos) {
        // Positions count characters: "María" is one byte each on the wire.
        std::string bytes = Windows1252DesdeUtf8(buena);
        bytes.replace(d.pos - 1, d.texto.size(), d.texto);
        const std::string linea = Utf8DesdeWindows1252(bytes);
        Partida c = Cliente();
        const Partida antes = c;
        EXPECT_FALSE(AplicarInstantanea(c, linea, false)) << d.caso;
        EXPECT_TRUE(c == antes) << d.caso;
    }
    Partida c = Cliente();
    EXPECT_FALSE(AplicarInstantanea(c, buena.substr(0, 899), false)) << "short";
    c.PuestoAdmin = 0;
    EXPECT_FALSE(AplicarInstantanea(c, buena, false)) << "no seat yet";
}

}  // namespace
}  // namespace parchis
