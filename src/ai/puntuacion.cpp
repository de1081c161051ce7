#include "ai/puntuacion.h"

#include <algorithm>
#include <cmath>

#include "rules/tablero.h"

namespace parchis {

namespace {

// Weights by character: Conservador, Medio, Agresivo.
constexpr double Peso1[3] = {0.18, 0.15, 0.12};
constexpr double Peso2[3] = {0.13, 0.15, 0.17};
constexpr double Peso3[3] = {0.12, 0.10, 0.08};
constexpr double Peso4 = 0.2;
constexpr double Peso5 = 2.5;
constexpr double Peso6 = 2.0;
constexpr double Factor7[3] = {1, 0.6, 0.2};
constexpr int Base8[3] = {4, 6, 8};
constexpr double Rasgo9[3] = {-0.9, -0.6, -0.3};
constexpr double Rasgo10[3] = {-0.1, -0.25, -0.4};
constexpr double Factor11[3] = {0.4, 0.8, 1.2};

double Media(const std::array<double, 5>& progreso, const std::array<bool, 5>& cuales) {
    double suma = 0;
    int n = 0;
    for (int r = 1; r <= 4; ++r)
        if (cuales[r]) {
            suma += progreso[r];
            ++n;
        }
    return n > 0 ? suma / n : 0;
}

}  // namespace

void Candidato::PonMarca(bool marca) {
    const float rasgo9 = marca && AplicaRasgo9 ? ValorRasgo9 : 0.0f;
    // The same features give the same total: most candidates meet no mark.
    if (rasgo9 == Rasgos[9]) return;
    Rasgos[9] = rasgo9;
    Suma();
}

void Candidato::Suma() {
    Total = 0;
    for (int i = 1; i <= 11; ++i) Total += Rasgos[i];
}

Puntuador::Puntuador(const Partida& p, const ContextoValoracion& ctx, const ValorEstado& antes)
    : ctx_(ctx), antes_(antes) {
    nivel_ = p.Nivel[ctx.Jugador];
    caracter_ = p.Caracter[ctx.Jugador] >= 1 && p.Caracter[ctx.Jugador] <= 3
                    ? p.Caracter[ctx.Jugador]
                    : 2;
    seisConTodas_ = p.SeisConTodas;
    salidaCon5_ = p.SalidaCon5;
    const int casa = CasillaCasa[ctx.Jugador];
    for (int k = 1; k <= ctx.NumFichas; ++k) {
        if (antes.Posicion[k] == casa || antes.Posicion[k] == 0) continue;
        sumasAntes_[1] += antes.S1[k];
        sumasAntes_[2] += antes.S2[k];
        sumasAntes_[3] += antes.S3[k];
    }
    for (int r = 1; r <= 4; ++r)
        rival_[r] = r != ctx.Jugador && p.Estado[r] == 1 && !(ctx.Parejas && r == ctx.Socio);
    mediaRivalesAntes_ = Media(antes.Progreso, rival_);
}

double Puntuador::NetoAntes(int destino) const {
    const bool enTabla = destino >= 0 && destino <= NumCasillas;
    if (enTabla && netoAntesHecho_[destino]) return netoAntes_[destino];
    const double neto = Neto(antes_.Vista(), destino);
    if (enTabla) {
        netoAntes_[destino] = neto;
        netoAntesHecho_[destino] = true;
    }
    return neto;
}

double Puntuador::Neto(const VistaValor& v, int excluida) const {
    const int casa = CasillaCasa[ctx_.Jugador];
    double neto = 0;
    for (int k = 1; k <= ctx_.NumFichas; ++k)
        if (v.Fichas.Posicion[k] != casa) neto += v.Ganancia(k, excluida) - v.Fichas.Perdida[k];
    return neto;
}

void Puntuador::PuntuaTablero(ValorEstado& despues) const {
    const int j = ctx_.Jugador;
    const int n = ctx_.NumFichas;
    const int casa = CasillaCasa[j];
    const int c = caracter_ - 1;
    const double nivel = nivel_ / 100.0;
    auto& f = despues.Rasgos;
    f = {};
    despues.Neto = Neto(despues.Vista(), -1);
    std::array<double, 4> sumas{};
    for (int k = 1; k <= n; ++k) {
        if (despues.Posicion[k] != casa && despues.Posicion[k] != 0) {
            sumas[1] += despues.S1[k];
            sumas[2] += despues.S2[k];
            sumas[3] += despues.S3[k];
        }
    }
    f[2] = static_cast<float>((sumas[1] - sumasAntes_[1]) * Peso2[c] * nivel);
    f[3] = static_cast<float>((sumas[2] - sumasAntes_[2]) * Peso3[c] * nivel);
    f[4] = static_cast<float>((sumas[3] - sumasAntes_[3]) * Peso4 * nivel);

    double avance = despues.Progreso[j] - antes_.Progreso[j];
    if (ctx_.Parejas) avance += despues.Progreso[ctx_.Socio] - antes_.Progreso[ctx_.Socio];
    f[5] = static_cast<float>(avance * Peso5 * nivel);
    const double rivales = -(Media(despues.Progreso, rival_) - mediaRivalesAntes_);
    f[6] = static_cast<float>(rivales * Peso6 * nivel);

    if (nivel_ >= 41) {
        double refugio = 0;
        int resguardadas = 0, expuestas = 0;
        for (int k = 1; k <= n; ++k) {
            if (antes_.Resguardada[k] == despues.Resguardada[k]) continue;
            const int r = despues.Recorrido[k] > 63 ? 63 : despues.Recorrido[k];
            const double parte = r / 63.0 / n * 100.0;
            if (despues.Resguardada[k]) {
                refugio += parte;
                ++resguardadas;
            } else {
                refugio -= parte;
                ++expuestas;
            }
        }
        if (resguardadas != expuestas) refugio *= std::abs(resguardadas - expuestas);
        f[7] = static_cast<float>(refugio * 0.1 * Factor7[c]);
        if (despues.EnEspera != antes_.EnEspera) {
            int base = despues.EnEspera * (n == 4 ? 2 : 1) + Base8[c];
            if (nivel_ >= 76 && despues.EnEspera == 1)
                base += seisConTodas_ == 1 ? 3 : (seisConTodas_ == 2 ? 6 : 0);
            const double bruto = salidaCon5_ ? base : base / 4.0;
            f[8] = static_cast<float>(bruto * 0.11);
        }
    }
    despues.AplicaRasgo9 = false;
    if (nivel_ >= 61)
        for (int k = 1; k <= n; ++k)
            if (despues.Recorrido[k] < 62) despues.AplicaRasgo9 = true;
}

Candidato Puntuador::Puntua(const VistaValor& vista, const CaminoCandidato& camino) const {
    const ValorFichas& despues = vista.Fichas;
    const int j = ctx_.Jugador;
    const int n = ctx_.NumFichas;
    const int c = caracter_ - 1;
    const double nivel = nivel_ / 100.0;
    Candidato cand = Candidato::SinPuntuar(camino);
    auto& f = cand.Rasgos;

    const double netoAntes = NetoAntes(camino.Destino);
    // A capture on the first move's landing square is not counted.
    bool excluye = false;
    for (int t = 0; t < vista.NumTerminos && !excluye; ++t) excluye = vista.Terminos[t].Casilla == camino.Destino;
    const double netoDespues = excluye ? Neto(vista, camino.Destino) : despues.Neto;
    f[1] = static_cast<float>((netoDespues - netoAntes) * Peso1[c] * nivel);
    std::copy(despues.Rasgos.begin() + 2, despues.Rasgos.end(), f.begin() + 2);
    cand.AplicaRasgo9 = despues.AplicaRasgo9;
    if (nivel_ >= 91 && camino.Movimientos == 1 && camino.Ficha >= 1 && camino.Ficha <= n &&
        antes_.Recorrido[camino.Ficha] >= 63)
        f[10] = static_cast<float>(Rasgo10[c]);
    if (nivel_ >= 81 && ctx_.Parejas && camino.CapturasSocio > 0)
        f[11] = static_cast<float>((antes_.Progreso[j] - antes_.Progreso[ctx_.Socio] - 5) *
                                   camino.CapturasSocio * Factor11[c]);
    cand.ValorRasgo9 = static_cast<float>(Rasgo9[c]);
    cand.Suma();
    cand.PonMarca(camino.Marca);
    return cand;
}

}  // namespace parchis
