#include "flow/interfaz_prueba.h"

#include <algorithm>
#include <stdexcept>
#include <tuple>

#include "flow/persona.h"

namespace parchis::prueba {

InterfazPrueba::InterfazPrueba(Partida& p, unsigned semilla) : InterfazMuda(semilla), p_(p) {}

std::vector<MensajeVisto> InterfazPrueba::ConTitulo(const std::string& titulo) const {
    std::vector<MensajeVisto> vistos;
    for (const MensajeVisto& m : Mensajes)
        if (m.Titulo == titulo) vistos.push_back(m);
    return vistos;
}

bool InterfazPrueba::Clic(int ficha) { return EligeFichaPersona(p_, ficha); }

void InterfazPrueba::PersonaPorDefecto() {
    if (Clic(p_.JugadaElegida.Ficha)) return;
    for (int k = 1; k <= p_.NumFichas; ++k)
        if (Clic(k)) return;
}

// A runaway engine fails the test instead of hanging it.
constexpr long LimiteCesiones = 2'000'000;

void InterfazPrueba::Cede() {
    if (++Cesiones > LimiteCesiones) throw std::runtime_error("el motor espera sin fin");
    if (AlCeder) AlCeder();
    p_.EsperandoTirada = false;
    if (p_.EsperandoFicha && p_.Control[p_.Turno] == 1) Persona ? Persona() : PersonaPorDefecto();
}

void InterfazPrueba::TocaSonido(int n, bool esperar) {
    Sonidos.insert({n, esperar});
    if (n == 5) ++Lanzamientos;   // the sound of every throw
}

int InterfazPrueba::Mensaje(const std::string& titulo, const std::string& texto, int, int, int) {
    Mensajes.push_back({titulo, texto});
    int respuesta = Aceptar;
    const auto i = std::ranges::find(respuestas_, titulo, &std::pair<std::string, int>::first);
    if (i != respuestas_.end()) respuesta = i->second, respuestas_.erase(i);
    if (AlMensaje) AlMensaje(Mensajes.back());
    return respuesta;
}

bool InterfazPrueba::DadosElegidos(int& dado1, int& dado2) {
    if (dados_.empty()) return false;
    std::tie(dado1, dado2) = dados_.front();
    dados_.pop_front();
    return true;
}

}  // namespace parchis::prueba
