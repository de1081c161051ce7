// The board as the window shows it: a persistent drawing surface that
// survives repaints, the empty board it is cleared to, and a snapshot of
// what was shown, from which boxes are copied back during animations.  It
// draws the game from the record on request; the record is always the
// authority, never the picture.
#pragma once

#include <QColor>
#include <QPixmap>
#include <QRect>
#include <QRegion>
#include <QString>
#include <functional>
#include <optional>

#include "core/partida.h"
#include "ui/board/medidas.h"
#include "ui/board/pintor.h"

namespace parchis {

class Tablero {
public:
    // `refresca` shows a changed area of the surface on screen at once.
    explicit Tablero(std::function<void(const QRect&)> refresca);

    // Metrics for the usable screen, and surfaces of the board's size at
    // the screen's device pixel ratio.
    void Prepara(int anchoPantalla, int altoPantalla, double dpr = 1);
    const Medidas& Me() const { return me_; }
    const QPixmap& Superficie() const { return superficie_; }
    double Dpr() const { return dpr_; }

    // The look; the colours and the board must be drawn again after it.
    void AsignaAspecto(Aspecto a);
    Aspecto AspectoActual() const { return aspecto_; }
    void AsignaColores(int puestoMesa);
    QColor ColorDe(int jugador) const { return colores_[jugador]; }
    // The colour shown at a point of the drawing area, for checks of the
    // picture (no rule reads the screen).
    QColor PixelEn(int x, int y) const;
    // Draws the empty board and shows it (the drawing layer is cleared).
    void DibujaTablero(int numFichas);
    void DibujaNombres(const Partida& p);
    void MuestraMensaje(const QString& texto);
    // Everything from the record: board, plates, pieces; the dice shown
    // before stay.  Without a text the status bar is left empty.
    void RedibujaMesa(const Partida& p, const std::optional<QString>& texto);

    Punto Centro(const Partida& p, int casilla, int jugador, int ordenEspera, int ordenCasa) const;
    void DibujaFicha(int x, int y, int jugador);
    void DibujaFichasCasilla(const Partida& p, int casilla);
    // The seat's waiting-box and home rows; `trasCada` runs after each piece
    // (the one-by-one appearance refreshes, clicks and pauses there).
    void DibujaCuadroEspera(const Partida& p, int jugador, const std::function<void()>& trasCada = {});
    void DibujaCasa(const Partida& p, int jugador, const std::function<void()>& trasCada = {});
    // Redraws a seat's waiting-box row from the record.
    void RehaceCuadroEspera(const Partida& p, int jugador);
    // Restores a square's area from the empty board and draws what is on it
    // now, with the neighbours its rectangle overlaps.
    void RehaceCasilla(const Partida& p, int casilla);

    // A track or corridor square's rectangle (2 MitadX by 2 MitadY).
    QRect RectanguloCasilla(const Partida& p, int casilla) const;

    void DibujaDados(int jugador, int numDados, int dado1, int dado2);
    void BorraDados(int numDados);
    void DibujaImagen(const QPixmap& imagen, int x, int y);

    void Instantanea();   // the surface into the snapshot
    void RestauraDeInstantanea(const QRect& r);
    void RestauraDeVacio(const QRect& r);
    void Refresca(const QRect& r);
    void RefrescaTodo();

    static QRect Caja(const Rectangulo& r) { return QRect(r.x, r.y, r.ancho, r.alto); }
    // A rectangle of the drawing area in the surfaces' own pixels.
    QRectF Fuente(const QRect& r) const;

private:
    QRect ZonaFila(const Partida& p, int casilla, int jugador) const;
    // Restores an area from the empty board and draws again, clipped to it,
    // every piece that reaches into it, in the order of a full redraw: the
    // rows of neighbouring homes overlap near the middle of the board.
    void RehaceZona(const Partida& p, const QRegion& zona);
    void Copia(const QPixmap& desde, const QRect& r);

    std::function<void(const QRect&)> refresca_;
    Medidas me_;
    double dpr_ = 1;
    Aspecto aspecto_ = Aspecto::Clasico;
    const Pintor* pintor_ = &PintorDe(Aspecto::Clasico);
    int puestoMesa_ = 0;
    ColoresMesa colores_{};
    Marcas marcas_{};
    QPixmap superficie_;
    QPixmap vacio_;
    QPixmap lleno_;
    QRegion recorte_;   // while not empty, pieces are drawn only inside it
};

}  // namespace parchis
