// How the board is painted, apart from where things are: one small
// interface with the classic look and the modern one.  Both paint the same
// geometry (medidas.h) and each thing inside the same box, so the board's
// restoring of areas, the hit tests and the animations are the same in both.
#pragma once

#include <QColor>
#include <QString>

#include "core/preferencias_propias.h"
#include "ui/board/medidas.h"
#include "ui/board/pintura.h"

class QPainter;

namespace parchis {

class Pintor {
public:
    virtual ~Pintor() = default;

    // Drawing colour of each seat under the colour rotation.
    virtual ColoresMesa Colores(int puestoMesa) const = 0;
    // The whole empty board on a LadoLienzo square.
    virtual void TableroVacio(QPainter& p, const Medidas& me, const ColoresMesa& colores,
                              const Marcas& marcas, int numFichas) const = 0;
    // A piece centred on (x, y), inside CajaFicha's box; `marca` (1..4) is
    // the seat colour's own mark.
    virtual void Ficha(QPainter& p, const Medidas& me, int x, int y, const QColor& color,
                       int marca) const = 0;
    // Whether the dice stand on a black square (else on the empty board).
    virtual bool DadosSobreNegro() const = 0;
    // Die i (1 or 2) of numDados in seat j's corner.
    virtual void Dado(QPainter& p, const Medidas& me, int numDados, int jugador, int i,
                      int valor) const = 0;
    // The status bar with its text (empty for none).
    virtual void Barra(QPainter& p, const Medidas& me, const QString& texto) const = 0;
    // A seat's name plate (its strip already clear).
    virtual void Placa(QPainter& p, const Rectangulo& r, const QString& nombre,
                       const QColor& color) const = 0;
};

const Pintor& PintorDe(Aspecto a);

// Where the modern look draws die i of numDados in seat j's corner: about a
// square and a half, inside the dice area.
Rectangulo CajaDadoModerno(const Medidas& me, int numDados, int jugador, int i);

// The modern look's seat colours (rotation 0: green, red, blue, yellow).
QColor ColorModerno(int marca);

}  // namespace parchis
