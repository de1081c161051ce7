// Helpers of the loopback tests: a bounded event loop and free ports.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTcpServer>
#include <QTimer>

namespace parchis::prueba {

// Runs events until `hecho` or `segundos` have passed; true when done.
template <typename F>
bool Hasta(F hecho, double segundos = 10) {
    QElapsedTimer reloj;
    reloj.start();
    QTimer despertador;   // the blocking wait below ends at least this often
    despertador.start(20);
    while (!hecho() && reloj.elapsed() < segundos * 1000)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    return hecho();
}

// A port nobody listens on now, so that parallel runs do not collide.
inline int PuertoLibre() {
    QTcpServer s;
    s.listen(QHostAddress::LocalHost, 0);
    return s.serverPort();
}

}  // namespace parchis::prueba
