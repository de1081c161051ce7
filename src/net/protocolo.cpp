#include "net/protocolo.h"

#include "core/codificacion.h"
#include "core/estado.h"
#include "core/fichero.h"

namespace parchis {

namespace {

struct Largo {
    std::string_view codigo;
    std::size_t administrador, cliente;
};

constexpr Largo Largos[] = {
    {"01", 11, 11}, {"02", 0, 8},   {"03", 0, 8},     {"04", 15, 0},
    {"06", 25, 25}, {"08", 0, 7},   {"11", 0, 907},   {"20", 221, 221},
};

char Mayuscula(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// How much of the prefix `texto` matches, compared without case.
std::size_t CoincidePrefijo(std::string_view texto) {
    std::size_t n = 0;
    while (n < LargoPrefijo && n < texto.size() && Mayuscula(texto[n]) == PrefijoRed[n]) ++n;
    return n;
}

// Is `texto` (shorter than a header) the start of a message this role
// knows?  A lone code digit may still become a known code.
bool PuedeEmpezarMensaje(Papel papel, std::string_view texto) {
    const std::size_t prefijo = CoincidePrefijo(texto);
    if (prefijo < LargoPrefijo) return prefijo == texto.size();
    if (texto.size() == LargoPrefijo) return true;
    for (const Largo& l : Largos)
        if (l.codigo[0] == texto[LargoPrefijo] &&
            (papel == Papel::Administrador ? l.administrador : l.cliente) != 0)
            return true;
    return false;
}

}  // namespace

std::size_t LargoMensaje(Papel papel, std::string_view codigo) {
    for (const Largo& l : Largos)
        if (l.codigo == codigo) return papel == Papel::Administrador ? l.administrador : l.cliente;
    return 0;
}

std::string TextoInicioJuego(bool nueva) { return nueva ? "ZRA34021" : "ZRA34022"; }

std::string TextoPuesto(int puesto) { return "ZRA3403" + std::to_string(puesto); }

std::string TextoMarca(const std::string& marca) { return "ZRA3404" + AjustaAncho(marca, LargoMarca); }

std::string TextoNuevaPartida() { return "ZRA3408"; }

std::string TextoInstantanea(const Partida& p) { return "ZRA3411" + ComponerEstado(p).Linea1; }

std::string TextoChat(const std::string& registro) { return "ZRA3420" + registro; }

std::string MarcaDeLinea(std::string_view linea) {
    // IdPartida at 851-854, NumJugada at 842-845.
    if (linea.size() < 854) return "";
    return std::string(linea.substr(850, 4)) + std::string(linea.substr(841, 4));
}

bool PrimeraLineaDeEstado(const std::string& ruta, std::string& linea) {
    std::string contenido;
    // The state line and its quotes are all that is needed.
    if (LeeFichero(ruta, contenido, 4096) != 0) return false;
    std::string_view t = contenido;
    t = t.substr(0, t.find('\n'));
    if (!t.empty() && t.back() == '\r') t.remove_suffix(1);
    if (!t.empty() && t.front() == '"') t.remove_prefix(1);
    linea = std::string(t.substr(0, t.find('"')));
    return true;
}

std::vector<std::string> Receptor::Recibe(std::string_view llegada) {
    std::vector<std::string> mensajes;
    std::string texto = resto_;
    texto.append(llegada);
    resto_.clear();
    std::size_t i = texto.find_first_not_of(' ');
    while (i != std::string::npos && i < texto.size()) {
        const std::string_view resto = std::string_view(texto).substr(i);
        if (resto.size() < LargoCabecera) {
            if (PuedeEmpezarMensaje(papel_, resto)) resto_ = resto;
            break;
        }
        if (CoincidePrefijo(resto) < LargoPrefijo) break;
        const std::size_t largo = LargoMensaje(papel_, resto.substr(LargoPrefijo, 2));
        if (largo == 0) break;
        if (resto.size() < largo) {
            resto_ = resto;
            break;
        }
        mensajes.push_back(Utf8DesdeWindows1252(resto.substr(0, largo)));
        i += largo;
    }
    return mensajes;
}

}  // namespace parchis
