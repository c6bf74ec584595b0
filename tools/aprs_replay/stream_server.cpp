#include "stream_server.h"

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <sstream>
#include <thread>

#include "agw_engine.h"
#include "loopback.h"

namespace aprs_replay {

namespace {

constexpr std::size_t kAheadBytes =
    std::size_t{64} * 1024;                  // queued for a client beyond what it has read
constexpr std::size_t kMaxClientLine = 512;  // longer client lines are printed cut
constexpr std::size_t kMaxClients = 64;      // more are turned away at once
constexpr auto kLoginTimeout = std::chrono::seconds(30);  // as real servers wait for a login
constexpr int kIdlePollMs = 1000;
constexpr std::size_t kMaxCutPiece = 64;
constexpr int kTricklePollMs = 1;
constexpr std::size_t kJunkPiece = 4096;

// The local time of day as an engine stamps what it heard: hh:mm:ss.
std::string TimeOfDay() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%H:%M:%S", &local);
    return text;
}

// Client text is shown on our terminal: control bytes become '?'.
std::string Printable(std::string text) {
    if (text.size() > kMaxClientLine) {
        text.resize(kMaxClientLine);
    }
    for (char& c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            c = '?';
        }
    }
    return text;
}

}  // namespace

std::uint64_t StreamServer::LinesPerClient() const {
    if (lines_.empty()) {
        return 0;
    }
    if (options_.count > 0) {
        return options_.loop ? options_.count
                             : std::min<std::uint64_t>(options_.count, lines_.size());
    }
    return options_.loop ? UINT64_MAX : lines_.size();
}

void StreamServer::Accept(int listener, Clock::time_point now) {
    for (;;) {
        const int fd = accept(listener, nullptr, nullptr);
        if (fd < 0) {
            return;
        }
        if (clients_.size() >= kMaxClients) {
            close(fd);
            continue;
        }
        SetNonBlocking(fd);
        Client& client = clients_.emplace_back();
        client.fd = fd;
        client.id = nextId_++;
        client.since = now;
        client.streaming = !options_.greeting && !options_.agw;
        if (options_.cut || options_.trickle) {
            // Each piece its own segment, so that the client meets the cuts.
            const int on = 1;
            setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
        }
        if (options_.greeting) {
            client.out = "# aprs-replay " PLUVETTA_VERSION "\r\n";
        }
        std::fprintf(stderr, "aprs-replay: client %d connected\n", client.id);
    }
}

// Puts the lines that are due on the client's queue, keeping at most kAheadBytes ahead of it.
void StreamServer::Queue(Client& client, Clock::time_point now) {
    if (!client.streaming || client.finished) {
        return;
    }
    if (client.outSent > 0) {
        client.out.erase(0, client.outSent);
        client.outSent = 0;
    }
    std::uint64_t target = LinesPerClient();
    if (options_.rate > 0) {
        const double seconds = std::chrono::duration<double>(now - client.since).count();
        target = std::min(target, static_cast<std::uint64_t>(seconds * options_.rate) + 1);
    }
    QueueJunk(client);
    const std::string time = options_.agw ? TimeOfDay() : std::string();
    while (client.junkQueued == options_.junkBytes && client.queued < target &&
           client.out.size() < kAheadBytes) {
        if (options_.agw) {
            client.out += AgwMonitorFrame(lines_[client.nextLine], time);
        } else {
            client.out += lines_[client.nextLine];
            client.out += "\r\n";
        }
        ++client.queued;
        client.nextLine = (client.nextLine + 1) % lines_.size();
    }
    const bool wasFinished = client.finished;
    client.finished = client.queued >= LinesPerClient();
    if (client.finished && !wasFinished && options_.reset && !lines_.empty()) {
        client.out += lines_.front().substr(0, lines_.front().size() / 2);
    }
}

// The junk goes out before the first line, a piece at a time like the lines.
void StreamServer::QueueJunk(Client& client) {
    while (client.junkQueued < options_.junkBytes && client.out.size() < kAheadBytes) {
        const std::size_t size = static_cast<std::size_t>(
            std::min<std::uint64_t>(kJunkPiece, options_.junkBytes - client.junkQueued));
        std::string piece;
        switch (options_.junk) {
            case Options::Junk::Random:
                for (std::size_t i = 0; i < size; ++i) piece += static_cast<char>(random_() & 0xFF);
                break;
            case Options::Junk::NoLineEnd:
                piece.assign(size, 'x');
                break;
            case Options::Junk::HugeFrames:
                // 'U' frames that announce 0xFFFFFFF0 data bytes, data that never come.
                while (piece.size() < size) {
                    std::string header(pluvetta::kAgwHeaderSize, '\0');
                    header[pluvetta::kAgwKindOffset] = 'U';
                    for (std::size_t b = 0; b < 4; ++b)
                        header[pluvetta::kAgwLengthOffset + b] = b == 0 ? '\xF0' : '\xFF';
                    piece += header;
                }
                piece.resize(size);
                break;
            case Options::Junk::None:
                break;
        }
        client.out += piece;
        client.junkQueued += size;
    }
}

