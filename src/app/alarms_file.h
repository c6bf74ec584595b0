#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "weather/alarm_settings.h"

namespace pluvetta {

// The four CR LF-ended lines of the alarms file, independent of the process locale.
std::string FormatAlarmsFile(const AlarmSettings& settings);

// Reads the fourteen fields, after a UTF-8 byte-order mark if the text starts with one; the
// flag words in any case. nullopt when a field is missing or malformed.
std::optional<AlarmSettings> ParseAlarmsFile(std::string_view text);

// Writes the file through a temporary file in the same folder, flushed to the disk and renamed
// over the old one, so a failed save or a power cut leaves the old file as it was. A symbolic link
// is followed and its target replaced; an existing file's permissions are kept. Returns false when
// it could not be written.
bool SaveAlarmSettings(const AlarmSettings& settings, const std::filesystem::path& path);

struct AlarmsLoad {
    AlarmSettings settings;
    // The file was missing or damaged and writing the defaults failed, or a damaged file could
    // not be kept and was left as it was.
    bool saveFailed = false;
    bool unreadable = false;  // the file exists but could not be read; it was left alone
};

// Reads the file; when it is missing or damaged, the defaults are used and written back, a
// damaged file first kept beside it with ".damaged" added to its name (the newest only). When
// it exists but cannot be read (not a regular file, no permission, an I/O error), the
// defaults are used and the file is left as it is.
AlarmsLoad LoadAlarmSettings(const std::filesystem::path& path);

}  // namespace pluvetta
