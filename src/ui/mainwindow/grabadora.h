// The recorder's remote control (Pic_Grabadora): six buttons to step
// through the game's moves.  The picture and its tooltips; what the
// buttons do belongs to the window.
#pragma once

#include <QWidget>
#include <functional>

namespace parchis {

inline constexpr int AnchoMando = 50;
inline constexpr int AltoMando = 76;

enum BotonMando { MandoPotencia, MandoAtras, MandoAdelante, MandoAtrasAuto, MandoAdelanteAuto,
                  MandoRestaurar, NumBotonesMando };

class Grabadora : public QWidget {
public:
    Grabadora(QWidget* padre, std::function<void(int)> pulsa);

    static QRect RectanguloBoton(int boton);
    // The button under a point, -1 for none.
    static int BotonEn(QPoint punto);

protected:
    void paintEvent(QPaintEvent*) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;

private:
    std::function<void(int)> pulsa_;
    int consejo_ = -1;
};

}  // namespace parchis
