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
constexpr std::string_view kUnitGap = " ";
constexpr std::string_view kHumidityUnit = "%";
// Each rain total's unit is the rain unit followed by these.
constexpr std::string_view kRainLastHourTail = "/h ";
constexpr std::string_view kRain24HoursTail = "/24h\r\n";
constexpr std::string_view kRainSinceMidnightTail = "/Day";
constexpr std::string_view kWindChillLead = " Wch ";
constexpr std::string_view kHeatIndexLead = " Hi ";
constexpr std::string_view kDewPointLead = " Dp ";
constexpr std::string_view kDewPointTail = "  ";
constexpr std::string_view kAbsoluteHumidityUnit = "g/m\263";
constexpr std::string_view kEmptyComment = " ";
constexpr std::string_view kPressureChangeLead = "Variaz Press in 4h= ";
constexpr std::string_view kPressureChangeTail = " ";
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

// A kept value in the user's unit and number format, then `tail`.
void AppendMeasure(std::string& text, double kept, const UnitScale& scale, std::string_view tail,
                   const NumberFormat& format) {
    AppendFixed(text, ToShown(kept, scale), scale.decimals, format);
    text += tail;
}

std::string Measure(double kept, const UnitScale& scale, std::string_view gap,
                    const NumberFormat& format) {
    std::string text;
    AppendMeasure(text, kept, scale, gap, format);
    text += scale.symbol;
    return text;
}

std::string WindCaption(const WeatherReading& r, const UnitScale& speed,
                        const NumberFormat& format) {
    std::string caption = PadDigits(r.WindDirection, 3);
    caption += kDirectionUnit;
    AppendMeasure(caption, r.WindSpeed, speed, {}, format);
    if (IsGustShown(r.WindGust)) {
        caption += kGustSeparator;
        AppendMeasure(caption, r.WindGust, speed, {}, format);
    }
    return Join({caption, kUnitGap, speed.symbol});
}

std::string RainText(const WeatherReading& r, const DerivedValues& derived, const Units& units,
                     const NumberFormat& format) {
    const UnitScale rain = ScaleOf(units, Quantity::Rain);
    const UnitScale temperature = ScaleOf(units, Quantity::Temperature);
    std::string text;
    const auto add = [&](std::string_view lead, double kept, const UnitScale& scale,
                         std::string_view tail) {
        text += lead;
        AppendMeasure(text, kept, scale, scale.symbol, format);
        text += tail;
    };
    if (IsRainShown(r.RainLastHour)) add({}, r.RainLastHour, rain, kRainLastHourTail);
    if (IsRainShown(r.Rain24Hours)) add({}, r.Rain24Hours, rain, kRain24HoursTail);
    if (IsRainShown(r.RainSinceMidnight))
        add({}, r.RainSinceMidnight, rain, kRainSinceMidnightTail);
    // The heat index takes the wind chill's place: with the 1945 formula both can be computed
    // on a warm windy day, and the heat index is then what the air feels like.
    if (IsDerivedValueShown(derived.HeatIndex)) {
        add(kHeatIndexLead, derived.HeatIndex, temperature, {});
    } else if (IsDerivedValueShown(derived.WindChill)) {
        add(kWindChillLead, derived.WindChill, temperature, {});
    }
    if (IsDerivedValueShown(derived.AbsoluteHumidity)) {
        add(kDewPointLead, derived.DewPoint, temperature, kDewPointTail);
        AppendFixed(text, derived.AbsoluteHumidity, 1, format);
        text += kAbsoluteHumidityUnit;
    }
    return text;
}

std::string CommentLine(const WeatherReading& r, const UnitScale& pressure,
                        const NumberFormat& format) {
    if (!IsPressureChangeShown(r.PressureChange4h)) return Join({kEmptyComment, r.Remainder});
    // In mb or hPa the change stays the whole number the station sent, without grouping.
    const std::string change =
        pressure.factor == 1
            ? std::to_string(r.PressureChange4h)
            : FormatFixed(r.PressureChange4h * pressure.factor, pressure.decimals, format);
    return Join({kPressureChangeLead, change, pressure.symbol, kPressureChangeTail, r.Remainder});
}

}  // namespace

Readout BuildReadout(const WeatherReading& reading, const AlarmSettings& alarms,
                     const NumberFormat& format, const Units& units, const Formulas& formulas) {
    Readout out;
    out.derived = ComputeDerivedValues(reading, formulas);
    const UnitScale temperature = ScaleOf(units, Quantity::Temperature);
    const UnitScale pressure = ScaleOf(units, Quantity::Pressure);

    if (IsValidDirection(reading.WindDirection)) {
        out.drawRose = true;
        if (IsWindCalm(reading.WindSpeed, reading.WindGust)) {
            out.wind = LabelText{std::string(kCalmCaption), false};
        } else {
            out.wind = LabelText{WindCaption(reading, ScaleOf(units, Quantity::Wind), format),
                                 IsWindInAlarm(reading.WindSpeed, reading.WindGust, alarms)};
        }
    }
    if (IsTemperatureValid(reading.Temperature)) {
        out.temp = LabelText{Measure(reading.Temperature, temperature, {}, format),
                             IsTemperatureInAlarm(reading.Temperature, alarms)};
    }
    if (IsHumidityShown(reading.Humidity)) {
        out.hum = LabelText{FormatFixed(reading.Humidity, 0, format) + std::string(kHumidityUnit),
                            IsHumidityInAlarm(reading.Humidity, alarms)};
    }
    if (IsPressureShown(reading.Pressure)) {
        out.press = LabelText{Measure(reading.Pressure, pressure, kUnitGap, format),
                              IsPressureInAlarm(reading.Pressure, alarms)};
    }
    out.rain = LabelText{RainText(reading, out.derived, units, format),
                         IsRainInAlarm(reading.RainLastHour, reading.Rain24Hours, alarms)};
    // Byte count: the CR LF of the rain text counts as two characters.
    out.rainFontPoints =
        out.rain.caption.size() < kLongRainText ? kRainFontPoints : kLongRainFontPoints;
    out.comment = CommentLine(reading, pressure, format);

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
