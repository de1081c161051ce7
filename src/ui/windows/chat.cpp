#include "ui/windows/chat.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "ui/common/estilo.h"
namespace parchis {

VentanaChat::VentanaChat(QWidget* padre, const ServiciosControl& s, const MensajesRed& mensajes,
                         std::function<void(const std::string&)> envia)
    : VentanaAjustes(padre, s, QStringLiteral(" Mensajes en red"), 2197,
                     QStringLiteral("Ayuda sobre Mensajes en red"), QStringLiteral("Salir de Mensajes en red")),
      mensajes_(mensajes), envia_(std::move(envia)) {
    auto* caja = new QVBoxLayout(Cuerpo());
    caja->setContentsMargins(0, 0, 0, 0);
    caja->setSpacing(4);
    auto* rotulo = new QLabel(QStringLiteral("Mensajes enviados y recibidos:"), Cuerpo());
    HojaSegunAspecto(rotulo, QStringLiteral("color: #323c32; font-weight: bold;"),
                     QStringLiteral("color: #3a2a20; font-weight: bold;"));
    recibidos_ = new QPlainTextEdit(Cuerpo());
    recibidos_->setObjectName(QStringLiteral("Tex_Recibidos"));
    recibidos_->setReadOnly(true);
    recibidos_->setFocusPolicy(Qt::ClickFocus);
    HojaSegunAspecto(recibidos_,
                     QStringLiteral("QPlainTextEdit { background: #faf8f0; color: #202020; border: 1px solid #771a12; }"),
                     QString());
    aviso_ = new QLabel(QStringLiteral("Los mensajes se envían a los otros ordenadores de una partida en red. "
                                       "Ahora no se juega en red, así que no se puede enviar ninguno."),
                        Cuerpo());
    aviso_->setObjectName(QStringLiteral("Tex_Aviso"));
    aviso_->setWordWrap(true);
    HojaSegunAspecto(aviso_, QStringLiteral("color: #771a12; font-weight: bold; padding: 4px;"),
                     QStringLiteral("color: #8a4a22; font-weight: bold; padding: 4px;"));
    aviso_->hide();
    entrada_ = new CampoTexto(Cuerpo(), QStringLiteral("Texto a enviar:"), LargoTextoChat,
                              [this](const QString&) { RevisaEnviar(); });
    entrada_->setObjectName(QStringLiteral("Txt_Texto"));
    caja->addWidget(rotulo);
    caja->addWidget(recibidos_, 1);
    caja->addWidget(aviso_);
    caja->addWidget(entrada_);
    enviar_ = new BotonPulsador(nullptr, s, QStringLiteral("Enviar"), [this] { Envia(); });
    enviar_->setObjectName(QStringLiteral("Pic_Enviar"));
    enviar_->setToolTip(QStringLiteral("Enviar mensaje"));
    AnadeBoton(enviar_);
    // Enter sends, as the button would.
    connect(Entrada(), &QLineEdit::returnPressed, this, [this] {
        if (enviar_->Activo()) enviar_->Acciona();
    });
    resize(500, 440);
    MuestraMensajes();
    RevisaEnviar();
    PreparaFoco(Entrada());
}

QLineEdit* VentanaChat::Entrada() const { return entrada_->Campo(); }

void VentanaChat::MuestraMensajes() {
    recibidos_->setPlainText(
        QString::fromStdString(mensajes_.Texto()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    recibidos_->moveCursor(QTextCursor::End);
    recibidos_->ensureCursorVisible();
}

void VentanaChat::PonEnRed(bool enRed) {
    enRed_ = enRed;
    aviso_->setVisible(!enRed);
    entrada_->setEnabled(enRed);
    RevisaEnviar();
}

void VentanaChat::Envia() {
    if (!enRed_ || !enviar_->Activo()) return;
    const std::string texto = Entrada()->text().toStdString();
    Entrada()->clear();
    RevisaEnviar();
    Entrada()->setFocus();
    envia_(texto);
}

void VentanaChat::RevisaEnviar() { enviar_->PonActivo(enRed_ && !Entrada()->text().trimmed().isEmpty()); }

void VentanaChat::changeEvent(QEvent* e) {
    VentanaAjustes::changeEvent(e);
    if (e->type() != QEvent::ActivationChange || !isActiveWindow()) return;
    if (enRed_) Entrada()->setFocus();
    recibidos_->moveCursor(QTextCursor::End);
    recibidos_->ensureCursorVisible();
}

ChatRed::ChatRed(QWidget* padre, ServiciosControl s, const MensajesRed& mensajes,
                 std::function<void(const std::string&)> envia)
    : padre_(padre), servicios_(std::move(s)), mensajes_(mensajes), envia_(std::move(envia)) {}

void ChatRed::Abre() {
    const bool enRed = !enRed_ || enRed_();
    if (ventana_ && ventana_->isVisible()) {
        ventana_->PonEnRed(enRed);
        ventana_->MuestraMensajes();
        return;
    }
    ventana_ = new VentanaChat(padre_, servicios_, mensajes_, envia_);
    ventana_->PonEnRed(enRed);
    ventana_->setAttribute(Qt::WA_DeleteOnClose);
    if (padre_) ventana_->move(padre_->geometry().center() - ventana_->rect().center());
    ventana_->open();
}

}  // namespace parchis
