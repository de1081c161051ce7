#include "ai/memoria.h"

#include <algorithm>
#include <cstring>

namespace parchis {

void MemoriaTableros::Empieza(const std::array<Casilla, NumCasillas + 1>& inicial) {
    inicial_ = inicial;
    ++vuelta_;
    claves_.clear();
    valorDe_.clear();
    fichas_.clear();
    inicioTerminos_.clear();
    terminos_.clear();
}

void MemoriaTableros::ComponClave(const Partida& p, const std::vector<Entero>& tocadas) {
    // The squares the path changed, in order, each once.
    cambiadas_.clear();
    for (Entero s : tocadas) {
        if (s < 1 || s > NumCasillas || p.Casillas[s] == inicial_[s]) continue;
        const auto donde = std::lower_bound(cambiadas_.begin(), cambiadas_.end(), s);
        if (donde == cambiadas_.end() || *donde != s) cambiadas_.insert(donde, s);
    }
    constexpr std::size_t PorJugador = 1 + MaxFichas, PorCasilla = 7;
    clave_.resize(4 * PorJugador + PorCasilla * cambiadas_.size());
    Entero* c = clave_.data();
    for (int j = 1; j <= 4; ++j) {
        *c++ = p.EnEspera[j];
        for (int k = 1; k <= MaxFichas; ++k) *c++ = p.Fichas[j][k];
    }
    for (Entero s : cambiadas_) {
        *c++ = s;
        for (int h = 1; h <= 3; ++h) {
            *c++ = p.Casillas[s].Jugador[h];
            *c++ = p.Casillas[s].Pieza[h];
        }
    }
    // Four values at a time.
    std::uint64_t h = 1469598103934665603ull;
    const std::size_t n = clave_.size();
    std::size_t i = 0;
    for (; i + 4 <= n; i += 4) {
        std::uint64_t bloque;
        std::memcpy(&bloque, clave_.data() + i, sizeof bloque);
        h = (h ^ bloque) * 0x9E3779B97F4A7C15ull;
        h ^= h >> 29;
    }
    for (; i < n; ++i) h = (h ^ static_cast<std::uint16_t>(clave_[i])) * 1099511628211ull;
    hash_ = h;
}

int MemoriaTableros::Numero(const Partida& p, const std::vector<Entero>& tocadas) {
    ComponClave(p, tocadas);
    if (!tabla_.empty()) {
        const std::size_t mascara = tabla_.size() - 1;
        for (std::size_t i = hash_ & mascara; Usada(tabla_[i]); i = (i + 1) & mascara) {
            const Entrada& e = tabla_[i];
            if (e.Hash == hash_ && e.Largo == clave_.size() &&
                std::equal(clave_.begin(), clave_.end(), claves_.begin() + e.Inicio))
                return static_cast<int>(e.Numero);
        }
    }
    const std::size_t n = valorDe_.size();
    if (n >= CapacidadTableros) return -1;
    valorDe_.push_back(-1);
    if (2 * (n + 1) > tabla_.size()) Crece();
    Inserta(static_cast<std::uint32_t>(n), hash_, static_cast<std::uint32_t>(claves_.size()),
            static_cast<std::uint32_t>(clave_.size()));
    claves_.insert(claves_.end(), clave_.begin(), clave_.end());
    return static_cast<int>(n);
}

// The table doubles before it is half full.
void MemoriaTableros::Crece() {
    std::vector<Entrada> vieja(std::max<std::size_t>(256, 2 * tabla_.size()));
    vieja.swap(tabla_);
    const std::uint32_t vuelta = vuelta_;
    vuelta_ = 1;
    for (const Entrada& e : vieja)
        if (e.Vuelta == vuelta) Inserta(e.Numero, e.Hash, e.Inicio, e.Largo);
}

void MemoriaTableros::Recupera(std::size_t i) {
    static_cast<ValorFichas&>(valor_) = fichas_[i];
    const std::uint32_t inicio = inicioTerminos_[i];
    const std::uint32_t fin = i + 1 < inicioTerminos_.size() ? inicioTerminos_[i + 1]
                                                             : static_cast<std::uint32_t>(terminos_.size());
    valor_.NumTerminos = static_cast<int>(fin - inicio);
    std::copy(terminos_.begin() + inicio, terminos_.begin() + fin, valor_.Terminos.begin());
}

void MemoriaTableros::Guarda(int n) {
    valorDe_[static_cast<std::size_t>(n)] = static_cast<std::int32_t>(fichas_.size());
    fichas_.push_back(valor_);
    inicioTerminos_.push_back(static_cast<std::uint32_t>(terminos_.size()));
    terminos_.insert(terminos_.end(), valor_.Terminos.begin(), valor_.Terminos.begin() + valor_.NumTerminos);
}

void MemoriaTableros::Inserta(std::uint32_t numero, std::uint64_t hash, std::uint32_t inicio,
                              std::uint32_t largo) {
    const std::size_t mascara = tabla_.size() - 1;
    std::size_t i = hash & mascara;
    while (Usada(tabla_[i])) i = (i + 1) & mascara;
    tabla_[i] = {hash, inicio, largo, numero, vuelta_};
}

std::size_t TablaPares::Hash(std::uint64_t a, std::uint64_t b) {
    std::uint64_t h = (a ^ (b * 0x9E3779B97F4A7C15ull)) * 0xBF58476D1CE4E5B9ull;
    return static_cast<std::size_t>(h ^ (h >> 31));
}

const std::uint32_t* TablaPares::Busca(std::uint64_t a, std::uint64_t b) const {
    if (tabla_.empty()) return nullptr;
    const std::size_t mascara = tabla_.size() - 1;
    for (std::size_t i = Hash(a, b) & mascara; tabla_[i].Vuelta == vuelta_; i = (i + 1) & mascara)
        if (tabla_[i].A == a && tabla_[i].B == b) return &tabla_[i].Numero;
    return nullptr;
}

void TablaPares::Pon(std::uint64_t a, std::uint64_t b, std::uint32_t numero) {
    if (2 * (usadas_ + 1) > tabla_.size()) Crece();
    const std::size_t mascara = tabla_.size() - 1;
    std::size_t i = Hash(a, b) & mascara;
    for (; tabla_[i].Vuelta == vuelta_; i = (i + 1) & mascara)
        if (tabla_[i].A == a && tabla_[i].B == b) {
            tabla_[i].Numero = numero;
            return;
        }
    tabla_[i] = {a, b, numero, vuelta_};
    ++usadas_;
}

void TablaPares::Vacia() {
    ++vuelta_;
    usadas_ = 0;
}

void TablaPares::Crece() {
    std::vector<Entrada> vieja(std::max<std::size_t>(256, 2 * tabla_.size()));
    vieja.swap(tabla_);
    const std::uint32_t vuelta = vuelta_;
    vuelta_ = 1;
    usadas_ = 0;
    for (const Entrada& e : vieja)
        if (e.Vuelta == vuelta) Pon(e.A, e.B, e.Numero);
}

}  // namespace parchis
