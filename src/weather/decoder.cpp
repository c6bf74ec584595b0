#include "weather/decoder.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <utility>

#include "weather/number_text.h"

namespace pluvetta {
namespace {

constexpr double kKmhPerMph = 1.609347;
constexpr double kCelsiusPerFahrenheit = 0.5555555555555556;
constexpr std::int16_t kFahrenheitAtFreezing = 32;
// Below this, taking 32 away would leave the 16-bit range.
constexpr std::int16_t kLowestFahrenheit = INT16_MIN + kFahrenheitAtFreezing;
constexpr double kMmPerHundredthInch = 0.254003;
constexpr double kTenthsPerMb = 10.0;

constexpr char kWeatherSymbol = '_';
// A positionless report carries an eight-character timestamp, then 'c' and the direction.
constexpr std::size_t kPositionlessMarkIndex = 8;
constexpr char kPositionlessMark = 'c';
constexpr std::size_t kDirectionWidth = 3;
constexpr std::size_t kSpeedOffset = 4;
constexpr std::size_t kSpeedWidth = 3;
// Direction, separator and speed.
constexpr std::size_t kWindWidth = 7;

constexpr char kBlank = ' ';
// APRS writes a value the station does not have as full stops.
constexpr char kFiller = '.';

// A tagged field grows past its nominal width while the longer text still reads as a number.
// Text that ends in a blank cannot take a digit after it; otherwise it ends in a digit or a
// point, so only more digits, or a first point, can follow. A further blank would also keep it
// a number, but real reports put one before their comment, and taking it would glue the
// comment onto the next value read.
std::size_t GrowFieldWidth(std::string_view working, std::size_t start, std::size_t width) {
    if (working[start + width - 1] == kBlank) return width;
    bool sawPoint = working.substr(start, width).find('.') != std::string_view::npos;
    std::size_t end = start + width;
    while (end < working.size()) {
        const char c = working[end];
        if (c == '.' && !sawPoint) {
            sawPoint = true;
        } else if (c < '0' || c > '9') {
            break;
        }
        ++end;
    }
    return end - start;
}

// Most fields are their nominal width of digits with neither a digit nor a point after them:
// the number is then those digits, read in one pass. Anything else is left to the full rules.
constexpr std::size_t kMostPlainDigits = 4;
std::optional<std::int16_t> PlainDigits(std::string_view working, std::size_t start,
                                        std::size_t width) {
    if (width > kMostPlainDigits || start + width > working.size()) return std::nullopt;
    std::int16_t value = 0;
    for (std::size_t at = start; at < start + width; ++at) {
        const char c = working[at];
        if (c < '0' || c > '9') return std::nullopt;
        value = static_cast<std::int16_t>(value * 10 + (c - '0'));
    }
    const std::string_view after = working.substr(start + width, 1);
    if (after == "." || (!after.empty() && after[0] >= '0' && after[0] <= '9')) return std::nullopt;
    return value;
}

bool IsFiller(std::string_view text, std::size_t width) {
    return text.size() == width &&
           std::all_of(text.begin(), text.end(), [](char c) { return c == kFiller; });
}

// The pressure change is only trusted with its sign: "v+" or "v-" somewhere in the text.
bool HasSignedChange(std::string_view working) {
    for (std::size_t at = working.find('v'); at != std::string_view::npos;
         at = working.find('v', at + 1)) {
        if (at + 1 < working.size() && (working[at + 1] == '+' || working[at + 1] == '-')) {
            return true;
        }
    }
    return false;
}

float MphToKmh(std::int16_t mph) { return static_cast<float>(mph * kKmhPerMph); }

float HundredthsInchToMm(std::int16_t hundredths) {
    return static_cast<float>(hundredths * kMmPerHundredthInch);
}

float FahrenheitToCelsius(std::int16_t fahrenheit) {
    if (fahrenheit < kLowestFahrenheit) fahrenheit = kNoField;
    const auto shifted = static_cast<std::int16_t>(fahrenheit - kFahrenheitAtFreezing);
    return static_cast<float>(shifted * kCelsiusPerFahrenheit);
}

// Stations without a barometer send zeros; others drop the leading 10 or 9 of the value in mb.
float TenthsMbToPressure(std::int16_t tenths) {
    if (tenths == 0) tenths = kNoField;
    double mb = tenths / kTenthsPerMb;
    if (mb >= 0.0 && mb < 60.0) mb += 1000.0;
    if (mb >= 60.0 && mb < 100.0) mb += 900.0;
    return static_cast<float>(mb);
}

}  // namespace

std::int16_t TakeWeatherField(std::string& working, char tag, int nominalWidth) {
    if (nominalWidth < 1) return kNoField;
    const std::size_t tagAt = working.find(tag);
    if (tagAt == std::string::npos) return kNoField;
    const std::size_t start = tagAt + 1;
    const auto width = static_cast<std::size_t>(nominalWidth);
    const std::string_view view(working);
    if (const std::optional<std::int16_t> value = PlainDigits(view, start, width)) {
        working.erase(tagAt, 1 + width);
        return *value;
    }
    const std::string_view nominal = view.substr(start, width);

    if (ReadsAsNumber(nominal)) {
        const std::size_t grown = GrowFieldWidth(view, start, nominal.size());
        const std::int16_t value = LeadingNumberRounded(view.substr(start, grown));
        working.erase(tagAt, 1 + grown);
        return value;
    }
    if (IsFiller(nominal, width)) working.erase(tagAt, 1 + width);
    return kNoField;
}

WeatherReading DecodeWeatherReport(std::string_view info) {
    std::string_view weather = info;
    const std::size_t symbolAt = weather.find(kWeatherSymbol);
    if (symbolAt != std::string_view::npos) weather.remove_prefix(symbolAt + 1);
    if (weather.size() > kPositionlessMarkIndex &&
        weather[kPositionlessMarkIndex] == kPositionlessMark) {
        weather.remove_prefix(kPositionlessMarkIndex + 1);
    }

    WeatherReading reading;
    const std::string_view direction = weather.substr(0, kDirectionWidth);
    reading.WindDirection = ReadsAsNumber(direction) ? LeadingNumberRounded(direction) : kAbsent;
    // The speed is read even without a direction: ".../..." gives a plain 0.
    const std::string_view speed =
        weather.substr(std::min(kSpeedOffset, weather.size()), kSpeedWidth);
    reading.WindSpeed = static_cast<float>(LeadingNumber(speed) * kKmhPerMph);

    std::string working(weather);
    reading.WindGust = MphToKmh(TakeWeatherField(working, 'g', 3));
    reading.Temperature = FahrenheitToCelsius(TakeWeatherField(working, 't', 3));
    reading.RainLastHour = HundredthsInchToMm(TakeWeatherField(working, 'r', 3));
    reading.RainSinceMidnight = HundredthsInchToMm(TakeWeatherField(working, 'P', 3));
    reading.Rain24Hours = HundredthsInchToMm(TakeWeatherField(working, 'p', 3));
    reading.Pressure = TenthsMbToPressure(TakeWeatherField(working, 'b', 4));
    const std::int16_t humidity = TakeWeatherField(working, 'h', 2);
    // Two digits cannot say 100 %, so stations send 00 for it.
    reading.Humidity = humidity == 0 ? std::int16_t{100} : humidity;
    if (HasSignedChange(working)) {
        reading.PressureChange4h = TakeWeatherField(working, 'v', 3);
    }

    if (IsValidDirection(reading.WindDirection)) working.erase(0, kWindWidth);
    reading.Remainder = std::move(working);
    return reading;
}

}  // namespace pluvetta
