#include "core/preferencias_propias.h"

#include <cerrno>
#include <string_view>

#include "core/fichero.h"

namespace parchis {

namespace {

// A few short lines at most: whatever a larger file holds past this is not ours.
constexpr std::size_t TamanoMaximo = 4096;

// A host name, an address or either with ":port": printable, no blanks.
bool ServidorAceptable(std::string_view v) {
    if (v.empty() || v.size() > LargoServidor) return false;
    for (char c : v)
        if (c <= ' ' || c > '~') return false;
    return true;
}

}  // namespace

PreferenciasPropias PreferenciasDeTexto(const std::string& texto) {
    PreferenciasPropias p;
    std::string_view resto(texto);
    while (!resto.empty()) {
        const std::size_t fin = resto.find('\n');
        std::string_view linea = resto.substr(0, fin);
        resto = fin == std::string_view::npos ? std::string_view() : resto.substr(fin + 1);
        if (!linea.empty() && linea.back() == '\r') linea.remove_suffix(1);
        if (linea == "Aspecto=Moderno") p.AspectoTablero = Aspecto::Moderno;
        if (linea == "Aspecto=Clasico") p.AspectoTablero = Aspecto::Clasico;
        if (linea == "JugarEnRed=Si") p.JugarEnRed = true;
        if (linea == "JugarEnRed=No") p.JugarEnRed = false;
        if (linea == "JugarPorSala=Si") p.JugarPorSala = true;
        if (linea == "JugarPorSala=No") p.JugarPorSala = false;
        constexpr std::string_view Servidor = "ServidorSala=";
        if (linea.starts_with(Servidor) && ServidorAceptable(linea.substr(Servidor.size())))
            p.ServidorSala = std::string(linea.substr(Servidor.size()));
    }
    return p;
}

std::string TextoDePreferencias(const PreferenciasPropias& p) {
    std::string texto =
        std::string(p.AspectoTablero == Aspecto::Moderno ? "Aspecto=Moderno\n" : "Aspecto=Clasico\n") +
        (p.JugarEnRed ? "JugarEnRed=Si\n" : "JugarEnRed=No\n") +
        (p.JugarPorSala ? "JugarPorSala=Si\n" : "JugarPorSala=No\n");
    if (ServidorAceptable(p.ServidorSala)) texto += "ServidorSala=" + p.ServidorSala + "\n";
    return texto;
}

namespace {

// False when the file is there but cannot be read: the settings it holds
// are unknown, and writing one of them would lose the others.
bool LeeSiSePuede(const std::string& carpeta, PreferenciasPropias& p) {
    std::string texto;
    const int error = LeeFichero(carpeta + FicheroPreferencias, texto, TamanoMaximo);
    p = error == 0 ? PreferenciasDeTexto(texto) : PreferenciasPropias{};
    return error == 0 || error == ENOENT;
}

}  // namespace

PreferenciasPropias LeePreferencias(const std::string& carpeta) {
    PreferenciasPropias p;
    LeeSiSePuede(carpeta, p);
    return p;
}

bool EscribePreferencias(const std::string& carpeta, const PreferenciasPropias& p) {
    return EscribeFichero(carpeta + FicheroPreferencias, TextoDePreferencias(p));
}

Aspecto LeeAspecto(const std::string& carpeta) { return LeePreferencias(carpeta).AspectoTablero; }

bool EscribeAspecto(const std::string& carpeta, Aspecto a) {
    PreferenciasPropias p;
    if (!LeeSiSePuede(carpeta, p)) return false;
    p.AspectoTablero = a;
    return EscribePreferencias(carpeta, p);
}

bool EscribeRed(const std::string& carpeta, bool enRed, bool porSala, const std::string& servidor) {
    PreferenciasPropias p;
    if (!LeeSiSePuede(carpeta, p)) return false;
    const PreferenciasPropias antes = p;
    p.JugarEnRed = enRed;
    p.JugarPorSala = porSala;
    p.ServidorSala = ServidorAceptable(servidor) ? servidor : std::string();
    return p == antes || EscribePreferencias(carpeta, p);
}

}  // namespace parchis
