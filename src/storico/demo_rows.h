#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace pluvetta {

// Writes a made-up station's reports every `stepSeconds` over the `days` before `endUtc` into
// a new history file (any file already there is replaced): a slow pressure swing, days warmer
// than nights, wind, a rainy spell every few days and a three-hour silence on the second day.
// Each report is a real information field, decoded as the monitor decodes it. Used by the
// demo and the benchmark; false when the file cannot be written.
bool WriteDemoHistory(const std::filesystem::path& file, const std::string& station, int days,
                      std::int64_t endUtc, int stepSeconds = 300);

}  // namespace pluvetta
