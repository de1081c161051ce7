// The history window ("Fichero Histórico de resultados"): the finished
// games as the pages of an open folder, newest first, eight to a page.  A
// click on the folder's lower right corner turns to older games, on the
// lower left to newer ones; Page Down / Page Up and the arrow keys do the
// same, Esc closes.
#pragma once

#include <QDialog>
#include <functional>
#include <vector>

#include "flow/historico.h"
#include "ui/common/cursores.h"

namespace parchis {

class Interfaz;
struct Partida;

// Opens the history window modally over `padre`, with the records of the
// data folder's history file.  The file is only read.
void AbreHistorico(QWidget* padre, Partida& p, Interfaz& ui);

// Plays a sound to its end; opens a help topic over a window.
using SonidoVentana = std::function<void(int numero)>;
using AyudaVentana = std::function<void(QWidget* ventana, int tema)>;

// The folder picture (`Pic_Carpeta`): drawn in its own coordinates,
// AnchoCarpeta x AltoCarpeta, scaled to the screen.
class CarpetaHistorico : public QWidget {
    Q_OBJECT
public:
    static constexpr int AnchoCarpeta = 400;
    static constexpr int AltoCarpeta = 348;

    CarpetaHistorico(QWidget* padre, std::vector<RegistroHistorico> registros, double escala,
                     SonidoVentana sonido);

    int PrimeraDePagina() const { return primera_; }
    int NumRegistros() const { return static_cast<int>(registros_.size()); }
    // Turns to older (true) or newer games when there are any; true if turned.
    bool PasaPagina(bool anteriores);

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    // The corner under a point of the picture: -1 newer, +1 older, 0 none
    // (or one that cannot turn the page).
    int Esquina(QPointF punto) const;
    void DibujaCarpeta(QPainter& g) const;
    void DibujaPagina(QPainter& g) const;

    std::vector<RegistroHistorico> registros_;
    double escala_;
    SonidoVentana sonido_;
    PunteroVentana puntero_;
    int primera_;
};

class VentanaHistorico : public QDialog {
    Q_OBJECT
public:
    VentanaHistorico(QWidget* padre, std::vector<RegistroHistorico> registros, SonidoVentana sonido,
                     AyudaVentana ayuda);
    CarpetaHistorico* Carpeta() const { return carpeta_; }

protected:
    // F1 opens the help, as the help button does.
    void keyPressEvent(QKeyEvent* e) override;

private:
    CarpetaHistorico* carpeta_;
    AyudaVentana ayuda_;
};

}  // namespace parchis
