// The recorder's remote control (Pic_Grabadora): six buttons to step
// through the game's moves.  The picture, its tooltips and the button under
// a press; what the buttons do is the game flow's (flow/grabadora.h).
#pragma once

#include <QWidget>
#include <functional>

#include "flow/grabadora.h"

namespace parchis {

inline constexpr int AnchoMando = 50;
inline constexpr int AltoMando = 76;

class Grabadora : public QWidget {
public:
    Grabadora(QWidget* padre, std::function<void(int)> pulsa);

    static QRect RectanguloBoton(int boton);
    // The button under a point, -1 for none.
    static int BotonEn(QPoint punto);

    // The power light and the button drawn pressed (-1 for none); the
    // picture is redrawn at once, since the press's action runs before the
    // window gets back to its events.
    void Muestra(bool encendido, int pulsado);
    bool Encendido() const { return encendido_; }
    int Pulsado() const { return pulsado_; }

protected:
    void paintEvent(QPaintEvent*) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;

private:
    std::function<void(int)> pulsa_;
    int consejo_ = -1;
    bool encendido_ = false;
    int pulsado_ = -1;
};

}  // namespace parchis
