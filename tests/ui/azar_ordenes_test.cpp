// Random sequences of commands against a game between computer seats and
// people at this computer: buttons, keys, clicks, options selector entries,
// drags and dice lines, in any order, through the window's own event paths.
// After every command the position is the log replayed from the start, the
// board data hold together, and every piece is drawn where the record has
// it.  The commands are a table: another kind (the recorder's remote
// buttons, say) is one more row.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "core/configuracion.h"
#include "flow/comprobacion.h"
#include "ui/common/pausa.h"
#include "ui/mainwindow/botonera.h"
#include "ui/mainwindow/dados_manuales.h"
#include "ui/mainwindow/escritorio.h"
#include "ui/mainwindow/mesa.h"
#include "ui/mainwindow/panel_cuenta.h"
#include "ui/mainwindow/selector.h"

namespace parchis {
namespace {

class Conductor {
public:
    Conductor(unsigned semilla, int limite) : azar_(semilla), limite_(limite) {
        AplicaValoresPorDefecto(p_);
        p_.Carpeta = carpeta_.path().toStdString() + "/";
        p_.Sonido = false;
        p_.Velocidad = 100;
        p_.NumDados = static_cast<Entero>(1 + semilla % 2);
        p_.Control = {0, 2, 1, 2, 1};
        CuentaJugadores(p_);
        ReiniciaTablero(p_);
        mesa_.PonInterfaz(&ui_);
        ui_.FijaSemilla(semilla);
        mesa_.PonContestador([this](const std::string& titulo, const std::string&, int botones) {
            // Leaving would end the program; a new game now and then.
            if (titulo == "Posponer la partida en juego" || titulo == "Salir del programa") return Cancelar;
            if (titulo == "Abandonar la partida actual") return Entre(1, 30) == 1 ? Aceptar : Cancelar;
            return botones == 2 && Entre(1, 4) == 1 ? Cancelar : Aceptar;
        });
        // Not on screen: the board is drawn all the same, in far less time.
        mesa_.Prepara(800, 600);
        auto* botonera = static_cast<Botonera*>(mesa_.findChild<QWidget*>(QStringLiteral("Pic_Botonera")));
        QWidget* panel = mesa_.findChild<QWidget*>(QStringLiteral("Pic_Desglosar"));
        ListaDados* dados = mesa_.Dados();
        const int lado = mesa_.Lienzo().Me().LadoLienzo;
        auto punto = [this, lado](int fuera) { return QPoint(Entre(-fuera, lado + fuera), Entre(-fuera, lado + fuera)); };
        ordenes_ = {
            {8, [=, this] {   // with no game under way leaving ends the program unasked
                 const int i = Entre(0, 8);
                 if (i != 7 || p_.PartidaIniciada) Clic(botonera, botonera->RectanguloBoton(i).center());
             }},
            {20, [this] { Tecla(); }},
            {12, [=, this] { Clic(&mesa_, punto(0)); }},
            {20, [this] { Clic(&mesa_, FichaAlAzar()); }},
            {8, [=, this] { Clic(&mesa_, punto(0), Qt::RightButton); }},
            {10, [this] { Opcion(Entre(1, NumOpciones)); }},
            {14, [=, this] {   // a drag, a key now and then in the middle of it
                 if (!mesa_.Raton().ModoManual) return Opcion(OpcionManual);
                 const QPoint hasta = Entre(0, 2) ? punto(60) : FichaAlAzar();
                 QTest::mousePress(&mesa_, Qt::LeftButton, {}, FichaAlAzar());
                 QTest::mouseMove(&mesa_, hasta);
                 if (Entre(1, 10) == 1) Tecla();
                 QTest::mouseRelease(&mesa_, Qt::LeftButton, {}, hasta);
             }},
            {8, [=, this] {
                 if (dados->isHidden()) return Opcion(OpcionDados);
                 Clic(dados, dados->RectanguloLinea(Entre(0, 11)).center());
             }},
            {4, [=, this] { Clic(panel, {20, VistaPanelCuenta::AlturaFila(Entre(1, 4)) + 10}); }},
            {10, [this] { mesa_.PulsaMando(Entre(0, NumBotonesMando - 1)); }},
        };
    }
    ~Conductor() {   // the help windows the commands opened
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w != &mesa_) w->close();
    }

