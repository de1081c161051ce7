// The program's message dialog: a title, a text sized for a number of
// lines, "Aceptar" alone or with "Cancelar", and a help button when a help
// topic is given.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>

class QLabel;

namespace parchis {

inline constexpr int RespuestaAceptar = -1;
inline constexpr int RespuestaCancelar = 0;

struct AccionesMensaje {
    std::function<void()> sonidoBoton;      // every button plays the button sound first
    std::function<void(int)> abreAyuda;     // opens a help topic
};

class DialogoMensaje : public QDialog {
    Q_OBJECT
public:
    // botones: 1 = "Aceptar", 2 = "Aceptar" and "Cancelar"; ayuda: topic or 0.
    DialogoMensaje(QWidget* padre, const QString& titulo, const QString& texto, int lineas,
                   int botones, int ayuda, AccionesMensaje acciones);

    int Respuesta() const { return respuesta_; }

protected:
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void Responde(int r);

    AccionesMensaje acciones_;
    int ayuda_;
    int respuesta_;
};

// Shows the dialog modally and returns -1 (Aceptar) or 0 (Cancelar).
// Closing a question without answering it counts as "Cancelar"; closing a
// notice counts as "Aceptar".
int Mensaje(QWidget* padre, const QString& titulo, const QString& texto, int lineas, int botones,
            int ayuda, const AccionesMensaje& acciones);

}  // namespace parchis
