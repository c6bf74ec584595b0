#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

#include "history/report_row.h"

namespace pluvetta {

// How the export separates fields and writes decimals. The plain style is for programs; the
// Italian one is what a spreadsheet set to Italian opens without asking.
struct CsvStyle {
    char separator = ',';
    char decimal = '.';
};
inline constexpr CsvStyle kPlainCsv{',', '.'};
inline constexpr CsvStyle kItalianCsv{';', ','};

// Writes a header line naming each column with its unit, then one line per row, UTF-8, lines
// ending CR LF. Values are in `units`, converted ones rounded to a decimal more than the
// window shows. Times are ISO 8601 UTC; an absent value is an empty field; a field holding
// the separator, a quote or a line break is quoted with its quotes doubled.
void WriteCsv(std::ostream& out, std::span<const ReportRow> rows, CsvStyle style = kPlainCsv,
              const Units& units = kMetricUnits);

// "2024-05-01T12:00:00Z" for the seconds since 1970 UTC.
std::string FormatUtc(std::int64_t utc);
// Reads "YYYY-MM-DD", "YYYY-MM-DDTHH:MM" or "YYYY-MM-DDTHH:MM:SS", a trailing Z allowed, as
// UTC; nullopt for anything else.
std::optional<std::int64_t> ParseUtc(std::string_view text);

}  // namespace pluvetta
