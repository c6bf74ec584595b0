#include "app/alarms_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <fstream>
#include <functional>
#include <iterator>
#include <ostream>
#include <tuple>

#include "app/fake_ports.h"

namespace pluvetta {

void PrintTo(const AlarmSettings& s, std::ostream* os) { *os << FormatAlarmsFile(s); }

namespace {

namespace fs = std::filesystem;

const std::string kDefaultFile =
    "#FALSE#,#TRUE#,#TRUE#,#TRUE#\r\n-5,40,20,96\r\n900,1040,40,250\r\n50,80\r\n";
const AlarmSettings kCustom{true, true,   true,    false, -12.5f,  35.25f, 16,
                            99,   980.4f, 1030.5f, 0.5f,  120.75f, 45.1f,  88.8f};
const std::string kCustomFile =
    "#TRUE#,#TRUE#,#TRUE#,#FALSE#\r\n-12.5,35.25,16,99\r\n980.4,1030.5,0.5,120.75\r\n45.1,88.8\r\n";

// The number grammar is DecimalNumber's; here, the layout and the fields.
TEST(AlarmsFileText, LayoutSpacesAndLineEndsDoNotMatterButEveryFieldMust) {
    // clang-format off
    const std::pair<std::string, std::optional<AlarmSettings>> cases[] = {
        {"#FALSE#,#TRUE#,#TRUE#,#TRUE#,-5,40,20,96,900,1040,40,250,50,80,junk,#X#", AlarmSettings{}},
        {"#FALSE#,#TRUE#,#TRUE#,#TRUE#\n-5,40,20,96\r900,1040,40,250\r\n\r\n  \r\n50,80", AlarmSettings{}},
        {" #TRUE# ,\t#TRUE#,#TRUE#,  #FALSE#\r\n-12.5 , 35.25,16.5,99\r\n980.4,1.0305e3,0.5,120.75\r\n45.1, 88.8 ", kCustom},  // 16.5 to the even 16
        {kDefaultFile.substr(0, kDefaultFile.size() - 5), std::nullopt},
        {"0,1,1,1\r\n-5,40,20,96\r\n900,1040,40,250\r\n50,80", std::nullopt},  // a line went missing
        {"\xEF\xBB\xBF#false#,#True#,#TRUE#,#TRUE#\r\n-5,40,20,96\r\n900,1040,40,250\r\n50,80", AlarmSettings{}},  // as Windows editors save
        {"#FALSE#,#TRUE#,#TRUE#,#TRUE#\r\n-5,,20,96\r\n900,1040,40,250\r\n50,80", std::nullopt},
        {"#FALSE#,#TRUE#,#TRUE#,#TRUE#\r\n-5,40,20,32767.5\r\n900,1040,40,250\r\n50,80", std::nullopt},
    };
    // clang-format on
    for (const auto& [text, expected] : cases) EXPECT_EQ(ParseAlarmsFile(text), expected) << text;
}

// The first 64 KiB: a check on a file of gigabytes fails at once instead of reading it all.
std::string ReadAll(const fs::path& path) {
    std::string text(std::size_t{1} << 16, '\0');
    std::ifstream in(path, std::ios::binary);
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    return text.substr(0, static_cast<std::size_t>(in.gcount()));
}

// A fresh folder per test, where a temporary file left behind shows in the entry count.
class AlarmsFile : public ::testing::Test {
  protected:
    void Write(const std::string& text) const { std::ofstream(file_, std::ios::binary) << text; }
    static std::ptrdiff_t EntryCount(const fs::path& folder) {
        return std::distance(fs::directory_iterator(folder), fs::directory_iterator());
    }
    const testing::TempFolder folder_;
    const fs::path file_ = folder_.path / "WxAlarms.ini";
};

// A folder in the way fails a save, which leaves no temporary file, or the keeping of a damaged
// file, which then stays. Root writes into read-only folders; this fails for root too.
TEST_F(AlarmsFile, AFolderInTheWayFailsTheSaveOrTheKeepAndChangesNothing) {
    fs::create_directories(file_ / "inside");
    EXPECT_FALSE(SaveAlarmSettings(kCustom, file_));
    EXPECT_EQ(EntryCount(folder_.path), 1);
    fs::rename(file_, file_.string() + ".damaged");
    Write("#TRUE#");
    EXPECT_TRUE(LoadAlarmSettings(file_).saveFailed);
    EXPECT_EQ(ReadAll(file_), "#TRUE#");
}

TEST_F(AlarmsFile, WriteFailingHalfwayKeepsTheOldFile) {
    Write(kCustomFile);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const rlimit full{16, saved.rlim_max};  // bytes: the new file stops short, as on a full disk
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &full);
    const bool savedOk = SaveAlarmSettings(AlarmSettings{}, file_);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(savedOk);
    EXPECT_EQ(ReadAll(file_), kCustomFile);
    EXPECT_EQ(EntryCount(folder_.path), 1);
}

// The save replaces a longer file whole and goes through a link to its target, keeping the
// target's permissions; a link to a file not there yet is followed too, to create it.
TEST_F(AlarmsFile, SaveGoesThroughALinkKeepsPermissionsAndReadsBack) {
    const fs::path elsewhere = folder_.path / "elsewhere", target = elsewhere / "alarms.ini";
    fs::create_directories(elsewhere);
    std::ofstream(target) << kDefaultFile << "some much longer text that a rewrite must not leave";
    const fs::perms kept = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(target, kept);
    fs::create_symlink("elsewhere/alarms.ini", file_);
    fs::create_symlink(elsewhere / "new.ini", folder_.path / "dangling.ini");

    ASSERT_TRUE(SaveAlarmSettings(kCustom, file_));
    ASSERT_TRUE(SaveAlarmSettings(kCustom, folder_.path / "dangling.ini"));
    EXPECT_EQ(ReadAll(target), kCustomFile);
    EXPECT_EQ(ReadAll(elsewhere / "new.ini"), kCustomFile);
    EXPECT_EQ(fs::status(target).permissions(), kept);
    EXPECT_EQ(EntryCount(elsewhere), 2);
}

// Unreadable even to root: a FIFO (an ordinary open would block; the alarm ends a hang). A
// damaged file, of a sparse one only the start read, is kept in an older copy's place.
TEST_F(AlarmsFile, UnreadableFileStaysAndADamagedOneOfAnySizeIsKeptAndReplaced) {
    const std::string damaged = "#TRUE#,#FALSE#,#FALSE#,#FALSE#\r\n1,2,3,4\r\n5,6,7,8\r\n9,x\r\n";
    const std::uintmax_t sparse = std::uintmax_t{8} << 30;
    const std::tuple<std::function<void()>, fs::file_type, std::uintmax_t> cases[] = {
        {[this] { ASSERT_EQ(mkfifo(file_.c_str(), 0600), 0); }, fs::file_type::fifo, 0},
        {[&] { Write(damaged); }, fs::file_type::regular, damaged.size()},
        {[&] { std::ofstream(file_).close(), fs::resize_file(file_, sparse); },
         fs::file_type::regular, sparse}};
    for (const auto& [make, type, keptSize] : cases) {
        fs::remove_all(file_);
        make();
        alarm(5);
        const AlarmsLoad load = LoadAlarmSettings(file_);
        alarm(0);
        EXPECT_EQ(std::tuple(load.settings, load.unreadable, load.saveFailed),
                  std::tuple(AlarmSettings{}, type != fs::file_type::regular, false));
        EXPECT_EQ(fs::symlink_status(file_).type(), type);
        if (type == fs::file_type::regular) {
            EXPECT_EQ(ReadAll(file_), kDefaultFile);
            EXPECT_EQ(fs::file_size(file_.string() + ".damaged"), keptSize);
        }
    }
}

// A save cut off between writing and renaming: the old file is whole and the next start
// removes the dead writer's temporary file, but not one a running program is writing.
TEST_F(AlarmsFile, TemporaryFileOfADeadWriterGoesAtTheNextStart) {
    std::ofstream(file_) << "#TRUE#,#TRUE#,#TRUE#,#TRUE#\r\n1,2,3,4\r\n5,6,7,8\r\n9,10\r\n";
    const fs::path dead = file_.string() + ".2147483647-5eed.tmp";
    const fs::path running = file_.string() + "." + std::to_string(getppid()) + "-5eed.tmp";
    const fs::path other = file_.string() + ".notes.tmp";
    for (const fs::path& temp : {dead, running, other}) std::ofstream(temp) << "#TRUE#,#TR";
    EXPECT_EQ(LoadAlarmSettings(file_).settings.HiGust, 10.0f);
    EXPECT_EQ(std::tuple(fs::exists(dead), fs::exists(running), fs::exists(other)),
              std::tuple(false, true, true));
}

}  // namespace
}  // namespace pluvetta
