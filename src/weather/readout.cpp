#include "weather/readout.h"

#include <cstdlib>
#include <initializer_list>
#include <numeric>

#include "weather/alarms.h"

namespace pluvetta {
namespace {

// The readout's own words and units, in Latin-1. The octal escapes \260 (the degree sign) and
// \263 (superscript three) cannot swallow a following letter the way a hex escape would.
constexpr std::string_view kCalmCaption = "Calma di vento";
constexpr std::string_view kDirectionUnit = "\260  ";
constexpr std::string_view kGustSeparator = " / ";
constexpr std::string_view kSpeedUnit = " km/h";
constexpr std::string_view kTemperatureUnit = "\260C";
constexpr std::string_view kHumidityUnit = "%";
constexpr std::string_view kPressureUnit = " mb";
constexpr std::string_view kRainLastHourUnit = "mm/h ";
constexpr std::string_view kRain24HoursUnit = "mm/24h\r\n";
constexpr std::string_view kRainSinceMidnightUnit = "mm/Day";
constexpr std::string_view kWindChillLead = " Wch ";
constexpr std::string_view kDewPointLead = " Dp ";
constexpr std::string_view kDewPointUnit = "\260C  ";
constexpr std::string_view kAbsoluteHumidityUnit = "g/m\263";
constexpr std::string_view kEmptyComment = " ";
constexpr std::string_view kPressureChangeLead = "Variaz Press in 4h= ";
constexpr std::string_view kPressureChangeUnit = "mb ";
constexpr std::string_view kTooltipGap = " ";

// A whole number with leading zeros up to `width` digits; the minus stays in front of them.
std::string PadDigits(int value, std::size_t width) {
    std::string digits = std::to_string(std::abs(static_cast<long long>(value)));
    if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
    return value < 0 ? "-" + digits : digits;
}

std::string Join(std::initializer_list<std::string_view> parts) {
    std::string text;
    text.reserve(std::accumulate(
        parts.begin(), parts.end(), std::size_t{0},
        [](std::size_t size, std::string_view part) { return size + part.size(); }));
    for (const std::string_view part : parts) text += part;
    return text;
}

// A number in the user's format followed by its unit.
std::string Measure(double value, int decimals, std::string_view unit, const NumberFormat& format) {
    std::string text;
    AppendFixed(text, value, decimals, format);
    text += unit;
    return text;
}

std::string WindCaption(const WeatherReading& r, const NumberFormat& format) {
    std::string caption = PadDigits(r.WindDirection, 3);
    caption += kDirectionUnit;
    AppendFixed(caption, r.WindSpeed, 0, format);
    if (IsGustShown(r.WindGust)) {
        caption += kGustSeparator;
        AppendFixed(caption, r.WindGust, 0, format);
    }
    caption += kSpeedUnit;
    return caption;
}

std::string RainText(const WeatherReading& r, const DerivedValues& derived,
                     const NumberFormat& format) {
    std::string text;
    const auto add = [&](std::string_view lead, double value, int decimals, std::string_view unit) {
        text += lead;
        AppendFixed(text, value, decimals, format);
        text += unit;
    };
    if (IsRainShown(r.RainLastHour)) add({}, r.RainLastHour, 0, kRainLastHourUnit);
    if (IsRainShown(r.Rain24Hours)) add({}, r.Rain24Hours, 0, kRain24HoursUnit);
    if (IsRainShown(r.RainSinceMidnight)) add({}, r.RainSinceMidnight, 0, kRainSinceMidnightUnit);
    if (IsDerivedValueShown(derived.WindChill)) {
        add(kWindChillLead, derived.WindChill, 1, kTemperatureUnit);
    }
    if (IsDerivedValueShown(derived.AbsoluteHumidity)) {
        add(kDewPointLead, derived.DewPoint, 1, kDewPointUnit);
        add({}, derived.AbsoluteHumidity, 1, kAbsoluteHumidityUnit);
    }
    return text;
}

std::string CommentLine(const WeatherReading& r) {
    if (IsPressureChangeShown(r.PressureChange4h)) {
        return Join({kPressureChangeLead, std::to_string(r.PressureChange4h), kPressureChangeUnit,
                     r.Remainder});
    }
    return Join({kEmptyComment, r.Remainder});
}

}  // namespace

Readout BuildReadout(const WeatherReading& reading, const AlarmSettings& alarms,
                     const NumberFormat& format) {
    Readout out;
    out.derived = ComputeDerivedValues(reading);

    if (IsValidDirection(reading.WindDirection)) {
        out.drawRose = true;
        if (IsWindCalm(reading.WindSpeed, reading.WindGust)) {
            out.wind = LabelText{std::string(kCalmCaption), false};
        } else {
            out.wind = LabelText{WindCaption(reading, format),
                                 IsWindInAlarm(reading.WindSpeed, reading.WindGust, alarms)};
        }
    }
    if (IsTemperatureValid(reading.Temperature)) {
        out.temp = LabelText{Measure(reading.Temperature, 1, kTemperatureUnit, format),
                             IsTemperatureInAlarm(reading.Temperature, alarms)};
    }
    if (IsHumidityShown(reading.Humidity)) {
        out.hum = LabelText{Measure(reading.Humidity, 0, kHumidityUnit, format),
                            IsHumidityInAlarm(reading.Humidity, alarms)};
    }
    if (IsPressureShown(reading.Pressure)) {
        out.press = LabelText{Measure(reading.Pressure, 1, kPressureUnit, format),
                              IsPressureInAlarm(reading.Pressure, alarms)};
    }
    out.rain = LabelText{RainText(reading, out.derived, format),
                         IsRainInAlarm(reading.RainLastHour, reading.Rain24Hours, alarms)};
    // Byte count: the CR LF of the rain text counts as two characters.
    out.rainFontPoints =
        out.rain.caption.size() < kLongRainText ? kRainFontPoints : kLongRainFontPoints;
    out.comment = CommentLine(reading);

    const auto inAlarm = [](const std::optional<LabelText>& label) {
        return label && label->inAlarm;
    };
    const bool anyAlarm = inAlarm(out.wind) || inAlarm(out.temp) || inAlarm(out.hum) ||
                          inAlarm(out.press) || out.rain.inAlarm;
    out.raiseForAlarm = anyAlarm && alarms.FocusOnAlarm;
    out.beepForAlarm = anyAlarm && alarms.BeepOnAlarm;
    return out;
}

std::string BuildTooltip(std::string_view stationCall, std::string_view wind, std::string_view temp,
                         std::string_view hum, std::string_view press, std::string_view rain) {
    return Join({stationCall, kTooltipGap, wind, kTooltipGap, temp, kTooltipGap, hum, kTooltipGap,
                 press, kTooltipGap, rain});
}

std::string FormatElapsed(int minutes) { return PadDigits(minutes, 2); }

int NextMinutesSinceReport(int minutes) {
    return minutes < kMaxMinutesSinceReport ? minutes + 1 : kMaxMinutesSinceReport;
}

}  // namespace pluvetta
