// The program's help: pages written for the program, one per topic number,
// shown in its own help window.
#pragma once

#include <QString>
#include <vector>

class QWidget;

namespace parchis {

// Topic numbers that windows and messages open; 0 is the general index.
const std::vector<int>& TemasAyuda();

// Resource path of a topic's page; an unknown topic gives the index.
QString PaginaAyuda(int tema);

// Opens (or brings forward) the help window at a topic, 0 for the index,
// usable at once even while a modal window or question is open.
void AbreAyuda(QWidget* ventana, int tema);

// The help window while it is open, else null.
QWidget* VentanaDeAyuda();

}  // namespace parchis
