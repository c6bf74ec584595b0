#include "weather/units.h"

namespace pluvetta {

namespace {

// Exact by definition: an international mile, nautical mile, inch and standard gravity.
constexpr double kKmhPerMph = 1.609344;
constexpr double kKmhPerKnot = 1.852;
constexpr double kKmhPerMetrePerSecond = 3.6;
constexpr double kMbPerInHg = 33.8638866667;
constexpr double kMbPerMmHg = 1.33322387415;
constexpr double kMmPerInch = 25.4;

}  // namespace

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
