#include "storico/demo_rows.h"

#include <cmath>
#include <cstdio>
#include <numbers>
#include <vector>

#include "history/report_store.h"
#include "weather/decoder.h"

namespace pluvetta {

namespace {

constexpr std::size_t kBatch = 100'000;

double Wave(std::int64_t t, double periodDays, double phase = 0) {
    return std::sin(2 * std::numbers::pi * (static_cast<double>(t) / (periodDays * 86400) + phase));
}

// A positionless weather report in the station's own units (mph, °F, hundredths of an inch,
// tenths of mb).
std::string Report(std::int64_t t, double& rainToday, int& lastDay) {
    const double pressure = 1013 + 9 * Wave(t, 5.3) + 3 * Wave(t, 1.7, 0.3);
    const double celsius = 11 + 7 * Wave(t, 365.25, -0.25) + 5 * Wave(t, 1, -0.3);
    const int humidity = static_cast<int>(std::lround(70 - 20 * Wave(t, 1, -0.3)));
    const double wind = 6 + 5 * std::fabs(Wave(t, 0.37));
    const int direction = static_cast<int>(std::lround(200 + 90 * Wave(t, 2.1))) % 360;
    const bool raining = Wave(t, 4.1) > 0.7 && Wave(t, 0.5) > 0;
    const double rainHour = raining ? 2.5 * Wave(t, 0.5) : 0;  // mm
    const int day = static_cast<int>(t / 86400);
    if (day != lastDay) rainToday = 0, lastDay = day;
    rainToday += rainHour / 12;
    char text[96];
    std::snprintf(text, sizeof text, "_%08dc%03ds%03dg%03dt%03dr%03dp%03dP%03dh%02db%05d", 1010000,
                  direction, static_cast<int>(wind), static_cast<int>(wind * 1.6),
                  static_cast<int>(std::lround(celsius * 9 / 5 + 32)),
                  static_cast<int>(rainHour / 0.254), static_cast<int>(rainToday / 0.254),
                  static_cast<int>(rainToday / 0.254), humidity % 100,
                  static_cast<int>(std::lround(pressure * 10)));
    return text;
}

}  // namespace

bool WriteDemoHistory(const std::filesystem::path& file, const std::string& station, int days,
                      std::int64_t endUtc, int stepSeconds) {
    std::error_code ec;
    for (const char* tail : {"", "-wal", "-shm"}) {
        std::filesystem::remove(std::filesystem::path(file).concat(tail), ec);
    }
    StoreOpening opening = OpenReportStore(file, endUtc);
    if (!opening.store) return false;
    const std::int64_t start = endUtc - static_cast<std::int64_t>(days) * 86400;
    const std::int64_t silenceFrom =
        endUtc - static_cast<std::int64_t>(days - 1) * 86400 - std::int64_t{12} * 3600;
    std::vector<ReportRow> batch;
    double rainToday = 0;
    int lastDay = -1;
    for (std::int64_t t = start; t < endUtc; t += stepSeconds) {
        if (t >= silenceFrom && t < silenceFrom + std::int64_t{3} * 3600) continue;
        const std::string raw = Report(t, rainToday, lastDay);
        ReportRow row = MakeReportRow(station, kServerLinkName, raw, DecodeWeatherReport(raw));
        row.receivedUtc = t;
        batch.push_back(std::move(row));
        if (batch.size() == kBatch) {
            if (!opening.store->Write(batch)) return false;
            batch.clear();
        }
    }
    return opening.store->Write(batch);
}

}  // namespace pluvetta
