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
constexpr std::size_t CapacidadPasos = 1 << 20;

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

Busqueda::Busqueda(Partida& p, int numFichas, bool puntua, int valorTotal, const PrimerasJugadas* primeras)
    : p_(p), numFichas_(numFichas),
      socio_(p.ModoJuego == 2 && p.Turno >= 1 && p.Turno <= 4 ? Companero[p.Turno] : 0), primeras_(primeras),
      casillasIniciales_(p.Casillas), acumulado_(valorTotal), huella_(casillasIniciales_),
      borrador_(BorradorDelHilo()), tramos_(borrador_.Tramos), grabando_(borrador_.Grabando),
      cintas_(borrador_.Cintas), cintaValida_(borrador_.CintaValida) {
    tramos_.clear();
    if (puntua) puntuacion_.emplace(p);
}

Busqueda::~Busqueda() {
    if (memoria_) memoria_->Recorta();
    borrador_.Recorta();
}

Busqueda::Borrador& Busqueda::BorradorDelHilo() {
    thread_local Borrador borrador;
    return borrador;
}

// After a heavy search the lists give their room back: a few megabytes at
// most stay with the thread.
void Busqueda::Borrador::Recorta() {
    std::size_t bytes = parchis::Bytes(Tramos) + parchis::Bytes(Grabando) + parchis::Bytes(Cintas);
    for (const auto& g : Grabando) bytes += parchis::Bytes(g);
    for (const auto& c : Cintas) bytes += parchis::Bytes(c);
    if (bytes <= BytesRetenidos / 4) return;
    std::vector<TramoCandidatos>().swap(Tramos);
    std::vector<std::vector<TramoCandidatos>>().swap(Grabando);
    std::vector<std::vector<Paso>>().swap(Cintas);
    std::vector<bool>().swap(CintaValida);
}

void Busqueda::Memoria::Empieza(const std::array<Casilla, NumCasillas + 1>& inicial) {
    Tableros.Empieza(inicial);
    Subarboles.Vacia();
    Resumenes.clear();
    Puntuados.Vacia();
    Puntuaciones.clear();
    Cintas.Vacia();
    ListaCintas.clear();
    Pasos.clear();
}

std::size_t Busqueda::Memoria::Bytes() const {
    return Tableros.Bytes() + Subarboles.Bytes() + parchis::Bytes(Resumenes) + Puntuados.Bytes() +
           parchis::Bytes(Puntuaciones) + Cintas.Bytes() + parchis::Bytes(ListaCintas) + parchis::Bytes(Pasos);
}

void Busqueda::Memoria::Recorta() {
    if (Bytes() <= BytesRetenidos) return;
    constexpr std::size_t PorTabla = BytesRetenidos / 13;   // thirteen tables
    Tableros.Recorta(PorTabla);
    Subarboles.Recorta(PorTabla);
    parchis::Recorta(Resumenes, PorTabla);
    Puntuados.Recorta(PorTabla);
    parchis::Recorta(Puntuaciones, PorTabla);
    Cintas.Recorta(PorTabla);
    parchis::Recorta(ListaCintas, PorTabla);
    parchis::Recorta(Pasos, PorTabla);
    // The next heavy choice would otherwise meet fresh pages again.
    Prepara();
}

// The largest each table grew to over the slow positions of real play,
// rounded up: some 10 MB in all.
void Busqueda::Memoria::Prepara() {
    Tableros.Prepara();
    Subarboles.Prepara(8192);
    parchis::Prepara(Resumenes, 4096);
    Puntuados.Prepara(32768);
    parchis::Prepara(Puntuaciones, 16384);
    Cintas.Prepara(8192);
    parchis::Prepara(ListaCintas, 4096);
    parchis::Prepara(Pasos, 32768);
}

// One per thread, kept from one choice to the next.
Busqueda::Memoria& Busqueda::MemoriaDelHilo() {
    thread_local Memoria memoria;
    return memoria;
}

Busqueda::Puntuacion::Puntuacion(const Partida& p)
    : Alcance(p), Ctx(PreparaValoracion(p, Alcance)), Base(p, Ctx, false), Juez(p, Ctx, Base.Valor) {}

// The first board's per-piece bonus counts, once the search is long enough
// to remember boards: they read the first board, whose squares, pieces and
// boxes are put back on the record meanwhile (nothing else a count reads
// changes during a search).
void Busqueda::PreparaBonos() {
    BaseValoracion& base = puntuacion_->Base;
    const auto casillas = p_.Casillas;
    const auto fichas = p_.Fichas;
    const auto espera = p_.EnEspera;
    p_.Casillas = casillasIniciales_;
    p_.Fichas = base.Valor.Fichas;
    p_.EnEspera = base.Valor.Espera;
    base.Bonos.Prepara(p_, base.Mapa, puntuacion_->Ctx);
    base.BonosDesdePrimero = true;
    p_.Casillas = casillas;
    p_.Fichas = fichas;
    p_.EnEspera = espera;
}

