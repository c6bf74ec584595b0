#include "app/reconnect.h"

#include <algorithm>
#include <utility>

namespace pluvetta {

std::chrono::milliseconds ReconnectPolicy::Lost(SteadyTime now) {
    if (upSince_ && now - *upSince_ >= kSteadyUp) step_ = kFirstWait;
    upSince_.reset();
    // Spread evenly from half the step to all of it, both ends included.
    const std::uint64_t half = step_.count() / 2;
    const std::uint64_t spread = (std::uint64_t{random_()} * (step_.count() - half + 1)) >> 32;
    const std::chrono::milliseconds wait(half + spread);
    step_ = std::min<std::chrono::milliseconds>(step_ * 2, kLongestWait);
    return wait;
}

void ReconnectPolicy::Reset() {
    step_ = kFirstWait;
    upSince_.reset();
}

std::vector<std::string> ShuffleAddresses(std::vector<std::string> addresses,
                                          const RandomSource& random) {
    for (std::size_t i = addresses.size(); i > 1; --i) {
        std::swap(addresses[i - 1], addresses[random() % i]);
    }
    return addresses;
}

}  // namespace pluvetta
