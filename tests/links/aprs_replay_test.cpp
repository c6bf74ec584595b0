// Runs the built aprs-replay on loopback and reads its stream with a plain client socket.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr milliseconds kPatience{5000};  // bound of every wait; the stream itself takes far less

// Reads from `fd` until `done` says so, the peer closes, or `timeout` passes.
template <typename Done>
std::string ReadFor(int fd, milliseconds timeout, Done done) {
    std::string data;
    const auto deadline = Clock::now() + timeout;
    while (!done(data)) {
        const auto left = std::chrono::duration_cast<milliseconds>(deadline - Clock::now());
        pollfd waiting{fd, POLLIN, 0};
        if (left.count() <= 0 || poll(&waiting, 1, static_cast<int>(left.count())) <= 0) {
            break;
        }
        char buffer[4096];
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got <= 0) {
            break;
        }
        data.append(buffer, static_cast<std::size_t>(got));
    }
    return data;
}

std::string ReadToClose(int fd) {
    return ReadFor(fd, kPatience, [](const std::string&) { return false; });
}

std::string ReadLine(int fd) {
    return ReadFor(fd, kPatience,
                   [](const std::string& data) { return data.find('\n') != std::string::npos; });
}

// The aprs-replay child: started on a temporary file, stopped and reaped at the end.
class Replay {
  public:
    Replay(const std::string& fileText, std::vector<std::string> options) {
        path_ = ::testing::TempDir() + "aprs_replay_test_" + std::to_string(getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".txt";
        std::ofstream(path_, std::ios::binary) << fileText;

        std::vector<std::string> args = {PLUVETTA_BIN_DIR "/aprs-replay", "--port", "0"};
        args.insert(args.end(), options.begin(), options.end());
        args.push_back(path_);
        std::vector<char*> argv;
        for (std::string& arg : args) {
            argv.push_back(arg.data());
        }
        argv.push_back(nullptr);

        int out[2];
        if (pipe(out) != 0) {
            return;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
            pid_ = -1;
        }
        posix_spawn_file_actions_destroy(&actions);
        close(out[1]);
        stdout_ = out[0];

        const std::string first = ReadLine(stdout_);
        const std::string prefix = "listening on 127.0.0.1:";
        if (first.starts_with(prefix)) {
            port_ = std::stoi(first.substr(prefix.size()));
        }
    }

    ~Replay() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            int status = 0;
            const auto deadline = Clock::now() + kPatience;
            while (waitpid(pid_, &status, WNOHANG) == 0) {
                if (Clock::now() > deadline) {
                    kill(pid_, SIGKILL);
                    waitpid(pid_, &status, 0);
                    break;
                }
                std::this_thread::sleep_for(milliseconds(10));
            }
        }
        if (stdout_ >= 0) {
            close(stdout_);
        }
        std::remove(path_.c_str());
    }

    int Port() const { return port_; }
    std::string StdoutLine() { return ReadLine(stdout_); }

    // A client socket connected to the server, or -1.
    int Connect() const {
        const int fd = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(static_cast<std::uint16_t>(port_));
        if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
            close(fd);
            return -1;
        }
        return fd;
    }

  private:
    std::string path_;
    pid_t pid_ = -1;
    int stdout_ = -1;
    int port_ = 0;
};

const char kFile[] =
    "Q1ABC>APRS,TCPIP*:>one\nQ2XYZ-9>APRS:>two\r\n\nDEMO-13>APRS:_12061920c220s004\n";
const char kStream[] =
    "Q1ABC>APRS,TCPIP*:>one\r\nQ2XYZ-9>APRS:>two\r\n\r\nDEMO-13>APRS:_12061920c220s004\r\n";

TEST(AprsReplay, StreamsTheFileCrLfEndedToEveryClient) {
    struct Case {
        const char* name;
        std::vector<std::string> options;
        std::string stream;
    };
    const std::string a = "Q1ABC>APRS,TCPIP*:>one\r\n";
    const std::string b = "Q2XYZ-9>APRS:>two\r\n";
    const Case cases[] = {
        {"whole file, then closed", {}, kStream},
        {"count cuts the file", {"--count", "2"}, a + b},
        {"loop with count", {"--loop", "--count", "6"}, std::string(kStream) + a + b},
        {"fast loop", {"--loop", "--count", "40000"}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Replay replay(kFile, c.options);
        ASSERT_NE(replay.Port(), 0);
        const int first = replay.Connect();
        const int second = replay.Connect();
        ASSERT_GE(first, 0);
        ASSERT_GE(second, 0);
        const std::string got = ReadToClose(first);
        if (c.stream.empty()) {
            std::string expected;
            for (int i = 0; i < 10000; ++i) {
                expected += kStream;
            }
            // Compared by the first difference, so that a failure does not print a megabyte.
            const std::size_t same = static_cast<std::size_t>(
                std::mismatch(got.begin(), got.end(), expected.begin(), expected.end()).first -
                got.begin());
            EXPECT_EQ(same, expected.size());
            EXPECT_EQ(got.size(), expected.size());
        } else {
            EXPECT_EQ(got, c.stream);
        }
        EXPECT_EQ(ReadToClose(second).size(), got.size());
        close(first);
        close(second);
    }
}

TEST(AprsReplay, GreetingWaitsForTheLoginPrintsItAndThenStreams) {
    Replay replay(kFile, {"--greeting"});
    const int client = replay.Connect();
    ASSERT_GE(client, 0);
    EXPECT_EQ(ReadLine(client), "# aprs-replay " PLUVETTA_VERSION "\r\n");
    EXPECT_EQ(ReadFor(client, milliseconds(300), [](const std::string& d) { return !d.empty(); }),
              "");

    const std::string login = "user PLUV00042 pass -1 vers Pluvetta 6.0 filter b/DEMO-13";
    ASSERT_EQ(write(client, (login + "\r\n").data(), login.size() + 2),
              static_cast<ssize_t>(login.size() + 2));
    EXPECT_EQ(ReadToClose(client),
              "# logresp PLUV00042 unverified, server REPLAY\r\n" + std::string(kStream));
    EXPECT_EQ(replay.StdoutLine(), "login: " + login + "\n");
    close(client);
}

TEST(AprsReplay, RateSpacesTheLines) {
    Replay replay(kFile, {"--rate", "20"});
    const int client = replay.Connect();
    ASSERT_GE(client, 0);
    const auto start = Clock::now();
    EXPECT_EQ(ReadToClose(client), kStream);
    // Four lines at 20 a second: the last is due 150 ms after the first.
    EXPECT_GE(std::chrono::duration_cast<milliseconds>(Clock::now() - start).count(), 140);
    close(client);
}

}  // namespace
