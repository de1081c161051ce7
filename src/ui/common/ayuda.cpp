#include "ui/common/ayuda.h"

#include <QFile>
#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <QWidget>

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
        auto* indice = new QPushButton(QStringLiteral("Índice"), this);
        auto* atras = new QPushButton(QStringLiteral("Atrás"), this);
        auto* adelante = new QPushButton(QStringLiteral("Adelante"), this);
        auto* cerrar = new QPushButton(QStringLiteral("Cerrar"), this);
        for (auto* b : {indice, atras, adelante}) barra->addWidget(b);
        barra->addStretch();
        barra->addWidget(cerrar);
        caja->addLayout(barra);
        navegador_ = new QTextBrowser(this);
        navegador_->setOpenLinks(true);
        caja->addWidget(navegador_);
        connect(indice, &QPushButton::clicked, this, [this] { Muestra(0); });
        connect(atras, &QPushButton::clicked, navegador_, &QTextBrowser::backward);
        connect(adelante, &QPushButton::clicked, navegador_, &QTextBrowser::forward);
        connect(navegador_, &QTextBrowser::backwardAvailable, atras, &QPushButton::setEnabled);
        connect(navegador_, &QTextBrowser::forwardAvailable, adelante, &QPushButton::setEnabled);
        connect(cerrar, &QPushButton::clicked, this, &QWidget::close);
        atras->setEnabled(false);
        adelante->setEnabled(false);
    }

    void Muestra(int tema) { navegador_->setSource(QUrl(QStringLiteral("qrc") + PaginaAyuda(tema))); }

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

void AbreAyuda(QWidget* ventana, int tema) {
    if (!ventanaAbierta) {
        ventanaAbierta = new VentanaAyuda;
        if (ventana) ventanaAbierta->move(ventana->geometry().center() - QPoint(320, 280));
    }
    ventanaAbierta->Muestra(tema);
    ventanaAbierta->show();
    ventanaAbierta->raise();
    ventanaAbierta->activateWindow();
}

}  // namespace parchis
