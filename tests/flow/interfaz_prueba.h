// A window-less double of the services interface for the flow's tests:
// messages answered from a script (Aceptar by default), dice fixed from a
// list, the person's clicks played through the same operations the desktop
// calls, and everything the game showed kept for the test to look at.
#pragma once

#include <deque>
#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "common/interfaz_muda.h"

namespace parchis::prueba {

struct MensajeVisto { std::string Titulo, Texto; };

class InterfazPrueba : public InterfazMuda {
public:
    explicit InterfazPrueba(Partida& p, unsigned semilla = 1);

    // --- script -------------------------------------------------------------------
    // Answers for messages whose title is given, in order; Aceptar otherwise.
    void Responde(const std::string& titulo, int respuesta) { respuestas_.push_back({titulo, respuesta}); }
    // The next throws, as if chosen by hand in the dice list.
    void Dados(int dado1, int dado2 = 0) { dados_.push_back({dado1, dado2}); }
    // Runs inside every Cede (before the default person and throw clicks).
    std::function<void()> AlCeder;
    // A person's turn: called while the engine waits for the move of a seat
    // with Control 1.  Default: the tutor's suggestion, else the first
    // movable piece.
    std::function<void()> Persona;
    // After every message, with what it showed.
    std::function<void(const MensajeVisto&)> AlMensaje;

    // --- what was shown -------------------------------------------------------------
    std::vector<MensajeVisto> Mensajes;
    std::vector<std::string> Indicaciones;
    std::vector<PanelCuenta> Paneles;
    std::vector<std::pair<std::string, int>> Enviados;
    std::vector<std::pair<int, bool>> Jugadas;   // (n, adelante)
    std::vector<std::pair<int, FormaSenal>> Senales;   // (ficha, forma)
    std::vector<int> Dibujos;   // the seat of every throw drawn
    long Cesiones = 0, Lanzamientos = 0, ReglasAbiertas = 0;
    // Every (sound, played to the end) pair requested.
    std::set<std::pair<int, bool>> Sonidos;
    bool Grabadora = false;
    int AnchoPantalla = 1024, AltoPantalla = 768;
    CambioPantalla Cambio = CambioPantalla::Hecho;

    // The messages with this title.
    std::vector<MensajeVisto> ConTitulo(const std::string& titulo) const;

    // Picks piece k for the waiting person (through EligeFichaPersona).
    bool Clic(int ficha);

    // --- Interfaz --------------------------------------------------------------------
    void Cede() override;
    void TocaSonido(int n, bool esperar) override;
    int Mensaje(const std::string& titulo, const std::string& texto, int, int, int) override;
    bool DadosElegidos(int& dado1, int& dado2) override;
    void DibujaDados(int jugador, int, int) override { Dibujos.push_back(jugador); }
    void MuestraJugada(int n, bool adelante) override { Jugadas.push_back({n, adelante}); }
    void SenalaFicha(int, int ficha, FormaSenal forma) override { Senales.push_back({ficha, forma}); }
    void MuestraPanel(const PanelCuenta& panel) override { Paneles.push_back(panel); }
    void MuestraIndicacion(const std::string& texto) override { Indicaciones.push_back(texto); }
    bool GrabadoraEncendida() override { return Grabadora; }
    void ApagaGrabadora() override { Grabadora = false; }
    void AbreReglas() override { ++ReglasAbiertas; }
    void EnviaRed(const std::string& texto, int salvo) override { Enviados.push_back({texto, salvo}); }
    void TamanoPantalla(int& ancho, int& alto) override { ancho = AnchoPantalla, alto = AltoPantalla; }
    CambioPantalla CambiaPantalla() override { return Cambio; }

private:
    void PersonaPorDefecto();

    Partida& p_;
    std::deque<std::pair<std::string, int>> respuestas_;
    std::deque<std::pair<int, int>> dados_;
};

}  // namespace parchis::prueba
