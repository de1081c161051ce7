// A services interface that shows nothing, answers every message Aceptar
// and never waits: the base of the tests' doubles, which override only what
// they script or watch.
#pragma once

#include "flow/generador.h"
#include "flow/interfaz.h"

namespace parchis::prueba {

class InterfazMuda : public Interfaz {
public:
    explicit InterfazMuda(unsigned semilla) { generador_.Siembra(semilla); }

    void Cede() override {}
    void Pausa(int) override {}
    double Reloj() override { return 0; }
    FechaHora Ahora() override { return {2004, 3, 7, 18, 5}; }
    void SiembraAleatorio() override {}
    double Aleatorio() override { return generador_.Siguiente(); }
    void TocaSonido(int, bool) override {}
    int Mensaje(const std::string&, const std::string&, int, int, int) override { return Aceptar; }
    void MuestraMensaje(const std::string&) override {}
    void PonPuntero(Puntero) override {}
    bool DadosElegidos(int&, int&) override { return false; }
    void DibujaDados(int, int, int) override {}
    void BorraDados() override {}
    void MuestraTableroVacio() override {}
    void MuestraCuadroEspera(int) override {}
    void PresentaPartida() override {}
    void MuestraJugada(int, bool) override {}
    void SenalaFicha(int, int, FormaSenal) override {}
    void MuestraEmblema(int, int) override {}
    void MuestraPanel(const PanelCuenta&) override {}
    void MuestraIndicacion(const std::string&) override {}
    void ActualizaLista() override {}
    void ActualizaControles() override {}
    void TerminaModoManual() override {}
    bool GrabadoraEncendida() override { return false; }
    void ApagaGrabadora() override {}
    void AbreReglas() override {}
    void MuestraTurnoRed(const std::string&, int) override {}
    void EnviaRed(const std::string&, int) override {}
    void CierraRed() override {}
    void TamanoPantalla(int& ancho, int& alto) override { ancho = 1024, alto = 768; }
    CambioPantalla CambiaPantalla() override { return CambioPantalla::Hecho; }
    void PreparaVentana() override {}

private:
    Generador generador_;
};

}  // namespace parchis::prueba
