#include "ai/busqueda.h"

#include <algorithm>

#include "rules/movimiento.h"
#include "rules/tablero.h"

namespace parchis {

namespace {

// A short search values every path directly and remembers nothing.
constexpr long HojasSinMemoria = 32;
// Subtrees and scored paths kept per choice: some 20 MB at most.
constexpr std::size_t CapacidadSubarboles = 1 << 17;
constexpr std::size_t CapacidadPuntuados = 1 << 17;
// Room kept from one choice to the next.  Fresh pages are dear: freed
// after each choice, the 5 MB of a heavy slow position cost it 15 ms more
// the next time.  So the room of every slow position of real play (11 MB
// at most) is kept, and after a heavier search (a search the time guard
// stops can take 80 MB) each table above a tenth of the bound is freed.
constexpr std::size_t BytesRetenidos = 12 << 20;

bool MismoPrimerMovimiento(const Candidato& a, const Candidato& b) {
    return a.Ficha == b.Ficha && a.Valor == b.Valor && a.Origen == b.Origen;
}

// The first move of a path in one word: piece, value, origin, landing square.
std::uint64_t PrimerMovimiento(const CaminoCandidato& c) {
    return static_cast<std::uint64_t>(c.Ficha) | static_cast<std::uint64_t>(c.Valor) << 5 |
           static_cast<std::uint64_t>(c.Origen) << 10 | static_cast<std::uint64_t>(c.Destino) << 18;
}

}  // namespace

// What a simulated move changes: its two squares, the pieces (a capture
// moves another seat's) and the counters.
struct Busqueda::Deshacer {
    Deshacer(const Partida& p, int origen, int destino)
        : Origen(origen), Destino(destino), CasillaOrigen(p.Casillas[origen]),
          CasillaDestino(p.Casillas[destino]), Fichas(p.Fichas), EnEspera(p.EnEspera),
          EnCasa(p.EnCasa), SiguienteSalida(p.SiguienteSalida) {}
    void Restaura(Partida& p) const {
        p.Casillas[Origen] = CasillaOrigen;
        p.Casillas[Destino] = CasillaDestino;
        p.Fichas = Fichas;
        p.EnEspera = EnEspera;
        p.EnCasa = EnCasa;
        p.SiguienteSalida = SiguienteSalida;
    }
    int Origen, Destino;
    Casilla CasillaOrigen, CasillaDestino;
    std::array<std::array<Entero, MaxFichas + 1>, 5> Fichas;
    std::array<Entero, 5> EnEspera, EnCasa, SiguienteSalida;
};

void Acumulado::Anota(const Candidato& c) {
    if (c.Total >= Mejor) {
        Mejor = c.Total;
        Elegido = c;
    }
    if (!Alguno) {
        Alguno = true;
        primeraFicha_ = c.Ficha;
        primerValor_ = c.Valor;
    }
    MismaFicha = MismaFicha && c.Ficha == primeraFicha_;
    MismoValor = MismoValor && c.Valor == primerValor_;
    Total = Total || c.Valor == valorTotal_;
    Sacar = Sacar || c.Origen == 0;
}

Busqueda::Busqueda(Partida& p, int numFichas, bool puntua, int valorTotal)
    : p_(p), numFichas_(numFichas),
      socio_(p.ModoJuego == 2 && p.Turno >= 1 && p.Turno <= 4 ? Companero[p.Turno] : 0),
      casillasIniciales_(p.Casillas), acumulado_(valorTotal), huella_(casillasIniciales_) {
    if (puntua) puntuacion_.emplace(p);
}

void Busqueda::Memoria::Empieza(const std::array<Casilla, NumCasillas + 1>& inicial) {
    Tableros.Empieza(inicial);
    Subarboles.Vacia();
    Resumenes.clear();
    Puntuados.Vacia();
    Puntuaciones.clear();
}

void Busqueda::Memoria::Recorta() {
    if (Tableros.Bytes() + Subarboles.Bytes() + Bytes(Resumenes) + Puntuados.Bytes() + Bytes(Puntuaciones) <=
        BytesRetenidos)
        return;
    constexpr std::size_t PorTabla = BytesRetenidos / 10;   // ten tables
    Tableros.Recorta(PorTabla);
    Subarboles.Recorta(PorTabla);
    parchis::Recorta(Resumenes, PorTabla);
    Puntuados.Recorta(PorTabla);
    parchis::Recorta(Puntuaciones, PorTabla);
}

// One per thread, kept from one choice to the next.
Busqueda::Memoria& Busqueda::MemoriaDelHilo() {
    thread_local Memoria memoria;
    return memoria;
}

Busqueda::Puntuacion::Puntuacion(const Partida& p)
    : Alcance(p), Ctx(PreparaValoracion(p, Alcance)), Base(p, Ctx), Juez(p, Ctx, Base.Valor) {}

bool Busqueda::Recorre(const std::vector<int>& secuencia, int bono, Resumen& resumen) {
    secuencia_ = &secuencia;
    camino_ = {};
    Graba();
    Profundiza(1, 0, bono);
    resumen = CierraGrabacion();
    return !parar_;
}

void Busqueda::Repite(const Resumen& r) {
    for (std::uint32_t i = 0; i < r.Num; ++i) {
        const TramoCandidatos& t = tramos_[r.Inicio + i];
        Candidato c = t.Primero;
        if (i == 0) c.PonMarca(marca_);
        Emite(c);
        if (t.HayResto) {
            c.Total = t.MejorResto;
            Emite(c);
        }
    }
    if (r.Num > 0) marca_ = r.MarcaFinal;
}

void Busqueda::Emite(const Candidato& c) {
    acumulado_.Anota(c);
    for (std::size_t i = 0; i < numGrabando_; ++i) {
        auto& tramos = grabando_[i];
        if (tramos.empty() || !MismoPrimerMovimiento(tramos.back().Primero, c)) {
            tramos.push_back({c, 0, false});
        } else {
            TramoCandidatos& t = tramos.back();
            t.MejorResto = t.HayResto ? std::max(t.MejorResto, c.Total) : c.Total;
            t.HayResto = true;
        }
    }
}

void Busqueda::Graba() {
    if (numGrabando_ == grabando_.size()) grabando_.emplace_back();
    grabando_[numGrabando_++].clear();
}

Resumen Busqueda::CierraGrabacion() {
    const auto& tramos = grabando_[--numGrabando_];
    Resumen r{static_cast<std::uint32_t>(tramos_.size()), static_cast<std::uint32_t>(tramos.size()), marca_};
    tramos_.insert(tramos_.end(), tramos.begin(), tramos.end());
    return r;
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

void Busqueda::Valora(const std::vector<Entero>& tocadas, ValorEstado& v) {
    ValoraDesde(p_, puntuacion_->Ctx, puntuacion_->Base, tocadas.data(), static_cast<int>(tocadas.size()), v);
}

// The candidate of the current path, without its mark.
Candidato Busqueda::Puntua(int movimientos) {
    camino_.Movimientos = movimientos;
    camino_.Marca = false;
    if (!puntuacion_) return Candidato::SinPuntuar(camino_);
    if (!memoria_) {
        Valora(tocadas_, despues_);
        return puntuacion_->Juez.Puntua(despues_, camino_);
    }
    const int n = memoria_->Tableros.Numero(p_, tocadas_, huella_);
    // A candidate's score depends on its path only through the first move,
    // whether it is the only move, and the partner's pieces captured.
    const std::uint64_t camino = PrimerMovimiento(camino_) |
                                 static_cast<std::uint64_t>(movimientos == 1) << 26 |
                                 static_cast<std::uint64_t>(camino_.CapturasSocio) << 27;
    if (n >= 0)
        if (const std::uint32_t* i = memoria_->Puntuados.Busca(static_cast<std::uint64_t>(n), camino))
            return memoria_->Puntuaciones[*i];
    const ValorEstado& v =
        memoria_->Tableros.Valor(n, [this](ValorEstado& nuevo) { Valora(tocadas_, nuevo); });
    Candidato c = puntuacion_->Juez.Puntua(v, camino_);
    auto& puntuaciones = memoria_->Puntuaciones;
    if (n >= 0 && puntuaciones.size() < CapacidadPuntuados) {
        memoria_->Puntuados.Pon(static_cast<std::uint64_t>(n), camino,
                                static_cast<std::uint32_t>(puntuaciones.size()));
        puntuaciones.push_back(c);
    }
    return c;
}

void Busqueda::Hoja(int movimientos) {
    if (++hojas_ > HojasSinMemoria && !memoria_) {
        memoria_ = &MemoriaDelHilo();
        memoria_->Empieza(casillasIniciales_);
        for (int s = 1; s <= NumCasillas; ++s) huella_.Pon(p_, s);
    }
    Candidato c = Puntua(movimientos);
    c.PonMarca(marca_);
    marca_ = false;
    Emite(c);
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
        valor = (*secuencia_)[siguiente];
    } else if (prof > ProfundidadMaxima) {
        Hoja(prof - 1);
        return;
    }
    if (prof == 1 || !memoria_) {
        Explora(prof, siguiente, pendiente, valor);
        return;
    }
    // The subtree is told by its board, what is left to count, its depth,
    // the first move and the partner captures on the way.
    const int n = memoria_->Tableros.Numero(p_, tocadas_, huella_);
    std::uint64_t resto = 0;
    for (std::size_t i = siguiente; i < secuencia_->size(); ++i)
        resto = resto << 5 | static_cast<std::uint64_t>((*secuencia_)[i]);
    const std::uint64_t a = static_cast<std::uint64_t>(n) | static_cast<std::uint64_t>(prof) << 32 |
                            static_cast<std::uint64_t>(pendiente) << 40 |
                            static_cast<std::uint64_t>(camino_.CapturasSocio) << 48;
    const std::uint64_t b = PrimerMovimiento(camino_) |
                            (resto << 3 | (secuencia_->size() - siguiente)) << 26;
    if (n >= 0)
        if (const std::uint32_t* i = memoria_->Subarboles.Busca(a, b)) {
            Repite(memoria_->Resumenes[*i]);
            return;
        }
    auto& resumenes = memoria_->Resumenes;
    const bool guarda = n >= 0 && resumenes.size() < CapacidadSubarboles;
    if (guarda) Graba();
    Explora(prof, siguiente, pendiente, valor);
    if (!guarda) return;
    const Resumen r = CierraGrabacion();
    if (parar_) return;
    memoria_->Subarboles.Pon(a, b, static_cast<std::uint32_t>(resumenes.size()));
    resumenes.push_back(r);
}

void Busqueda::Explora(int prof, std::size_t siguiente, int pendiente, int valor) {
    if (pendiente == 0) ++siguiente;
    const int turno = p_.Turno;
    std::array<Entero, MaxFichas + 1> destinos;
    FichasMovibles(p_, valor, 0, &destinos);
    const std::array<bool, MaxFichas + 1> movibles = p_.FichaMovible;
    bool probada = false;
    for (int k = 1; k <= numFichas_ && !parar_; ++k) {
        if (!movibles[k]) continue;
        probada = true;
        const int origen = p_.Fichas[turno][k];
        const int destino = destinos[k];
        if (destino < 1) continue;   // only a damaged record disagrees with FichasMovibles
        AnotaDestino(k, destino);
        // A simulated move leaves the next piece to leave the box as it was
        // when the choice began, as the scratch copies of the board always
        // have: a sequence takes at most one piece out of each box.
        const Deshacer deshacer(p_, origen, destino);
        const bool recuerda = memoria_ != nullptr;
        const HuellaCasillas huella = huella_;
        CambiaHuella(origen, destino, -1);
        AplicaJugada(p_, origen, destino, k);
        CambiaHuella(origen, destino, 1);
        p_.SiguienteSalida = deshacer.SiguienteSalida;
        const int bono = p_.Bonificacion;
        const bool capturaSocio = socio_ != 0 && p_.JugadorComido == socio_;
        if (prof == 1) camino_ = {k, valor, origen, destino, 0, 0, false};
        camino_.CapturasSocio += capturaSocio ? 1 : 0;
        tocadas_.push_back(static_cast<Entero>(origen));
        tocadas_.push_back(static_cast<Entero>(destino));
        Profundiza(prof + 1, siguiente, bono);
        tocadas_.resize(tocadas_.size() - 2);
        camino_.CapturasSocio -= capturaSocio ? 1 : 0;
        // The memory may have started below this move.
        if (!recuerda) CambiaHuella(origen, destino, -1);
        deshacer.Restaura(p_);
        if (recuerda)
            huella_ = huella;
        else
            CambiaHuella(origen, destino, 1);
    }
    if (!probada) {
        // A bonus no piece can count is lost, not the values after it (a
        // bonus at depth 1 is the engine's own pass: it records it lost).
        if (pendiente != 0 && prof > 1)
            Profundiza(prof, siguiente, 0);
        else if (prof > 1)
            Hoja(prof - 1);
    } else if (prof > 1 && !parar_) {
        marca_ = true;
    }
}

}  // namespace parchis
