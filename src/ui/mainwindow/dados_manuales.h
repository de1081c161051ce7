// The dice-value list for throws chosen by hand (Lis_Dados): twelve lines
// in two groups of six, the values 1 to 6 of the first die (lines 0-5) and
// of the second (lines 6-11).  Drawn as two rows of die faces.
#pragma once

#include <QWidget>
#include <functional>

namespace parchis {

inline constexpr int AnchoListaDados = 194;
inline constexpr int AltoListaDados = 92;

// The lines chosen so far.  Choosing a line clears the rest of its group.
struct EleccionDados {
    int Primera = -1;   // 0..5
    int Segunda = -1;   // 6..11

    // Chooses a line; true when the throw is complete: a line of the first
    // group with one die, one of each group with two.
    bool Elige(int linea, int numDados);
    bool Completa(int numDados) const { return Primera >= 0 && (numDados == 1 || Segunda >= 0); }
    int Dado1() const { return Primera + 1; }
    int Dado2() const { return Segunda >= 0 ? Segunda - 5 : 0; }
};

class ListaDados : public QWidget {
public:
    // `elige(linea)` runs for a click on a line.
    ListaDados(QWidget* padre, std::function<void(int)> elige);

    // Shown empty, for a throw of numDados dice.
    void Abre(int numDados);
    const EleccionDados& Eleccion() const { return eleccion_; }
    EleccionDados& Eleccion() { return eleccion_; }

    // The line under a point, -1 for none.
    int LineaEn(QPoint punto) const;
    QRect RectanguloLinea(int linea) const;

protected:
    void paintEvent(QPaintEvent*) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;

private:
    std::function<void(int)> elige_;
    EleccionDados eleccion_;
    int numDados_ = 1;
};

}  // namespace parchis
