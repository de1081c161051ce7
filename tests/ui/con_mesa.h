// A main window over a fresh game kept in a scratch folder, silent and
// without pauses, measured for an 800x600 screen.  The messages it shows
// are recorded and answered by Contesta.
#pragma once

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <string>
#include <vector>

#include "core/configuracion.h"
#include "ui/mainwindow/escritorio.h"
#include "ui/mainwindow/mesa.h"

namespace parchis::prueba {

class ConMesa : public testing::Test {
protected:
    ConMesa() {
        AplicaValoresPorDefecto(p);
        p.Carpeta = carpeta.path().toStdString() + "/";
        p.Sonido = false;
        p.Velocidad = 100;
        CuentaJugadores(p);
        ReiniciaTablero(p);
        mesa.PonInterfaz(&ui);
        mesa.PonContestador([this](const std::string& titulo, const std::string& texto, int) {
            titulos.push_back(titulo);
            textos.push_back(texto);
            return Contesta(titulo);
        });
        mesa.Prepara(800, 600);
    }
    virtual int Contesta(const std::string&) { return respuesta; }

    QTemporaryDir carpeta;
    Partida p;
    Mesa mesa{p};
    Escritorio ui{mesa};
    std::vector<std::string> titulos, textos;
    int respuesta = Aceptar;
};

}  // namespace parchis::prueba
