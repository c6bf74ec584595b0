#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pluvetta {

// How the silent-station alarm sets its threshold: off, from the station's own rhythm, or a
// fixed number of minutes.
enum class SilentMode { Off, Auto, Fixed };

// A server to try when the one before it cannot be reached.
struct Endpoint {
    std::string host;
    std::uint16_t port = 0;
    bool operator==(const Endpoint&) const = default;
};

// What the options file chooses. Each default is the program's behaviour without the file.
struct Options {
    // [server]
    bool serverReconnect = false;
    std::vector<Endpoint> serverFallback;
    // [agwpe]
    bool agwReconnect = false;
    // [alarms]
    SilentMode silentMode = SilentMode::Off;
    // With SilentMode::Fixed: 5 to 1440.
    int silentMinutes = 0;
    // The program and its arguments as written; empty runs nothing.
    std::string alarmCommand;
    // [history]
    bool historyRecord = true;
    // Empty: the standard place, history.sqlite in the user's application data.
    std::string historyFile;

    bool operator==(const Options&) const = default;
};

}  // namespace pluvetta
