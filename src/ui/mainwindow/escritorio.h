// The desktop's side of the services interface: the turn engine and the
// rest of the game flow reach the window, the speaker, the clock, the dice
// and the network (the main window's Red) through it.
#pragma once

#include <chrono>
#include <functional>
#include <string>

#include "flow/generador.h"
#include "flow/interfaz.h"

class QWidget;

namespace parchis {

class Mesa;

class Escritorio : public Interfaz {
public:
    explicit Escritorio(Mesa& mesa);

    // A fixed seed instead of the time of day (repeatable runs).
    void FijaSemilla(std::uint64_t semilla);
    // The splash window shown while starting, closed once the main window
    // is ready.
    void PonCareta(QWidget* careta) { careta_ = careta; }
    // The administrator's room code while it waits for players (empty
    // when it plays without a room).
    void PonCodigoSala(std::function<std::string()> codigo) { codigoSala_ = std::move(codigo); }

    void Cede() override;
    void Espera() override;
    void Pausa(int unidades) override;
    double Reloj() override;
    FechaHora Ahora() override;
    void SiembraAleatorio() override;
    double Aleatorio() override;

    void TocaSonido(int n, bool esperar) override;
    int Mensaje(const std::string& titulo, const std::string& texto, int lineas, int botones,
                int ayuda) override;
    void MuestraMensaje(const std::string& texto) override;
    void PonPuntero(Puntero puntero) override;

    bool DadosElegidos(int& dado1, int& dado2) override;
    void DibujaDados(int jugador, int dado1, int dado2) override;
    void BorraDados() override;

    void MuestraTableroVacio() override;
    void MuestraCuadroEspera(int jugador) override;
    void PresentaPartida() override;
    void MuestraJugada(int n, bool adelante) override;
    void SenalaFicha(int jugador, int ficha, FormaSenal forma) override;
    void MuestraEmblema(int jugador, int paso) override;

    void MuestraPanel(const PanelCuenta& panel) override;
    void MuestraIndicacion(const std::string& texto) override;

    void ActualizaLista() override;
    void ActualizaControles() override;
    void TerminaModoManual() override;
    bool OpcionesPedidas() override;
    bool GrabadoraEncendida() override;
    void ApagaGrabadora() override;
    void MuestraMando(bool encendido, int pulsado) override;
    void SeleccionaLinea(int indice) override;
    void AbreReglas() override;
    void MuestraTurnoRed(const std::string& nombre, int segundos) override;

    void EnviaRed(const std::string& texto, int salvo) override;
    void CierraRed() override;
    void MuestraEsperaRed(const std::string& titulo, const std::string& texto, int lineas) override;
    void OcultaEsperaRed() override;
    int PeticionConexion(const std::string& texto, const std::vector<std::string>& opciones) override;
    void AbreAjustesJugadores() override;
    void LlegaMensajeChat() override;

    void TamanoPantalla(int& ancho, int& alto) override;
    CambioPantalla CambiaPantalla() override;
    void PreparaVentana() override;

private:
    void AtiendeAlQuedarLibre();

    Mesa& mesa_;
    QWidget* careta_ = nullptr;
    std::function<std::string()> codigoSala_;
    Generador generador_;
    bool semillaFija_ = false;
    std::chrono::steady_clock::time_point inicio_ = std::chrono::steady_clock::now();
};

}  // namespace parchis
