// The network chat window ("Mensajes en red"): every message sent or
// received since the program started, and an entry for a new one.  It is
// modal to the main window but does not hold up whoever opens it: the game
// and the network go on being served underneath while it is open.
#pragma once

#include <QPointer>
#include <functional>
#include <string>

#include "net/mensajes.h"
#include "ui/common/controles.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace parchis {

inline constexpr int LargoTextoChat = 200;

class VentanaChat : public VentanaAjustes {
public:
    // `envia` sends the entry's text as a chat message.
    VentanaChat(QWidget* padre, const ServiciosControl& s, const MensajesRed& mensajes,
                std::function<void(const std::string&)> envia);

    // The box rebuilt from the list, the newest message in view.
    void MuestraMensajes();
    QPlainTextEdit* Recibidos() const { return recibidos_; }
    QLineEdit* Entrada() const;
    BotonPulsador* Enviar() const { return enviar_; }
    // Outside network play there is nobody to send to: the window says so
    // and sends nothing.
    void PonEnRed(bool enRed);
    QLabel* Aviso() const { return aviso_; }

protected:
    void changeEvent(QEvent* e) override;

private:
    void Envia();
    void RevisaEnviar();

    const MensajesRed& mensajes_;
    std::function<void(const std::string&)> envia_;
    QPlainTextEdit* recibidos_;
    QLabel* aviso_;
    CampoTexto* entrada_;
    bool enRed_ = true;
    BotonPulsador* enviar_;
};

// The one chat window of the program, opened by the main window's chat
// button and by every message that arrives.
class ChatRed {
public:
    ChatRed(QWidget* padre, ServiciosControl s, const MensajesRed& mensajes,
            std::function<void(const std::string&)> envia);
    // Redraws the open window, or opens it.
    void Abre();
    VentanaChat* Ventana() const { return ventana_; }
    // Whether network play is on now; unset, it always is.
    void PonEnRed(std::function<bool()> enRed) { enRed_ = std::move(enRed); }

private:
    QWidget* padre_;
    ServiciosControl servicios_;
    const MensajesRed& mensajes_;
    std::function<void(const std::string&)> envia_;
    std::function<bool()> enRed_;
    QPointer<VentanaChat> ventana_;
};

}  // namespace parchis
