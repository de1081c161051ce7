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
    // Height for a number of rows: 31 a row and 29 for the title.
    static int Alto(int filas) { return filas * 31 + 29; }
    // Top of row i's toggle.
    static int AlturaFila(int i) { return (i - 1) * 31 + 26; }
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
