// Plain file access for checking what the program wrote.
#pragma once

#include <fstream>
#include <sstream>
#include <string>

namespace parchis::prueba {

inline void Escribe(const std::string& ruta, const std::string& contenido) {
    std::ofstream(ruta, std::ios::binary) << contenido;
}

inline std::string Lee(const std::string& ruta) {
    std::ifstream f(ruta, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();   // a folder or a missing file reads as nothing
    return s.str();
}

}  // namespace parchis::prueba
