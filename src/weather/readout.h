#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "weather/alarm_settings.h"
#include "weather/derived.h"
#include "weather/number_format.h"
#include "weather/units.h"
#include "weather/weather_reading.h"

namespace pluvetta {

// Font sizes of the rain label: a rain text of kLongRainText characters or more is set smaller.
inline constexpr int kRainFontPoints = 10;
inline constexpr int kLongRainFontPoints = 8;
inline constexpr std::size_t kLongRainText = 26;

inline constexpr int kMaxMinutesSinceReport = 99;

// A caption to write into a readout label, and whether the label is in alarm (red).
struct LabelText {
    std::string caption;
    bool inAlarm = false;
};

// Everything one report writes into the readout. A label that is nullopt keeps its caption,
// colour and trend arrow; the wind label turns blue on every report all the same.
struct Readout {
    std::optional<LabelText> wind;  // nullopt when the direction is not valid
    std::optional<LabelText> temp;
    std::optional<LabelText> hum;
    std::optional<LabelText> press;
    LabelText rain;  // written on every report, empty when nothing applies
    int rainFontPoints = kRainFontPoints;
    std::string comment;
    bool drawRose = false;  // the direction is valid, so the rose is redrawn
    DerivedValues derived;
    bool raiseForAlarm = false;  // a label is in alarm and FocusOnAlarm is set
    bool beepForAlarm = false;   // a label is in alarm and BeepOnAlarm is set
};

// The captions, alarm flags and alarm requests of one report, numbers in the user's format and
// units, derived values by the user's formulas. Captions are Latin-1. The alarms compare the
// kept values, whatever the units shown. Pure: trend arrows, the rose and the data
// notifications are the caller's.
Readout BuildReadout(const WeatherReading& reading, const AlarmSettings& alarms,
                     const NumberFormat& format, const Units& units = {},
                     const Formulas& formulas = {});

// The notification-area tooltip, made from the captions the labels hold after the report, so
// values kept from earlier reports appear in it.
std::string BuildTooltip(std::string_view stationCall, std::string_view wind, std::string_view temp,
                         std::string_view hum, std::string_view press, std::string_view rain);

// The minutes since the last report as two digits ("00", "07", "99").
std::string FormatElapsed(int minutes);

// The count after one more minute without a report; it stops at kMaxMinutesSinceReport.
int NextMinutesSinceReport(int minutes);

}  // namespace pluvetta
