#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace pluvetta {

// Alarm thresholds (in the readout's units) and notification flags. Kept in memory from start
// to exit; written to the alarms file only at exit and when reading it fails.
struct AlarmSettings {
    bool BeepOnData = false;
    bool FocusOnData = true;
    bool BeepOnAlarm = true;
    bool FocusOnAlarm = true;
    float LoTemp = -5.0f;
    float HiTemp = 40.0f;
    std::int16_t LoHum = 20;
    std::int16_t HiHum = 96;
    float LoBaro = 900.0f;
    float HiBaro = 1040.0f;
    float HiRainHour = 40.0f;
    float HiRain24 = 250.0f;
    float HiWind = 50.0f;
    float HiGust = 80.0f;

    friend bool operator==(const AlarmSettings&, const AlarmSettings&) = default;
};

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
