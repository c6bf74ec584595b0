#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

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
};
inline constexpr std::size_t kValueCount = 12;

// A value's column name, which names its unit too, and whether it is a whole number.
struct ValueColumn {
    const char* name;
    bool integer;
};
inline constexpr std::array<ValueColumn, kValueCount> kValueColumns = {{
    {"wind_dir_deg", true},
    {"wind_speed_kmh", false},
    {"wind_gust_kmh", false},
    {"temp_c", false},
    {"humidity_pct", true},
    {"pressure_hpa", false},
    {"rain_1h_mm", false},
    {"rain_24h_mm", false},
    {"rain_midnight_mm", false},
    {"pressure_change_4h_hpa", true},
    {"wind_chill_c", false},
    {"dew_point_c", false},
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

// The row of one decoded report: each value the readout would show (the derived wind chill and
// dew point included), the others absent. Values keep the decimal digits the float reading
// has, not the float's binary tail. The time is left for the recorder to stamp.
ReportRow MakeReportRow(std::string_view station, std::string_view link, std::string_view raw,
                        const WeatherReading& reading);

}  // namespace pluvetta
