#include "flow/partidas_guardadas.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <filesystem>
#include <unistd.h>

#include "core/codificacion.h"
#include "core/estado.h"
#include "core/fichero.h"
#include "flow/comprobacion.h"

namespace parchis {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view Extension = ".par";
// The writer first writes "<file>" + MarcaTemporal + "<pid>" beside the file.
constexpr std::size_t SufijoTemporal = std::string_view(MarcaTemporal).size() + 10;

const char* const TextoGuardar =
    " Indique  el  nombre  con  el  que  desea  guardar  la  partida    actual.";
const char* const TextoAviso =
    "  Ya  existe  un  archivo  con  ese  nombre.   Pulse  el  botón        Guardar para "
    "sobreescribirlo  o  indique otro nombre para       archivar la partida actual.";

bool EsPartida(const std::string& fichero) {
    return fichero.size() > Extension.size() &&
           MinusculasEspanol(fichero.substr(fichero.size() - Extension.size())) == Extension;
}

bool EsLegible(const fs::path& ruta) {
    std::error_code e;
    return fs::is_regular_file(ruta, e) && access(ruta.c_str(), R_OK) == 0;
}

// Why a save failed, from the errno the writer left.
std::string CausaErrorEscritura(int error) {
    switch (error) {
        case ENAMETOOLONG:
            return "el nombre es demasiado largo para la carpeta de datos.  Indique un nombre más corto.";
        case ENOSPC: case EDQUOT: return "no queda espacio libre en el disco.";
        case ENOENT: case ENOTDIR: return "la carpeta de datos no existe.";
        case EACCES: case EPERM: case EROFS:
            return "no se puede escribir en la carpeta de datos o el archivo está protegido contra escritura.";
        case EISDIR: return "ya existe una carpeta con ese nombre.  Indique otro nombre.";
        default:
            return "el sistema ha devuelto el error " + std::to_string(error) +
                   ".  Compruebe la carpeta y el espacio libre en el disco.";
    }
}

}  // namespace

std::vector<std::string> ListaPartidas(const std::string& carpeta) {
    std::vector<std::string> nombres;
    std::error_code e;
    for (fs::directory_iterator it(carpeta, e), fin; !e && it != fin; it.increment(e)) {
        const std::string fichero = it->path().filename().string();
        if (!EsPartida(fichero) || !EsLegible(it->path())) continue;
        std::string nombre = fichero.substr(0, fichero.size() - Extension.size());
        if (MotivoNombreNoValido(nombre).empty()) nombres.push_back(std::move(nombre));
    }
    std::sort(nombres.begin(), nombres.end(), [](const std::string& a, const std::string& b) {
        const std::string ma = MinusculasEspanol(a), mb = MinusculasEspanol(b);
        return ma != mb ? ma < mb : a < b;
    });
    nombres.erase(std::unique(nombres.begin(), nombres.end()), nombres.end());
    return nombres;
}

std::string MotivoNombreNoValido(std::string_view nombre) {
    if (nombre.find('/') != std::string_view::npos || nombre.find('\\') != std::string_view::npos)
        return "El nombre de una partida no puede contener las barras  /  ni  \\ , porque se usa como "
               "nombre de archivo en la carpeta de datos.  Indique otro nombre.";
    if (nombre == "." || nombre == "..")
        return "Los nombres  .  y  ..  no se pueden usar para guardar una partida.  Indique otro nombre.";
    const bool control = std::any_of(nombre.begin(), nombre.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
    });
    if (control)
        return "El nombre de la partida tiene caracteres de control, que no pueden formar parte de un "
               "nombre de archivo.  Indique otro nombre.";
    if (nombre.size() + Extension.size() + SufijoTemporal > NAME_MAX)
        return "El nombre de la partida es demasiado largo para usarlo como nombre de archivo.  Indique "
               "un nombre más corto.";
    return {};
}

std::optional<std::string> FicheroPartida(const std::string& carpeta, const std::string& nombre) {
    if (nombre.empty() || !MotivoNombreNoValido(nombre).empty()) return std::nullopt;
    const std::string exacto = nombre + std::string(Extension);
    if (EsLegible(carpeta + exacto)) return exacto;
    std::error_code e;
    for (fs::directory_iterator it(carpeta, e), fin; !e && it != fin; it.increment(e)) {
        const std::string fichero = it->path().filename().string();
        if (fichero.size() == exacto.size() && fichero.compare(0, nombre.size(), nombre) == 0 &&
            EsPartida(fichero) && EsLegible(it->path()))
            return fichero;
    }
    return std::nullopt;
}

const char* TituloPartidas(ModoPartidas modo) {
    switch (modo) {
        case ModoPartidas::Cargar: return " Cargar una partida guardada";
        case ModoPartidas::Guardar: return " Guardar la partida actual";
        default: return " Borrar una partida guardada";
    }
}

