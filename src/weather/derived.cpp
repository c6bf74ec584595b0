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

std::optional<float> WindChill(float speed, float temperature, WindChillFormula formula) {
    if (!(speed >= 0.0f)) return std::nullopt;
    const double v = speed;
    const double t = temperature;
    std::optional<float> chill;
    if (formula == WindChillFormula::Y1945) {
        chill = ToFloat((std::sqrt(v) * 5.27 + 10.45 - v * 0.28) * 0.045 * (t - 33) + 33);
    } else {
        // The 2001 formula was fitted for cold air and a wind above walking pace only.
        if (!(temperature <= 10.0f) || !(speed > 4.8f)) return std::nullopt;
        const double p = std::pow(v, 0.16);
        chill = ToFloat(13.12 + 0.6215 * t - 11.37 * p + 0.3965 * t * p);
    }
    // Wind never warms: a chill above the air temperature is not shown, one equal to it is.
    if (!chill || *chill > temperature) return std::nullopt;
    return chill;
}

std::optional<float> HeatIndex(float temperature, std::int16_t humidity) {
    if (!(temperature >= 26.7f) || !IsHumidityShown(humidity)) return std::nullopt;
    const auto celsius =
        ToFloat((HeatIndexFahrenheit(temperature * 9.0 / 5.0 + 32, humidity) - 32) * 5.0 / 9.0);
    // Only a sultry feel is worth telling: an index at or below the air temperature is not.
    if (!celsius || !(*celsius > temperature)) return std::nullopt;
    return celsius;
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

// The US weather service's way: a simple estimate first, and from 80 degrees up the full
// regression with its corrections for very dry and very humid air.
double HeatIndexFahrenheit(double t, double rh) {
    double index = 0.5 * (t + 61.0 + (t - 68.0) * 1.2 + rh * 0.094);
    if (index >= 80) {
        index = -42.379 + 2.04901523 * t + 10.14333127 * rh - 0.22475541 * t * rh -
                0.00683783 * t * t - 0.05481717 * rh * rh + 0.00122874 * t * t * rh +
                0.00085282 * t * rh * rh - 0.00000199 * t * t * rh * rh;
        if (rh < 13 && t >= 80 && t <= 112) {
            index -= (13 - rh) / 4 * std::sqrt((17 - std::fabs(t - 95)) / 17);
        } else if (rh > 85 && t >= 80 && t <= 87) {
            index += (rh - 85) / 10 * ((87 - t) / 5);
        }
    }
    return index;
}

DerivedValues ComputeDerivedValues(const WeatherReading& reading, const Formulas& formulas) {
    DerivedValues values;
    if (!IsTemperatureValid(reading.Temperature)) return values;

    if (IsGustForWindChill(reading.WindGust)) {
        if (const auto chill =
                WindChill(reading.WindSpeed, reading.Temperature, formulas.windChill)) {
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
    if (formulas.heatIndex) {
        if (const auto index = HeatIndex(reading.Temperature, reading.Humidity)) {
            values.HeatIndex = *index;
        }
    }
    return values;
}

}  // namespace pluvetta
