#include "links/traffic_log.h"

namespace pluvetta {

namespace {

constexpr std::string_view kCrLf = "\r\n";

}  // namespace

void TrafficLog::AppendToLog(std::string_view entry) {
    // The cut comes first and looks only at the old text, so right after an append the log may
    // hold up to kTrimThreshold characters plus the new entry.
    if (text_.size() > kTrimThreshold) {
        text_.erase(0, text_.size() - kKeptTail);
    }
    text_.append(entry);
}

std::string LogEntry(std::string_view header, std::string_view information,
                     std::optional<std::string_view> timeOfDay) {
    std::string entry;
    if (timeOfDay) {
        entry += '[';
        entry += *timeOfDay;
        entry += "] ";
    }
    entry += header;
    entry += kCrLf;
    entry += information;
    entry += kCrLf;
    return entry;
}

}  // namespace pluvetta
