// The program told to stop from outside: the session ending, the terminal
// it was started from closing, Ctrl+C there, or a plain `kill`.
#pragma once

#include <QObject>
#include <functional>

namespace parchis {

// From now on SIGTERM, SIGHUP and SIGINT no longer end the program at once:
// `alTerminar` is called in the window system's loop instead, while
// `contexto` lives.
void AvisaAlTerminar(QObject* contexto, std::function<void()> alTerminar);

}  // namespace parchis
