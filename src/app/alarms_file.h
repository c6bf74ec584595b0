#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "weather/alarm_settings.h"

namespace pluvetta {

// The four CR LF-ended lines of the alarms file, independent of the process locale.
std::string FormatAlarmsFile(const AlarmSettings& settings);

// Reads the fourteen fields; nullopt when a field is missing or malformed.
std::optional<AlarmSettings> ParseAlarmsFile(std::string_view text);

// Writes the file through a temporary file in the same folder renamed over the old one, so a
// failed save leaves the old file as it was. Returns false when the file could not be written.
bool SaveAlarmSettings(const AlarmSettings& settings, const std::filesystem::path& path);

struct AlarmsLoad {
    AlarmSettings settings;
    bool saveFailed = false;  // the file was unreadable and writing the defaults failed too
};

// Reads the file; when it is missing or bad, the defaults are used and written back.
AlarmsLoad LoadAlarmSettings(const std::filesystem::path& path);

}  // namespace pluvetta
