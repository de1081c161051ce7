// Random sequences of commands against a game between computer seats and
// people at this computer: buttons, keys, clicks, options selector entries,
// drags, dice lines and the remote's buttons, in any order, through the
// window's own event paths.  After every command the position is the log
// replayed from the start, the board data hold together, and every piece is
// drawn where the record has it.  The commands are a table of weights.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "con_mesa.h"
#include "flow/comprobacion.h"
#include "ui/common/pausa.h"
#include "ui/mainwindow/botonera.h"
#include "ui/mainwindow/dados_manuales.h"
#include "ui/mainwindow/panel_cuenta.h"
#include "ui/mainwindow/selector.h"

namespace parchis {
namespace {

class Conductor : public prueba::MesaDePrueba {
public:
    Conductor(unsigned semilla, int limite) : azar_(semilla), limite_(limite) {
        p.NumDados = static_cast<Entero>(1 + semilla % 2);
        p.Control = {0, 2, 1, 2, 1};
        CuentaJugadores(p);
        ReiniciaTablero(p);
        ui.FijaSemilla(semilla);
        // Not on screen: the board is drawn all the same, in far less time.
        mesa.Prepara(800, 600);
        auto* botonera = static_cast<Botonera*>(mesa.findChild<QWidget*>(QStringLiteral("Pic_Botonera")));
        QWidget* panel = mesa.findChild<QWidget*>(QStringLiteral("Pic_Desglosar"));
        ListaDados* dados = mesa.Dados();
        const int lado = mesa.Lienzo().Me().LadoLienzo;
        auto punto = [this, lado](int fuera) { return QPoint(Entre(-fuera, lado + fuera), Entre(-fuera, lado + fuera)); };
        ordenes_ = {
            {8, [=, this] {   // with no game under way leaving ends the program unasked
                 const int i = Entre(0, 8);
                 if (i != 7 || p.PartidaIniciada) Clic(botonera, botonera->RectanguloBoton(i).center());
             }},
            {20, [this] { Tecla(); }},
            {12, [=, this] { Clic(&mesa, punto(0)); }},
            {20, [this] { Clic(&mesa, FichaAlAzar()); }},
            {8, [=, this] { Clic(&mesa, punto(0), Qt::RightButton); }},
            {10, [this] { Opcion(Entre(1, NumOpciones)); }},
            {14, [=, this] {   // a drag, a key now and then in the middle of it
                 if (!mesa.Raton().ModoManual) return Opcion(OpcionManual);
                 const QPoint hasta = Entre(0, 2) ? punto(60) : FichaAlAzar();
                 QTest::mousePress(&mesa, Qt::LeftButton, {}, FichaAlAzar());
                 QTest::mouseMove(&mesa, hasta);
                 if (Entre(1, 10) == 1) Tecla();
                 QTest::mouseRelease(&mesa, Qt::LeftButton, {}, hasta);
             }},
            {8, [=, this] {
                 if (dados->isHidden()) return Opcion(OpcionDados);
                 Clic(dados, dados->RectanguloLinea(Entre(0, 11)).center());
             }},
            {4, [=, this] { Clic(panel, {20, VistaPanelCuenta::AlturaFila(Entre(1, 4)) + 10}); }},
            {10, [this] { mesa.PulsaMando(Entre(0, NumBotonesMando - 1)); }},
        };
    }
    ~Conductor() {   // the help windows the commands opened
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w != &mesa) w->close();
    }

    // Runs the commands; returns the first disagreement found, or "".
    std::string Recorre() {
        QEventLoop bucle;
        fin_ = [&] { bucle.quit(); };
        QTimer::singleShot(0, &mesa, [this] { Paso(); });
        bucle.exec();
        return fallo_;
    }
    int Hechas() const { return hechas_; }

private:
    struct Orden {
        int peso;
        std::function<void()> hace;
    };

    int Entre(int a, int b) { return std::uniform_int_distribution<int>(a, b)(azar_); }

    int Contesta(const std::string& titulo, int botones) override {
        // Leaving would end the program; a new game now and then.
        if (titulo == "Posponer la partida en juego" || titulo == "Salir del programa") return Cancelar;
        if (titulo == "Abandonar la partida actual") return Entre(1, 30) == 1 ? Aceptar : Cancelar;
        return botones == 2 && Entre(1, 4) == 1 ? Cancelar : Aceptar;
    }

