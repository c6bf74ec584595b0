#include "weather/units.h"

#include <algorithm>
#include <cstddef>
#include <iterator>

namespace pluvetta {

namespace {

// Exact by definition: an international mile, nautical mile, inch and standard gravity.
constexpr double kKmhPerMph = 1.609344;
constexpr double kKmhPerKnot = 1.852;
constexpr double kKmhPerMetrePerSecond = 3.6;
constexpr double kMbPerInHg = 33.8638866667;
constexpr double kMbPerMmHg = 1.33322387415;
constexpr double kMmPerInch = 25.4;

template <typename Unit>
struct UnitWord {
    std::string_view word;
    Unit unit;
};

template <typename Unit, std::size_t Count>
std::optional<Unit> Named(std::string_view word, const UnitWord<Unit> (&words)[Count]) {
    const auto* found = std::find_if(std::begin(words), std::end(words),
                                     [word](const UnitWord<Unit>& w) { return w.word == word; });
    return found == std::end(words) ? std::nullopt : std::optional<Unit>(found->unit);
}

constexpr UnitWord<TemperatureUnit> kTemperatureWords[] = {{"C", TemperatureUnit::Celsius},
                                                           {"F", TemperatureUnit::Fahrenheit}};
constexpr UnitWord<WindUnit> kWindWords[] = {{"kmh", WindUnit::Kmh},
                                             {"ms", WindUnit::MetresPerSecond},
                                             {"mph", WindUnit::Mph},
                                             {"kn", WindUnit::Knots}};
constexpr UnitWord<PressureUnit> kPressureWords[] = {{"mb", PressureUnit::Mb},
                                                     {"hPa", PressureUnit::HPa},
                                                     {"inHg", PressureUnit::InHg},
                                                     {"mmHg", PressureUnit::MmHg}};
constexpr UnitWord<RainUnit> kRainWords[] = {{"mm", RainUnit::Mm}, {"in", RainUnit::Inches}};

}  // namespace

std::optional<TemperatureUnit> TemperatureUnitNamed(std::string_view word) {
    return Named(word, kTemperatureWords);
}
std::optional<WindUnit> WindUnitNamed(std::string_view word) { return Named(word, kWindWords); }
std::optional<PressureUnit> PressureUnitNamed(std::string_view word) {
    return Named(word, kPressureWords);
}
std::optional<RainUnit> RainUnitNamed(std::string_view word) { return Named(word, kRainWords); }

Units ChosenUnits(std::optional<Units> preset, std::optional<TemperatureUnit> temperature,
                  std::optional<WindUnit> wind, std::optional<PressureUnit> pressure,
                  std::optional<RainUnit> rain) {
    const Units base = preset.value_or(kMetricUnits);
    return {temperature.value_or(base.temperature), wind.value_or(base.wind),
            pressure.value_or(base.pressure), rain.value_or(base.rain)};
}

std::optional<Units> PresetUnits(std::string_view name) {
    if (name == "metric") return kMetricUnits;
    if (name == "us") return kUsUnits;
    if (name == "uk") return kUkUnits;
    return std::nullopt;
}

UnitScale ScaleOf(const Units& units, Quantity quantity) {
    switch (quantity) {
        case Quantity::Temperature:
            return units.temperature == TemperatureUnit::Fahrenheit
                       ? UnitScale{9.0 / 5.0, 32, 1, "\260F"}
                       : UnitScale{1, 0, 1, "\260C"};
        case Quantity::Wind:
            switch (units.wind) {
                case WindUnit::MetresPerSecond:
                    return {1 / kKmhPerMetrePerSecond, 0, 1, "m/s"};
                case WindUnit::Mph:
                    return {1 / kKmhPerMph, 0, 0, "mph"};
                case WindUnit::Knots:
                    return {1 / kKmhPerKnot, 0, 0, "kn"};
                case WindUnit::Kmh:
                    break;
            }
            return {1, 0, 0, "km/h"};
        case Quantity::Pressure:
            switch (units.pressure) {
                case PressureUnit::HPa:
                    return {1, 0, 1, "hPa"};
                case PressureUnit::InHg:
                    return {1 / kMbPerInHg, 0, 2, "inHg"};
                case PressureUnit::MmHg:
                    return {1 / kMbPerMmHg, 0, 0, "mmHg"};
                case PressureUnit::Mb:
                    break;
            }
            return {1, 0, 1, "mb"};
        case Quantity::Rain:
            return units.rain == RainUnit::Inches ? UnitScale{1 / kMmPerInch, 0, 2, "in"}
                                                  : UnitScale{1, 0, 0, "mm"};
    }
    return {};
}

}  // namespace pluvetta
