// The windows' look beside the board's: the classic look leaves every
// window as it is; the modern one gives buttons, lists, tables, text views
// and tooltips one warm, rounded style through the application's style
// sheet, so that every window, those opened later included, takes it
// without being told.
#pragma once

#include <QColor>
#include <QString>

class QWidget;
#include <functional>
#include <string>

#include "core/preferencias_propias.h"

namespace parchis {

// The style sheet of a look (empty for the classic one).
QString HojaDeEstilo(Aspecto a);

// Sets the look for the whole program: the style sheet, and the main
// window told through the function it registered.
void AplicaAspecto(Aspecto a);
Aspecto AspectoVigente();
inline bool EsModerno() { return AspectoVigente() == Aspecto::Moderno; }
void AvisaCambiosDeAspecto(std::function<void(Aspecto)> aviso);

// The person's choice: applied, and kept in the data folder.  Returns
// whether the file could be written.
bool EligeAspecto(const std::string& carpeta, Aspecto a);

// A widget's own style sheet in each look: set now, and set again by
// AplicaAspecto when the look changes (a widget's own sheet outranks the
// application's, so windows with their own colours say both).
void HojaSegunAspecto(QWidget* w, const QString& clasica, const QString& moderna);

// Colours shared by the modern look's own drawings.
namespace moderno {
inline const QColor Madera(92, 58, 34);
inline const QColor MaderaClara(138, 92, 56);
inline const QColor Crema(250, 244, 232);
inline const QColor Tinta(58, 42, 32);
inline const QColor Marfil(255, 250, 240);     // the light end of a raised face
inline const QColor Pergamino(232, 214, 184);  // its shaded end
inline const QColor Borde(185, 150, 112);      // the edge of a plate or field
inline const QColor Acento(176, 112, 60);      // a switch that is on, a knob's filled track
inline const QColor FondoVentana(246, 238, 223);
// The title band and the dialogs' wooden frame, as style sheet text.
inline constexpr const char* BandaTitulo =
    "background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #8a5c38, stop:1 #5c3a22);"
    " color: #fff4e0; font-weight: bold; border: 1px solid #3f2616; border-radius: 6px; padding: 5px 10px;";
}  // namespace moderno

}  // namespace parchis
