#include "app/alarms_file.h"

#include <array>
#include <atomic>
#include <charconv>
#include <chrono>
#include <cstddef>
#include <fstream>
#include <system_error>

#include "app/decimal_number.h"

namespace pluvetta {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kTrue = "#TRUE#";
constexpr std::string_view kFalse = "#FALSE#";
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::size_t kFieldCount = 14;
// Fourteen short fields fit many times over; the cap keeps a wrong file (or a device) from
// being read without end.
constexpr std::size_t kMaxFileBytes = 64 * 1024;

std::string FormatFlag(bool value) { return std::string(value ? kTrue : kFalse); }

bool IsSpace(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimSpaces(std::string_view text) {
    while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
    return text;
}

// Commas and line ends (CR LF, LF or CR) end fields; a line of nothing but spaces holds none,
// so blank lines between the four lines do no harm. Stops at the fourteenth field.
std::size_t SplitFields(std::string_view text, std::array<std::string_view, kFieldCount>& fields) {
    std::size_t count = 0;
    std::size_t pos = 0;
    while (pos < text.size() && count < kFieldCount) {
        std::size_t lineEnd = text.find_first_of("\r\n", pos);
        if (lineEnd == std::string_view::npos) lineEnd = text.size();
        std::string_view line = text.substr(pos, lineEnd - pos);
        pos = lineEnd + 1;
        if (lineEnd + 1 < text.size() && text[lineEnd] == '\r' && text[lineEnd + 1] == '\n') ++pos;
        if (TrimSpaces(line).empty()) continue;
        while (count < kFieldCount) {
            const std::size_t comma = line.find(',');
            fields[count++] = TrimSpaces(line.substr(0, comma));
            if (comma == std::string_view::npos) break;
            line.remove_prefix(comma + 1);
        }
    }
    return count;
}

// Only the two flag words are taken: a number where a flag belongs most likely means a line
// went missing, and reading on would put the thresholds into the wrong fields.
bool ReadFlag(std::string_view field, bool& value) {
    if (field == kTrue) {
        value = true;
    } else if (field == kFalse) {
        value = false;
    } else {
        return false;
    }
    return true;
}

bool ReadReal(std::string_view field, float& value) {
    const std::optional<float> read = ParseDecimalNumber<float>(field);
    if (read) value = *read;
    return read.has_value();
}

bool ReadWhole(std::string_view field, std::int16_t& value) {
    const std::optional<double> read = ParseDecimalNumber<double>(field);
    const std::optional<std::int16_t> whole = read ? RoundToInt16(*read) : std::nullopt;
    if (whole) value = *whole;
    return whole.has_value();
}

// A name of its own for every save, so that two programs closing at once never share one
// temporary file.
fs::path TemporaryPathBeside(const fs::path& path) {
    static std::atomic<std::uint64_t> saves{0};
    std::uint64_t mix =
        static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()) ^
        (saves.fetch_add(1) * 0x9E3779B97F4A7C15ULL) ^ reinterpret_cast<std::uintptr_t>(&saves);
    // splitmix64's finaliser spreads the clock's low bits over the whole name.
    mix = (mix ^ (mix >> 30)) * 0xBF58476D1CE4E5B9ULL;
    mix = (mix ^ (mix >> 27)) * 0x94D049BB133111EBULL;
    mix ^= mix >> 31;
    std::array<char, 16> hex{};
    const auto end = std::to_chars(hex.data(), hex.data() + hex.size(), mix, 16).ptr;
    fs::path temp = path;
    temp += "." + std::string(hex.data(), end) + ".tmp";
    return temp;
}

std::optional<std::string> ReadFileStart(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string text(kMaxFileBytes, '\0');
    // istream::read turns a failing read (a directory, say) into badbit instead of throwing.
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (in.bad()) return std::nullopt;
    text.resize(static_cast<std::size_t>(in.gcount()));
    return text;
}

}  // namespace

std::string FormatAlarmsFile(const AlarmSettings& s) {
    std::string text;
    text += FormatFlag(s.BeepOnData) + "," + FormatFlag(s.FocusOnData) + "," +
            FormatFlag(s.BeepOnAlarm) + "," + FormatFlag(s.FocusOnAlarm);
    text += kLineEnd;
    text += FormatDecimalNumber(s.LoTemp) + "," + FormatDecimalNumber(s.HiTemp) + "," +
            FormatDecimalNumber(s.LoHum) + "," + FormatDecimalNumber(s.HiHum);
    text += kLineEnd;
    text += FormatDecimalNumber(s.LoBaro) + "," + FormatDecimalNumber(s.HiBaro) + "," +
            FormatDecimalNumber(s.HiRainHour) + "," + FormatDecimalNumber(s.HiRain24);
    text += kLineEnd;
    text += FormatDecimalNumber(s.HiWind) + "," + FormatDecimalNumber(s.HiGust);
    text += kLineEnd;
    return text;
}

std::optional<AlarmSettings> ParseAlarmsFile(std::string_view text) {
    std::array<std::string_view, kFieldCount> f{};
    if (SplitFields(text, f) < kFieldCount) return std::nullopt;
    AlarmSettings s;
    const bool ok = ReadFlag(f[0], s.BeepOnData) && ReadFlag(f[1], s.FocusOnData) &&
                    ReadFlag(f[2], s.BeepOnAlarm) && ReadFlag(f[3], s.FocusOnAlarm) &&
                    ReadReal(f[4], s.LoTemp) && ReadReal(f[5], s.HiTemp) &&
                    ReadWhole(f[6], s.LoHum) && ReadWhole(f[7], s.HiHum) &&
                    ReadReal(f[8], s.LoBaro) && ReadReal(f[9], s.HiBaro) &&
                    ReadReal(f[10], s.HiRainHour) && ReadReal(f[11], s.HiRain24) &&
                    ReadReal(f[12], s.HiWind) && ReadReal(f[13], s.HiGust);
    if (!ok) return std::nullopt;
    return s;
}

bool SaveAlarmSettings(const AlarmSettings& settings, const fs::path& path) {
    const std::string text = FormatAlarmsFile(settings);
    const fs::path temp = TemporaryPathBeside(path);
    std::error_code ignored;
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        // close() flushes, and a full disk shows up there at the latest.
        out.close();
        if (!out) {
            fs::remove(temp, ignored);
            return false;
        }
    }
    // rename replaces the old file in one step: readers see either the old or the new file.
    std::error_code renameError;
    fs::rename(temp, path, renameError);
    if (renameError) {
        fs::remove(temp, ignored);
        return false;
    }
    return true;
}

AlarmsLoad LoadAlarmSettings(const fs::path& path) {
    const std::optional<std::string> text = ReadFileStart(path);
    if (text) {
        if (std::optional<AlarmSettings> read = ParseAlarmsFile(*text)) return {*read, false};
    }
    // Any fault means the defaults, written back so that a sound file exists from now on.
    AlarmsLoad load;
    load.saveFailed = !SaveAlarmSettings(load.settings, path);
    return load;
}

}  // namespace pluvetta
