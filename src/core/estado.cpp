#include "core/estado.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "core/codificacion.h"
#include "core/disposicion_estado.h"
#include "core/fichero.h"

namespace parchis {

namespace {

using namespace disposicion;

// The number as text cut to `ancho` characters; zero-padded to that width
// when asked (50 in three places is "050").
std::string Numero(int valor, int ancho, bool ceros) {
    std::string texto = std::to_string(valor < 0 ? -valor : valor);
    const std::size_t anchoCifras = static_cast<std::size_t>(ancho - (valor < 0 ? 1 : 0));
    if (ceros && texto.size() < anchoCifras) texto.insert(0, anchoCifras - texto.size(), '0');
    if (valor < 0) texto.insert(0, 1, '-');
    texto.resize(std::min(texto.size(), static_cast<std::size_t>(ancho)));
    return texto;
}

// Lays `texto` (already one byte per character) into the line at `pos`,
// never past `ancho` characters.
void Coloca(char* linea, int pos, int ancho, std::string_view texto) {
    std::copy_n(texto.begin(), std::min<std::size_t>(texto.size(), ancho), linea + pos - 1);
}

// Numero(valor, ancho, ceros) laid at `destino`.  A log of thousands of
// entries is thousands of these, so the usual case, a number its width can
// hold, is written digit by digit without building a text.
constexpr int Tope[] = {1, 10, 100, 1000, 10000};

void ColocaNumero(char* destino, int valor, int ancho, bool ceros) {
    if (valor >= 0 && valor < Tope[ancho]) {
        int cifras = ceros ? ancho : 1;
        while (valor >= Tope[cifras]) ++cifras;
        for (int i = cifras - 1; i >= 0; --i, valor /= 10) destino[i] = static_cast<char>('0' + valor % 10);
        return;
    }
    const std::string texto = Numero(valor, ancho, ceros);
    std::copy(texto.begin(), texto.end(), destino);
}

// Text typed by a person goes into a quoted line: a double quote would end
// the line early and a line break would split it, so they become an
// apostrophe and a blank.
std::string TextoSeguro(const std::string& utf8) {
    std::string bytes = Windows1252DesdeUtf8(utf8);
    for (char& c : bytes) {
        if (c == '"') c = '\'';
        else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
    }
    return bytes;
}

void ColocaPuestos(char* linea, const Partida& p) {
    for (int j = 1; j <= 4; ++j) {
        const int base = BasePuesto(j);
        Coloca(linea, base + 1, LargoNombre, TextoSeguro(p.Nombres[j]));
        for (const auto& c : CamposPuesto)
            ColocaNumero(&linea[base + c.Desplazamiento - 1], (p.*c.Campo)[j], c.Ancho, c.Ceros);
        // Every piece is written, whatever the number of pieces in play.
        for (int k = 1; k <= MaxFichas; ++k)
            ColocaNumero(&linea[PosFicha(j, k) - 1], p.Fichas[j][k], 3, false);
    }
}

void ColocaCasillas(char* linea, const Partida& p) {
    for (int i = 1; i <= NumCasillas; ++i) {
        const Casilla c = p.Casillas[i];
        // One test per square for the usual one-digit occupants.
        unsigned fuera = 0;
        char texto[6];
        for (int hueco = 1; hueco <= 3; ++hueco) {
            fuera |= static_cast<unsigned>(c.Jugador[hueco]) / 10 | static_cast<unsigned>(c.Pieza[hueco]) / 10;
            texto[2 * hueco - 2] = static_cast<char>('0' + c.Jugador[hueco]);
            texto[2 * hueco - 1] = static_cast<char>('0' + c.Pieza[hueco]);
        }
        if (fuera == 0) {
            CopiaCorta<6>(&linea[static_cast<std::size_t>(BaseCasilla(i))], texto);
            continue;
        }
        for (int hueco = 1; hueco <= 3; ++hueco) {
            const int pos = BaseCasilla(i) + 2 * hueco - 1;
            ColocaNumero(&linea[pos - 1], c.Jugador[hueco], 1, false);
            ColocaNumero(&linea[pos], c.Pieza[hueco], 1, false);
        }
    }
}

void ColocaAjustes(char* linea, const Partida& p) {
    Coloca(linea, PosIP, LargoIP, TextoSeguro(p.IPAdministrador));
    for (const auto& c : CamposBooleanos)
        Coloca(linea, c.Pos, 2, p.*c.Campo ? "-1" : "0");
    for (const auto& c : CamposEnteros)
        ColocaNumero(&linea[c.Pos - 1], p.*c.Campo, c.AnchoEscritura, c.Ceros);
    Coloca(linea, PosIdPartida, LargoIdPartida, TextoSeguro(p.IdPartida));
}

// The state line as it goes to disk, one Windows-1252 byte per character,
// laid over the LargoLinea blanks at `linea`.
void ColocaLinea(char* linea, const Partida& p) {
    ColocaPuestos(linea, p);
    ColocaCasillas(linea, p);
    ColocaAjustes(linea, p);
}

std::string LineaEstado(const Partida& p) {
    std::string linea(LargoLinea, ' ');
    ColocaLinea(linea.data(), p);
    return linea;
}

// True when every byte of the entry is zero, as in every entry past a
// damaged log's end: the line's zeros already tell it.  Tested apart from
// the composing of played entries, so that the thousands of such entries a
// damaged file can declare cost no more than this test.  (An entry whose
// only other bytes are fields the file does not store is composed, as
// zeros.)
bool EntradaVacia(const Jugada& j) {
    return OrDePalabras<sizeof(Jugada)>(reinterpret_cast<const char*>(&j)) == 0;
}

// Log entry `j` at `destino`.  Entries whose every field fits its width, all
// of them but in a damaged record, are found with one test per entry rather
// than one per field, and composed apart and copied whole, in word-sized
// moves: the log can hold thousands.
void ColocaEntrada(char* destino, const Jugada& j) {
    unsigned fuera = 0;
    ParaCadaCampoJugada([&](auto i) __attribute__((always_inline)) {
        constexpr CampoJugada c = CamposJugada[i];
        fuera |= static_cast<unsigned>(j.*c.Campo) / Tope[c.Ancho];
    });
    if (fuera != 0) {
        for (const auto& c : CamposJugada)
            ColocaNumero(destino + c.Desplazamiento - 1, j.*c.Campo, c.Ancho, c.Ancho > 1);
        return;
    }
    char texto[LargoEntrada];
    ParaCadaCampoJugada([&](auto i) __attribute__((always_inline)) {
        constexpr CampoJugada c = CamposJugada[i];
        auto valor = static_cast<unsigned>(j.*c.Campo);
        for (int k = c.Ancho - 1; k >= 0; --k, valor /= 10)
            texto[c.Desplazamiento - 1 + k] = static_cast<char>('0' + valor % 10);
    });
    CopiaCorta<LargoEntrada>(destino, texto);
}

// The log line appended to `salida`.
void AnadeRegistro(std::string& salida, const Partida& p) {
    if (p.NumJugada < 2) return;
    // An entry the log has no room for is written as zeros, so the line
    // always has one entry per completed move.
    const std::size_t inicio = salida.size();
    salida.resize(inicio + static_cast<std::size_t>(p.NumJugada - 1) * LargoEntrada, '0');
    const int enLog = std::min<int>(p.NumJugada, static_cast<int>(p.Jugadas.size()));
    for (int n = 1; n < enLog; ++n)
        if (!EntradaVacia(p.Jugadas[n]))
            ColocaEntrada(&salida[inicio + static_cast<std::size_t>(n - 1) * LargoEntrada], p.Jugadas[n]);
}

}  // namespace

TextoEstado ComponerEstado(const Partida& p) {
    TextoEstado texto{Utf8DesdeWindows1252(LineaEstado(p)), {}};
    AnadeRegistro(texto.Linea2, p);
    return texto;
}

void ContenidoFichero(const Partida& p, std::string& contenido) {
    contenido.clear();
    contenido.reserve(LargoLinea + 6 + static_cast<std::size_t>(std::max(p.NumJugada - 1, 0)) * LargoEntrada);
    contenido += '"';
    contenido.append(LargoLinea, ' ');
    ColocaLinea(&contenido[1], p);
    contenido += "\"\r\n\"";
    AnadeRegistro(contenido, p);
    contenido += "\"\r\n";
}

std::string ContenidoFichero(const Partida& p) {
    std::string contenido;
    ContenidoFichero(p, contenido);
    return contenido;
}

bool GuardarEstado(const Partida& p, const std::string& nombre) {
    return EscribeFichero(p.Carpeta + nombre, ContenidoFichero(p));
}

void CargarEstado(Partida& p, const std::string& nombre) {
    std::string contenido;
    if (LeeFichero(p.Carpeta + nombre, contenido) != 0) {
        p.CargaCorrecta = false;
        return;
    }
    LeerEstado(p, contenido);
    p.CargaCorrecta = true;
    if (!p.LeyendoSimulacion) p.PartidaCargada = true;
}

}  // namespace parchis
