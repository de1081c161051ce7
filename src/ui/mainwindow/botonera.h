// The button bar beside the board (Pic_Botonera): nine command buttons,
// indexed 0 to 8.  A button the window reports as unavailable shows the
// no-drop pointer instead of the pointing hand and ignores its click.
#pragma once

#include <QWidget>
#include <array>
#include <functional>

namespace parchis {

inline constexpr int NumBotones = 9;
inline constexpr int AnchoBotonera = 141;
inline constexpr int AltoBotonera = 300;
inline constexpr int AltoBotoneraRed = 242;

class Botonera : public QWidget {
public:
    // `disponible(i)` says whether button i works now; `pulsa(i)` runs it.
    Botonera(QWidget* padre, std::function<bool(int)> disponible, std::function<void(int)> pulsa);

    static const std::array<const char*, NumBotones>& Titulos();
    // The button under a point of the bar, -1 for none.
    int BotonEn(QPoint punto) const;
    QRect RectanguloBoton(int i) const;

protected:
    void paintEvent(QPaintEvent*) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void leaveEvent(QEvent*) override;

private:
    std::function<bool(int)> disponible_;
    std::function<void(int)> pulsa_;
    int bajoRaton_ = -1;
    int pulsado_ = -1;
};

inline constexpr int LadoBotonAyuda = 34;

// The round "?" button beside the remote control (Pic_BotAyuda), drawn like
// the button bar.
class BotonAyuda : public QWidget {
public:
    BotonAyuda(QWidget* padre, std::function<void()> pulsa);

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void enterEvent(QEnterEvent*) override;
    void leaveEvent(QEvent*) override;

private:
    std::function<void()> pulsa_;
    bool encima_ = false;
    bool pulsado_ = false;
};

}  // namespace parchis
