#include "ui/common/senales.h"

#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace parchis {

namespace {

// A signal handler may do next to nothing: it writes a byte, and the loop
// reads it from the other end.
int extremos[2] = {-1, -1};

void AlRecibir(int) {
    const int guardado = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = write(extremos[0], &byte, 1);
    errno = guardado;
}

}  // namespace

void AvisaAlTerminar(QObject* contexto, std::function<void()> alTerminar) {
    if (extremos[0] < 0 && socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, extremos) != 0)
        return;
    auto* aviso = new QSocketNotifier(extremos[1], QSocketNotifier::Read, contexto);
    QObject::connect(aviso, &QSocketNotifier::activated, contexto, [f = std::move(alTerminar)] {
        char bytes[16];
        bool recibida = false;
        while (read(extremos[1], bytes, sizeof bytes) > 0) recibida = true;
        if (recibida) f();
    });
    struct sigaction accion {};
    accion.sa_handler = AlRecibir;
    sigemptyset(&accion.sa_mask);
    accion.sa_flags = SA_RESTART;
    for (int s : {SIGTERM, SIGHUP, SIGINT}) sigaction(s, &accion, nullptr);
}

}  // namespace parchis
