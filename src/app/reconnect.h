#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/steady_time.h"

namespace pluvetta {

// Random draws, evenly spread over the 32-bit numbers.
using RandomSource = std::function<std::uint32_t()>;

// When a lost link is tried again. The waits grow so that a server in trouble is not hammered
// by every client at once, and are drawn at random so that the clients spread out.
class ReconnectPolicy {
  public:
    static constexpr std::chrono::seconds kFirstWait{5};
    static constexpr std::chrono::seconds kLongestWait{300};
    // A link that stayed up this long counts as mended: its next loss waits kFirstWait again.
    static constexpr std::chrono::seconds kSteadyUp{60};

    explicit ReconnectPolicy(RandomSource random) : random_(std::move(random)) {}

    // The link came up at `now`.
    void Up(SteadyTime now) { upSince_ = now; }
    // The link was lost, or an attempt failed, at `now`: the wait before the next attempt,
    // between half and all of the present step, which then doubles up to kLongestWait.
    std::chrono::milliseconds Lost(SteadyTime now);
    // Forgets the history: the next loss waits kFirstWait.
    void Reset();

  private:
    RandomSource random_;
    std::chrono::milliseconds step_ = kFirstWait;
    std::optional<SteadyTime> upSince_;
};

// The addresses a name resolved to, in a random order, so that the clients of a round-robin
// name do not all crowd onto its first address.
std::vector<std::string> ShuffleAddresses(std::vector<std::string> addresses,
                                          const RandomSource& random);

}  // namespace pluvetta
