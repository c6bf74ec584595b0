#include "app/kept_station.h"

#include <algorithm>
#include <array>
#include <vector>

#include "app/options_text.h"

namespace pluvetta {

namespace {

struct KeptKey {
    std::string_view section;
    std::string_view key;
    std::string value;
    bool written = false;
};

std::string Switch(bool on) { return on ? "true" : "false"; }

// The keys of `section` not yet written, as lines, marked written.
void AddMissing(std::vector<std::string>& lines, std::array<KeptKey, 7>& keys,
                std::string_view section) {
    // After the section's last line that is not blank.
    auto at = lines.end();
    while (at != lines.begin() && Trimmed(*(at - 1)).empty()) --at;
    for (KeptKey& k : keys) {
        if (k.section != section || k.written) continue;
        at = lines.insert(at, std::string(k.key) + "=" + k.value) + 1;
        k.written = true;
    }
}

}  // namespace

bool TakeKeptStation(const StationSettings& kept, StationSettings& settings) {
    if (kept.StationCall.empty() || !(kept.AgwEnabled || kept.ServerEnabled)) return false;
    settings.StationCall = kept.StationCall;
    settings.AgwEnabled = kept.AgwEnabled;
    settings.ServerEnabled = kept.ServerEnabled;
    if (!kept.AgwHost.empty()) settings.AgwHost = kept.AgwHost;
    if (kept.AgwPort != 0) settings.AgwPort = kept.AgwPort;
    if (!kept.ServerHost.empty()) settings.ServerHost = kept.ServerHost;
    if (kept.ServerPort != 0) settings.ServerPort = kept.ServerPort;
    return true;
}

std::string WithKeptStation(std::string_view text, const StationSettings& station) {
    // The mark stays where it is, and the line it starts is read without it.
    if (text.starts_with(kByteOrderMark)) {
        return std::string(kByteOrderMark) +
               WithKeptStation(text.substr(kByteOrderMark.size()), station);
    }
    std::array<KeptKey, 7> keys = {{
        {"station", "call", station.StationCall},
        {"agwpe", "enabled", Switch(station.AgwEnabled)},
        {"agwpe", "host", station.AgwHost},
        {"agwpe", "port", std::to_string(station.AgwPort)},
        {"server", "enabled", Switch(station.ServerEnabled)},
        {"server", "host", station.ServerHost},
        {"server", "port", std::to_string(station.ServerPort)},
    }};
    std::vector<std::string> lines;
    std::string_view section;
    while (!text.empty()) {
        const std::string_view line = TakeLine(text);
        std::string_view name;
        if (SectionName(line, name)) {
            AddMissing(lines, keys, section);
            section = name;
            lines.emplace_back(line);
            continue;
        }
        const std::string_view key = LineKey(line);
        const auto kept = std::find_if(keys.begin(), keys.end(), [&](const KeptKey& k) {
            return k.section == section && k.key == key;
        });
        if (key.empty() || kept == keys.end()) {
            lines.emplace_back(line);
            continue;
        }
        // A CR LF file keeps its line ends.
        lines.push_back(std::string(kept->key) + "=" + kept->value +
                        (line.ends_with('\r') ? "\r" : ""));
        kept->written = true;
    }
    AddMissing(lines, keys, section);
    for (std::string_view name : {"station", "agwpe", "server"}) {
        if (std::none_of(keys.begin(), keys.end(),
                         [&](const KeptKey& k) { return k.section == name && !k.written; })) {
            continue;
        }
        if (!lines.empty() && !Trimmed(lines.back()).empty()) lines.emplace_back();
        lines.push_back("[" + std::string(name) + "]");
        AddMissing(lines, keys, name);
    }
    std::string result;
    for (const std::string& line : lines) result += line + "\n";
    return result;
}

}  // namespace pluvetta
