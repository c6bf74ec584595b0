#include "history/report_row.h"

#include <cctype>
#include <charconv>

namespace pluvetta {

namespace {

// The shortest decimal that reads back as the float: 6.437388 rather than 6.43738794326782.
double Decimal(float value) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    double out = value;
    std::from_chars(text, end, out);
    return out;
}

std::optional<double> If(bool present, float value) {
    return present ? std::optional(Decimal(value)) : std::nullopt;
}

}  // namespace

ReportRow MakeReportRow(std::string_view station, std::string_view link, std::string_view raw,
                        const WeatherReading& r, const Formulas& formulas) {
    ReportRow row{
        .station = std::string(station), .link = std::string(link), .raw = std::string(raw)};
    const DerivedValues derived = ComputeDerivedValues(r, formulas);
    const bool wind = IsValidDirection(r.WindDirection);
    row[Value::WindDirection] = If(wind, r.WindDirection);
    row[Value::WindSpeed] = If(wind, r.WindSpeed);
    row[Value::WindGust] = If(IsGustShown(r.WindGust), r.WindGust);
    row[Value::Temperature] = If(IsTemperatureValid(r.Temperature), r.Temperature);
    row[Value::Humidity] = If(IsHumidityShown(r.Humidity), r.Humidity);
    row[Value::Pressure] = If(IsPressureShown(r.Pressure), r.Pressure);
    row[Value::RainLastHour] = If(IsRainShown(r.RainLastHour), r.RainLastHour);
    row[Value::Rain24Hours] = If(IsRainShown(r.Rain24Hours), r.Rain24Hours);
    row[Value::RainSinceMidnight] = If(IsRainShown(r.RainSinceMidnight), r.RainSinceMidnight);
    row[Value::PressureChange4h] =
        If(IsPressureChangeShown(r.PressureChange4h), r.PressureChange4h);
    row[Value::WindChill] = If(IsDerivedValueShown(derived.WindChill), derived.WindChill);
    row[Value::DewPoint] = If(IsDerivedValueShown(derived.AbsoluteHumidity), derived.DewPoint);
    row[Value::HeatIndex] = If(IsDerivedValueShown(derived.HeatIndex), derived.HeatIndex);
    return row;
}

void ToUnits(std::span<ReportRow> rows, const Units& units) {
    for (std::size_t i = 0; i < kValueCount; ++i) {
        const std::optional<Quantity> quantity = kValueColumns[i].quantity;
        if (!quantity) continue;
        const UnitScale scale = ScaleOf(units, *quantity);
        if (scale.factor == 1 && scale.offset == 0) continue;
        for (ReportRow& row : rows) {
            if (row.values[i]) row.values[i] = ToShown(*row.values[i], scale);
        }
    }
}

std::string ColumnName(const ValueColumn& column, const Units& units) {
    std::string kept = column.name;
    if (!column.quantity) return kept;
    std::string unit;
    for (const char c : ScaleOf(units, *column.quantity).symbol) {
        if (std::isalnum(static_cast<unsigned char>(c))) {
            unit += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
    }
    if (unit == "mb") unit = "hpa";
    return kept.substr(0, kept.rfind('_') + 1) + unit;
}

}  // namespace pluvetta
