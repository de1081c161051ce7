#include "net/mensajes.h"

#include "core/codificacion.h"

namespace parchis {

namespace {

constexpr std::size_t Crecimiento = 50;
// A peer that never stops talking must not fill the memory: past this many
// slots the oldest fifty messages make room.
constexpr std::size_t MaximoRegistros = 5000;
constexpr std::size_t LargoNombre = 9, LargoHora = 5, LargoTexto = 200;

bool Libre(const std::string& registro) { return QuitaBlancos(registro).empty(); }

std::string Campo(const std::string& registro, std::size_t desde, std::size_t largo) {
    const std::string cabeza = PrimerosCaracteres(registro, desde + largo);
    const std::string antes = PrimerosCaracteres(registro, desde);
    return QuitaBlancos(std::string_view(cabeza).substr(antes.size()));
}

}  // namespace

std::string RegistroChat(const std::string& nombre, const std::string& hora, const std::string& texto) {
    return AjustaAncho(nombre, LargoNombre) + AjustaAncho(hora, LargoHora) + AjustaAncho(texto, LargoTexto);
}

MensajesRed::MensajesRed() : registros_(Crecimiento) {}

void MensajesRed::Anade(const std::string& registro) {
    // What arrives from another computer is shown in a text box: a line
    // break in it could pass for a header of ours.
    std::string limpio = AjustaAncho(registro, LargoRegistroChat);
    for (char& c : limpio)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
    const std::size_t libre = primeroLibre_;
    registros_[libre] = limpio;
    if (libre + 1 == registros_.size()) {
        if (registros_.size() >= MaximoRegistros) {
            registros_.erase(registros_.begin(), registros_.begin() + Crecimiento);
            primeroLibre_ -= Crecimiento;
        }
        registros_.resize(registros_.size() + Crecimiento);
    }
    // The last slot is never left in use, so a free one is always found.
    while (!Libre(registros_[primeroLibre_])) ++primeroLibre_;
}

std::string MensajesRed::Texto() const {
    std::string t;
    for (const std::string& r : registros_) {
        if (Libre(r)) continue;
        t += "<<< Mensaje de " + Campo(r, 0, LargoNombre) + " a las " + Campo(r, LargoNombre, LargoHora) +
             " horas. >>>\r\n" + Campo(r, LargoNombre + LargoHora, LargoTexto) + "\r\n\r\n";
    }
    return t;
}

}  // namespace parchis
