// The services of a program without a window (the terminal tool, the tests'
// doubles): nothing is drawn, the dice come from a seeded generator and no
// throw is chosen by hand.  A derived class prints or records what it needs.
#pragma once

#include <cstdint>

#include "flow/generador.h"
#include "flow/interfaz.h"

namespace parchis {

class InterfazSinVentana : public Interfaz {
public:
    explicit InterfazSinVentana(std::uint64_t semilla) { generador_.Siembra(semilla); }

    void Pausa(int) override {}
    void SiembraAleatorio() override {}
    double Aleatorio() override { return generador_.Siguiente(); }
    void MuestraMensaje(const std::string&) override {}
    bool DadosElegidos(int&, int&) override { return false; }
    void BorraDados() override {}
    void MuestraTableroVacio() override {}
    void MuestraCuadroEspera(int) override {}
    void PresentaPartida() override {}
    void SenalaFicha(int, int, FormaSenal) override {}
    void MuestraEmblema(int, int) override {}
    void MuestraPanel(const PanelCuenta&) override {}
    void MuestraIndicacion(const std::string&) override {}
    void ActualizaControles() override {}
    void TerminaModoManual() override {}
    bool GrabadoraEncendida() override { return false; }
    void ApagaGrabadora() override {}
    void AbreReglas() override {}
    void MuestraTurnoRed(const std::string&, int) override {}
    void EnviaRed(const std::string&, int) override {}
    void CierraRed() override {}
    CambioPantalla CambiaPantalla() override { return CambioPantalla::Hecho; }
    void PreparaVentana() override {}

private:
    Generador generador_;
};

// Shows nothing, answers every message Aceptar and never waits: the games
// the analysis plays and the tests' doubles start from it and override only
// what they need.
class InterfazCallada : public InterfazSinVentana {
public:
    using InterfazSinVentana::InterfazSinVentana;

    void Cede() override {}
    double Reloj() override { return 0; }
    FechaHora Ahora() override { return {}; }
    void TocaSonido(int, bool) override {}
    int Mensaje(const std::string&, const std::string&, int, int, int) override { return Aceptar; }
    void PonPuntero(Puntero) override {}
    void DibujaDados(int, int, int) override {}
    void MuestraJugada(int, bool) override {}
    void ActualizaLista() override {}
    void TamanoPantalla(int& ancho, int& alto) override {
        ancho = 800;
        alto = 600;
    }
};

}  // namespace parchis
