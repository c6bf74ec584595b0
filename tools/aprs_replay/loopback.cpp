#include "loopback.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>

namespace aprs_replay {

volatile std::sig_atomic_t stopRequested = 0;

namespace {

void OnStopSignal(int) { stopRequested = 1; }

int Listen(int port) {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0) {
        return -1;
    }
    const int on = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(fd, 16) != 0) {
        close(fd);
        return -1;
    }
    SetNonBlocking(fd);
    return fd;
}

}  // namespace

void InstallStopSignals() {
    std::signal(SIGPIPE, SIG_IGN);
    struct sigaction action {};
    action.sa_handler = OnStopSignal;  // no SA_RESTART: poll() returns at once
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

void SetNonBlocking(int fd) { fcntl(fd, F_SETFL, fcntl(fd, F_GETFL, 0) | O_NONBLOCK); }

// The monitor keeps ports in 16 bits, so the kernel's ephemeral ports (32768 and up) would be
// out of its reach: a free port is looked for among 20000..32767 instead, from a random start.
int ListenOnLoopback(int port) {
    if (port != 0) return Listen(port);
    constexpr int kFirst = 20000;
    constexpr int kCount = 32768 - kFirst;
    const auto seed = static_cast<unsigned>(
        std::chrono::steady_clock::now().time_since_epoch().count() ^ getpid());
    const int start = static_cast<int>(seed % kCount);
    for (int i = 0; i < kCount; ++i) {
        if (const int fd = Listen(kFirst + (start + i) % kCount); fd >= 0) return fd;
    }
    return -1;
}

int BoundPort(int fd) {
    sockaddr_in address{};
    socklen_t size = sizeof address;
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size);
    return ntohs(address.sin_port);
}

}  // namespace aprs_replay
