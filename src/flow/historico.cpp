#include "flow/historico.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "core/carpeta.h"
#include "core/codificacion.h"
#include "core/fichero.h"

namespace parchis {

namespace {

constexpr int AnchoNombre = 9;
constexpr int InicioNombres = 12;   // 0-based position of the first name
constexpr int InicioPuntos = 48;
constexpr int PosicionParejas = 51;

std::string Digitos(int valor, int ancho) {
    int tope = 1;
    for (int i = 0; i < ancho; ++i) tope *= 10;
    valor = valor < 0 ? 0 : valor >= tope ? tope - 1 : valor;
    char b[16];
    std::snprintf(b, sizeof b, "%0*d", ancho, valor);
    return b;
}

// The leading number of a field, blanks skipped; 0 when there is none.
int Numero(std::string_view campo) {
    int n = 0;
    std::size_t i = 0;
    while (i < campo.size() && campo[i] == ' ') ++i;
    for (; i < campo.size() && campo[i] >= '0' && campo[i] <= '9'; ++i) n = n * 10 + (campo[i] - '0');
    return n;
}

std::string_view Campo(std::string_view bytes, std::size_t desde, std::size_t ancho) {
    if (desde >= bytes.size()) return {};
    return bytes.substr(desde, ancho);
}

}  // namespace

std::string ComponeRegistroHistorico(const RegistroHistorico& r) {
    const FechaHora& f = r.Fecha;
    std::string s = Digitos(f.Anio, 4) + Digitos(f.Mes, 2) + Digitos(f.Dia, 2) + Digitos(f.Hora, 2) +
                    Digitos(f.Minuto, 2);
    for (const std::string& nombre : r.Nombres) {
        s += Windows1252DesdeUtf8(AjustaAncho(nombre, AnchoNombre));
    }
    char puntos[8];
    std::snprintf(puntos, sizeof puntos, "%3d", r.Puntos < 0 ? 0 : r.Puntos > 999 ? 999 : r.Puntos);
    s += puntos;
    s += r.Parejas ? 'P' : ' ';
    s += "   \r\n";
    return s;
}

RegistroHistorico LeeRegistroHistorico(std::string_view bytes) {
    RegistroHistorico r;
    r.Fecha = {Numero(Campo(bytes, 0, 4)), Numero(Campo(bytes, 4, 2)), Numero(Campo(bytes, 6, 2)),
               Numero(Campo(bytes, 8, 2)), Numero(Campo(bytes, 10, 2))};
    for (int i = 0; i < 4; ++i)
        r.Nombres[i] = QuitaBlancos(
            Utf8DesdeWindows1252(Campo(bytes, InicioNombres + AnchoNombre * i, AnchoNombre)));
    r.Puntos = Numero(Campo(bytes, InicioPuntos, 3));
    r.Parejas = Campo(bytes, PosicionParejas, 1) == "P";
    return r;
}

bool AnadeHistorico(const std::string& carpeta, const RegistroHistorico& r) {
    const std::string nombre = carpeta + FicheroHistorial;
    std::error_code error;
    const auto tamano = std::filesystem::file_size(nombre, error);
    std::string texto;
    if (!error && tamano % LargoRegistroHistorico != 0) {
        const std::size_t falta = LargoRegistroHistorico - tamano % LargoRegistroHistorico;
        texto.assign(falta, ' ');
        if (falta >= 2) texto.replace(falta - 2, 2, "\r\n");
    }
    texto += ComponeRegistroHistorico(r);
    return AnadeAFichero(nombre, texto);
}

std::vector<RegistroHistorico> LeeHistorico(const std::string& carpeta) {
    std::vector<RegistroHistorico> registros;
    // Opened once and checked as opened: a name checked and then opened
    // could have become a pipe meanwhile.
    constexpr std::size_t largo = LargoRegistroHistorico;
    std::string todo;
    if (LeeFinalFichero(carpeta + FicheroHistorial, todo, largo * MaxRegistrosLeidos, largo) != 0)
        return registros;
    const std::string_view v(todo);
    registros.reserve(v.size() / largo + 1);
    for (std::size_t i = 0; i < v.size(); i += largo)
        registros.push_back(LeeRegistroHistorico(v.substr(i, largo)));
    return registros;
}

namespace {

std::string DosCifras(int n) { return Digitos(n, 2); }

// A damaged file may hold control bytes in a name: they print as blanks.
std::string Legible(const std::string& nombre) {
    std::string s = nombre;
    for (char& c : s)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = ' ';
    return QuitaBlancos(s);
}

// a + separador + b, the separator left out when either side is empty.
std::string Une(const std::string& a, const char* separador, const std::string& b) {
    if (a.empty()) return b;
    if (b.empty()) return a;
    return a + separador + b;
}

}  // namespace

TextoHistorico TextoDeRegistro(const RegistroHistorico& r) {
    const FechaHora& f = r.Fecha;
    std::array<std::string, 4> n;
    for (int i = 0; i < 4; ++i) n[i] = Legible(r.Nombres[i]);
    TextoHistorico t;
    t.Fecha = DosCifras(f.Dia) + "-" + DosCifras(f.Mes) + "-" + Digitos(f.Anio, 4);
    t.Hora = DosCifras(f.Hora) + ":" + DosCifras(f.Minuto);
    if (r.Parejas) {
        t.Ganadores = Une(n[0], " y ", n[1]);
        t.Perdedores = Une(n[2], " y ", n[3]);
    } else {
        // The third loser always follows " y ": with the last field blank
        // the others read "A, B".
        t.Ganadores = n[0];
        t.Perdedores = Une(Une(n[1], ", ", n[2]), " y ", n[3]);
    }
    t.Puntos = std::to_string(r.Puntos);
    return t;
}

std::vector<int> RegistrosDePagina(int primera) {
    std::vector<int> indices;
    for (int i = primera; i > primera - RegistrosPorPagina && i >= 0; --i) indices.push_back(i);
    return indices;
}

bool HayPaginaAnterior(int primera) { return primera - RegistrosPorPagina >= 0; }

bool HayPaginaSiguiente(int primera, int numRegistros) {
    return primera + RegistrosPorPagina <= numRegistros - 1;
}

}  // namespace parchis
