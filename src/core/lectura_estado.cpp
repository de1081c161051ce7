// The reader of state files.  Its input comes from disk and may be damaged
// (cut short, overlong, binary, without quotes, with numbers out of range),
// so every field is taken on its own: a field that is missing, cannot be
// converted or is out of its range leaves the record's value as it was, and
// no loop runs past the sizes of the record's arrays.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "core/codificacion.h"
#include "core/disposicion_estado.h"
#include "core/estado.h"
#include "core/narracion_texto.h"

namespace parchis {

namespace {

using namespace disposicion;

// The text of a line as the writer left it: between the first double quote
// and the next one, or the end of the line when the closing quote is
// missing.  A line with no quote at all is taken whole.
std::string_view TextoCitado(std::string_view linea) {
    if (!linea.empty() && linea.back() == '\r') linea.remove_suffix(1);
    const auto abre = linea.find('"');
    if (abre == std::string_view::npos) return linea;
    linea.remove_prefix(abre + 1);
    return linea.substr(0, linea.find('"'));
}

std::pair<std::string_view, std::string_view> Lineas(std::string_view contenido) {
    const auto fin1 = contenido.find('\n');
    if (fin1 == std::string_view::npos) return {TextoCitado(contenido), {}};
    std::string_view resto = contenido.substr(fin1 + 1);
    return {TextoCitado(contenido.substr(0, fin1)), TextoCitado(resto.substr(0, resto.find('\n')))};
}

// The characters of a field at 1-based `pos`; none when the line ends
// before the field starts (a short file's missing fields).
std::optional<std::string_view> Campo(std::string_view linea, int pos, int ancho) {
    const auto inicio = static_cast<std::size_t>(pos - 1);
    if (inicio >= linea.size()) return std::nullopt;
    return std::string_view(linea.data() + inicio, std::min(linea.size() - inicio, static_cast<std::size_t>(ancho)));
}

bool EsDigito(char c) { return c >= '0' && c <= '9'; }

// The whole field as an integer: blanks around it, an optional sign and at
// least one digit; anything else cannot be converted.
std::optional<int> NumeroEntero(std::optional<std::string_view> campo) {
    if (!campo) return std::nullopt;
    std::string_view t = *campo;
    // Most fields are digits alone, read straight; blanks and a sign are
    // looked for only when there is something else.
    int valor = 0;
    std::size_t i = 0;
    for (; i < t.size() && EsDigito(t[i]); ++i) valor = valor * 10 + (t[i] - '0');
    if (i == t.size()) return i > 0 ? std::optional<int>(valor) : std::nullopt;
    while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
    while (!t.empty() && t.back() == ' ') t.remove_suffix(1);
    const bool negativo = !t.empty() && t.front() == '-';
    if (!t.empty() && (t.front() == '-' || t.front() == '+')) t.remove_prefix(1);
    if (t.empty()) return std::nullopt;
    valor = 0;
    for (char c : t) {
        if (!EsDigito(c)) return std::nullopt;
        valor = valor * 10 + (c - '0');
    }
    return negativo ? -valor : valor;
}

// The number the field's characters begin with (blanks skipped, 0 when they
// begin with no digit), as seat fields have always been read.
std::optional<int> ValorInicial(std::optional<std::string_view> campo) {
    if (!campo) return std::nullopt;
    std::string_view t = *campo;
    while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
    const bool negativo = !t.empty() && t.front() == '-';
    if (!t.empty() && (t.front() == '-' || t.front() == '+')) t.remove_prefix(1);
    int valor = 0;
    for (std::size_t i = 0; i < t.size() && EsDigito(t[i]); ++i) valor = valor * 10 + (t[i] - '0');
    return negativo ? -valor : valor;
}

// Assigns the value when there is one and it lies in min..max.
void Asigna(Entero& destino, std::optional<int> valor, int min, int max) {
    if (valor && *valor >= min && *valor <= max) destino = static_cast<Entero>(*valor);
}

// Text fields: UTF-8 in memory, with control characters as blanks so that
// what is read can always be written back unchanged.
std::string Texto(std::string_view bytes) {
    std::string limpio(bytes);
    for (char& c : limpio)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
    return Utf8DesdeWindows1252(limpio);
}

void LeePuestos(Partida& p, std::string_view linea) {
    for (int j = 1; j <= 4; ++j) {
        const int base = BasePuesto(j);
        if (const auto nombre = Campo(linea, base + 1, LargoNombre))
            p.Nombres[j] = QuitaBlancos(Texto(*nombre));
        for (const auto& c : CamposPuesto)
            Asigna((p.*c.Campo)[j], ValorInicial(Campo(linea, base + c.Desplazamiento, c.Ancho)),
                   c.Min, c.Max);
        for (int k = 1; k <= MaxFichas; ++k)
            Asigna(p.Fichas[j][k], NumeroEntero(Campo(linea, PosFicha(j, k), 3)), 0, NumCasillas);
    }
}

// Square `c` from its six characters when they are all digits naming
// seats 0..4 and pieces 0..8, as the writer leaves them; false otherwise.
// One test per square rather than several per character: a hundred squares
// are read with every state line.
bool LeeCasillaDeCifras(Casilla& c, const char* campos) {
    char texto[6];
    CopiaCorta<6>(texto, campos);
    unsigned otros = 0;
    for (const char t : texto) otros |= (static_cast<unsigned char>(t) - unsigned{'0'}) / 10;
    if (otros != 0) return false;
    Casilla leida = c;
    int fuera = 0;   // negative when a seat or piece is past its maximum
    for (int hueco = 1; hueco <= 3; ++hueco) {
        leida.Jugador[hueco] = static_cast<Entero>(texto[2 * hueco - 2] - '0');
        leida.Pieza[hueco] = static_cast<Entero>(texto[2 * hueco - 1] - '0');
        fuera |= (4 - leida.Jugador[hueco]) | (MaxFichas - leida.Pieza[hueco]);
    }
    if (fuera < 0) return false;
    c = leida;
    return true;
}

void LeeCasillas(Partida& p, std::string_view linea) {
    for (int i = 1; i <= NumCasillas; ++i) {
        const auto base = static_cast<std::size_t>(BaseCasilla(i));
        if (base + 6 <= linea.size() && LeeCasillaDeCifras(p.Casillas[i], linea.data() + base)) continue;
        for (int hueco = 1; hueco <= 3; ++hueco) {
            const int pos = BaseCasilla(i) + 2 * hueco - 1;
            Asigna(p.Casillas[i].Jugador[hueco], NumeroEntero(Campo(linea, pos, 1)), 0, 4);
            Asigna(p.Casillas[i].Pieza[hueco], NumeroEntero(Campo(linea, pos + 1, 1)), 0, MaxFichas);
        }
    }
}

// -1 is true and 0 false.  Another number is true in a simulation (which is
// not validated) and otherwise takes the value validation gives it.
void LeeBooleano(Partida& p, const CampoBooleano& c, std::string_view linea) {
    const auto valor = NumeroEntero(Campo(linea, c.Pos, 2));
    if (!valor) return;
    bool& destino = p.*c.Campo;
    if (*valor == -1 || *valor == 0) destino = *valor == -1;
    else destino = p.LeyendoSimulacion || c.SiOtro != OtroValor::Falso;
}

void LeeAjustes(Partida& p, std::string_view linea) {
    if (const auto ip = Campo(linea, PosIP, LargoIP)) p.IPAdministrador = Texto(*ip);
    for (const auto& c : CamposBooleanos) LeeBooleano(p, c, linea);
    const Entero fichasAntes = p.NumFichas;
    for (const auto& c : CamposEnteros)
        Asigna(p.*c.Campo, NumeroEntero(Campo(linea, c.Pos, c.AnchoLectura)), c.Min, c.Max);
    if (p.NumFichas != 4 && p.NumFichas != MaxFichas) p.NumFichas = fichasAntes;
    if (const auto id = Campo(linea, PosIdPartida, LargoIdPartida))
        p.IdPartida = AjustaAncho(Texto(*id), LargoIdPartida);
}

// Entry n of the line, each field on its own.
void LeeEntradaCampoACampo(Jugada& j, std::string_view linea, int n) {
    const int base = (n - 1) * LargoEntrada;
    for (const auto& c : CamposJugada)
        Asigna(j.*c.Campo, NumeroEntero(Campo(linea, base + c.Desplazamiento, c.Ancho)), c.Min, c.Max);
}

// Entry `j` from its 20 characters when they are all digits; false
// otherwise.  A log can hold thousands of entries, so an entry whose every
// field is in its range, as the writer leaves them, is found with one test
// rather than several per field, and its fields are stored one by one
// rather than through a copy of the whole entry (a call under the address
// checker).  A field past its maximum keeps its value, as it would read one
// field at a time: a line shifted by a damaged byte reads this way, entry
// after entry.
bool LeeEntradaDeCifras(Jugada& j, const char (&texto)[LargoEntrada]) {
    unsigned otros = 0;
    for (const char c : texto) otros |= (static_cast<unsigned char>(c) - unsigned{'0'}) / 10;
    if (otros != 0) return false;
    const auto valor = [&texto](const CampoJugada& c) __attribute__((always_inline)) {
        int v = 0;
        for (int k = 0; k < c.Ancho; ++k) v = v * 10 + (texto[c.Desplazamiento - 1 + k] - '0');
        return v;
    };
    int fuera = 0;   // negative when a field is past its maximum
    ParaCadaCampoJugada([&](auto i) __attribute__((always_inline)) {
        constexpr CampoJugada c = CamposJugada[i];
        static_assert(c.Min == 0);
        fuera |= c.Max - valor(c);
    });
    const bool todos = fuera >= 0;
    ParaCadaCampoJugada([&](auto i) __attribute__((always_inline)) {
        constexpr CampoJugada c = CamposJugada[i];
        if (const int v = valor(c); todos) j.*c.Campo = static_cast<Entero>(v);
        else if (v <= c.Max) j.*c.Campo = static_cast<Entero>(v);
    });
    return true;
}

// Twenty zeros: the cleared entry, as every one past the end of the moves
// a damaged file declares is written.
bool EntradaDeCeros(const char (&texto)[LargoEntrada]) {
    std::uint64_t a, b;
    std::uint32_t c;
    std::memcpy(&a, texto, 8);
    std::memcpy(&b, texto + 8, 8);
    std::memcpy(&c, texto + 16, 4);
    constexpr std::uint64_t ceros = 0x3030303030303030;
    return ((a ^ ceros) | (b ^ ceros) | (c ^ static_cast<std::uint32_t>(ceros))) == 0;
}

// The log made `largo` cleared entries, in one fill: a cleared entry is all
// zeros, and the log can hold ten thousand.
void VaciaRegistro(std::vector<Jugada>& registro, std::size_t largo) {
    static_assert(std::is_trivially_copyable_v<Jugada>);
    registro.resize(largo);
    std::memset(static_cast<void*>(registro.data()), 0, largo * sizeof(Jugada));
}

// Reads the log into entries that were just cleared.
void LeeRegistro(Partida& p, std::string_view linea) {
    // Entries past the end of the line stay cleared, and so do entries of
    // zeros; the entry the line cuts short is read field by field.
    const int enteras = static_cast<int>(linea.size() / LargoEntrada);
    const int ultima = std::min(p.NumJugada - 1, enteras + (linea.size() % LargoEntrada != 0));
    const int ultimaEntera = std::min(ultima, enteras);
    for (int n = 1; n <= ultimaEntera; ++n) {
        char texto[LargoEntrada];
        CopiaCorta<LargoEntrada>(texto, linea.data() + static_cast<std::size_t>(n - 1) * LargoEntrada);
        if (EntradaDeCeros(texto) || LeeEntradaDeCifras(p.Jugadas[n], texto)) continue;
        LeeEntradaCampoACampo(p.Jugadas[n], linea, n);
    }
    if (ultima > enteras) LeeEntradaCampoACampo(p.Jugadas[ultima], linea, ultima);
}

}  // namespace

void LeerEstado(Partida& p, const std::string& contenido) {
    const auto [linea1, linea2] = Lineas(contenido);
    LeePuestos(p, linea1);
    LeeCasillas(p, linea1);
    LeeAjustes(p, linea1);

    if (p.NumJugada < 0) p.NumJugada = 1;
    VaciaRegistro(p.Jugadas, static_cast<std::size_t>(p.NumJugada) + CrecimientoLog + 1);
    // With no game under way, or no completed move, line 2 is leftover text.
    if (p.PartidaIniciada) LeeRegistro(p, linea2);
    if (p.LeyendoSimulacion) return;

    ValidaPartida(p);
    // The move list is told once the names and the number of dice are
    // validated, so it speaks of the players as the board shows them.
    NarraRegistro(p);
}

}  // namespace parchis