    // Runs the commands; returns the first disagreement found, or "".
    std::string Recorre() {
        QEventLoop bucle;
        fin_ = [&] { bucle.quit(); };
        QTimer::singleShot(0, &mesa_, [this] { Paso(); });
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

    // The next command is due before this one runs: a command that starts a
    // game returns only when that game is over, and the commands go on
    // inside it.  While a move is shown input waits, as it does on screen.
    void Paso() {
        if (terminado_) return;
        QTimer::singleShot(0, &mesa_, [this] { Paso(); });
        if (EnEspera()) return;
        fallo_ = Comprueba();
        if (!fallo_.empty() || hechas_ == limite_) {
            terminado_ = true;
            if (!fallo_.empty()) fallo_ += " (tras la orden " + std::to_string(hechas_) + ")";
            p_.PartidaIniciada = p_.EsperandoTirada = p_.EsperandoFicha = false;
            QTimer::singleShot(0, &mesa_, fin_);
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
        if (!p_.PartidaIniciada || p_.NumJugada < 1) return {};
        std::string e = CompruebaPosicion(p_);
        if (e.empty()) e = CompruebaRegistro(p_, p_.NumJugada - 1);
        if (!e.empty() || mesa_.Raton().Arrastrando) return e;
        // Drawn as recorded: EnEspera pieces in each box, and each piece on
        // a square (those cut by a diagonal overlap: left out) in its colour.
        Tablero& t = mesa_.Lienzo();
        for (int j = 1; j <= 4; ++j) {
            for (int k = 1; k <= p_.NumFichas && p_.Estado[j] == 1; ++k) {
                const Punto c = t.Centro(p_, 0, j, k, 0), f = mesa_.Animacion().PosicionFicha(p_, j, k);
                const int s = p_.Fichas[j][k];
                if ((t.PixelEn(c.x, c.y) == t.ColorDe(j)) != (k <= p_.EnEspera[j]))
                    return "cuadro de espera " + std::to_string(j) + " mal dibujado";
                const bool fuera = s < 1 || s > 99 || s == 76 || s == 84 || s == 92 || s % 17 == 8 || s % 17 == 9;
                if (!fuera && t.PixelEn(f.x, f.y) != t.ColorDe(j))
                    return "ficha " + std::to_string(j) + "." + std::to_string(k) + " no dibujada en " + std::to_string(s);
            }
        }
        return {};
    }

    QPoint FichaAlAzar() {
        const Punto c = mesa_.Animacion().PosicionFicha(p_, Entre(1, 4), Entre(1, p_.NumFichas));
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
        QTest::keyClick(&mesa_, tecla, modificador);
    }

    // Releases a right press on an entry of the selector it opens, or
    // clicks the entry of one already open.
    void Opcion(int opcion) {
        SelectorOpciones* s = mesa_.Selector();
        const bool abierto = s->Abierto();
        const QPoint punto = FichaAlAzar();
        if (!abierto) QTest::mousePress(&mesa_, Qt::RightButton, {}, punto);
        QPoint sobre(5, 1);
        for (int fila = 0; fila < NumOpciones && s->Abierto(); ++fila)
            if (s->OpcionEn({20, MargenSelector + 18 * fila + 9}) == opcion) sobre = {20, MargenSelector + 18 * fila + 9};
        if (abierto)
            QTest::mouseClick(s, Qt::LeftButton, {}, sobre);
        else
            QTest::mouseRelease(&mesa_, Qt::RightButton, {}, s->Abierto() ? s->mapTo(&mesa_, sobre) : punto);
    }

    QTemporaryDir carpeta_;
    Partida p_;
    Mesa mesa_{p_};
    Escritorio ui_{mesa_};
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
