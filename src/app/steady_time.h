#pragma once

#include <chrono>

namespace pluvetta {

// A steady time as the shell's clock gives it: milliseconds since some fixed moment. The core
// reads no clock of its own.
using SteadyTime = std::chrono::milliseconds;

}  // namespace pluvetta
