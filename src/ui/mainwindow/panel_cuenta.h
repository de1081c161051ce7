// The counting panel "Desglosar": one toggle per split value of the throw,
// through which a person chooses the value to count.
#pragma once

#include <QWidget>
#include <functional>

#include "rules/panel.h"

namespace parchis {

inline constexpr int AnchoPanelCuenta = 150;

class VistaPanelCuenta : public QWidget {
public:
    VistaPanelCuenta(QWidget* padre, std::function<void(int)> marca);

    void Muestra(const PanelCuenta& panel);
    // Height for a number of rows: 22 a row and 26 for the title; compact,
    // so that the move list below it keeps some lines on a small screen.
    static int Alto(int filas) { return filas * 22 + 26; }
    // Top of row i.
    static int AlturaFila(int i) { return (i - 1) * 22 + 22; }
    // The row whose toggle is under a point, 0 for none.
    int FilaEn(QPoint punto) const;

protected:
    void paintEvent(QPaintEvent*) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;

private:
    std::function<void(int)> marca_;
    PanelCuenta panel_;
};

}  // namespace parchis
