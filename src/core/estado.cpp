#include "core/estado.h"

#include <algorithm>

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
void Coloca(std::string& linea, int pos, int ancho, const std::string& texto) {
    linea.replace(static_cast<std::size_t>(pos - 1), std::min<std::size_t>(texto.size(), ancho),
                  texto, 0, std::min<std::size_t>(texto.size(), ancho));
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

void ColocaPuestos(std::string& linea, const Partida& p) {
    for (int j = 1; j <= 4; ++j) {
        const int base = BasePuesto(j);
        Coloca(linea, base + 1, LargoNombre, TextoSeguro(p.Nombres[j]));
        for (const auto& c : CamposPuesto)
            Coloca(linea, base + c.Desplazamiento, c.Ancho, Numero((p.*c.Campo)[j], c.Ancho, c.Ceros));
        // Every piece is written, whatever the number of pieces in play.
        for (int k = 1; k <= MaxFichas; ++k)
            Coloca(linea, PosFicha(j, k), 3, Numero(p.Fichas[j][k], 3, false));
    }
}

void ColocaCasillas(std::string& linea, const Partida& p) {
    for (int i = 1; i <= NumCasillas; ++i) {
        const Casilla& c = p.Casillas[i];
        for (int hueco = 1; hueco <= 3; ++hueco) {
            const int pos = BaseCasilla(i) + 2 * hueco - 1;
            Coloca(linea, pos, 1, Numero(c.Jugador[hueco], 1, false));
            Coloca(linea, pos + 1, 1, Numero(c.Pieza[hueco], 1, false));
        }
    }
}

void ColocaAjustes(std::string& linea, const Partida& p) {
    Coloca(linea, PosIP, LargoIP, TextoSeguro(p.IPAdministrador));
    for (const auto& c : CamposBooleanos)
        Coloca(linea, c.Pos, 2, p.*c.Campo ? "-1" : "0");
    for (const auto& c : CamposEnteros)
        Coloca(linea, c.Pos, c.AnchoEscritura, Numero(p.*c.Campo, c.AnchoEscritura, c.Ceros));
    Coloca(linea, PosIdPartida, LargoIdPartida, TextoSeguro(p.IdPartida));
}

// The state line as it goes to disk, one Windows-1252 byte per character.
std::string LineaEstado(const Partida& p) {
    std::string linea(LargoLinea, ' ');
    ColocaPuestos(linea, p);
    ColocaCasillas(linea, p);
    ColocaAjustes(linea, p);
    return linea;
}

std::string LineaRegistro(const Partida& p) {
    std::string linea;
    if (p.NumJugada < 2) return linea;
    linea.reserve(static_cast<std::size_t>(p.NumJugada - 1) * LargoEntrada);
    for (int n = 1; n < p.NumJugada; ++n) {
        // An entry the log has no room for is written as zeros, so the line
        // always has one entry per completed move.
        const Jugada& j = n < static_cast<int>(p.Jugadas.size()) ? p.Jugadas[n] : Jugada{};
        for (const auto& c : CamposJugada)
            linea += Numero(j.*c.Campo, c.Ancho, c.Ancho > 1);
    }
    return linea;
}

}  // namespace

TextoEstado ComponerEstado(const Partida& p) {
    return {Utf8DesdeWindows1252(LineaEstado(p)), LineaRegistro(p)};
}

std::string ContenidoFichero(const Partida& p) {
    return "\"" + LineaEstado(p) + "\"\r\n\"" + LineaRegistro(p) + "\"\r\n";
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
