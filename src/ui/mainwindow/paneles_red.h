// The main window's panels of network play: the waiting panel (connecting,
// waiting for players, with the time waited), the connection request that
// the administrator answers, and the turn display beside the button bar.
#pragma once

#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "ui/common/controles.h"

class QLabel;
class QPushButton;

namespace parchis {

inline constexpr int AnchoPeticion = 418;
inline constexpr int AltoPeticion = 254;
inline constexpr int AltoTurnoRed = 52;

// A title band over a text sized for a number of lines; it takes no input,
// so the button bar stays usable underneath (to leave network play).
class PanelEsperaRed : public QWidget {
public:
    explicit PanelEsperaRed(QWidget* padre);
    // Texts as the game builds them, lines ending in CR LF.
    void Muestra(const std::string& titulo, const std::string& texto, int lineas);
    QString Texto() const;
    // The administrator's room code, shown large under the text with a
    // button that copies it; empty hides it.  Takes effect at the next
    // Muestra.
    void PonCodigo(const QString& codigo);
    QString Codigo() const { return codigo_; }
    QPushButton* Copiar() const { return copiar_; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QLabel* titulo_;
    QLabel* texto_;
    QWidget* sala_;
    QLabel* codigoGrande_;
    QPushButton* copiar_;
    QString codigo_;
};

// Who asks to join and the seats still free: the person picks one with the
// selector and answers Sí or No.
class PanelPeticion : public QWidget {
public:
    PanelPeticion(QWidget* padre, const ServiciosControl& s, const QString& tituloSelector,
                  std::function<void()> ayuda);
    void Muestra(const std::string& texto, const std::vector<std::string>& opciones);
    // -2 while unanswered, then the option's index or -1 (refused).
    int Respuesta() const { return respuesta_; }
    Selector* Puestos() const { return puestos_; }
    BotonPulsador* Si() const { return si_; }
    BotonPulsador* No() const { return no_; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    void PonOpcion(int i);

    QLabel* texto_;
    Selector* puestos_;
    BotonPulsador* si_;
    BotonPulsador* no_;
    std::vector<QString> opciones_;
    int opcion_ = 0;
    int respuesta_ = -2;
};

// "Turno  de", the name of the seat to move and the time waited, m:ss.
class PanelTurnoRed : public QWidget {
public:
    explicit PanelTurnoRed(QWidget* padre);
    // An empty name clears the display.
    void Muestra(const std::string& nombre, int segundos);
    QString Nombre() const { return nombre_; }
    QString Tiempo() const { return tiempo_; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QString nombre_;
    QString tiempo_;
};

}  // namespace parchis
