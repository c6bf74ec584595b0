#pragma once

#include <optional>
#include <string_view>

namespace pluvetta {

// The units a user reads values in. Readings, derived values and alarm thresholds are always
// kept in km/h, degrees Celsius, mb and mm; these only change what is shown.
enum class TemperatureUnit { Celsius, Fahrenheit };
enum class WindUnit { Kmh, MetresPerSecond, Mph, Knots };
enum class PressureUnit { Mb, HPa, InHg, MmHg };
enum class RainUnit { Mm, Inches };

struct Units {
    TemperatureUnit temperature = TemperatureUnit::Celsius;
    WindUnit wind = WindUnit::Kmh;
    PressureUnit pressure = PressureUnit::Mb;
    RainUnit rain = RainUnit::Mm;

    bool operator==(const Units&) const = default;
};

// The ready-made choices: metric is what the program shows with no choice made.
inline constexpr Units kMetricUnits{};
inline constexpr Units kUsUnits{TemperatureUnit::Fahrenheit, WindUnit::Mph, PressureUnit::InHg,
                                RainUnit::Inches};
inline constexpr Units kUkUnits{TemperatureUnit::Celsius, WindUnit::Mph, PressureUnit::Mb,
                                RainUnit::Mm};

// The units of the preset named "metric", "us" or "uk"; nullopt for any other name.
std::optional<Units> PresetUnits(std::string_view name);

// Each unit by the word the options file names it with ("C", "F"; "kmh", "ms", "mph", "kn";
// "mb", "hPa", "inHg", "mmHg"; "mm", "in"), written exactly; nullopt for any other word.
std::optional<TemperatureUnit> TemperatureUnitNamed(std::string_view word);
std::optional<WindUnit> WindUnitNamed(std::string_view word);
std::optional<PressureUnit> PressureUnitNamed(std::string_view word);
std::optional<RainUnit> RainUnitNamed(std::string_view word);

// The units chosen: each quantity as named on its own, else as the preset, else metric.
Units ChosenUnits(std::optional<Units> preset, std::optional<TemperatureUnit> temperature,
                  std::optional<WindUnit> wind, std::optional<PressureUnit> pressure,
                  std::optional<RainUnit> rain);

enum class Quantity { Temperature, Wind, Pressure, Rain };

// How one quantity is shown: shown = kept * factor + offset, with `decimals` places and the
// unit's symbol in Latin-1 (the degree sign is the byte 0xB0).
struct UnitScale {
    double factor = 1;
    double offset = 0;
    int decimals = 0;
    std::string_view symbol;
};

UnitScale ScaleOf(const Units& units, Quantity quantity);

// A kept value (km/h, degrees Celsius, mb, mm) in the chosen unit, and back.
inline double ToShown(double kept, const UnitScale& scale) {
    return kept * scale.factor + scale.offset;
}
inline double ToKept(double shown, const UnitScale& scale) {
    return (shown - scale.offset) / scale.factor;
}

}  // namespace pluvetta
