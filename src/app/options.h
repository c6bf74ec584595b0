#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/options_text.h"
#include "app/station_settings.h"
#include "weather/derived.h"
#include "weather/units.h"

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
// Every member has an initialiser, so that a record built with a few designated fields
// leaves the rest at their defaults without a warning.
struct Options {
    // [server]
    bool serverReconnect = false;
    std::vector<Endpoint> serverFallback{};
    // [agwpe]
    bool agwReconnect = false;
    // [alarms]
    SilentMode silentMode = SilentMode::Off;
    // With SilentMode::Fixed: 5 to 1440.
    int silentMinutes = 0;
    // The program and its arguments as written; empty runs nothing.
    std::string alarmCommand{};
    // [history]
    bool historyRecord = true;
    // Empty: the standard place, history.sqlite in the user's application data.
    std::string historyFile{};
    // [station] call and the links' enabled, host and port: what a start with no command line
    // watches, written there by the setup dialog of such a start. Ports of 0 and empty hosts
    // are the ones left out.
    StationSettings keptStation{};
    // [units] as written: a preset, and each quantity named on its own, which wins over it.
    std::optional<Units> unitsPreset{};
    std::optional<TemperatureUnit> temperatureUnit{};
    std::optional<WindUnit> windUnit{};
    std::optional<PressureUnit> pressureUnit{};
    std::optional<RainUnit> rainUnit{};
    // [formulas]
    Formulas formulas{};

    bool operator==(const Options&) const = default;
};

// The units values are shown in: each quantity as named, else as its preset, else metric.
Units ShownUnits(const Options& options);

struct OptionsRead {
    Options options;
    // One line per bad value or unknown key, naming the file, the key, the value and what is
    // accepted. The key concerned keeps its default.
    std::vector<std::string> problems;
};

// Turns the keys of the options file `fileName` into the record. Never fails: whatever is not
// understood keeps its default and is told in `problems`.
OptionsRead ReadOptions(const std::vector<OptionEntry>& entries, std::string_view fileName);

// Tells each problem of the options file once: a re-read that finds the same fault again says
// nothing more, while a fault that was mended and comes back is told again.
class ProblemsOnce {
  public:
    // The problems of this read that the last read did not have.
    std::vector<std::string> Fresh(const std::vector<std::string>& problems);

  private:
    std::vector<std::string> last_;
};

}  // namespace pluvetta
