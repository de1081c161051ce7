// The options selector (Pic_SelOpciones) that a right click on the board
// opens: save, load or delete a game, move pieces by hand, choose the dice.
// The entries offered and where it opens are plain functions; the widget
// draws them, highlights the entry under the pointer and reports the entry
// on which the button is released.
#pragma once

#include <QRect>
#include <QWidget>
#include <array>
#include <functional>

namespace parchis {

inline constexpr int AnchoSelector = 230;
inline constexpr int AltoEntradaSelector = 18;
inline constexpr int MargenSelector = 4;

enum OpcionSelector {
    OpcionGuardar = 1,
    OpcionCargar = 2,
    OpcionBorrar = 3,
    OpcionManual = 4,
    OpcionDados = 5,
    NumOpciones = 5,
};

using OpcionesActivas = std::array<bool, NumOpciones + 1>;   // element 0 unused

const char* TextoOpcion(int opcion);

// Saving and moving by hand need a game under way, choosing the dice a
// throw awaited too; loading and deleting are always offered.
OpcionesActivas OpcionesOfrecidas(bool partidaIniciada, bool esperandoTirada);

// The selector's place for a press at `punto`: its top-left corner there,
// or to the left of the point (above it) when it would pass the right
// (bottom) edge of the drawing area.
QRect GeometriaSelector(QPoint punto, int entradas, int ladoLienzo);

class SelectorOpciones : public QWidget {
public:
    // `elige(opcion)` runs after the selector has closed.
    SelectorOpciones(QWidget* padre, std::function<void(int)> elige);

    void Abre(QPoint punto, const OpcionesActivas& activas, int ladoLienzo);
    void Cierra();
    // Open, whether or not the window is on screen now.
    bool Abierto() const { return !isHidden(); }

    // The entry under a point of the selector, 0 for none.
    int OpcionEn(QPoint punto) const;
    int OpcionBajoRaton() const { return bajoRaton_; }
    void Resalta(int opcion);
    // The button was released at a point of the selector: closes it and
    // acts when the point is on an entry.
    void Suelta(QPoint punto);

protected:
    void paintEvent(QPaintEvent*) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    std::function<void(int)> elige_;
    OpcionesActivas activas_{};
    int bajoRaton_ = 0;
};

}  // namespace parchis
