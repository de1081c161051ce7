#include "tools/interfaz_texto.h"

#include <algorithm>
#include <cmath>
#include <ctime>
#include <iostream>

#include "flow/final.h"
#include "flow/jugada.h"
#include "flow/motor.h"
#include "flow/persona.h"

namespace parchis::texto {

namespace {
// Decision times go in steps of 1% from a tenth of a microsecond: a few
// thousand counters however many games are played.
constexpr double TramoMinimo = 1e-7, Paso = 1.01;

// Processor time of this thread, in seconds.
double SegundosProceso() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}
}  // namespace

void TiemposDecision::Anota(double segundos, long decision, long partida, long jugada) {
    Segundos += segundos;
    if (ListaLentas && segundos > UmbralLenta && Lentas.size() < MaximoLentas) Lentas.push_back({decision, partida, jugada, segundos});
    const auto i = segundos <= TramoMinimo
                       ? std::size_t{0}
                       : static_cast<std::size_t>(std::ceil(std::log(segundos / TramoMinimo) / std::log(Paso)));
    if (i >= Tramos.size()) Tramos.resize(i + 1);
    ++Tramos[i];
    if (segundos > Peor) {
        Peor = segundos;
        PartidaPeor = partida;
        JugadaPeor = jugada;
    }
}

double TiemposDecision::Percentil(double fraccion, long decisiones) const {
    const auto meta = static_cast<long>(std::ceil(fraccion * static_cast<double>(decisiones)));
    long cuenta = 0;
    for (std::size_t i = 0; i < Tramos.size(); ++i)
        if ((cuenta += Tramos[i]) >= meta)
            return std::min(Peor, TramoMinimo * std::pow(Paso, static_cast<double>(i)));
    return Peor;
}

InterfazTexto::InterfazTexto(Partida& p, std::ostream& salida, bool silencioso, bool comprobar,
                             std::uint64_t semilla)
    : InterfazSinVentana(semilla), p_(p), salida_(salida), silencioso_(silencioso), comprobar_(comprobar) {}

void InterfazTexto::EmpiezaPartida() {
    vigilante_ = VigilanteJugadas{};
    lineasImpresas_ = 0;
    fotograma_ = 0;
    final_ = false;
    if (!silencioso_) salida_ << "\n=== Partida " << datos_.Partidas + 1 << " ===\n";
}

// Nobody clicks: a throw is never awaited and a seat left to a person plays
// the computer's choice.
void InterfazTexto::Cede() {
    p_.EsperandoTirada = false;
    if (p_.EsperandoFicha && !EligeFichaPersona(p_, p_.JugadaElegida.Ficha))
        for (int k = 1; k <= p_.NumFichas && p_.EsperandoFicha; ++k) EligeFichaPersona(p_, k);
}

double InterfazTexto::Reloj() {
    return std::chrono::duration<double>(Reloj_::now().time_since_epoch()).count();
}

FechaHora InterfazTexto::Ahora() {
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min};
}

// Sound 17 follows the first frame of a throw; the ninth frame is the throw.
void InterfazTexto::TocaSonido(int n, bool) {
    if (n == 17 && fotograma_ == 0) fotograma_ = 1;
}

void InterfazTexto::DibujaDados(int jugador, int dado1, int dado2) {
    if (fotograma_ == 0 || ++fotograma_ < 9) return;
    fotograma_ = 0;
    if (silencioso_) return;
    salida_ << (p_.PartidaIniciada ? "  dados de " : "Sorteo: ") << NombreDe(p_, jugador) << ": " << dado1;
    if (p_.NumDados == 2) salida_ << " y " << dado2;
    salida_ << '\n';
}

int InterfazTexto::Mensaje(const std::string& titulo, const std::string& texto, int, int, int) {
    if (titulo == TituloFinal) AlFinal();
    if (titulo == TituloLimite) AlLimite();
    if (titulo == TituloErrorHistorico) ++historicoPerdido_;
    if (titulo.rfind("Error", 0) == 0) {
        std::cerr << "parchis-texto: [" << titulo << "] " << texto << std::endl;
    } else if (!silencioso_) {
        std::string t = texto;
        for (std::size_t i = t.find("\r\n"); i != std::string::npos; i = t.find("\r\n", i))
            t.replace(i, 2, "\n    ");
        salida_ << "[" << titulo << "] " << t << '\n';
    }
    return Aceptar;
}

void InterfazTexto::PonPuntero(Puntero puntero) {
    // The hourglass while a move is awaited is the computer player thinking.
    if (puntero == Puntero::Espera && p_.EsperandoFicha) {
        pensando_ = true;
        inicioDecision_ = Reloj_::now();
        if (mideProceso_) inicioProceso_ = SegundosProceso();
    } else if (puntero == Puntero::Normal && pensando_) {
        pensando_ = false;
        const double s = std::chrono::duration<double>(Reloj_::now() - inicioDecision_).count();
        ++datos_.Decisiones;
        const long partida = datos_.Partidas + 1;
        datos_.Reloj.Anota(s, datos_.Decisiones, partida, p_.NumJugada);
        if (mideProceso_)
            datos_.Proceso.Anota(SegundosProceso() - inicioProceso_, datos_.Decisiones, partida, p_.NumJugada);
    }
}

void InterfazTexto::MuestraJugada(int n, bool adelante) {
    if (!comprobar_ || !adelante) return;
    const std::string error = vigilante_.TrasJugada(p_, n);
    if (!error.empty()) throw Violacion(error);
}

void InterfazTexto::ActualizaLista() {
    if (p_.ListaJugadas.size() < lineasImpresas_) lineasImpresas_ = 0;
    for (; lineasImpresas_ < p_.ListaJugadas.size(); ++lineasImpresas_)
        if (!silencioso_) salida_ << p_.ListaJugadas[lineasImpresas_] << '\n';
}

void InterfazTexto::AlFinal() {
    final_ = true;
    ++datos_.Partidas;
    ++datos_.Victorias[p_.Turno];
    datos_.Jugadas += p_.NumJugada;
    if (!comprobar_) return;
    const std::string error = vigilante_.AlFinal(p_);
    if (!error.empty()) throw Violacion(error);
}

// Rules under which no seat can finish any more: the game stops without a
// winner; its log must still replay.
void InterfazTexto::AlLimite() {
    final_ = true;
    ++datos_.Partidas;
    ++datos_.SinGanador;
    datos_.Jugadas += p_.NumJugada;
    if (!comprobar_) return;
    const std::string error = CompruebaRegistro(p_, p_.NumJugada);
    if (!error.empty()) throw Violacion(error);
}

}  // namespace parchis::texto
