// The small board of the player settings window: the board in the colours
// the seats have now, an arrow round it in the direction of play and each
// active seat's name beside its corner, in the look chosen.
#pragma once

#include <QPixmap>
#include <QWidget>

#include "core/preferencias_propias.h"
#include "core/partida.h"

namespace parchis {

// The colour of a name written on a plate of colour `fondo`: the one that
// reads best.
QColor ColorLetraSobre(const QColor& fondo);

class Tablerito : public QWidget {
public:
    Tablerito(QWidget* padre, const Partida& p);
    QSize sizeHint() const override { return {210, 200}; }
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    const QPixmap& Tablero();

    const Partida& p_;
    QPixmap tablero_;
    int puestoPintado_ = -1;
    int fichasPintadas_ = 0;
    Aspecto aspectoPintado_ = Aspecto::Clasico;
};

}  // namespace parchis
