#include "ai/memoria.h"

#include <algorithm>

namespace parchis {

void MemoriaTableros::ComponClave(const Partida& p, const std::vector<Entero>& tocadas) {
    clave_.clear();
    for (int j = 1; j <= 4; ++j) {
        clave_.push_back(p.EnEspera[j]);
        for (int k = 1; k <= MaxFichas; ++k) clave_.push_back(p.Fichas[j][k]);
    }
    cambiadas_.clear();
    for (Entero s : tocadas)
        if (s >= 1 && s <= NumCasillas && !(p.Casillas[s] == inicial_[s])) cambiadas_.push_back(s);
    std::sort(cambiadas_.begin(), cambiadas_.end());
    cambiadas_.erase(std::unique(cambiadas_.begin(), cambiadas_.end()), cambiadas_.end());
    for (Entero s : cambiadas_) {
        clave_.push_back(s);
        for (int h = 1; h <= 3; ++h) {
            clave_.push_back(p.Casillas[s].Jugador[h]);
            clave_.push_back(p.Casillas[s].Pieza[h]);
        }
    }
    std::uint64_t h = 1469598103934665603ull;
    for (Entero e : clave_) h = (h ^ static_cast<std::uint16_t>(e)) * 1099511628211ull;
    hash_ = h;
}

std::size_t MemoriaTableros::Encuentra() const {
    if (tabla_.empty()) return Ninguno;
    const std::size_t mascara = tabla_.size() - 1;
    for (std::size_t i = hash_ & mascara;; i = (i + 1) & mascara) {
        const Entrada& e = tabla_[i];
        if (!e.Usada) return Ninguno;
        if (e.Hash == hash_ && e.Largo == clave_.size() &&
            std::equal(clave_.begin(), clave_.end(), claves_.begin() + e.Inicio))
            return e.Valor;
    }
}

void MemoriaTableros::Inserta(std::size_t valor) {
    if (tabla_.empty()) tabla_.resize(2 * Capacidad);
    const std::size_t mascara = tabla_.size() - 1;
    std::size_t i = hash_ & mascara;
    while (tabla_[i].Usada) i = (i + 1) & mascara;
    tabla_[i] = {hash_, static_cast<std::uint32_t>(claves_.size()),
                 static_cast<std::uint32_t>(clave_.size()), static_cast<std::uint32_t>(valor), true};
    claves_.insert(claves_.end(), clave_.begin(), clave_.end());
}

}  // namespace parchis
