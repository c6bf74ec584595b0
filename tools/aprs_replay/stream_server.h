#pragma once

#include <chrono>
#include <cstdint>
#include <list>
#include <random>
#include <string>
#include <vector>

#include "links/agw_frame.h"
#include "options.h"

namespace aprs_replay {

using Clock = std::chrono::steady_clock;

// Serves the lines of a file to every client of a listening socket, each at its own pace,
// until asked to stop. Reports clients on stderr and what they send on stdout.
class StreamServer {
  public:
    StreamServer(Options options, std::vector<std::string> lines)
        : options_(std::move(options)), lines_(std::move(lines)) {}

    // Runs until SIGINT or SIGTERM; 0, or 1 when polling failed.
    int Run(int listener);

  private:
    struct Client {
        int fd = -1;
        int id = 0;
        std::string out;
        std::size_t outSent = 0;
        std::string in;
        pluvetta::AgwFrameCutter requests;  // with --agw
        bool streaming = false;
        bool loginSeen = false;
        bool finished = false;    // every line this client is to get has been queued
        Clock::time_point since;  // stream start, or connect time while the login is awaited
        std::size_t nextLine = 0;
        std::uint64_t queued = 0;
        std::uint64_t junkQueued = 0;
    };

    void Accept(int listener, Clock::time_point now);
    void Queue(Client& client, Clock::time_point now);
    void QueueJunk(Client& client);
    bool Read(Client& client, Clock::time_point now);
    bool Write(Client& client);
    void TakeClientLine(Client& client, const std::string& line, Clock::time_point now) const;
    void TakeClientRequest(Client& client, char kind, Clock::time_point now);
    int PollTimeoutMs() const;
    std::uint64_t LinesPerClient() const;

    Options options_;
    std::vector<std::string> lines_;
    std::list<Client> clients_;
    std::minstd_rand random_{std::random_device{}()};
    int nextId_ = 1;
};

}  // namespace aprs_replay
