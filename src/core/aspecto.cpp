#include "core/aspecto.h"

#include <sstream>

#include "core/fichero.h"

namespace parchis {

Aspecto AspectoDeTexto(const std::string& texto) {
    std::istringstream lineas(texto);
    std::string linea;
    Aspecto a = Aspecto::Clasico;
    while (std::getline(lineas, linea)) {
        if (!linea.empty() && linea.back() == '\r') linea.pop_back();
        if (linea == "Aspecto=Moderno") a = Aspecto::Moderno;
        if (linea == "Aspecto=Clasico") a = Aspecto::Clasico;
    }
    return a;
}

std::string TextoDeAspecto(Aspecto a) {
    return a == Aspecto::Moderno ? "Aspecto=Moderno\n" : "Aspecto=Clasico\n";
}

Aspecto LeeAspecto(const std::string& carpeta) {
    std::string texto;
    // A few lines at most: a large file is not ours.
    if (LeeFichero(carpeta + FicheroAspecto, texto, 4096) != 0) return Aspecto::Clasico;
    return AspectoDeTexto(texto);
}

bool EscribeAspecto(const std::string& carpeta, Aspecto a) {
    return EscribeFichero(carpeta + FicheroAspecto, TextoDeAspecto(a));
}

}  // namespace parchis
