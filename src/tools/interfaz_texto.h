// The services interface of the terminal tool: the games are printed as
// they go (draw, throws, move list, messages), every message is answered
// Aceptar, nothing waits; errors go to the error output even when the
// games are not printed; with checking on, every move is checked and a
// violation stops the run.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <ostream>
#include <stdexcept>
#include <vector>

#include "flow/comprobacion.h"
#include "flow/interfaz_sin_ventana.h"

namespace parchis::texto {

struct Violacion : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The times of the computer's decisions by one clock.
struct TiemposDecision {
    // A decision over the slow mark: the same games played again tell a
    // slow choice, which comes back, from the machine pausing the program
    // now and then, which does not.
    struct Lenta {
        long Decision, Partida, Jugada;
        double Segundos;
    };
    static constexpr double UmbralLenta = 0.005;
    static constexpr std::size_t MaximoLentas = 1000;

    double Segundos = 0;
    double Peor = 0;
    long PartidaPeor = 0, JugadaPeor = 0;   // where the slowest decision was
    std::vector<long> Tramos;               // decisions by time, in steps of 1%
    bool ListaLentas = false;               // keep the slow ones in Lentas
    std::vector<Lenta> Lentas;              // the first MaximoLentas over UmbralLenta

    void Anota(double segundos, long decision, long partida, long jugada);
    // The time (seconds, within 1%) that this share of `decisiones` stays under.
    double Percentil(double fraccion, long decisiones) const;
};

struct Estadistica {
    long Partidas = 0;
    long SinGanador = 0;   // stopped at the move limit
    std::array<long, 5> Victorias{};
    long Jugadas = 0;
    long Decisiones = 0;
    // The wall clock counts whatever else the machine runs; the thread's
    // processor time counts the decision alone.
    TiemposDecision Reloj, Proceso;
};

class InterfazTexto : public InterfazSinVentana {
public:
    InterfazTexto(Partida& p, std::ostream& salida, bool silencioso, bool comprobar,
                  std::uint64_t semilla);

    // Before each game.
    void EmpiezaPartida();
    // The game just played ended: with a winner, or at the move limit.
    bool Terminada() const { return final_; }
    const Estadistica& Datos() const { return datos_; }
    // Games whose record could not be added to the history.
    long HistoricoPerdido() const { return historicoPerdido_; }
    // Each decision's processor time is read too: two system calls a
    // decision, which cost more than most decisions on some machines.
    void MideProceso(bool mide) { mideProceso_ = datos_.Proceso.ListaLentas = mide; }

    void Cede() override;
    double Reloj() override;
    FechaHora Ahora() override;
    void TocaSonido(int n, bool) override;
    int Mensaje(const std::string& titulo, const std::string& texto, int lineas, int botones,
                int ayuda) override;
    void PonPuntero(Puntero puntero) override;
    void DibujaDados(int jugador, int dado1, int dado2) override;
    void MuestraJugada(int n, bool adelante) override;
    void ActualizaLista() override;
    void TamanoPantalla(int& ancho, int& alto) override { ancho = 800, alto = 600; }

private:
    void AlFinal();
    void AlLimite();

    using Reloj_ = std::chrono::steady_clock;
    Partida& p_;
    std::ostream& salida_;
    bool silencioso_, comprobar_;
    VigilanteJugadas vigilante_;
    Estadistica datos_;
    std::size_t lineasImpresas_ = 0;
    int fotograma_ = 0;   // frame of the throw being tumbled, 0 = none
    bool final_ = false;
    bool pensando_ = false;
    long historicoPerdido_ = 0;
    Reloj_::time_point inicioDecision_;
    bool mideProceso_ = false;
    double inicioProceso_ = 0;
};

}  // namespace parchis::texto
