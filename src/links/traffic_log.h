#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace pluvetta {

// The running history of the watched station's packets, as the history pane shows it. Lives in
// memory only and trims itself so that it never grows without bound.
class TrafficLog {
  public:
    // A log longer than this is cut before the next append...
    static constexpr std::size_t kTrimThreshold = 9999;
    // ...down to this many of its last characters, whatever line that starts in.
    static constexpr std::size_t kKeptTail = 9800;

    // Cuts the log when it is due, then appends `entry` (which carries its own CR LF ends) at
    // the very end. An empty entry only performs a cut that was due.
    void AppendToLog(std::string_view entry);

    // The whole log, CR LF line ends, Latin-1.
    const std::string& Text() const { return text_; }

    // Empties the log, as on a change of link settings.
    void Clear() { text_.clear(); }

  private:
    std::string text_;
};

// The traffic log entry of one packet: its header row and its information row, each ended by
// CR LF, behind "[" + time + "] " when a time of day is given.
std::string LogEntry(std::string_view header, std::string_view information,
                     std::optional<std::string_view> timeOfDay = std::nullopt);

}  // namespace pluvetta
