#include "ui/common/mensaje.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "ui/common/estilo.h"

namespace parchis {

namespace {

constexpr int AnchoTexto = 430;

QPushButton* Boton(const QString& texto, QWidget* padre) {
    auto* b = new QPushButton(texto, padre);
    b->setMinimumWidth(96);
    b->setCursor(Qt::PointingHandCursor);
    return b;
}

}  // namespace

DialogoMensaje::DialogoMensaje(QWidget* padre, const QString& titulo, const QString& texto,
                               int lineas, int botones, int ayuda, AccionesMensaje acciones)
    : QDialog(padre), acciones_(std::move(acciones)), ayuda_(ayuda),
      respuesta_(botones == 2 ? RespuestaCancelar : RespuestaAceptar) {
    setWindowTitle(titulo);
    setModal(true);
    // Matched by name: the class is namespaced, and a type selector would
    // have to spell the namespace as the style sheets do.
    setObjectName(QStringLiteral("mensajes"));
    HojaSegunAspecto(this, QStringLiteral(
        "QDialog#mensajes { background: #f4ead8; border: 2px solid #771a12; }"
        "QLabel#Tex_Titulo { background: #a0c3a0; color: #323c32; font-weight: bold;"
        "  border: 1px solid #771a12; padding: 4px 8px; }"
        "QLabel#Tex_Mensaje { color: #202020; padding: 4px 6px; }"
        "QDialog#mensajes QPushButton { color: #2d372d; font-weight: bold; padding: 5px 14px;"
        "  border: 1px solid #771a12; border-radius: 5px;"
        "  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #bad8b8, stop:1 #80a680); }"
        "QDialog#mensajes QPushButton:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
        "  stop:0 #d4ecce, stop:1 #8eb48e); }"
        "QDialog#mensajes QPushButton:pressed { background: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
        "  stop:0 #80a680, stop:1 #bad8b8); }"
        "QDialog#mensajes QPushButton:focus { border: 2px solid #771a12; }"),
        // The modern look: ivory paper in a wooden frame, a wooden title band
        // and the program's rounded ivory buttons.
        QStringLiteral(
        "QDialog#mensajes { background: #f6eedf; border: 4px solid #7a4e2e; }"
        "QLabel#Tex_Titulo { %1 }"
        "QLabel#Tex_Mensaje { color: #3a2a20; padding: 6px 6px; }"
        "QDialog#mensajes QPushButton { color: #3a2a20; font-weight: bold; padding: 5px 14px;"
        "  border: 1px solid #8a6a48; border-radius: 6px;"
        "  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fffaf0, stop:1 #e8d6b8); }"
        "QDialog#mensajes QPushButton:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
        "  stop:0 #fffdf6, stop:1 #f0e0c4); }"
        "QDialog#mensajes QPushButton:pressed { background: #dcc6a2; }"
        "QDialog#mensajes QPushButton:focus { border: 2px solid #b0703c; }")
            .arg(QString::fromLatin1(moderno::BandaTitulo)));
    auto* caja = new QVBoxLayout(this);
    auto* etiquetaTitulo = new QLabel(titulo, this);
    etiquetaTitulo->setObjectName(QStringLiteral("Tex_Titulo"));
    caja->addWidget(etiquetaTitulo);
    auto* etiquetaTexto = new QLabel(texto, this);
    etiquetaTexto->setObjectName(QStringLiteral("Tex_Mensaje"));
    etiquetaTexto->setWordWrap(true);
    etiquetaTexto->setTextFormat(Qt::PlainText);
    etiquetaTexto->setFixedWidth(AnchoTexto);
    const int alto = etiquetaTexto->fontMetrics().lineSpacing() * std::max(1, lineas) + 12;
    etiquetaTexto->setMinimumHeight(alto);
    etiquetaTexto->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    caja->addWidget(etiquetaTexto);

    auto* fila = new QHBoxLayout;
    if (ayuda > 0) {
        auto* bAyuda = Boton(QStringLiteral("Ayuda"), this);
        bAyuda->setObjectName(QStringLiteral("Pic_BotAyuda"));
        connect(bAyuda, &QPushButton::clicked, this, [this, ayuda] {
            if (acciones_.sonidoBoton) acciones_.sonidoBoton();
            if (acciones_.abreAyuda) acciones_.abreAyuda(ayuda);
        });
        fila->addWidget(bAyuda);
    }
    fila->addStretch();
    auto* bSi = Boton(QStringLiteral("Aceptar"), this);
    bSi->setObjectName(QStringLiteral("Pic_Si"));
    bSi->setDefault(true);
    connect(bSi, &QPushButton::clicked, this, [this] { Responde(RespuestaAceptar); });
    fila->addWidget(bSi);
    if (botones == 2) {
        auto* bNo = Boton(QStringLiteral("Cancelar"), this);
        bNo->setObjectName(QStringLiteral("Pic_No"));
        connect(bNo, &QPushButton::clicked, this, [this] { Responde(RespuestaCancelar); });
        fila->addWidget(bNo);
    }
    caja->addLayout(fila);
    caja->setSizeConstraint(QLayout::SetFixedSize);
}

void DialogoMensaje::Responde(int r) {
    if (acciones_.sonidoBoton) acciones_.sonidoBoton();
    respuesta_ = r;
    accept();
}

// F1 opens the message's help topic, or the main window's.
void DialogoMensaje::keyPressEvent(QKeyEvent* e) {
    if (e->key() != Qt::Key_F1) {
        QDialog::keyPressEvent(e);
        return;
    }
    if (acciones_.abreAyuda) acciones_.abreAyuda(ayuda_ > 0 ? ayuda_ : 5100);
}

void DialogoMensaje::closeEvent(QCloseEvent* e) {
    if (acciones_.sonidoBoton) acciones_.sonidoBoton();
    e->accept();
    QDialog::closeEvent(e);
}

int Mensaje(QWidget* padre, const QString& titulo, const QString& texto, int lineas, int botones,
            int ayuda, const AccionesMensaje& acciones) {
    DialogoMensaje d(padre, titulo, texto, lineas, botones, ayuda, acciones);
    // Modal to the main window only: the help it opens stays usable.
    d.setWindowModality(Qt::WindowModal);
    d.adjustSize();
    if (QScreen* pantalla = padre ? padre->screen() : QGuiApplication::primaryScreen()) {
        const QRect zona = pantalla->availableGeometry();
        d.move(zona.center() - QPoint(d.width() / 2, d.height() / 2));
    }
    d.exec();
    return d.Respuesta();
}

}  // namespace parchis
