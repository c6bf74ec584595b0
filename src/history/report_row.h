#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "weather/derived.h"
#include "weather/units.h"
#include "weather/weather_reading.h"

namespace pluvetta {

// The values one stored report holds, in the readout's units. Each is a column of the store
// and of the CSV export, in this order.
enum class Value {
    WindDirection,
    WindSpeed,
    WindGust,
    Temperature,
    Humidity,
    Pressure,
    RainLastHour,
    Rain24Hours,
    RainSinceMidnight,
    PressureChange4h,
    WindChill,
    DewPoint,
    HeatIndex,
};
inline constexpr std::size_t kValueCount = 13;

// A value's column name, which ends with its kept unit, whether it is a whole number, the
// quantity it measures when it can be shown in other units, and the version of the file that
// first held it.
struct ValueColumn {
    const char* name;
    bool integer;
    std::optional<Quantity> quantity;
    int since;
};
inline constexpr std::array<ValueColumn, kValueCount> kValueColumns = {{
    {"wind_dir_deg", true, std::nullopt, 1},
    {"wind_speed_kmh", false, Quantity::Wind, 1},
    {"wind_gust_kmh", false, Quantity::Wind, 1},
    {"temp_c", false, Quantity::Temperature, 1},
    {"humidity_pct", true, std::nullopt, 1},
    {"pressure_hpa", false, Quantity::Pressure, 1},
    {"rain_1h_mm", false, Quantity::Rain, 1},
    {"rain_24h_mm", false, Quantity::Rain, 1},
    {"rain_midnight_mm", false, Quantity::Rain, 1},
    {"pressure_change_4h_hpa", true, Quantity::Pressure, 1},
    {"wind_chill_c", false, Quantity::Temperature, 1},
    {"dew_point_c", false, Quantity::Temperature, 1},
    {"heat_index_c", false, Quantity::Temperature, 2},
}};

// The link names a row carries.
inline constexpr std::string_view kAgwLinkName = "agwpe";
inline constexpr std::string_view kServerLinkName = "aprsis";

// One report as the history keeps it. An absent value is nullopt, never a sentinel.
struct ReportRow {
    // Seconds since 1970-01-01 UTC when the report arrived.
    std::int64_t receivedUtc = 0;
    std::string station{};
    std::string link{};
    // The information field as received, Latin-1.
    std::string raw{};
    std::array<std::optional<double>, kValueCount> values{};

    std::optional<double>& operator[](Value v) { return values[static_cast<std::size_t>(v)]; }
    const std::optional<double>& operator[](Value v) const {
        return values[static_cast<std::size_t>(v)];
    }
    bool operator==(const ReportRow&) const = default;
};

// The row of one decoded report: each value the readout would show with these formulas (the
// derived wind chill, dew point and heat index included), the others absent. Values keep the
// decimal digits the float reading has, not the float's binary tail. The time is left for the
// recorder to stamp.
ReportRow MakeReportRow(std::string_view station, std::string_view link, std::string_view raw,
                        const WeatherReading& reading, const Formulas& formulas = {});

// Puts every value of the rows in `units` instead of the kept ones. A pressure change converts
// as pressures do: no pressure unit has an offset.
void ToUnits(std::span<ReportRow> rows, const Units& units);

// A column's name in `units`: the kept name when the unit is the kept one (mb and hPa both
// "hpa"), else its stem and the unit ("temp_f", "wind_speed_mph", "pressure_inhg").
std::string ColumnName(const ValueColumn& column, const Units& units);

}  // namespace pluvetta
