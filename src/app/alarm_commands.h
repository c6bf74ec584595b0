#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/alarm_ports.h"
#include "app/steady_time.h"

namespace pluvetta {

// What the user's alarm command is run for; the names are those of PLUVETTA_EVENT.
enum class AlarmEvent { Alarm, Silent, LinkLost, LinkBack };
inline constexpr std::size_t kAlarmEventCount = 4;

// A run still going after this long is killed.
inline constexpr std::chrono::seconds kCommandTimeLimit{30};
// The least time between two starts for the same event.
inline constexpr std::chrono::minutes kCommandInterval{1};

// Runs the options' alarm command for each event, without ever holding up the window: at most
// one run per event at a time and one start per event a minute; an event that falls inside
// either is dropped, not queued. Without a runner or a command it runs nothing.
class AlarmCommands {
  public:
    void SetRunner(CommandRunner& runner) { runner_ = &runner; }
    // The command as the options file writes it. A command that cannot be split into words
    // is told once on standard error and runs nothing; giving the same text again tells nothing.
    void SetCommand(std::string_view command);
    // The event happening `now`. `station` and `text` are Latin-1, as the window shows them;
    // `labels` names the readout labels in alarm (for AlarmEvent::Alarm) and is left out of the
    // environment when empty.
    void Raise(AlarmEvent event, SteadyTime now, std::string_view station, std::string_view text,
               std::string_view labels = {});

  private:
    struct Slot {
        bool running = false;
        std::optional<SteadyTime> lastStart;
    };

    CommandRunner* runner_ = nullptr;
    std::string command_;
    std::vector<std::string> words_;
    std::array<Slot, kAlarmEventCount> events_;
    bool startFailureTold_ = false;
};

// `text` (one byte a character) in UTF-8.
std::string Latin1ToUtf8(std::string_view text);

}  // namespace pluvetta
