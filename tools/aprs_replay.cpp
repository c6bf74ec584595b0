// aprs-replay: a small APRS stream server on loopback for demos and tests. Every client that
// connects gets the lines of a file, CR LF ended, at a given rate, optionally after a "#"
// greeting as real servers send, in which case the stream starts once the client logs in.

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <list>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::size_t kAheadBytes = 64 * 1024;  // queued for a client beyond what it has read
constexpr std::size_t kMaxClientLine = 512;     // longer client lines are printed cut
constexpr std::size_t kMaxClients = 64;         // more are turned away at once
constexpr auto kLoginTimeout = std::chrono::seconds(30);  // as real servers wait for a login
constexpr int kIdlePollMs = 1000;

volatile std::sig_atomic_t stopRequested = 0;

struct Options {
    int port = 0;
    double rate = 0.0;  // lines per second per client; 0 = as fast as the client reads
    bool loop = false;
    bool greeting = false;
    bool hold = false;
    std::uint64_t count = 0;  // 0 = no limit
    std::string file;
};

struct Client {
    int fd = -1;
    int id = 0;
    std::string out;
    std::size_t outSent = 0;
    std::string in;
    bool streaming = false;
    bool loginSeen = false;
    bool finished = false;    // every line this client is to get has been queued
    Clock::time_point since;  // stream start, or connect time while the login is awaited
    std::size_t nextLine = 0;
    std::uint64_t queued = 0;
};

const char kUsage[] =
    "usage: aprs-replay [--port N] [--rate LINES_PER_SECOND] [--loop] [--count N]\n"
    "                   [--greeting] [--hold] FILE\n"
    "Streams the lines of FILE, CR LF ended, to every client that connects to 127.0.0.1.\n"
    "  --port N      port to listen on; 0 (default) picks a free one below 32768\n"
    "  --rate R      lines per second per client; 0 (default) as fast as the client reads\n"
    "  --loop        start again at the first line after the last\n"
    "  --count N     send at most N lines to each client\n"
    "  --greeting    open with a \"# aprs-replay\" line and stream only after the client's\n"
    "                login line, which is printed; clients silent for 30 s are dropped\n"
    "  --hold        keep a client connected after its last line instead of closing\n"
    "The first line on stdout is \"listening on 127.0.0.1:PORT\". Stops on SIGINT or SIGTERM.\n";

bool ParseNumber(const char* text, double low, double high, double& value) {
    char* end = nullptr;
    errno = 0;
    value = std::strtod(text, &end);
    return errno == 0 && end != text && *end == '\0' && value >= low && value <= high;
}

bool ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        double value = 0.0;
        if (arg == "--loop") {
            options.loop = true;
        } else if (arg == "--greeting") {
            options.greeting = true;
        } else if (arg == "--hold") {
            options.hold = true;
        } else if (arg == "--port" && hasValue && ParseNumber(argv[++i], 0, 65535, value)) {
            options.port = static_cast<int>(value);
        } else if (arg == "--rate" && hasValue && ParseNumber(argv[++i], 0, 1e9, value)) {
            options.rate = value;
        } else if (arg == "--count" && hasValue && ParseNumber(argv[++i], 1, 1e15, value)) {
            options.count = static_cast<std::uint64_t>(value);
        } else if (!arg.starts_with("-") && options.file.empty()) {
            options.file = arg;
        } else {
            return false;
        }
    }
    return !options.file.empty();
}

bool ReadLines(const std::string& path, std::vector<std::string>& lines) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return false;
    }
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    return !file.bad();
}

void OnStopSignal(int) { stopRequested = 1; }

void InstallSignals() {
    std::signal(SIGPIPE, SIG_IGN);  // a client that went away shows up as EPIPE instead
    struct sigaction action {};
    action.sa_handler = OnStopSignal;  // no SA_RESTART: poll() returns at once
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

void SetNonBlocking(int fd) { fcntl(fd, F_SETFL, fcntl(fd, F_GETFL, 0) | O_NONBLOCK); }

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

// The monitor keeps ports in 16 bits, so the kernel's ephemeral ports (32768 and up) would be
// out of its reach: a free port is looked for among 20000..32767 instead, from a random start.
int ListenOnFreePort() {
    constexpr int kFirst = 20000;
    constexpr int kCount = 32768 - kFirst;
    const int start = static_cast<int>(
        static_cast<unsigned>(Clock::now().time_since_epoch().count() ^ getpid()) % kCount);
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

class Server {
  public:
    Server(Options options, std::vector<std::string> lines)
        : options_(std::move(options)), lines_(std::move(lines)) {}

    int Run(int listener);

  private:
    void Accept(int listener, Clock::time_point now);
    void Queue(Client& client, Clock::time_point now);
    bool Read(Client& client, Clock::time_point now);
    bool Write(Client& client);
    void TakeClientLine(Client& client, const std::string& line, Clock::time_point now);
    int PollTimeoutMs() const;
    std::uint64_t LinesPerClient() const;

    Options options_;
    std::vector<std::string> lines_;
    std::list<Client> clients_;
    int nextId_ = 1;
};

std::uint64_t Server::LinesPerClient() const {
    if (lines_.empty()) {
        return 0;
    }
    if (options_.count > 0) {
        return options_.loop ? options_.count
                             : std::min<std::uint64_t>(options_.count, lines_.size());
    }
    return options_.loop ? UINT64_MAX : lines_.size();
}

void Server::Accept(int listener, Clock::time_point now) {
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
void Server::Queue(Client& client, Clock::time_point now) {
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

void Server::TakeClientLine(Client& client, const std::string& line, Clock::time_point now) {
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

bool Server::Read(Client& client, Clock::time_point now) {
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

bool Server::Write(Client& client) {
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
int Server::PollTimeoutMs() const {
    if (options_.rate <= 0) {
        return kIdlePollMs;
    }
    return static_cast<int>(std::clamp(1000.0 / options_.rate, 1.0, double{kIdlePollMs}));
}

int Server::Run(int listener) {
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

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (argc > 1 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (!ParseOptions(argc, argv, options)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    std::vector<std::string> lines;
    if (!ReadLines(options.file, lines)) {
        std::fprintf(stderr, "aprs-replay: cannot read %s\n", options.file.c_str());
        return 2;
    }
    InstallSignals();
    const int listener = options.port == 0 ? ListenOnFreePort() : Listen(options.port);
    if (listener < 0) {
        std::fprintf(stderr, "aprs-replay: cannot listen on 127.0.0.1:%d: %s\n", options.port,
                     std::strerror(errno));
        return 1;
    }
    std::printf("listening on 127.0.0.1:%d\n", BoundPort(listener));
    std::fflush(stdout);
    Server server(std::move(options), std::move(lines));
    const int status = server.Run(listener);
    close(listener);
    return status;
}
