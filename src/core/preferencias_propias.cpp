#include "core/preferencias_propias.h"

#include <string_view>

#include "core/fichero.h"

namespace parchis {

namespace {

// A few short lines at most: whatever a larger file holds past this is not ours.
constexpr std::size_t TamanoMaximo = 4096;

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
    }
    return p;
}

std::string TextoDePreferencias(const PreferenciasPropias& p) {
    return std::string(p.AspectoTablero == Aspecto::Moderno ? "Aspecto=Moderno\n" : "Aspecto=Clasico\n") +
           (p.JugarEnRed ? "JugarEnRed=Si\n" : "JugarEnRed=No\n");
}

PreferenciasPropias LeePreferencias(const std::string& carpeta) {
    std::string texto;
    if (LeeFichero(carpeta + FicheroPreferencias, texto, TamanoMaximo) != 0) return {};
    return PreferenciasDeTexto(texto);
}

bool EscribePreferencias(const std::string& carpeta, const PreferenciasPropias& p) {
    return EscribeFichero(carpeta + FicheroPreferencias, TextoDePreferencias(p));
}

Aspecto LeeAspecto(const std::string& carpeta) { return LeePreferencias(carpeta).AspectoTablero; }

bool EscribeAspecto(const std::string& carpeta, Aspecto a) {
    PreferenciasPropias p = LeePreferencias(carpeta);
    p.AspectoTablero = a;
    return EscribePreferencias(carpeta, p);
}

bool EscribeJugarEnRed(const std::string& carpeta, bool enRed) {
    PreferenciasPropias p = LeePreferencias(carpeta);
    p.JugarEnRed = enRed;
    return EscribePreferencias(carpeta, p);
}

}  // namespace parchis
