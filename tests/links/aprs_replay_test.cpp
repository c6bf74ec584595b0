// Runs the built aprs-replay on loopback and reads its stream with a plain client socket.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// Reads from `fd` until the data holds `until` (when empty: until the peer closes), or until
// `timeout` passes; the default bounds every wait, the stream itself takes far less.
std::string ReadFor(int fd, const std::string& until = "",
                    milliseconds timeout = milliseconds(5000)) {
    std::string data;
    const auto deadline = Clock::now() + timeout;
    while (until.empty() || data.find(until) == std::string::npos) {
        const auto left = std::chrono::duration_cast<milliseconds>(deadline - Clock::now()).count();
        pollfd waiting{fd, POLLIN, 0};
        char buffer[4096];
        if (left <= 0 || poll(&waiting, 1, static_cast<int>(left)) <= 0) {
            break;
        }
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got <= 0) {
            break;
        }
        data.append(buffer, static_cast<std::size_t>(got));
    }
    return data;
}

// The aprs-replay child, serving `fileText` from a temporary file; killed and reaped at the end.
// The shell writes its process id, which the program keeps, before the program's first line.
class Replay {
  public:
    Replay(const std::string& fileText, const std::string& options) {
        std::ofstream(path_, std::ios::binary) << fileText;
        const std::string command = "printf '%s ' $$; exec '" PLUVETTA_BIN_DIR "/aprs-replay' " +
                                    options + " --port 0 '" + path_ + "'";
        pipe_ = popen(command.c_str(), "r");
        if (pipe_) {
            std::sscanf(StdoutLine().c_str(), "%d listening on 127.0.0.1:%d", &pid_, &port_);
        }
    }

    ~Replay() {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
        }
        if (pipe_) {
            pclose(pipe_);
        }
        std::remove(path_.c_str());
    }

    std::string StdoutLine() { return ReadFor(fileno(pipe_), "\n"); }

    // A client socket connected to the server, or -1.
    int Connect() const {
        const int fd = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(static_cast<std::uint16_t>(port_));
        if (port_ == 0 || connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
            close(fd);
            return -1;
        }
        return fd;
    }

  private:
    // One child at a time per test process, so the process id makes the name unique.
    std::string path_ = ::testing::TempDir() + "aprs_replay_" + std::to_string(getpid()) + ".txt";
    FILE* pipe_ = nullptr;
    pid_t pid_ = 0;
    int port_ = 0;
};

const char kFile[] =
    "Q1ABC>APRS,TCPIP*:>one\nQ2XYZ-9>APRS:>two\r\n\nDEMO-13>APRS:_12061920c220s004\n";
const std::string kStream =
    "Q1ABC>APRS,TCPIP*:>one\r\nQ2XYZ-9>APRS:>two\r\n\r\nDEMO-13>APRS:_12061920c220s004\r\n";

TEST(AprsReplay, StreamsTheFileCrLfEndedToEveryClientAtItsRate) {
    struct Case {
        const char* options;
        std::string stream;
        int atLeastMs;
    };
    const std::string firstTwo = kStream.substr(0, kStream.find(">two") + 6);
    std::string tenThousand;
    for (int i = 0; i < 10000; ++i) {
        tenThousand += kStream;
    }
    const Case cases[] = {
        {"", kStream, 0},
        {"--count 2", firstTwo, 0},
        {"--loop --count 6", kStream + firstTwo, 0},
        {"--loop --count 40000", tenThousand, 0},
        {"--rate 20", kStream, 140},  // the fourth line is due 150 ms after the first
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options);
        Replay replay(kFile, c.options);
        const int first = replay.Connect();
        const int second = replay.Connect();
        ASSERT_GE(first, 0);
        ASSERT_GE(second, 0);
        const auto start = Clock::now();
        const std::string got = ReadFor(first);
        const auto tookMs = std::chrono::duration_cast<milliseconds>(Clock::now() - start).count();
        EXPECT_GE(tookMs, c.atLeastMs);
        // Compared by the first difference, so that a failure does not print a megabyte.
        const auto same = std::mismatch(got.begin(), got.end(), c.stream.begin(), c.stream.end());
        EXPECT_EQ(static_cast<std::size_t>(same.first - got.begin()), c.stream.size());
        EXPECT_EQ(got.size(), c.stream.size());
        EXPECT_EQ(ReadFor(second).size(), got.size());
        close(first);
        close(second);
    }
}

TEST(AprsReplay, GreetingWaitsForTheLoginPrintsItAndThenStreams) {
    Replay replay(kFile, "--greeting");
    const int client = replay.Connect();
    ASSERT_GE(client, 0);
    EXPECT_EQ(ReadFor(client, "\n"), "# aprs-replay " PLUVETTA_VERSION "\r\n");
    EXPECT_EQ(ReadFor(client, "\n", milliseconds(300)), "");

    const std::string login = "user PLUV00042 pass -1 vers Pluvetta 6.0 filter b/DEMO-13\r\n";
    ASSERT_EQ(write(client, login.data(), login.size()), static_cast<ssize_t>(login.size()));
    EXPECT_EQ(ReadFor(client), "# logresp PLUV00042 unverified, server REPLAY\r\n" + kStream);
    EXPECT_EQ(replay.StdoutLine(), "login: " + login.substr(0, login.size() - 2) + "\n");
    close(client);
}

}  // namespace
