// The saved games: files "<name>.par" in the data folder, listed, saved,
// loaded and deleted by name.  A name becomes a file name, so a name that
// would leave the folder or is no plain file name is refused; a save that
// fails says so, and a file that is not a state file is not loaded.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/partida.h"
#include "flow/interfaz.h"

namespace parchis {

inline constexpr std::size_t LargoNombrePartida = 64;

enum class ModoPartidas { Cargar = 1, Guardar = 2, Borrar = 3 };

// The saved games in `carpeta`: files ending ".par" in any case, by name,
// without the extension.
std::vector<std::string> ListaPartidas(const std::string& carpeta);

// Why a name cannot be used as a file name of the data folder; empty when
// it can.
std::string MotivoNombreNoValido(std::string_view nombre);

// The file in `carpeta` that holds the saved game `nombre` ("x.par",
// "x.PAR"...), when there is one that can be read.
std::optional<std::string> FicheroPartida(const std::string& carpeta, const std::string& nombre);

// The dialog's title and help topic in each mode.
const char* TituloPartidas(ModoPartidas modo);
int AyudaPartidas(ModoPartidas modo);

// The dialog's behaviour in one of its three modes.
class DialogoPartidas {
public:
    enum class Resultado { Nada, Cerrar, Borrada };

    DialogoPartidas(Partida& p, Interfaz& ui, ModoPartidas modo);

    ModoPartidas Modo() const { return modo_; }
    const std::string& LineaMensaje() const { return mensaje_; }
    const std::string& Nombre() const { return nombre_; }
    bool BotonActivo() const { return activo_; }

    // The name field changed (typed, or a list entry clicked).
    void CambiaNombre(std::string_view campo);
    // The mode's button.
    Resultado Acciona();
    // Enter in the name field; a double-click on a list entry.
    Resultado Intro();
    Resultado DobleClic();

private:
    Resultado Guarda();
    Resultado Carga();
    Resultado Borra();

    Partida& p_;
    Interfaz& ui_;
    ModoPartidas modo_;
    std::string nombre_;
    std::string mensaje_;
    bool activo_ = false;
    bool sobrescrituraAvisada_ = false;
};

}  // namespace parchis
