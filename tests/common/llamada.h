// Plain blocking sockets to the loopback, every wait bounded, for tests
// that play a misbehaving peer.
#pragma once

#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace parchis::prueba {

// A socket connected to the loopback's `puerto`, each send and receive
// bounded by `segundos`; -1 when nobody answers.
inline int LlamaLocal(int puerto, int segundos = 5) {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    const timeval t{segundos, 0};
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &t, sizeof t);
    setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &t, sizeof t);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<uint16_t>(puerto));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0) return fd;
    close(fd);
    return -1;
}

// Reads until the other end closes (or resets); false when it does not
// within the timeout or a thousand reads.
inline bool Cerrado(int fd) {
    char b[4096];
    for (int n = 0; n < 1000; ++n) {
        const ssize_t r = recv(fd, b, sizeof b, 0);
        if (r <= 0) return r == 0 || errno == ECONNRESET;
    }
    return false;
}

}  // namespace parchis::prueba