bool Busqueda::Recorre(const Secuencia& secuencia, int bono, Resumen& resumen) {
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
    if (numGrabando_ > 0) Junta(grabando_[numGrabando_ - 1], c);
}

void Busqueda::Junta(std::vector<TramoCandidatos>& tramos, const Candidato& c) {
    if (tramos.empty() || !MismoPrimerMovimiento(tramos.back().Primero, c))
        tramos.push_back({c, 0, false});
    else
        JuntaResto(tramos.back(), c.Total);
}

void Busqueda::JuntaResto(TramoCandidatos& t, float total) {
    t.MejorResto = t.HayResto ? std::max(t.MejorResto, total) : total;
    t.HayResto = true;
}

void Busqueda::Graba() {
    if (numGrabando_ == grabando_.size()) grabando_.emplace_back();
    grabando_[numGrabando_++].clear();
}

// A candidate goes to the innermost part being recorded alone: when that
// part closes, its runs go to the part around it, as if each candidate had
// been taken there too.
Resumen Busqueda::CierraGrabacion() {
    const auto& tramos = grabando_[--numGrabando_];
    Resumen r{static_cast<std::uint32_t>(tramos_.size()), static_cast<std::uint32_t>(tramos.size()), marca_};
    tramos_.insert(tramos_.end(), tramos.begin(), tramos.end());
    if (numGrabando_ > 0) {
        auto& fuera = grabando_[numGrabando_ - 1];
        for (const TramoCandidatos& t : tramos) {
            Junta(fuera, t.Primero);
            if (t.HayResto) JuntaResto(fuera.back(), t.MejorResto);
        }
    }
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

void Busqueda::Valora(ValorEstado& v) {
    const Entero* cambiadas = tocadas_.data();
    int num = numTocadas_;
    // While the memory is in use the fingerprint names the squares that
    // differ, each once, rather than every square the path touched.
    std::array<Entero, NumCasillas> distintas;
    if (memoria_) {
        num = 0;
        for (std::size_t w = 0; w < huella_.Bits.size(); ++w)
            for (std::uint64_t bits = huella_.Bits[w]; bits != 0; bits &= bits - 1)
                distintas[static_cast<std::size_t>(num++)] = static_cast<Entero>(64 * w + __builtin_ctzll(bits));
        cambiadas = distintas.data();
    }
    ValoraDesde(p_, puntuacion_->Ctx, puntuacion_->Base, cambiadas, num, v);
    puntuacion_->Juez.PuntuaTablero(v);
}

Candidato Busqueda::Puntua(int n, int movimientos) {
    camino_.Movimientos = movimientos;
    camino_.Marca = false;
    if (!puntuacion_) return Candidato::SinPuntuar(camino_);
    if (!memoria_) {
        Valora(despues_);
        return puntuacion_->Juez.Puntua(despues_.Vista(), camino_);
    }
    // A candidate's score depends on its path only through the first move,
    // whether it is the only move, and the partner's pieces captured.
    const std::uint64_t camino = PrimerMovimiento(camino_) |
                                 static_cast<std::uint64_t>(movimientos == 1) << 26 |
                                 static_cast<std::uint64_t>(camino_.CapturasSocio) << 27;
    if (n >= 0)
        if (const std::uint32_t* i = memoria_->Puntuados.Busca(static_cast<std::uint64_t>(n), camino))
            return memoria_->Puntuaciones[*i];
    const VistaValor v = memoria_->Tableros.Valor(n, [this](ValorEstado& nuevo) { Valora(nuevo); });
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
        if (puntuacion_) PreparaBonos();
        for (int s = 1; s <= NumCasillas; ++s) huella_.Pon(p_, s);
    }
    const int n = memoria_ && puntuacion_ ? memoria_->Tableros.Numero(p_, huella_) : -1;
    Anota(Puntua(n, movimientos));
    if (numCintas_ == 0) return;
    // A tape plays a board back only from its kept estimate.
    if (puntuacion_ && !memoria_->Tableros.Guardado(n)) cintaValida_[numCintas_ - 1] = false;
    PonPaso({Paso::Hoja, static_cast<std::uint8_t>(movimientos), static_cast<std::uint8_t>(camino_.CapturasSocio),
             n});
}

void Busqueda::Anota(Candidato c) {
    c.PonMarca(marca_);
    marca_ = false;
    Emite(c);
}

void Busqueda::AbreCinta() {
    if (numCintas_ == cintas_.size()) {
        cintas_.emplace_back();
        cintaValida_.push_back(true);
    }
    cintas_[numCintas_].clear();
    cintaValida_[numCintas_++] = true;
}

void Busqueda::PonPaso(const Paso& paso) {
    if (numCintas_ > 0) cintas_[numCintas_ - 1].push_back(paso);
}

