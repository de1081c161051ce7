// A folder of its own for a test, removed with everything in it afterwards.
#pragma once

#include <filesystem>
#include <random>
#include <string>

namespace parchis::prueba {

struct CarpetaTemporal {
    CarpetaTemporal() : ruta(std::filesystem::temp_directory_path() / Nombre()) {
        std::filesystem::create_directories(ruta);
    }
    ~CarpetaTemporal() {
        std::error_code ignorado;
        std::filesystem::remove_all(ruta, ignorado);
    }
    CarpetaTemporal(const CarpetaTemporal&) = delete;
    CarpetaTemporal& operator=(const CarpetaTemporal&) = delete;
    // As the record keeps a data folder: ending in '/'.
    std::string Texto() const { return ruta.string() + "/"; }
    std::filesystem::path ruta;

private:
    static std::string Nombre() { return "parchis-prueba-" + std::to_string(std::random_device{}()); }
};

}  // namespace parchis::prueba