void StreamServer::TakeClientLine(Client& client, const std::string& line,
                                  Clock::time_point now) const {
    const bool login = !client.loginSeen;
    std::printf("%s: %s\n", login ? "login" : "client", Printable(line).c_str());
    std::fflush(stdout);
    client.loginSeen = true;
    if (login && options_.greeting) {
        std::istringstream words(line);
        std::string user, name;
        words >> user >> name;
        client.out +=
            "# logresp " + Printable(name.substr(0, 9)) + " unverified, server REPLAY\r\n";
        client.streaming = true;
        client.since = now;
    }
}

void StreamServer::TakeClientRequest(Client& client, char kind, Clock::time_point now) {
    std::printf("request: %s\n", Printable(std::string(1, kind)).c_str());
    std::fflush(stdout);
    client.out += AgwReply(kind);
    if (kind == 'm' && !client.streaming) {
        client.streaming = true;
        client.since = now;
    }
}

bool StreamServer::Read(Client& client, Clock::time_point now) {
    char buffer[4096];
    const ssize_t got = recv(client.fd, buffer, sizeof buffer, 0);
    if (got == 0) {
        return false;
    }
    if (got < 0) {
        return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
    }
    if (options_.agw) {
        // A client out of step is dropped.
        return client.requests.Feed({buffer, static_cast<std::size_t>(got)},
                                    [&](const pluvetta::AgwFrame& frame) {
                                        TakeClientRequest(client, frame.kind, now);
                                    }) == 0;
    }
    client.in.append(buffer, static_cast<std::size_t>(got));
    std::size_t lf = 0;
    while ((lf = client.in.find('\n')) != std::string::npos) {
        std::string line = client.in.substr(0, lf);
        client.in.erase(0, lf + 1);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        TakeClientLine(client, line, now);
    }
    if (client.in.size() > kMaxClientLine) {
        TakeClientLine(client, client.in, now);
        client.in.clear();
    }
    return true;
}

bool StreamServer::Write(Client& client) {
    while (client.outSent < client.out.size()) {
        std::size_t size = client.out.size() - client.outSent;
        if (options_.cut) size = std::min<std::size_t>(size, 1 + random_() % kMaxCutPiece);
        if (options_.trickle) size = 1;
        const ssize_t sent =
            send(client.fd, client.out.data() + client.outSent, size, MSG_NOSIGNAL);
        if (sent < 0) {
            return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
        }
        client.outSent += static_cast<std::size_t>(sent);
        // One piece a turn: the next goes out once the poll has come round again.
        if (options_.trickle)
            std::this_thread::sleep_for(std::chrono::milliseconds(kTricklePollMs));
        if (options_.cut || options_.trickle) return true;
    }
    return true;
}

// Lines are due every 1/rate seconds and logins time out in seconds: waking that often is enough.
int StreamServer::PollTimeoutMs() const {
    if (options_.trickle) return kTricklePollMs;
    if (options_.rate <= 0) {
        return kIdlePollMs;
    }
    return static_cast<int>(std::clamp(1000.0 / options_.rate, 1.0, double{kIdlePollMs}));
}

int StreamServer::Run(int listener) {
    std::vector<pollfd> fds;
    while (!stopRequested) {
        Clock::time_point now = Clock::now();
        for (Client& client : clients_) {
            Queue(client, now);
        }
        fds.assign(1, pollfd{listener, POLLIN, 0});
        for (const Client& client : clients_) {
            const bool pending = client.outSent < client.out.size();
            fds.push_back(
                pollfd{client.fd, static_cast<short>(POLLIN | (pending ? POLLOUT : 0)), 0});
        }
        if (poll(fds.data(), fds.size(), PollTimeoutMs()) < 0 && errno != EINTR) {
            std::perror("aprs-replay: poll");
            return 1;
        }
        now = Clock::now();
        std::size_t index = 1;
        for (auto it = clients_.begin(); it != clients_.end(); ++index) {
            Client& client = *it;
            const short events = fds[index].revents;
            bool alive = true;
            if (events & (POLLIN | POLLHUP | POLLERR)) {
                alive = Read(client, now);
            }
            if (alive && (events & POLLOUT)) {
                alive = Write(client);
            }
            const bool done =
                client.finished && client.outSent == client.out.size() && !options_.hold;
            const bool loginLate = options_.greeting && !client.loginSeen && !client.streaming &&
                                   now - client.since > kLoginTimeout;
            if (!alive || done || loginLate) {
                std::fprintf(stderr, "aprs-replay: client %d %s after %llu lines\n", client.id,
                             !alive ? "left" : (done ? "served" : "dropped, no login"),
                             static_cast<unsigned long long>(client.queued));
                if (done && options_.reset) {
                    // A linger of zero makes close send a reset instead of an orderly end.
                    const linger abort{1, 0};
                    setsockopt(client.fd, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
                }
                close(client.fd);
                it = clients_.erase(it);
            } else {
                ++it;
            }
        }
        if (fds[0].revents & POLLIN) {
            Accept(listener, now);
        }
    }
    for (const Client& client : clients_) {
        close(client.fd);
    }
    return 0;
}

}  // namespace aprs_replay
