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

class MesaDePrueba {
protected:
    MesaDePrueba() {
        AplicaValoresPorDefecto(p);
        p.Carpeta = carpeta.path().toStdString() + "/";
        p.Sonido = false;
        p.Velocidad = 100;
        CuentaJugadores(p);
        ReiniciaTablero(p);
        mesa.PonInterfaz(&ui);
        mesa.PonContestador([this](const std::string& titulo, const std::string& texto, int botones) {
            titulos.push_back(titulo);
            textos.push_back(texto);
            return Contesta(titulo, botones);
        });
        mesa.Prepara(800, 600);
    }
    virtual ~MesaDePrueba() = default;
    virtual int Contesta(const std::string&, int /*botones*/) { return respuesta; }

    QTemporaryDir carpeta;
    Partida p;
    Mesa mesa{p};
    Escritorio ui{mesa};
    std::vector<std::string> titulos, textos;
    int respuesta = Aceptar;
};

// The same as a test's fixture.
class ConMesa : public testing::Test, public MesaDePrueba {};

}  // namespace parchis::prueba
