#include "history/csv.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>

namespace pluvetta {

namespace {

using namespace std::chrono;

std::string Latin1ToUtf8(std::string_view text) {
    std::string out;
    for (unsigned char c : text) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

void Field(std::ostream& out, std::string_view text, CsvStyle style) {
    if (text.find_first_of(std::string{style.separator, '"', '\r', '\n'}) ==
        std::string_view::npos) {
        out << text;
        return;
    }
    out << '"';
    for (char c : text) {
        if (c == '"') out << '"';
        out << c;
    }
    out << '"';
}

std::string Number(double value, CsvStyle style) {
    char text[32];
    std::string out(text, std::to_chars(text, text + sizeof text, value).ptr);
    std::replace(out.begin(), out.end(), '.', style.decimal);
    return out;
}

bool ReadPart(std::string_view& text, std::size_t width, int& value, char after) {
    if (text.size() < width) return false;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + width, value);
    if (ec != std::errc() || end != text.data() + width) return false;
    text.remove_prefix(width);
    if (after == 0) return true;
    if (text.empty() || text.front() != after) return false;
    text.remove_prefix(1);
    return true;
}

}  // namespace

std::string FormatUtc(std::int64_t utc) {
    const sys_seconds t{seconds(utc)};
    const auto day = floor<days>(t);
    const year_month_day ymd{day};
    const hh_mm_ss hms{t - day};
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02ld:%02ld:%02lldZ", int(ymd.year()),
                  unsigned(ymd.month()), unsigned(ymd.day()), long(hms.hours().count()),
                  long(hms.minutes().count()), static_cast<long long>(hms.seconds().count()));
    return text;
}

std::optional<std::int64_t> ParseUtc(std::string_view text) {
    if (!text.empty() && text.back() == 'Z') text.remove_suffix(1);
    int y = 0, m = 0, d = 0, hh = 0, mm = 0, ss = 0;
    if (!ReadPart(text, 4, y, '-') || !ReadPart(text, 2, m, '-')) return std::nullopt;
    if (!ReadPart(text, 2, d, text.size() > 2 ? 'T' : 0)) return std::nullopt;
    if (!text.empty()) {
        if (!ReadPart(text, 2, hh, ':')) return std::nullopt;
        if (!ReadPart(text, 2, mm, text.size() > 2 ? ':' : 0)) return std::nullopt;
        if (!text.empty() && !ReadPart(text, 2, ss, 0)) return std::nullopt;
    }
    const year_month_day ymd{year(y), month(unsigned(m)), day(unsigned(d))};
    if (!text.empty() || !ymd.ok() || hh > 23 || mm > 59 || ss > 59) return std::nullopt;
    return (sys_days(ymd) + hours(hh) + minutes(mm) + seconds(ss)).time_since_epoch().count();
}

void WriteCsv(std::ostream& out, std::span<const ReportRow> rows, CsvStyle style,
              const Units& units) {
    const char sep = style.separator;
    out << "time_utc" << sep << "station" << sep << "link";
    // A kept value is written as kept; a converted one to the decimals that say it.
    std::array<std::optional<double>, kValueCount> rounding{};
    for (std::size_t i = 0; i < kValueCount; ++i) {
        const ValueColumn& c = kValueColumns[i];
        out << sep << ColumnName(c, units);
        if (!c.quantity) continue;
        const UnitScale scale = ScaleOf(units, *c.quantity);
        if (scale.factor != 1 || scale.offset != 0) rounding[i] = std::pow(10, scale.decimals + 1);
    }
    out << sep << "raw\r\n";
    for (const ReportRow& row : rows) {
        out << FormatUtc(row.receivedUtc) << sep;
        Field(out, Latin1ToUtf8(row.station), style);
        out << sep << row.link;
        ReportRow shown = row;
        ToUnits(std::span(&shown, 1), units);
        for (std::size_t i = 0; i < kValueCount; ++i) {
            out << sep;
            if (const std::optional<double>& v = shown.values[i]) {
                out << Number(rounding[i] ? std::round(*v * *rounding[i]) / *rounding[i] : *v,
                              style);
            }
        }
        out << sep;
        Field(out, Latin1ToUtf8(row.raw), style);
        out << "\r\n";
    }
}

}  // namespace pluvetta
