#include "weather/derived.h"

#include <cmath>
#include <limits>
#include <optional>

namespace pluvetta {
namespace {

// Every result is kept as a 32-bit float. One that is not finite there (a zero denominator, an
// overflowing power) is dropped like any other undefined formula.
std::optional<float> ToFloat(double value) {
    if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max()) {
        return std::nullopt;
    }
    return static_cast<float>(value);
}

std::optional<float> WindChill(float speed, float temperature) {
    if (!(speed >= 0.0f)) return std::nullopt;
    const double v = speed;
    const double t = temperature;
    const auto chill = ToFloat((std::sqrt(v) * 5.27 + 10.45 - v * 0.28) * 0.045 * (t - 33) + 33);
    // Wind never warms: a chill above the air temperature is not shown, one equal to it is.
    if (!chill || *chill > temperature) return std::nullopt;
    return chill;
}

std::optional<float> DewPoint(float temperature, std::int16_t humidity) {
    const double t = temperature;
    if (t + 243.5 == 0) return std::nullopt;
    const double a = 17.67 * t / (t + 243.5);
    const double logArgument = std::exp(a) * (humidity / 100.0);
    if (!(logArgument > 0)) return std::nullopt;
    // The logarithm goes through a 32-bit float before the last step; the dew point depends on
    // that rounding in its last digits.
    const auto l = ToFloat(std::log(logArgument));
    if (!l || 17.67 - *l == 0) return std::nullopt;
    return ToFloat(*l * 243.15 / (17.67 - *l));
}

std::optional<float> AbsoluteHumidity(float temperature, float dewPoint) {
    const double t = temperature;
    const double dp = dewPoint;
    if (dp + 243.5 == 0 || t + 273.15 == 0) return std::nullopt;
    return ToFloat(std::exp(17.67 * dp / (dp + 243.5)) * 1324.3483348 / (t + 273.15));
}

}  // namespace

DerivedValues ComputeDerivedValues(const WeatherReading& reading) {
    DerivedValues values;
    if (!IsTemperatureValid(reading.Temperature)) return values;

    if (IsGustForWindChill(reading.WindGust)) {
        if (const auto chill = WindChill(reading.WindSpeed, reading.Temperature)) {
            values.WindChill = *chill;
        }
    }
    if (IsHumidityUsable(reading.Humidity)) {
        if (const auto dewPoint = DewPoint(reading.Temperature, reading.Humidity)) {
            values.DewPoint = *dewPoint;
            if (const auto absolute = AbsoluteHumidity(reading.Temperature, *dewPoint)) {
                values.AbsoluteHumidity = *absolute;
            }
        }
    }
    return values;
}

}  // namespace pluvetta
