// The base of the tests' doubles, which override only what they script or
// watch: the program's silent services, on a fixed date and a 1024 x 768
// screen.
#pragma once

#include "flow/interfaz_sin_ventana.h"

namespace parchis::prueba {

class InterfazMuda : public InterfazCallada {
public:
    explicit InterfazMuda(unsigned semilla) : InterfazCallada(semilla) {}

    FechaHora Ahora() override { return {2004, 3, 7, 18, 5}; }
    void TamanoPantalla(int& ancho, int& alto) override { ancho = 1024, alto = 768; }
};

}  // namespace parchis::prueba
