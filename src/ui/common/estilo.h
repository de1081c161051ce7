// The windows' look beside the board's: the classic look leaves every
// window as it is; the modern one gives buttons, lists, tables, text views
// and tooltips one warm, rounded style through the application's style
// sheet, so that every window, those opened later included, takes it
// without being told.
#pragma once

#include <QColor>
#include <QString>
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
void AvisaCambiosDeAspecto(std::function<void(Aspecto)> aviso);

// The person's choice: applied, and kept in the data folder.  Returns
// whether the file could be written.
bool EligeAspecto(const std::string& carpeta, Aspecto a);

// Colours shared by the modern look's own drawings.
namespace moderno {
inline const QColor Madera(92, 58, 34);
inline const QColor MaderaClara(138, 92, 56);
inline const QColor Crema(250, 244, 232);
inline const QColor Tinta(58, 42, 32);
}  // namespace moderno

}  // namespace parchis
