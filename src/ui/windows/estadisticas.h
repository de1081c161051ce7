// The statistics window (`estadis`): the seat to move and its throw, the
// values a throw can count with how often each comes up, and where every
// piece stands with what each piece of the seat to move can do.  It only
// shows the figures of CalculaEstadisticas; before a game starts it is
// blank.  The text surface scrolls on small screens; Esc closes.
#pragma once

#include <QDialog>
#include <QFont>

#include "ai/estadisticas.h"
#include "ui/windows/historia.h"

namespace parchis {

class Interfaz;
struct Partida;

// Opens the statistics window modally over `padre` for the record's game.
// The record is only read.
void AbreEstadisticas(QWidget* padre, Partida& p, Interfaz& ui);

// The window's text surface (`Texto`).
class TextoEstadisticas : public QWidget {
    Q_OBJECT
public:
    TextoEstadisticas(QWidget* padre, Estadistica e, int puestoMesa);

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    void DibujaCabecera(QPainter& g) const;
    void DibujaValores(QPainter& g) const;
    void DibujaFichas(QPainter& g) const;
    void DibujaFila(QPainter& g, const JugadorEstadistica& j, const FichaEstadistica& f, double y) const;
    double Columna(int c) const { return x0_ + c * columna_; }

    Estadistica e_;
    int puestoMesa_;
    QFont fija_;
    double columna_ = 7;   // width of a text column of the piece table
    double x0_ = 0;        // where the piece table starts
};

class VentanaEstadisticas : public QDialog {
    Q_OBJECT
public:
    VentanaEstadisticas(QWidget* padre, Estadistica e, int puestoMesa, SonidoVentana sonido,
                        AyudaVentana ayuda);
};

}  // namespace parchis
