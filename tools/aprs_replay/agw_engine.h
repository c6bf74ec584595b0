#pragma once

#include <string>
#include <string_view>

namespace aprs_replay {

// What aprs-replay --agw answers as a small AGWPE engine.
inline constexpr int kEngineMajor = 2005;
inline constexpr int kEngineMinor = 127;

// The engine's reply to a request of `kind`: the version for 'R', the radio ports for 'G';
// empty for a request it does not answer ('m' starts the stream instead).
std::string AgwReply(char kind);

// A packet line SOURCE>DEST,PATH:INFORMATION as the engine passes on what it heard: a 'U'
// frame from SOURCE whose text is the monitor header and the information, each ended by CR.
// Empty for a line that is no packet.
std::string AgwMonitorFrame(std::string_view line, std::string_view timeOfDay);

}  // namespace aprs_replay
