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

namespace {

std::uint64_t Mezcla(std::uint64_t x) {
    x ^= x >> 33;
    x *= 0xFF51AFD7ED558CCDull;
    x ^= x >> 33;
    x *= 0xC4CEB9FE1A85EC53ull;
    return x ^ (x >> 33);
}

// Two squares compared as two words each rather than slot by slot.
bool MismaCasilla(const Casilla& a, const Casilla& b) {
    static_assert(sizeof(Casilla) == 2 * sizeof(std::uint64_t));
    std::array<std::uint64_t, 2> x, y;
    std::memcpy(x.data(), &a, sizeof a);
    std::memcpy(y.data(), &b, sizeof b);
    return ((x[0] ^ y[0]) | (x[1] ^ y[1])) == 0;
}

}  // namespace

void HuellaCasillas::Cuenta(const Partida& p, int s, int signo) {
    if (s < 1 || s > NumCasillas) return;
    const Casilla& c = p.Casillas[s];
    if (MismaCasilla(c, (*inicial_)[s])) return;
    std::uint64_t jugadores, piezas;
    static_assert(sizeof c.Jugador == sizeof jugadores && sizeof c.Pieza == sizeof piezas);
    std::memcpy(&jugadores, c.Jugador.data(), sizeof jugadores);
    std::memcpy(&piezas, c.Pieza.data(), sizeof piezas);
    Hash ^= Mezcla(jugadores ^ Mezcla(piezas ^ static_cast<std::uint64_t>(s) << 48));
    Cambiadas += signo;
    Bits[static_cast<std::size_t>(s) / 64] ^= std::uint64_t{1} << (s % 64);
}

void MemoriaTableros::ComponFichas(const Partida& p) {
    Entero* c = piezas_.data();
    for (int j = 1; j <= 4; ++j) {
        *c++ = p.EnEspera[j];
        std::memcpy(c, &p.Fichas[j][1], MaxFichas * sizeof(Entero));
        c += MaxFichas;
    }
}

// Appends to the stored keys the squares that differ from the first board,
// in order.
void MemoriaTableros::AnadeCasillas(const Partida& p, const HuellaCasillas& huella) {
    std::size_t n = claves_.size();
    claves_.resize(n + PorCasilla * static_cast<std::size_t>(huella.Cambiadas));
    for (std::size_t w = 0; w < huella.Bits.size(); ++w)
        for (std::uint64_t bits = huella.Bits[w]; bits != 0; bits &= bits - 1) {
            const int s = static_cast<int>(64 * w) + __builtin_ctzll(bits);
            claves_[n] = static_cast<Entero>(s);
            std::memcpy(&claves_[n + 1], &p.Casillas[s], sizeof(Casilla));
            n += PorCasilla;
        }
}

// A stored key with as many changed squares as the board has names the
// board when its pieces match and each of its squares holds what the board's
// does: those squares differ from the initial board, so they are all the
// board's changed squares.
bool MemoriaTableros::Igual(const Partida& p, const Entero* clave, std::size_t largo) const {
    if (std::memcmp(piezas_.data(), clave, sizeof piezas_) != 0) return false;
    for (const Entero* c = clave + LargoFichas; c < clave + largo; c += PorCasilla)
        if (std::memcmp(&p.Casillas[c[0]], c + 1, sizeof(Casilla)) != 0) return false;
    return true;
}

int MemoriaTableros::Numero(const Partida& p, const HuellaCasillas& huella) {
    ComponFichas(p);
    // The hash reads the boxes and the pieces of the seat to move: the other
    // seats' pieces move only when captured, which changes a square too.
    // The key compares them all.
    std::uint64_t h = huella.Hash;
    std::array<std::uint64_t, 3> bloques{};
    static_assert(sizeof bloques == 8 + MaxFichas * sizeof(Entero) && 4 * sizeof(Entero) == 8);
    std::memcpy(bloques.data(), &p.EnEspera[1], 4 * sizeof(Entero));
    if (p.Turno >= 1 && p.Turno <= 4)
        std::memcpy(reinterpret_cast<char*>(bloques.data()) + 8, &p.Fichas[p.Turno][1], MaxFichas * sizeof(Entero));
    for (std::uint64_t bloque : bloques) {
        h = (h ^ bloque) * 0x9E3779B97F4A7C15ull;
        h ^= h >> 29;
    }
    const std::size_t largo = LargoFichas + PorCasilla * static_cast<std::size_t>(huella.Cambiadas);
    if (!tabla_.empty()) {
        const std::size_t mascara = tabla_.size() - 1;
        for (std::size_t i = h & mascara; Usada(tabla_[i]); i = (i + 1) & mascara) {
            const Entrada& e = tabla_[i];
            if (e.Hash == h && e.Largo == largo && Igual(p, claves_.data() + e.Inicio, largo))
                return static_cast<int>(e.Numero);
        }
    }
    const std::size_t n = valorDe_.size();
    if (n >= CapacidadTableros) return -1;
    valorDe_.push_back(-1);
    if (2 * (n + 1) > tabla_.size()) Crece();
    const auto inicio = static_cast<std::uint32_t>(claves_.size());
    claves_.insert(claves_.end(), piezas_.begin(), piezas_.end());
    AnadeCasillas(p, huella);
    Inserta(static_cast<std::uint32_t>(n), h, inicio, static_cast<std::uint32_t>(claves_.size()) - inicio);
    return static_cast<int>(n);
}

std::size_t MemoriaTableros::Bytes() const {
    return parchis::Bytes(claves_) + parchis::Bytes(tabla_) + parchis::Bytes(valorDe_) + parchis::Bytes(fichas_) +
           parchis::Bytes(inicioTerminos_) + parchis::Bytes(terminos_);
}

void MemoriaTableros::Recorta(std::size_t bytes) {
    parchis::Recorta(claves_, bytes);
    parchis::Recorta(tabla_, bytes);
    parchis::Recorta(valorDe_, bytes);
    parchis::Recorta(fichas_, bytes);
    parchis::Recorta(inicioTerminos_, bytes);
    parchis::Recorta(terminos_, bytes);
}

// The table doubles before it is half full.
void MemoriaTableros::Prepara() {
    // The largest each table grew to over the slow positions of real play
    // (bench/posiciones_lentas.txt), rounded up.
    if (tabla_.size() < (1u << 14)) tabla_.assign(1u << 14, Entrada{});
    parchis::Prepara(claves_, std::size_t{1} << 21);
    parchis::Prepara(valorDe_, 8192);
    parchis::Prepara(fichas_, 8192);
    parchis::Prepara(inicioTerminos_, 8192);
    parchis::Prepara(terminos_, 32768);
}

void MemoriaTableros::Crece() {
    std::vector<Entrada> vieja(std::max<std::size_t>(256, 2 * tabla_.size()));
    vieja.swap(tabla_);
    const std::uint32_t vuelta = vuelta_;
    vuelta_ = 1;
    for (const Entrada& e : vieja)
        if (e.Vuelta == vuelta) Inserta(e.Numero, e.Hash, e.Inicio, e.Largo);
}

VistaValor MemoriaTableros::VistaGuardada(std::size_t i) const {
    const std::uint32_t inicio = inicioTerminos_[i];
    const std::uint32_t fin = i + 1 < inicioTerminos_.size() ? inicioTerminos_[i + 1]
                                                             : static_cast<std::uint32_t>(terminos_.size());
    return {fichas_[i], terminos_.data() + inicio, static_cast<int>(fin - inicio)};
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

void TablaPares::Prepara(std::size_t entradas) {
    if (tabla_.size() >= entradas) return;
    tabla_.assign(entradas, Entrada{});
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
