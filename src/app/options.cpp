#include "app/options.h"

#include <algorithm>
#include <charconv>

namespace pluvetta {

namespace {

constexpr int kSilentMinutesLeast = 5;
constexpr int kSilentMinutesMost = 1440;

// A whole decimal number, digits only.
bool ReadNumber(std::string_view text, int least, int most, int& value) {
    int read = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), read);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || read < least ||
        read > most || text.front() == '-' || text.front() == '+') {
        return false;
    }
    value = read;
    return true;
}

bool ReadSwitch(std::string_view text, bool& value) {
    if (text != "false" && text != "true") return false;
    value = text == "true";
    return true;
}

// "host:port"; an IPv6 address goes in brackets, "[::1]:14580", since its own colons would
// hide the port's.
bool ReadEndpoint(std::string_view text, Endpoint& endpoint) {
    const auto colon = text.rfind(':');
    if (colon == std::string_view::npos) return false;
    std::string_view host = text.substr(0, colon);
    int port = 0;
    if (!ReadNumber(text.substr(colon + 1), 1, 65535, port)) return false;
    if (host.starts_with('[') && host.ends_with(']')) {
        host = host.substr(1, host.size() - 2);
    } else if (host.find_first_of("[]:") != std::string_view::npos) {
        return false;
    }
    if (host.empty() || host.find_first_of(" \t[]") != std::string_view::npos) return false;
    endpoint = {std::string(host), static_cast<std::uint16_t>(port)};
    return true;
}

bool ReadEndpoints(std::string_view text, std::vector<Endpoint>& endpoints) {
    std::vector<Endpoint> read;
    while (!text.empty()) {
        const auto comma = text.find(',');
        Endpoint endpoint;
        if (!ReadEndpoint(Trimmed(text.substr(0, comma)), endpoint)) return false;
        read.push_back(endpoint);
        text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
    }
    endpoints = std::move(read);
    return true;
}

// A call sign or a host name: one word of printable characters, none that the options file
// would read as a list, a quote or a comment. Empty keeps the default.
bool ReadWord(std::string_view text, std::string& value) {
    if (std::any_of(text.begin(), text.end(), [](char c) {
            return static_cast<unsigned char>(c) <= ' ' || c == ',' || c == '"' || c == ';';
        })) {
        return false;
    }
    value = text;
    return true;
}

// Empty keeps the default.
bool ReadPort(std::string_view text, std::uint16_t& port) {
    int value = 0;
    if (!text.empty() && !ReadNumber(text, 1, 65535, value)) return false;
    port = static_cast<std::uint16_t>(value);
    return true;
}

bool ReadSilentMinutes(std::string_view text, Options& options) {
    if (text == "auto") {
        options.silentMode = SilentMode::Auto;
    } else if (text == "0") {
        options.silentMode = SilentMode::Off;
    } else if (ReadNumber(text, kSilentMinutesLeast, kSilentMinutesMost, options.silentMinutes)) {
        options.silentMode = SilentMode::Fixed;
    } else {
        return false;
    }
    return true;
}

// A word of the file and what it stands for.
template <typename Value>
struct Word {
    std::string_view text;
    Value value;
};

// One of the words, written as listed; `value` is set only when the text is one of them.
template <typename Value, std::size_t Count, typename Target>
bool ReadWord(std::string_view text, const Word<Value> (&words)[Count], Target& value) {
    const auto word = std::find_if(std::begin(words), std::end(words),
                                   [text](const Word<Value>& w) { return w.text == text; });
    if (word == std::end(words)) return false;
    value = word->value;
    return true;
}

// Sets `value` when `unit` holds one.
template <typename Unit>
bool ReadUnit(std::optional<Unit> unit, std::optional<Unit>& value) {
    if (unit) value = unit;
    return unit.has_value();
}

constexpr Word<WindChillFormula> kWindChillFormulas[] = {{"1945", WindChillFormula::Y1945},
                                                         {"2001", WindChillFormula::Y2001}};

// One key of the file: where it is, what it accepts, and how it fills the record. A new
// section is a few more rows.
struct KeyRule {
    std::string_view key;
    // cppcheck-suppress unusedStructMember ; read through the table
    std::string_view accepted;
    // cppcheck-suppress unusedStructMember ; called through the table
    bool (*read)(std::string_view text, Options& options);
};

