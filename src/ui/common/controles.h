// The controls every settings window builds from: a switch, a selector, a
// knob and a push button, each on its title frame (a light grey plate with
// an etched edge and its title), and the frame of a settings window with
// its title band, help and exit buttons.  They are drawn by the program;
// the pointing hand shows over an active control; each takes the keyboard
// focus in tab order and answers the space bar and Enter as a click.
//
// A control does not change the record itself: it asks its window, through
// the function given, and the window sets it again from the record.
#pragma once

#include <QDialog>
#include <QWidget>
#include <functional>

class QLabel;
class QLineEdit;
class QVBoxLayout;

namespace parchis {

// What the controls ask of the program: a sound played to its end and the
// speed-scaled pause.
struct ServiciosControl {
    std::function<void(int)> Sonido;
    std::function<void(int)> Pausa;
};

// The title frame: cleared to light grey, etched with a white and a grey
// line, the title printed padded with blanks at (x, y) of the text's top.
void PintaMarcoTitulo(QPainter& p, const QRect& r, const QString& titulo, QPoint posTitulo);

// The modern look's window background: ivory paper in a thin wooden frame.
void PintaFondoModerno(QPainter& p, const QRect& r);

class ControlComun : public QWidget {
public:
    ControlComun(QWidget* padre, const ServiciosControl& servicios, const QString& titulo);
    void PonTitulo(const QString& titulo);
    const QString& Titulo() const { return titulo_; }
    // An inactive control shows no hand and ignores clicks and keys.
    void PonActivo(bool activo);
    bool Activo() const { return activo_; }
    // A click, the space bar or Enter.
    virtual void Acciona() = 0;

protected:
    void PintaFondo(QPainter& p, QPoint posTitulo);
    void mousePressEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent*) override { update(); }
    void focusOutEvent(QFocusEvent*) override { update(); }

    ServiciosControl servicios_;
    QString titulo_;
    bool activo_ = true;
};

// On/off, a 17 x 17 box with the title beside it.  Sound 6 when it goes
// on, 7 when it goes off; nothing when the window refuses the change.
class Interruptor : public ControlComun {
public:
    Interruptor(QWidget* padre, const ServiciosControl& s, const QString& titulo, std::function<void()> alPulsar);
    void PonValor(bool valor);
    bool Valor() const { return valor_; }
    void Acciona() override;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    std::function<void()> alPulsar_;
    bool valor_ = false;
};

// The current value beside a 20 x 24 arrow button; a click steps to the
// next value (the window decides which): sound 6, the arrow pressed, the
// new value, a short pause, sound 7.
class Selector : public ControlComun {
public:
    // `alPulsar` returns false when the change was refused.
    Selector(QWidget* padre, const ServiciosControl& s, const QString& titulo, std::function<bool()> alPulsar);
    void PonValor(const QString& valor);
    const QString& Valor() const { return valor_; }
    void Acciona() override;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QRect Flecha() const;

    std::function<bool()> alPulsar_;
    QString valor_;
    bool pulsada_ = false;
};

// A 121 x 23 track with a 13 x 19 handle placed by the value, dragged with
// the closed hand, or moved one step with the arrow keys.
class Mando : public ControlComun {
public:
    // `alMover` returns false when the change was refused (the drag ends).
    Mando(QWidget* padre, const ServiciosControl& s, const QString& titulo, int minimo, int maximo,
          std::function<bool(int)> alMover);
    void PonValor(int valor);
    int Valor() const { return valor_; }
    void Acciona() override {}
    QSize sizeHint() const override;
    QRect Pista() const;

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    QRect Asa() const;
    void Mueve(int valor);

    std::function<bool(int)> alMover_;
    int minimo_, maximo_;
    int valor_ = 0;
    bool arrastrando_ = false;
};

// A button face with its caption, enabled or disabled; a press plays the
// button sound (9) and then acts.
class BotonPulsador : public ControlComun {
public:
    BotonPulsador(QWidget* padre, const ServiciosControl& s, const QString& rotulo, std::function<void()> alPulsar);
    void Acciona() override;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    std::function<void()> alPulsar_;
};

// A text field on its title frame: the title above, the field below.
class CampoTexto : public QWidget {
public:
    // `alCambiar` receives the text as typed.
    CampoTexto(QWidget* padre, const QString& titulo, int largoMaximo, std::function<void(const QString&)> alCambiar);
    QLineEdit* Campo() const { return campo_; }
    // Sets the text, keeping the caret where the person left it.
    void PonTexto(const QString& texto);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QString titulo_;
    QLineEdit* campo_;
};

// A settings window: its title band, a body for the window's controls and
// a row with the help and exit buttons.  Leaving, by the exit button or the
// window's close box, asks `PuedeSalir`.
class VentanaAjustes : public QDialog {
public:
    VentanaAjustes(QWidget* padre, const ServiciosControl& s, const QString& titulo, int temaAyuda,
                   const QString& ayudaTooltip, const QString& salirTooltip);

    QWidget* Cuerpo() const { return cuerpo_; }
    // Adds a button to the bottom row, left of help and exit.
    void AnadeBoton(BotonPulsador* b);
    const ServiciosControl& Servicios() const { return servicios_; }
    // The exit button's action: closes when PuedeSalir agrees.
    void Sal();
    // Once the body is built: the tab order runs through the body and then
    // the buttons, and `primero` takes the focus.
    void PreparaFoco(QWidget* primero);

protected:
    virtual bool PuedeSalir() { return true; }
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void paintEvent(QPaintEvent*) override;

private:
    ServiciosControl servicios_;
    QWidget* cuerpo_;
    QWidget* filaBotones_;
    int temaAyuda_;
    bool saliendo_ = false;
};

}  // namespace parchis
