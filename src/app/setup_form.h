#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/station_settings.h"
#include "weather/alarm_settings.h"
#include "weather/number_format.h"
#include "weather/units.h"

namespace pluvetta {

// The setup dialog's caption, which also titles its message boxes.
inline constexpr const char* kSetupCaption = "Setup Parametri Pluvetta";

// The boxes of the setup dialog that must hold a number, from the top of the dialog down:
// the ten thresholds, then the two ports.
enum class SetupField {
    HiWind,
    HiGust,
    LoTemp,
    HiTemp,
    LoHum,
    HiHum,
    LoBaro,
    HiBaro,
    HiRainHour,
    HiRain24,
    AgwPort,
    ServerPort,
};
inline constexpr std::size_t kSetupFieldCount = 12;
// The threshold rows of the dialog: wind, temperature, humidity, pressure, rain.
inline constexpr std::size_t kThresholdRowCount = 5;

// What the setup dialog shows, and what the user leaves in it: the boxes' texts as typed,
// Latin-1, and the check boxes as flags.
struct SetupForm {
    std::string call;
    std::string agwHost;
    std::string serverHost;
    // By SetupField.
    std::array<std::string, kSetupFieldCount> numbers;
    bool agwEnabled = false;
    bool serverEnabled = false;
    bool focusOnData = false;
    bool beepOnData = false;
    bool focusOnAlarm = false;
    bool beepOnAlarm = false;
    bool saveAlarms = false;
    // The units the thresholds are written in, and the unit label between the two boxes of
    // each threshold row, by row.
    Units units;
    std::array<std::string, kThresholdRowCount> unitLabels;

    std::string& Number(SetupField field) { return numbers[static_cast<std::size_t>(field)]; }
    const std::string& Number(SetupField field) const {
        return numbers[static_cast<std::size_t>(field)];
    }
};

// The form for the settings as they stand: thresholds in the user's units and format with one
// decimal (two in inHg and inches), humidities and ports as plain whole numbers.
SetupForm FillSetupForm(const StationSettings& station, const AlarmSettings& alarms,
                        const NumberFormat& format, const Units& units = {});

// A number as the user writes it: blanks around it, then an optional sign, digits (in groups
// of three between group separators, or ungrouped), an optional decimal separator and
// fraction. nullopt for anything else, and for values a float cannot hold.
std::optional<float> ReadUserNumber(std::string_view text, const NumberFormat& format);

// A port box: blanks anywhere are dropped, then the text is read as a command-line port.
std::uint16_t ReadPortBox(std::string_view text);

// The numbers of a form whose boxes all passed, or the first box, from the top, that did not.
struct SetupNumbers {
    std::optional<SetupField> refused;
    // The settings given with their thresholds replaced by the form's.
    AlarmSettings alarms;
    std::uint16_t agwPort = 0;
    std::uint16_t serverPort = 0;
};

// Checks every number box: thresholds must be numbers, humidities 0 to 100 once rounded half
// to even, the port of each enabled link 1 to 65535. A disabled link's port is not read.
// Thresholds are read in the form's units; a box still holding the text it was filled with
// keeps the value of `alarms` exactly, so that a confirm without changes changes nothing.
SetupNumbers ReadSetupNumbers(const SetupForm& form, const AlarmSettings& alarms,
                              const NumberFormat& format);

// The message that refuses `field`, naming it as the dialog labels it.
std::string SetupRefusalText(SetupField field);

}  // namespace pluvetta
