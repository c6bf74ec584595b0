#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace aprs_replay {

struct Options {
    int port = 0;
    double rate = 0.0;  // lines per second per client; 0 = as fast as the client reads
    bool loop = false;
    bool greeting = false;
    bool hold = false;
    bool agw = false;         // act as an AGWPE engine: lines go out as monitored frames
    bool cut = false;         // send in random pieces of a few bytes
    std::uint64_t count = 0;  // 0 = no limit
    // Faults for tests: bytes sent before the first line, a reset after the last, a trickle.
    enum class Junk { None, Random, NoLineEnd, HugeFrames };
    Junk junk = Junk::None;
    std::uint64_t junkBytes = 0;
    bool reset = false;    // after the last line, half a line and a connection reset
    bool trickle = false;  // one byte at a time, a millisecond apart
    std::string file;
};

extern const char kUsage[];

// Reads the command line into `options`; false when it is not understood.
bool ParseOptions(int argc, char** argv, Options& options);

// The lines of the file, without their LF or CR LF; false when it cannot be read.
bool ReadLines(const std::string& path, std::vector<std::string>& lines);

}  // namespace aprs_replay