constexpr KeyRule kKeyRules[] = {
    {"server/reconnect", "false or true",
     [](std::string_view text, Options& o) { return ReadSwitch(text, o.serverReconnect); }},
    {"server/fallback", "host:port, host:port ... (an IPv6 address as [::1]:14580)",
     [](std::string_view text, Options& o) { return ReadEndpoints(text, o.serverFallback); }},
    {"server/enabled", "false or true",
     [](std::string_view text, Options& o) {
         return ReadSwitch(text, o.keptStation.ServerEnabled);
     }},
    {"server/host", "a host name or address, no blanks",
     [](std::string_view text, Options& o) { return ReadWord(text, o.keptStation.ServerHost); }},
    {"server/port", "1 to 65535",
     [](std::string_view text, Options& o) { return ReadPort(text, o.keptStation.ServerPort); }},
    {"agwpe/reconnect", "false or true",
     [](std::string_view text, Options& o) { return ReadSwitch(text, o.agwReconnect); }},
    {"agwpe/enabled", "false or true",
     [](std::string_view text, Options& o) { return ReadSwitch(text, o.keptStation.AgwEnabled); }},
    {"agwpe/host", "a host name or address, no blanks",
     [](std::string_view text, Options& o) { return ReadWord(text, o.keptStation.AgwHost); }},
    {"agwpe/port", "1 to 65535",
     [](std::string_view text, Options& o) { return ReadPort(text, o.keptStation.AgwPort); }},
    {"station/call", "a call sign, no blanks",
     [](std::string_view text, Options& o) { return ReadWord(text, o.keptStation.StationCall); }},
    {"alarms/silent_minutes", "0, auto, or minutes from 5 to 1440", ReadSilentMinutes},
    {"alarms/command", "a program and its arguments",
     [](std::string_view text, Options& o) {
         o.alarmCommand = text;
         return true;
     }},
    {"history/record", "false or true",
     [](std::string_view text, Options& o) { return ReadSwitch(text, o.historyRecord); }},
    {"history/file", "the path of a database file, or nothing for the standard place",
     [](std::string_view text, Options& o) {
         o.historyFile = text;
         return true;
     }},
    {"units/preset", "metric, us or uk",
     [](std::string_view text, Options& o) {
         o.unitsPreset = PresetUnits(text);
         return o.unitsPreset.has_value();
     }},
    {"units/temperature", "C or F",
     [](std::string_view text, Options& o) {
         return ReadUnit(TemperatureUnitNamed(text), o.temperatureUnit);
     }},
    {"units/wind", "kmh, ms, mph or kn",
     [](std::string_view text, Options& o) { return ReadUnit(WindUnitNamed(text), o.windUnit); }},
    {"units/pressure", "mb, hPa, inHg or mmHg",
     [](std::string_view text, Options& o) {
         return ReadUnit(PressureUnitNamed(text), o.pressureUnit);
     }},
    {"units/rain", "mm or in",
     [](std::string_view text, Options& o) { return ReadUnit(RainUnitNamed(text), o.rainUnit); }},
    {"formulas/wind_chill", "1945 or 2001",
     [](std::string_view text, Options& o) {
         return ReadWord(text, kWindChillFormulas, o.formulas.windChill);
     }},
    {"formulas/heat_index", "false or true",
     [](std::string_view text, Options& o) { return ReadSwitch(text, o.formulas.heatIndex); }},
};

// "[server] reconnect" for "server/reconnect".
std::string KeyName(std::string_view key) {
    const auto slash = key.find('/');
    if (slash == std::string_view::npos) return std::string(key);
    return "[" + std::string(key.substr(0, slash)) + "] " + std::string(key.substr(slash + 1));
}

}  // namespace

OptionsRead ReadOptions(const std::vector<OptionEntry>& entries, std::string_view fileName) {
    OptionsRead read;
    for (const OptionEntry& entry : entries) {
        // Named apart: clang 14 cannot capture a structured binding.
        const std::string& key = entry.first;
        const std::string& value = entry.second;
        const std::string where =
            std::string(fileName) + ": " + KeyName(key) + " = \"" + value + "\": ";
        const auto rule = std::find_if(std::begin(kKeyRules), std::end(kKeyRules),
                                       [&key](const KeyRule& r) { return r.key == key; });
        if (rule == std::end(kKeyRules)) {
            read.problems.push_back(where + "unknown key, left aside");
            continue;
        }
        // Each key is read into a copy, so that a bad value leaves no half-read trace.
        Options attempt = read.options;
        if (rule->read(Trimmed(value), attempt)) {
            read.options = std::move(attempt);
        } else {
            read.problems.push_back(where + "not accepted, the default stays; accepted: " +
                                    std::string(rule->accepted));
        }
    }
    return read;
}

Units ShownUnits(const Options& options) {
    return ChosenUnits(options.unitsPreset, options.temperatureUnit, options.windUnit,
                       options.pressureUnit, options.rainUnit);
}

std::vector<std::string> ProblemsOnce::Fresh(const std::vector<std::string>& problems) {
    std::vector<std::string> fresh;
    for (const std::string& problem : problems) {
        if (std::find(last_.begin(), last_.end(), problem) == last_.end()) {
            fresh.push_back(problem);
        }
    }
    last_ = problems;
    return fresh;
}

}  // namespace pluvetta
