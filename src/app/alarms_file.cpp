#include "app/alarms_file.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstddef>
#include <system_error>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include "app/decimal_number.h"

namespace pluvetta {

namespace {

namespace fs = std::filesystem;

// What a Windows editor puts before the text it saves as UTF-8.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kTrue = "#TRUE#";
constexpr std::string_view kFalse = "#FALSE#";
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::size_t kFieldCount = 14;
// Fourteen short fields fit many times over; the cap keeps a wrong file (or a device) from
// being read without end.
constexpr std::size_t kMaxFileBytes = std::size_t{64} * 1024;

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

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return lower(x) == lower(y); });
}

// Only the two flag words are taken, in any case as a hand edit may leave them: a number
// where a flag belongs most likely means a line went missing, and reading on would put the
// thresholds into the wrong fields.
bool ReadFlag(std::string_view field, bool& value) {
    if (EqualsIgnoringCase(field, kTrue)) {
        value = true;
    } else if (EqualsIgnoringCase(field, kFalse)) {
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
// temporary file: the file's name, the writer's process id, a random part, ".tmp".
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
    temp += "." + std::to_string(::getpid()) + "-" + std::string(hex.data(), end) + ".tmp";
    return temp;
}

// The process id in a temporary file's name, when `name` is one of `path`'s.
std::optional<pid_t> TemporaryFileWriter(const fs::path& path, const std::string& name) {
    const std::string prefix = path.filename().string() + ".";
    constexpr std::string_view kSuffix = ".tmp";
    if (name.size() <= prefix.size() + kSuffix.size() ||
        name.compare(0, prefix.size(), prefix) != 0 || !name.ends_with(kSuffix)) {
        return std::nullopt;
    }
    pid_t pid = 0;
    const char* first = name.data() + prefix.size();
    const auto [end, error] = std::from_chars(first, name.data() + name.size(), pid);
    if (error != std::errc() || end == first || *end != '-' || pid <= 0) return std::nullopt;
    return pid;
}

// A program that died between writing its temporary file and renaming it left the file
// behind. Those of processes that no longer run are removed; a save in progress elsewhere
// keeps its own.
void RemoveStaleTemporaries(const fs::path& path) {
    std::error_code error;
    const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::optional<pid_t> writer =
            TemporaryFileWriter(path, it->path().filename().string());
        if (!writer) continue;
        // This process has not saved yet; any other that is gone will never rename its file.
        if (*writer == ::getpid() || (::kill(*writer, 0) != 0 && errno == ESRCH)) {
            std::error_code ignored;
            fs::remove(it->path(), ignored);
        }
    }
}

enum class FileRead { Text, Missing, Unreadable };

// Opens without blocking, so that a FIFO or a device under the file's name cannot hold up the
// start, and reads only a regular file.
FileRead ReadFileStart(const fs::path& path, std::string& text) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        return errno == ENOENT || errno == ENOTDIR ? FileRead::Missing : FileRead::Unreadable;
    }
    struct stat info {};
    FileRead result = FileRead::Unreadable;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        text.assign(kMaxFileBytes, '\0');
        std::size_t got = 0;
        ssize_t n = 0;
        while (got < text.size() && (n = ::read(fd, text.data() + got, text.size() - got)) != 0) {
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) break;
            got += static_cast<std::size_t>(n);
        }
        text.resize(got);
        if (n >= 0) result = FileRead::Text;
    }
    ::close(fd);
    return result;
}

// Where a save must land: a symbolic link is followed to its target (which need not exist
// yet), so that a user's link to a file kept elsewhere goes on pointing at the saved values.
std::optional<fs::path> SaveTarget(fs::path path) {
    // The kernel's own limit on links followed in one lookup.
    constexpr int kMaxLinks = 40;
    std::error_code error;
    for (int hop = 0; hop < kMaxLinks; ++hop) {
        if (!fs::is_symlink(fs::symlink_status(path, error))) return path;
        const fs::path target = fs::read_symlink(path, error);
        if (error) return std::nullopt;
        path = target.is_absolute() ? target : path.parent_path() / target;
    }
    return std::nullopt;
}

// Writes all of `text`; false on any error, a full disk included.
bool WriteAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t n = ::write(fd, text.data(), text.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        text.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

void SyncFolder(const fs::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// A damaged file may be a hand edit gone wrong: before it is replaced it is kept beside its
// target, the newest only. A hard link keeps it without a copy; where the file system has no
// links, the file moves aside. False when it could not be kept.
bool KeepDamagedFile(const fs::path& path) {
    const std::optional<fs::path> target = SaveTarget(path);
    if (!target) return false;
    fs::path kept = *target;
    kept += ".damaged";
    std::error_code error;
    fs::remove(kept, error);
    fs::create_hard_link(*target, kept, error);
    if (error) fs::rename(*target, kept, error);
    return !error;
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
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
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
    const std::optional<fs::path> target = SaveTarget(path);
    if (!target) return false;
    const fs::path temp = TemporaryPathBeside(*target);
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    // On the disk before the rename: a power cut right after it must not leave an empty file
    // under the old name. A full disk shows up here at the latest.
    bool written = WriteAll(fd, FormatAlarmsFile(settings)) && ::fsync(fd) == 0;
    written = ::close(fd) == 0 && written;
    std::error_code ignored;
    if (!written) {
        fs::remove(temp, ignored);
        return false;
    }
    // The new file keeps the old one's permissions, not the umask's.
    std::error_code statusError;
    const fs::file_status old = fs::status(*target, statusError);
    if (!statusError && fs::is_regular_file(old)) fs::permissions(temp, old.permissions(), ignored);
    // rename replaces the old file in one step: readers see either the old or the new file.
    std::error_code renameError;
    fs::rename(temp, *target, renameError);
    if (renameError) {
        fs::remove(temp, ignored);
        return false;
    }
    // The rename itself lasts once the folder is on the disk too.
    SyncFolder(target->has_parent_path() ? target->parent_path() : fs::path("."));
    return true;
}

AlarmsLoad LoadAlarmSettings(const fs::path& path) {
    if (const std::optional<fs::path> target = SaveTarget(path)) RemoveStaleTemporaries(*target);
    std::string text;
    const FileRead read = ReadFileStart(path, text);
    if (read == FileRead::Text) {
        if (std::optional<AlarmSettings> settings = ParseAlarmsFile(text)) return {*settings};
    }
    AlarmsLoad load;
    // A file that exists but cannot be read may hold the user's values: it stays as it is.
    if (read == FileRead::Unreadable) {
        load.unreadable = true;
        return load;
    }
    // A missing or damaged file means the defaults, written back so that a sound file exists
    // from now on. A damaged one that cannot be kept is left as it is.
    if (read == FileRead::Text && !KeepDamagedFile(path)) {
        load.saveFailed = true;
        return load;
    }
    load.saveFailed = !SaveAlarmSettings(load.settings, path);
    return load;
}

}  // namespace pluvetta
