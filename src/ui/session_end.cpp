#include "ui/session_end.h"

#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace pluvetta {

namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

// The handler may only do what is safe in a signal handler: it writes the signal's number
// into a socket that the event loop watches. [0] is written, [1] is read.
int wakeFds[2] = {-1, -1};

extern "C" void OnSignal(int signalNumber) {
    const int savedErrno = errno;
    const auto byte = static_cast<unsigned char>(signalNumber);
    // A full socket already holds a wake-up, so a lost byte loses nothing.
    [[maybe_unused]] const ssize_t written = ::write(wakeFds[0], &byte, 1);
    errno = savedErrno;
}

}  // namespace

SessionEnd::SessionEnd() : QObject(nullptr) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, wakeFds) != 0) return;
    notifier_ = std::make_unique<QSocketNotifier>(wakeFds[1], QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &SessionEnd::Drain);
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : kSignals) ::sigaction(number, &action, nullptr);
}

SessionEnd::~SessionEnd() {
    for (const int number : kSignals) static_cast<void>(std::signal(number, SIG_DFL));
    notifier_.reset();
    for (int& fd : wakeFds) {
        if (fd >= 0) ::close(fd);
        fd = -1;
    }
}

void SessionEnd::Drain() {
    unsigned char bytes[16];
    ssize_t got = 0;
    int last = 0;
    while ((got = ::read(wakeFds[1], bytes, sizeof bytes)) > 0) last = bytes[got - 1];
    if (last != 0) emit Ended(last);
}

}  // namespace pluvetta
