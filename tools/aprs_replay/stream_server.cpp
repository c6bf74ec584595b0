#include "stream_server.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <sstream>

#include "loopback.h"

namespace aprs_replay {

namespace {

constexpr std::size_t kAheadBytes = 64 * 1024;  // queued for a client beyond what it has read
constexpr std::size_t kMaxClientLine = 512;     // longer client lines are printed cut
constexpr std::size_t kMaxClients = 64;         // more are turned away at once
constexpr auto kLoginTimeout = std::chrono::seconds(30);  // as real servers wait for a login
constexpr int kIdlePollMs = 1000;

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
        client.streaming = !options_.greeting;
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
    while (client.queued < target && client.out.size() < kAheadBytes) {
        client.out += lines_[client.nextLine];
        client.out += "\r\n";
        ++client.queued;
        client.nextLine = (client.nextLine + 1) % lines_.size();
    }
    client.finished = client.queued >= LinesPerClient();
}

void StreamServer::TakeClientLine(Client& client, const std::string& line, Clock::time_point now) {
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

bool StreamServer::Read(Client& client, Clock::time_point now) {
    char buffer[4096];
    const ssize_t got = recv(client.fd, buffer, sizeof buffer, 0);
    if (got == 0) {
        return false;
    }
    if (got < 0) {
        return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
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
        const ssize_t sent = send(client.fd, client.out.data() + client.outSent,
                                  client.out.size() - client.outSent, MSG_NOSIGNAL);
        if (sent < 0) {
            return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
        }
        client.outSent += static_cast<std::size_t>(sent);
    }
    return true;
}

// Lines are due every 1/rate seconds and logins time out in seconds: waking that often is enough.
int StreamServer::PollTimeoutMs() const {
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
            const bool loginLate =
                !client.loginSeen && !client.streaming && now - client.since > kLoginTimeout;
            if (!alive || done || loginLate) {
                std::fprintf(stderr, "aprs-replay: client %d %s after %llu lines\n", client.id,
                             !alive ? "left" : (done ? "served" : "dropped, no login"),
                             static_cast<unsigned long long>(client.queued));
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
