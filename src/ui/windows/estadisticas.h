// The statistics window (`estadis`), in three pages:
//   "Turno": the seat to move and its throw, the values a throw can count
//   with how often each comes up, and where every piece stands with what
//   each piece of the seat to move can do (the figures of
//   CalculaEstadisticas; blank before a game starts);
//   "Dados": how often each face (with two dice each total and the
//   doubles) came up in this game and in all games, per seat, beside the
//   expected figures, with a chart and the verdict of the chi-square test;
//   "Posibilidades": each seat's (with pairs each pair's) chance of
//   winning, estimated on worker threads while the window is open and
//   drawn as it converges.  The analysis stops when the window closes and
//   starts again when the position changes.
// The window is no wider than the board; long pages scroll vertically.
#pragma once

#include <QFont>
#include <QTimer>
#include <memory>

#include "ai/dados.h"
#include "ai/estadisticas.h"
#include "flow/posibilidades.h"
#include "ui/common/controles.h"

class QChartView;
class QLabel;
class QScrollArea;

namespace parchis {

class Interfaz;
struct Partida;

// Opens the statistics window modally over `padre` for the record's game.
// The record is only read.
void AbreEstadisticas(QWidget* padre, Partida& p, Interfaz& ui);

// The "Turno" page's text surface (`Texto`): the piece table, narrow
// enough for the board's width (a piece's comment goes on a line of its
// own), then the value table.
class TextoEstadisticas : public QWidget {
    Q_OBJECT
public:
    // The type shrinks (down to 8 pixels) so that the surface is at most
    // `anchoMaximo` wide.
    TextoEstadisticas(QWidget* padre, Estadistica e, int puestoMesa, int anchoMaximo);

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    void DibujaCabecera(QPainter& g) const;
    void DibujaValores(QPainter& g, double arriba) const;
    double DibujaFichas(QPainter& g) const;
    void DibujaFila(QPainter& g, const JugadorEstadistica& j, const FichaEstadistica& f, double y) const;
    double Columna(int c) const { return x0_ + c * columna_; }
    double AltoFichas() const;

    Estadistica e_;
    int puestoMesa_;
    QFont fija_;
    double columna_ = 7;   // width of a text column of the piece table
    double x0_ = 0;        // where the piece table starts
};

// The "Posibilidades" page's bars.
class PanelPosibilidades : public QWidget {
    Q_OBJECT
public:
    PanelPosibilidades(QWidget* padre, const Partida& p);
    void Pon(const Posibilidades& r, bool terminado, bool valido);

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    std::array<std::string, 5> nombres_{};
    std::array<bool, 5> activo_{};
    int puestoMesa_ = 0;
    bool parejas_ = false;
    Posibilidades r_;
    bool terminado_ = false, valido_ = false;
};

class VentanaEstadisticas : public VentanaAjustes {
    Q_OBJECT
public:
    VentanaEstadisticas(QWidget* padre, const ServiciosControl& s, const Partida& p);
    ~VentanaEstadisticas() override;

    // The analysis now running (none without a game).
    const Analisis* AnalisisEnCurso() const { return analisis_.get(); }
    // Analyses started so far: one more each time the position changes.
    int Arranques() const { return arranques_; }

private:
    void Construye();
    void MuestraDados();
    void Sondea();
    std::uint64_t Firma() const;

    const Partida& p_;
    int ancho_;   // the window's width
    std::uint64_t firma_ = 0;
    QTimer reloj_;
    std::unique_ptr<Analisis> analisis_;
    RecuentoDados partida_{};
    RecuentoGeneral general_;
    bool todas_ = false;   // the "Dados" page shows all games
    int arranques_ = 0;
    QScrollArea* turno_ = nullptr;
    Selector* alcance_ = nullptr;
    QLabel* tablaDados_ = nullptr;
    QLabel* veredicto_ = nullptr;
    QChartView* grafico_ = nullptr;
    PanelPosibilidades* posibilidades_ = nullptr;
};

}  // namespace parchis
