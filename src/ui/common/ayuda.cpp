#include "ui/common/ayuda.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QFile>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <QWidget>
#include <QWindow>
#include <algorithm>

#include "ui/common/controles.h"

namespace parchis {

namespace {

class VentanaAyuda : public QWidget {
public:
    VentanaAyuda() : QWidget(nullptr, Qt::Window) {
        setWindowTitle(QStringLiteral("Ayuda del Parchís"));
        setAttribute(Qt::WA_DeleteOnClose);
        resize(640, 560);
        auto* caja = new QVBoxLayout(this);
        auto* barra = new QHBoxLayout;
        // The program's own buttons, as in every other window; the help
        // makes no sounds of its own.
        const ServiciosControl s{[](int) {}, [](int) {}};
        navegador_ = new QTextBrowser(this);
        auto* indice = new BotonPulsador(this, s, QStringLiteral("Índice"), [this] { Muestra(0); });
        auto* atras = new BotonPulsador(this, s, QStringLiteral("Atrás"), [this] { navegador_->backward(); });
        auto* adelante = new BotonPulsador(this, s, QStringLiteral("Adelante"), [this] { navegador_->forward(); });
        auto* cerrar = new BotonPulsador(this, s, QStringLiteral("Cerrar"), [this] { close(); });
        cerrar->setObjectName(QStringLiteral("Pic_BotSalir"));
        for (auto* b : {indice, atras, adelante}) barra->addWidget(b);
        barra->addStretch();
        barra->addWidget(cerrar);
        caja->addLayout(barra);
        navegador_->setOpenLinks(true);
        caja->addWidget(navegador_);
        connect(navegador_, &QTextBrowser::backwardAvailable, atras, [atras](bool si) { atras->PonActivo(si); });
        connect(navegador_, &QTextBrowser::forwardAvailable, adelante,
                [adelante](bool si) { adelante->PonActivo(si); });
        atras->PonActivo(false);
        adelante->PonActivo(false);
        setObjectName(QStringLiteral("ayuda"));
        setAutoFillBackground(true);
        QPalette fondo = palette();
        fondo.setColor(QPalette::Window, QColor(244, 234, 216));
        setPalette(fondo);
    }

    void Muestra(int tema) { navegador_->setSource(QUrl(QStringLiteral("qrc") + PaginaAyuda(tema))); }

protected:
    void keyPressEvent(QKeyEvent* e) override {
        if (e->key() == Qt::Key_Escape)
            close();
        else
            QWidget::keyPressEvent(e);
    }

private:
    QTextBrowser* navegador_;
};

QPointer<VentanaAyuda> ventanaAbierta;

}  // namespace

const std::vector<int>& TemasAyuda() {
    static const std::vector<int> temas = {0,    1020, 2121, 2123, 2124, 2127, 2128, 2133,
                                           2134, 2141, 2142, 2143, 2144, 2161, 2181, 2197,
                                           2300, 2510, 2520, 2530, 4040, 5100};
    return temas;
}

QString PaginaAyuda(int tema) {
    const QString ruta = QStringLiteral(":/ayuda/%1.html").arg(tema);
    if (tema > 0 && QFile::exists(ruta)) return ruta;
    return QStringLiteral(":/ayuda/indice.html");
}

// The help may be opened from a window, or from a question that window
// raised, that holds every other window of the program up.  The help window
// is then made that modal window's own (its transient child): nothing blocks
// it, and the window manager keeps it in front.  With no modal window open
// it belongs to nobody, so that no later question can hold it up.
void AbreAyuda(QWidget* ventana, int tema) {
    QWidget* duena = QApplication::activeModalWidget();
    if (!ventanaAbierta) {
        ventanaAbierta = new VentanaAyuda;
        // Within the screen, even a small one, centred on the window asking.
        QScreen* pantalla = ventana ? ventana->screen() : QGuiApplication::primaryScreen();
        const QRect zona = pantalla ? pantalla->availableGeometry() : QRect(0, 0, 800, 600);
        ventanaAbierta->resize(std::min(640, zona.width() - 20), std::min(560, zona.height() - 60));
        QRect sitio = ventanaAbierta->geometry();
        sitio.moveCenter(ventana ? ventana->window()->geometry().center() : zona.center());
        sitio.moveLeft(std::clamp(sitio.left(), zona.left(), std::max(zona.left(), zona.right() - sitio.width())));
        sitio.moveTop(std::clamp(sitio.top(), zona.top(), std::max(zona.top(), zona.bottom() - sitio.height() - 30)));
        ventanaAbierta->move(sitio.topLeft());
    }
    ventanaAbierta->Muestra(tema);
    ventanaAbierta->winId();
    QWindow* propia = ventanaAbierta->windowHandle();
    QWindow* padre = duena && duena != ventanaAbierta ? duena->windowHandle() : nullptr;
    if (propia && propia->transientParent() != padre) {
        // The window system learns the new owner when the window is shown.
        const QRect sitio = ventanaAbierta->geometry();
        const bool visible = ventanaAbierta->isVisible();
        if (visible) ventanaAbierta->hide();
        propia->setTransientParent(padre);
        if (visible) ventanaAbierta->setGeometry(sitio);
    }
    ventanaAbierta->show();
    ventanaAbierta->raise();
    ventanaAbierta->activateWindow();
}

QWidget* VentanaDeAyuda() { return ventanaAbierta; }

}  // namespace parchis