int AyudaPartidas(ModoPartidas modo) {
    switch (modo) {
        case ModoPartidas::Cargar: return 2520;
        case ModoPartidas::Guardar: return 2510;
        default: return 2530;
    }
}

DialogoPartidas::DialogoPartidas(Partida& p, Interfaz& ui, ModoPartidas modo) : p_(p), ui_(ui), modo_(modo) {
    switch (modo_) {
        case ModoPartidas::Cargar:
            mensaje_ = " Indique el nombre de la partida que desea cargar y que se     va a convertir en "
                       "la partida actual.";
            break;
        case ModoPartidas::Guardar: mensaje_ = TextoGuardar; break;
        case ModoPartidas::Borrar:
            mensaje_ = " Indique el nombre de la partida guardada que desea borrar.";
            break;
    }
}

void DialogoPartidas::CambiaNombre(std::string_view campo) {
    nombre_ = QuitaBlancos(PrimerosCaracteres(campo, LargoNombrePartida));
    if (modo_ == ModoPartidas::Guardar) {
        sobrescrituraAvisada_ = false;
        mensaje_ = TextoGuardar;
        activo_ = !nombre_.empty();
    } else {
        activo_ = FicheroPartida(p_.Carpeta, nombre_).has_value();
    }
}

DialogoPartidas::Resultado DialogoPartidas::Acciona() {
    if (!activo_) return Resultado::Nada;
    switch (modo_) {
        case ModoPartidas::Cargar: return Carga();
        case ModoPartidas::Guardar: return Guarda();
        default: return Borra();
    }
}

DialogoPartidas::Resultado DialogoPartidas::Intro() {
    return modo_ == ModoPartidas::Borrar ? Resultado::Nada : Acciona();
}

DialogoPartidas::Resultado DialogoPartidas::DobleClic() {
    if (modo_ == ModoPartidas::Borrar || (modo_ == ModoPartidas::Guardar && sobrescrituraAvisada_))
        return Resultado::Nada;
    return Acciona();
}

DialogoPartidas::Resultado DialogoPartidas::Guarda() {
    if (const std::string motivo = MotivoNombreNoValido(nombre_); !motivo.empty()) {
        ui_.Mensaje("Nombre no válido", motivo, 4, 1, AyudaPartidas(modo_));
        return Resultado::Nada;
    }
    const auto existente = FicheroPartida(p_.Carpeta, nombre_);
    if (existente && !sobrescrituraAvisada_) {
        mensaje_ = TextoAviso;
        sobrescrituraAvisada_ = true;
        p_.CargaCorrecta = true;
        return Resultado::Nada;
    }
    // An existing "x.PAR" is replaced as it is named, not doubled by "x.par".
    const std::string fichero = existente ? *existente : nombre_ + std::string(Extension);
    if (!EscribeFichero(p_.Carpeta + fichero, ContenidoFichero(p_))) {
        const int causa = errno;
        ui_.Mensaje("Error al guardar la partida",
                    "No se ha podido guardar la partida en el archivo " + fichero + " de la carpeta de datos: " +
                        CausaErrorEscritura(causa),
                    4, 1, AyudaPartidas(modo_));
        p_.CargaCorrecta = true;
        return Resultado::Nada;
    }
    p_.CargaCorrecta = false;
    return Resultado::Cerrar;
}

// The game is read into a copy, checked as a postponed game is at start-up,
// and only then takes the place of the game in play.
DialogoPartidas::Resultado DialogoPartidas::Carga() {
    const auto fichero = FicheroPartida(p_.Carpeta, nombre_);
    std::string contenido;
    const bool leido = fichero && LeeFichero(p_.Carpeta + *fichero, contenido) == 0;
    std::optional<Partida> leida;
    if (leido) leida = LeePartidaComprobada(p_, contenido);
    if (leida && !leida->PartidaIniciada) leida.reset();   // a saved game is one under way
    if (!leida) {
        ui_.Mensaje("Error al cargar la partida",
                    (leido ? "El archivo de la partida " + nombre_ + " está dañado y no se puede cargar."
                           : "No se ha podido cargar la partida " + nombre_ +
                                 ": su archivo no existe o no se puede leer.") +
                        "  La partida actual no se ha modificado.",
                    3, 1, AyudaPartidas(modo_));
        p_.CargaCorrecta = false;
        return Resultado::Nada;
    }
    p_ = std::move(*leida);
    ui_.ActualizaLista();
    ui_.PresentaPartida();
    return Resultado::Cerrar;
}

DialogoPartidas::Resultado DialogoPartidas::Borra() {
    const auto fichero = FicheroPartida(p_.Carpeta, nombre_);
    std::error_code e;
    if (nombre_.empty() || !fichero || !fs::remove(p_.Carpeta + *fichero, e)) return Resultado::Nada;
    nombre_.clear();
    activo_ = false;
    return Resultado::Borrada;
}

}  // namespace parchis
