#include "links/traffic_log.h"

namespace pluvetta {

void TrafficLog::AppendToLog(std::string_view entry) {
    // The cut comes first and looks only at the old text, so right after an append the log may
    // hold up to kTrimThreshold characters plus the new entry.
    if (text_.size() > kTrimThreshold) {
        text_.erase(0, text_.size() - kKeptTail);
    }
    text_.append(entry);
}

}  // namespace pluvetta