    // The next command is due before this one runs: a command that starts a
    // game returns only when that game is over, and the commands go on
    // inside it.  While a move is shown input waits, as it does on screen.
    void Paso() {
        if (terminado_) return;
        QTimer::singleShot(0, &mesa, [this] { Paso(); });
        if (EnEspera()) return;
        fallo_ = Comprueba();
        if (!fallo_.empty() || hechas_ == limite_) {
            terminado_ = true;
            if (!fallo_.empty()) fallo_ += " (tras la orden " + std::to_string(hechas_) + ")";
            p.PartidaIniciada = p.EsperandoTirada = p.EsperandoFicha = false;
            QTimer::singleShot(0, &mesa, fin_);
            return;
        }
        ++hechas_;
        int total = 0;
        for (const Orden& o : ordenes_) total += o.peso;
        int r = Entre(1, total);
        for (const Orden& o : ordenes_)
            if ((r -= o.peso) <= 0) return o.hace();
    }

    std::string Comprueba() {
        if (!p.PartidaIniciada || p.NumJugada < 1) return {};
        std::string e = CompruebaPosicion(p);
        if (e.empty()) e = CompruebaRegistro(p, p.NumJugada - 1);
        if (!e.empty() || mesa.Raton().Arrastrando) return e;
        // Drawn as recorded: EnEspera pieces in each box, and each piece on
        // a square (those cut by a diagonal overlap: left out) in its colour.
        Tablero& t = mesa.Lienzo();
        for (int j = 1; j <= 4; ++j) {
            for (int k = 1; k <= p.NumFichas && p.Estado[j] == 1; ++k) {
                const Punto c = t.Centro(p, 0, j, k, 0), f = mesa.Animacion().PosicionFicha(p, j, k);
                const int s = p.Fichas[j][k];
                if ((t.PixelEn(c.x, c.y) == t.ColorDe(j)) != (k <= p.EnEspera[j]))
                    return "cuadro de espera " + std::to_string(j) + " mal dibujado";
                const bool fuera = s < 1 || s > 99 || s == 76 || s == 84 || s == 92 || s % 17 == 8 || s % 17 == 9;
                if (!fuera && t.PixelEn(f.x, f.y) != t.ColorDe(j))
                    return "ficha " + std::to_string(j) + "." + std::to_string(k) + " no dibujada en " + std::to_string(s);
            }
        }
        return {};
    }

    QPoint FichaAlAzar() {
        const Punto c = mesa.Animacion().PosicionFicha(p, Entre(1, 4), Entre(1, p.NumFichas));
        return {c.x, c.y};
    }

    void Clic(QWidget* w, QPoint q, Qt::MouseButton boton = Qt::LeftButton) {
        if (!w->isHidden()) QTest::mouseClick(w, boton, {}, q);
    }

    void Tecla() {
        static const std::pair<Qt::Key, Qt::KeyboardModifiers> teclas[] = {
            {Qt::Key_Space, {}}, {Qt::Key_A, {}}, {Qt::Key_Return, {}},
            {Qt::Key_Escape, {}}, {Qt::Key_Q, {}}, {Qt::Key_C, Qt::ControlModifier}};
        const auto& [tecla, modificador] = teclas[Entre(0, 5)];
        QTest::keyClick(&mesa, tecla, modificador);
    }

    // Releases a right press on an entry of the selector it opens, or
    // clicks the entry of one already open.
    void Opcion(int opcion) {
        SelectorOpciones* s = mesa.Selector();
        const bool abierto = s->Abierto();
        const QPoint punto = FichaAlAzar();
        if (!abierto) QTest::mousePress(&mesa, Qt::RightButton, {}, punto);
        QPoint sobre(5, 1);
        for (int fila = 0; fila < NumOpciones && s->Abierto(); ++fila)
            if (s->OpcionEn({20, MargenSelector + 18 * fila + 9}) == opcion) sobre = {20, MargenSelector + 18 * fila + 9};
        if (abierto)
            QTest::mouseClick(s, Qt::LeftButton, {}, sobre);
        else
            QTest::mouseRelease(&mesa, Qt::RightButton, {}, s->Abierto() ? s->mapTo(&mesa, sobre) : punto);
    }

    std::vector<Orden> ordenes_;
    std::mt19937 azar_;
    int limite_, hechas_ = 0;
    bool terminado_ = false;
    std::string fallo_;
    std::function<void()> fin_;
};

TEST(OrdenesAlAzar, ElRegistroYElTableroConcuerdanTrasCadaOrden) {
    for (unsigned semilla : {1u, 2u, 3u, 4u}) {
        Conductor c(semilla, 2000);
        EXPECT_EQ(c.Recorre(), "") << "semilla " << semilla;
        EXPECT_EQ(c.Hechas(), 2000) << "semilla " << semilla;
    }
}

}  // namespace
}  // namespace parchis
