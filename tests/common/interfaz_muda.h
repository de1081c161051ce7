// A services interface that shows nothing, answers every message Aceptar
// and never waits: the base of the tests' doubles, which override only what
// they script or watch.
#pragma once

#include "flow/interfaz_sin_ventana.h"

namespace parchis::prueba {

class InterfazMuda : public InterfazSinVentana {
public:
    explicit InterfazMuda(unsigned semilla) : InterfazSinVentana(semilla) {}

    void Cede() override {}
    double Reloj() override { return 0; }
    FechaHora Ahora() override { return {2004, 3, 7, 18, 5}; }
    void TocaSonido(int, bool) override {}
    int Mensaje(const std::string&, const std::string&, int, int, int) override { return Aceptar; }
    void PonPuntero(Puntero) override {}
    void DibujaDados(int, int, int) override {}
    void MuestraJugada(int, bool) override {}
    void ActualizaLista() override {}
    void TamanoPantalla(int& ancho, int& alto) override { ancho = 1024, alto = 768; }
};

}  // namespace parchis::prueba
