#include "ai/busqueda.h"

#include "rules/movimiento.h"
#include "rules/tablero.h"

namespace parchis {

void TableroGuardado::Guarda(const Partida& p) {
    Fichas = p.Fichas;
    Casillas = p.Casillas;
    EnEspera = p.EnEspera;
    EnCasa = p.EnCasa;
    SiguienteSalida = p.SiguienteSalida;
}

void TableroGuardado::Restaura(Partida& p) const {
    p.Fichas = Fichas;
    p.Casillas = Casillas;
    p.EnEspera = EnEspera;
    p.EnCasa = EnCasa;
    p.SiguienteSalida = SiguienteSalida;
}

Busqueda::Busqueda(Partida& p, int numFichas, bool puntua, std::vector<Candidato>& candidatos)
    : p_(p), numFichas_(numFichas),
      socio_(p.ModoJuego == 2 && p.Turno >= 1 && p.Turno <= 4 ? Companero[p.Turno] : 0),
      candidatos_(candidatos) {
    if (puntua) puntuacion_.emplace(p);
}

bool Busqueda::Recorre(const std::vector<int>& secuencia, int bono) {
    secuencia_ = &secuencia;
    camino_ = {};
    Profundiza(1, 0, bono);
    return !parar_;
}

void Busqueda::AnotaDestino(int ficha, int destino) {
    auto& huecos = p_.Destinos[ficha];
    for (int h = 1; h <= 5; ++h) {
        if (huecos[h] == destino) return;
        if (huecos[h] == 0) {
            huecos[h] = static_cast<Entero>(destino);
            return;
        }
    }
}

Busqueda::Puntuacion::Puntuacion(const Partida& p)
    : Alcance(p), Ctx(PreparaValoracion(p, Alcance)), Base(p, Ctx), Juez(p, Ctx, Base.Valor) {}

void Busqueda::Valora(const std::vector<Entero>& tocadas, ValorEstado& v) {
    ValoraDesde(p_, puntuacion_->Ctx, puntuacion_->Base, tocadas.data(), static_cast<int>(tocadas.size()), v);
}

void Busqueda::Hoja(int movimientos) {
    camino_.Movimientos = movimientos;
    camino_.Marca = Marca;
    Marca = false;
    if (!puntuacion_) {
        candidatos_.push_back(Candidato::SinPuntuar(camino_));
        return;
    }
    constexpr long HojasSinMemoria = 32;
    if (++hojas_ <= HojasSinMemoria) {
        Valora(tocadas_, despues_);
        candidatos_.push_back(puntuacion_->Juez.Puntua(despues_, camino_));
    } else {
        // Every path starts with a copy of the board at depth 1, taken from
        // the board the sequence (and so the whole search) starts from.
        if (!memoria_) memoria_.emplace(pila_[0].Casillas);
        const ValorEstado& v =
            memoria_->Busca(p_, tocadas_, [this](ValorEstado& nuevo) { Valora(tocadas_, nuevo); });
        candidatos_.push_back(puntuacion_->Juez.Puntua(v, camino_));
    }
}

void Busqueda::Profundiza(int prof, std::size_t siguiente, int pendiente) {
    if ((++nodos_ & 4095) == 0 && Seguir && !Seguir()) parar_ = true;
    if (parar_) return;
    int valor = pendiente;
    if (valor == 0) {
        if (siguiente >= secuencia_->size() || prof > ProfundidadMaxima) {
            if (prof > 1) Hoja(prof - 1);
            return;
        }
        valor = (*secuencia_)[siguiente++];
    } else if (prof > ProfundidadMaxima) {
        Hoja(prof - 1);
        return;
    }
    const int turno = p_.Turno;
    FichasMovibles(p_, valor, 0);
    const std::array<bool, MaxFichas + 1> movibles = p_.FichaMovible;
    if (static_cast<int>(pila_.size()) < prof) pila_.resize(prof);
    pila_[prof - 1].Guarda(p_);
    bool probada = false;
    for (int k = 1; k <= numFichas_ && !parar_; ++k) {
        if (!movibles[k]) continue;
        if (probada) pila_[prof - 1].Restaura(p_);
        probada = true;
        const int origen = p_.Fichas[turno][k];
        PuedeMover(p_, turno, valor, origen, k);
        const int destino = p_.CasillaDestino;
        if (destino < 1) continue;   // only a damaged record disagrees with FichasMovibles
        AnotaDestino(k, destino);
        // A simulated move leaves the next piece to leave the box as it was
        // when the choice began, as the scratch copies of the board always
        // have: a sequence takes at most one piece out of each box.
        const std::array<Entero, 5> siguienteSalida = p_.SiguienteSalida;
        AplicaJugada(p_, origen, destino, k);
        p_.SiguienteSalida = siguienteSalida;
        const int bono = p_.Bonificacion;
        const bool capturaSocio = socio_ != 0 && p_.JugadorComido == socio_;
        if (prof == 1) camino_ = {k, valor, origen, destino, 0, 0, false};
        camino_.CapturasSocio += capturaSocio ? 1 : 0;
        tocadas_.push_back(static_cast<Entero>(origen));
        tocadas_.push_back(static_cast<Entero>(destino));
        Profundiza(prof + 1, siguiente, bono);
        tocadas_.resize(tocadas_.size() - 2);
        camino_.CapturasSocio -= capturaSocio ? 1 : 0;
    }
    if (!probada) {
        // A bonus no piece can count is lost, not the values after it (a
        // bonus at depth 1 is the engine's own pass: it records it lost).
        if (pendiente != 0 && prof > 1)
            Profundiza(prof, siguiente, 0);
        else if (prof > 1)
            Hoja(prof - 1);
    } else if (prof > 1 && !parar_) {
        Marca = true;
    }
}

}  // namespace parchis
