// Random sequences of commands against a game between computer seats and
// people at this computer: buttons, keys, clicks, options selector
// entries, drags and dice lines, in any order, through the window's own
// event paths.  After every command the record and the board agree: the
// position is the log replayed from the start, the board data hold
// together, and every piece is drawn where the record has it.
//
// The commands are a table; another kind (the recorder's remote buttons,
// for instance) is one more row of it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
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

bool EsDiagonal(int s) {
    return s == 8 || s == 9 || s == 25 || s == 26 || s == 42 || s == 43 || s == 59 || s == 60;
}

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
            if (titulo == "Comienza la Partida") ++partidas_;
            if (titulo == "Abandonar la partida actual") return Uno(30) ? Aceptar : Cancelar;
            return botones == 2 && Uno(4) ? Cancelar : Aceptar;
        });
        // Off screen the window draws its board all the same, in a fraction
        // of the time.
        mesa_.Prepara(800, 600);
        botonera_ = static_cast<Botonera*>(mesa_.findChild<QWidget*>(QStringLiteral("Pic_Botonera")));
        panel_ = static_cast<VistaPanelCuenta*>(mesa_.findChild<QWidget*>(QStringLiteral("Pic_Desglosar")));
        ordenes_ = {
            {"botón", 8, [this] { Boton(Entre(0, 8)); }},
            {"tecla", 20, [this] { Tecla(); }},
            {"clic en el tablero", 12, [this] { Clic(&mesa_, PuntoAlAzar(0)); }},
            {"clic en una ficha", 20, [this] { Clic(&mesa_, FichaAlAzar()); }},
            {"clic derecho", 8, [this] { Clic(&mesa_, PuntoAlAzar(0), Qt::RightButton); }},
            {"opción", 10, [this] { Opcion(Entre(1, NumOpciones)); }},
            {"arrastre", 14, [this] { Arrastre(); }},
            {"dados", 8, [this] { Dados(); }},
            {"panel", 4, [this] { Clic(panel_, {20, VistaPanelCuenta::AlturaFila(Entre(1, 4)) + 10}); }},
        };
    }

    // The help window the commands opened goes with them.
    ~Conductor() {
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
    int Partidas() const { return partidas_; }
    int Manuales() const { return manuales_; }

private:
    struct Orden {
        const char* nombre;
        int peso;
        std::function<void()> hace;
    };

    int Entre(int a, int b) { return std::uniform_int_distribution<int>(a, b)(azar_); }
    bool Uno(int de) { return Entre(1, de) == 1; }

    // The next command is due before this one runs: a command that starts a
    // game returns only when that game is over, and the commands go on
    // inside it.
    void Paso() {
        if (terminado_) return;
        if (EnEspera()) {   // input waits while a move is shown
            QTimer::singleShot(0, &mesa_, [this] { Paso(); });
            return;
        }
        fallo_ = Comprueba();
        if (!fallo_.empty() || hechas_ == limite_) {
            Termina();
            return;
        }
        ++hechas_;
        QTimer::singleShot(0, &mesa_, [this] { Paso(); });
        int total = 0;
        for (const Orden& o : ordenes_) total += o.peso;
        int r = Entre(1, total);
        for (const Orden& o : ordenes_) {
            if ((r -= o.peso) > 0) continue;
            ultima_ = o.nombre;
            o.hace();
            break;
        }
    }

    void Termina() {
        terminado_ = true;
        if (!fallo_.empty()) fallo_ += std::string(" (tras «") + ultima_ + "», orden " + std::to_string(hechas_) + ")";
        p_.PartidaIniciada = false;
        p_.EsperandoTirada = p_.EsperandoFicha = false;
        QTimer::singleShot(0, &mesa_, fin_);
    }

    std::string Comprueba() {
        if (!p_.PartidaIniciada || p_.NumJugada < 1) return {};
        if (p_.NumJugada >= 2 && p_.Jugadas[p_.NumJugada - 1].TipoJugada == 7) ++manuales_;
        std::string e = CompruebaPosicion(p_);
        if (e.empty()) e = CompruebaRegistro(p_, p_.NumJugada - 1);
        if (e.empty() && !mesa_.Raton().Arrastrando) e = CompruebaDibujo();
        return e;
    }

    // Every piece on a track or corridor square shows its seat's colour at
    // its centre; a waiting box shows exactly EnEspera pieces.
    std::string CompruebaDibujo() {
        Tablero& t = mesa_.Lienzo();
        for (int j = 1; j <= 4; ++j) {
            if (p_.Estado[j] != 1) continue;
            for (int k = 1; k <= p_.NumFichas; ++k) {
                const int s = p_.Fichas[j][k];
                const bool enCuadro = t.PixelEn(t.Centro(p_, 0, j, k, 0).x, t.Centro(p_, 0, j, k, 0).y) ==
                                      t.ColorDe(j);
                if (enCuadro != (k <= p_.EnEspera[j]))
                    return "cuadro de espera " + std::to_string(j) + " mal dibujado en su puesto " + std::to_string(k);
                if (s == 0 || s > 99 || s == 76 || s == 84 || s == 92 || EsDiagonal(s)) continue;
                const Punto c = mesa_.Animacion().PosicionFicha(p_, j, k);
                if (t.PixelEn(c.x, c.y) != t.ColorDe(j))
                    return "ficha " + std::to_string(j) + "." + std::to_string(k) + " no dibujada en " + std::to_string(s);
            }
        }
        return {};
    }

    QPoint PuntoAlAzar(int fuera) {
        const int lado = mesa_.Lienzo().Me().LadoLienzo;
        return {Entre(-fuera, lado - 1 + fuera), Entre(-fuera, lado - 1 + fuera)};
    }

    QPoint FichaAlAzar() {
        const Punto c = mesa_.Animacion().PosicionFicha(p_, Entre(1, 4), Entre(1, p_.NumFichas));
        return {c.x, c.y};
    }

    void Clic(QWidget* w, QPoint q, Qt::MouseButton boton = Qt::LeftButton) {
        if (!w->isHidden()) QTest::mouseClick(w, boton, {}, q);
    }

    // Leaving with no game under way ends the program without asking.
    void Boton(int i) {
        if (i == 7 && !p_.PartidaIniciada) return;
        Clic(botonera_, botonera_->RectanguloBoton(i).center());
    }

    void Tecla() {
        static const std::pair<Qt::Key, Qt::KeyboardModifiers> teclas[] = {
            {Qt::Key_Space, {}}, {Qt::Key_A, {}},      {Qt::Key_Return, {}},
            {Qt::Key_Escape, {}}, {Qt::Key_Q, {}},     {Qt::Key_C, Qt::ControlModifier}};
        const auto& [tecla, mod] = teclas[Entre(0, 5)];
        QTest::keyClick(&mesa_, tecla, mod);
    }

    // Opens the selector with a right press and releases on an entry (or
    // clicks the entry of one already open).
    void Opcion(int opcion) {
        SelectorOpciones* s = mesa_.Selector();
        const bool abierto = s->Abierto();
        const QPoint punto = PuntoAlAzar(0);
        if (!abierto) QTest::mousePress(&mesa_, Qt::RightButton, {}, punto);
        int fila = -1;
        for (int i = 1; i <= NumOpciones && s->Abierto(); ++i)
            if (s->OpcionEn({20, MargenSelector + 18 * (i - 1) + 9}) == opcion) fila = i - 1;
        const QPoint sobre = fila < 0 ? QPoint(5, 1) : QPoint(20, MargenSelector + 18 * fila + 9);
        if (abierto)
            QTest::mouseClick(s, Qt::LeftButton, {}, sobre);
        else
            QTest::mouseRelease(&mesa_, Qt::RightButton, {}, s->Abierto() ? s->mapTo(&mesa_, sobre) : punto);
    }

    void Arrastre() {
        if (!mesa_.Raton().ModoManual) {
            Opcion(OpcionManual);
            return;
        }
        QTest::mousePress(&mesa_, Qt::LeftButton, {}, FichaAlAzar());
        const QPoint hasta = Uno(3) ? FichaAlAzar() : PuntoAlAzar(60);
        QTest::mouseMove(&mesa_, hasta);
        if (Uno(10)) Tecla();   // a key in the middle of the drag
        QTest::mouseRelease(&mesa_, Qt::LeftButton, {}, hasta);
    }

    void Dados() {
        ListaDados* lista = mesa_.Dados();
        if (lista->isHidden()) {
            Opcion(OpcionDados);
            return;
        }
        QTest::mouseClick(lista, Qt::LeftButton, {}, lista->RectanguloLinea(Entre(0, 11)).center());
    }

    QTemporaryDir carpeta_;
    Partida p_;
    Mesa mesa_{p_};
    Escritorio ui_{mesa_};
    Botonera* botonera_ = nullptr;
    VistaPanelCuenta* panel_ = nullptr;
    std::vector<Orden> ordenes_;
    std::mt19937 azar_;
    int limite_;
    int hechas_ = 0;
    int partidas_ = 0, manuales_ = 0;
    bool terminado_ = false;
    const char* ultima_ = "";
    std::string fallo_;
    std::function<void()> fin_;
};

TEST(OrdenesAlAzar, ElRegistroYElTableroConcuerdanTrasCadaOrden) {
    QElapsedTimer reloj;
    reloj.start();
    for (unsigned semilla : {1u, 2u, 3u, 4u}) {
        Conductor c(semilla, 2000);
        EXPECT_EQ(c.Recorre(), "") << "semilla " << semilla;
        EXPECT_EQ(c.Hechas(), 2000) << "semilla " << semilla;
        std::printf("semilla %u: %d partidas, %d comprobaciones tras una jugada a mano\n", semilla,
                    c.Partidas(), c.Manuales());
    }
    std::printf("8000 órdenes en %lld ms\n", static_cast<long long>(reloj.elapsed()));
}

}  // namespace
}  // namespace parchis