// Keeps the innermost tape, if it can be played, and names it in the tape
// around it (which cannot be played without it).
std::int32_t Busqueda::CierraCinta() {
    const auto& pasos = cintas_[--numCintas_];
    auto& lista = memoria_->ListaCintas;
    auto& pool = memoria_->Pasos;
    std::int32_t indice = -1;
    if (cintaValida_[numCintas_] && !parar_ && pool.size() + pasos.size() <= CapacidadPasos) {
        indice = static_cast<std::int32_t>(lista.size());
        lista.push_back({static_cast<std::uint32_t>(pool.size()), static_cast<std::uint32_t>(pasos.size())});
        pool.insert(pool.end(), pasos.begin(), pasos.end());
    }
    if (numCintas_ > 0) {
        if (indice >= 0)
            PonPaso({Paso::Sub, 0, 0, indice});
        else
            cintaValida_[numCintas_ - 1] = false;
    }
    return indice;
}

// The candidates of a tape's paths for the current first move, in the
// order they were found, with the marks as they were set.
void Busqueda::Reproduce(std::int32_t indice) {
    const Cinta cinta = memoria_->ListaCintas[static_cast<std::size_t>(indice)];
    const int capturas = camino_.CapturasSocio;
    for (std::uint32_t i = 0; i < cinta.Num; ++i) {
        const Paso paso = memoria_->Pasos[cinta.Inicio + i];
        if (paso.Que == Paso::Marca) {
            marca_ = true;
        } else if (paso.Que == Paso::Sub) {
            Reproduce(paso.Numero);
        } else {
            camino_.CapturasSocio = paso.Capturas;
            Anota(Puntua(paso.Numero, paso.Movimientos));
        }
    }
    camino_.CapturasSocio = capturas;
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
    const int n = memoria_->Tableros.Numero(p_, huella_);
    std::uint64_t resto = 0;
    for (std::size_t i = siguiente; i < secuencia_->size(); ++i)
        resto = resto << 5 | static_cast<std::uint64_t>((*secuencia_)[i]);
    const std::uint64_t a = static_cast<std::uint64_t>(n) | static_cast<std::uint64_t>(prof) << 32 |
                            static_cast<std::uint64_t>(pendiente) << 40 |
                            static_cast<std::uint64_t>(camino_.CapturasSocio) << 48;
    const std::uint64_t b = PrimerMovimiento(camino_) |
                            (resto << 3 | (secuencia_->size() - siguiente)) << 26;
    // ...and without the first move, its tape.
    const std::uint64_t sinPrimera = b >> 26 << 26;
    auto& resumenes = memoria_->Resumenes;
    if (n >= 0) {
        if (const std::uint32_t* i = memoria_->Subarboles.Busca(a, b)) {
            const Resumen& r = resumenes[*i];
            if (r.Cinta >= 0)
                PonPaso({Paso::Sub, 0, 0, r.Cinta});
            else if (numCintas_ > 0)
                cintaValida_[numCintas_ - 1] = false;
            Repite(r);
            return;
        }
        if (const std::uint32_t* t = memoria_->Cintas.Busca(a, sinPrimera)) {
            const auto cinta = static_cast<std::int32_t>(*t);
            PonPaso({Paso::Sub, 0, 0, cinta});
            const bool guarda = resumenes.size() < CapacidadSubarboles;
            if (guarda) Graba();
            Reproduce(cinta);
            if (!guarda) return;
            Resumen r = CierraGrabacion();
            r.Cinta = cinta;
            memoria_->Subarboles.Pon(a, b, static_cast<std::uint32_t>(resumenes.size()));
            resumenes.push_back(r);
            return;
        }
    }
    const bool guarda = n >= 0 && resumenes.size() < CapacidadSubarboles;
    if (guarda) {
        Graba();
        AbreCinta();
    }
    Explora(prof, siguiente, pendiente, valor);
    if (!guarda) return;
    Resumen r = CierraGrabacion();
    r.Cinta = CierraCinta();
    if (parar_) return;
    memoria_->Subarboles.Pon(a, b, static_cast<std::uint32_t>(resumenes.size()));
    resumenes.push_back(r);
    if (r.Cinta >= 0) memoria_->Cintas.Pon(a, sinPrimera, static_cast<std::uint32_t>(r.Cinta));
}

void Busqueda::Explora(int prof, std::size_t siguiente, int pendiente, int valor) {
    if (pendiente == 0) ++siguiente;
    const int turno = p_.Turno;
    // Every path starts from the first board: its first moves are known.
    std::array<Entero, MaxFichas + 1> destinos;
    std::array<bool, MaxFichas + 1> movibles;
    if (prof == 1 && primeras_ && primeras_->Sabe(valor)) {
        destinos = primeras_->Destinos[static_cast<std::size_t>(valor)];
        movibles = primeras_->Movibles[static_cast<std::size_t>(valor)];
    } else {
        FichasMovibles(p_, valor, 0, &destinos, nullptr, false);
        movibles = p_.FichaMovible;
    }
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
        tocadas_[static_cast<std::size_t>(numTocadas_++)] = static_cast<Entero>(origen);
        tocadas_[static_cast<std::size_t>(numTocadas_++)] = static_cast<Entero>(destino);
        Profundiza(prof + 1, siguiente, bono);
        numTocadas_ -= 2;
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
        PonPaso({Paso::Marca, 0, 0, -1});
    }
}

}  // namespace parchis
