// POSIX: the sockets of the network pattern protocol.
#include "platform/platform.h"

#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

// Waits for events on fd for at most timeoutMs, in slices short enough to
// notice an interrupt that arrives between two polls: 1 ready, or an outcome.
static int WaitForSocket(int fd, short events, int timeoutMs) {
    int64_t end = PlatformMonotonicMicros() + static_cast<int64_t>(timeoutMs) * 1000;
    for (;;) {
        if (PlatformInterrupted()) return kPlatformSocketInterrupted;
        int64_t left = (end - PlatformMonotonicMicros() + 999) / 1000;
        if (left <= 0) return kPlatformSocketTimedOut;
        struct pollfd p = {fd, events, 0};
        int ready = poll(&p, 1, static_cast<int>(left < 100 ? left : 100));
        if (ready > 0) return 1;
        if (ready < 0 && errno != EINTR) return kPlatformSocketFailed;
    }
}

// One address: a non-blocking connect, awaited until end.
static int ConnectOne(const struct addrinfo *a, int64_t end, int *fdOut, char *error, size_t errorSize) {
    int fd = socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC | SOCK_NONBLOCK, a->ai_protocol);
    if (fd < 0) {
        snprintf(error, errorSize, "%s", strerror(errno));
        return kPlatformSocketFailed;
    }
    int outcome = 1;
    if (connect(fd, a->ai_addr, a->ai_addrlen) != 0) {
        if (errno != EINPROGRESS) {
            snprintf(error, errorSize, "%s", strerror(errno));
            outcome = kPlatformSocketFailed;
        } else {
            int64_t left = (end - PlatformMonotonicMicros()) / 1000;
            outcome = WaitForSocket(fd, POLLOUT, left > 0 ? static_cast<int>(left) : 0);
            int soError = 0;
            socklen_t length = sizeof soError;
            if (outcome == 1 && (getsockopt(fd, SOL_SOCKET, SO_ERROR, &soError, &length) != 0 || soError != 0)) {
                snprintf(error, errorSize, "%s", strerror(soError != 0 ? soError : errno));
                outcome = kPlatformSocketFailed;
            }
        }
    }
    if (outcome != 1) {
        close(fd);
        return outcome;
    }
    // Small messages go out at once; none are sent, but the peer may wait.
    int one = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    *fdOut = fd;
    return 1;
}

int PlatformConnect(const char *host, const char *port, int timeoutMs, PlatformSocket *out, char *error,
                    size_t errorSize) {
    *out = kPlatformNoSocket;
    snprintf(error, errorSize, "no address");
    struct addrinfo hints = {};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    struct addrinfo *addresses = nullptr;
    int found = getaddrinfo(host, port, &hints, &addresses);
    if (found != 0) {
        snprintf(error, errorSize, "%s", gai_strerror(found));
        return kPlatformSocketFailed;
    }
    int64_t end = PlatformMonotonicMicros() + static_cast<int64_t>(timeoutMs) * 1000;
    int outcome = kPlatformSocketFailed;
    for (const struct addrinfo *a = addresses; a != nullptr; a = a->ai_next) {
        int fd = -1;
        outcome = ConnectOne(a, end, &fd, error, errorSize);
        if (outcome == 1) *out = fd;
        if (outcome != kPlatformSocketFailed) break;
    }
    freeaddrinfo(addresses);
    if (outcome == kPlatformSocketTimedOut) snprintf(error, errorSize, "no answer within %d ms", timeoutMs);
    return outcome;
}

int PlatformReceive(PlatformSocket socket, void *buffer, int size, int timeoutMs) {
    int fd = static_cast<int>(socket);
    for (;;) {
        int ready = WaitForSocket(fd, POLLIN, timeoutMs);
        if (ready != 1) return ready;
        ssize_t got = recv(fd, buffer, static_cast<size_t>(size), 0);
        if (got > 0) return static_cast<int>(got);
        if (got == 0) return kPlatformSocketClosed;
        if (errno != EINTR && errno != EAGAIN && errno != EWOULDBLOCK) return kPlatformSocketFailed;
    }
}

void PlatformCloseSocket(PlatformSocket socket) {
    if (socket != kPlatformNoSocket) close(static_cast<int>(socket));
}
