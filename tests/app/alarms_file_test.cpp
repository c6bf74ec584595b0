#include "app/alarms_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <limits>
#include <ostream>
#include <string>

namespace pluvetta {

void PrintTo(const AlarmSettings& s, std::ostream* os) { *os << FormatAlarmsFile(s); }

namespace {

namespace fs = std::filesystem;

const std::string kDefaultFile =
    "#FALSE#,#TRUE#,#TRUE#,#TRUE#\r\n-5,40,20,96\r\n900,1040,40,250\r\n50,80\r\n";
const AlarmSettings kCustom{true, true,   true,    false, -12.5f,  35.25f, 15,
                            99,   980.4f, 1030.5f, 0.5f,  120.75f, 45.1f,  88.8f};
const std::string kCustomFile =
    "#TRUE#,#TRUE#,#TRUE#,#FALSE#\r\n-12.5,35.25,15,99\r\n980.4,1030.5,0.5,120.75\r\n45.1,88.8\r\n";

TEST(AlarmsFileText, SavedValuesReadBackUnchanged) {
    EXPECT_EQ(FormatAlarmsFile(kCustom), kCustomFile);
    const AlarmSettings extremes{.LoTemp = -0.001f,
                                 .LoHum = std::numeric_limits<std::int16_t>::min(),
                                 .HiBaro = 1e20f,
                                 .HiWind = 3.4e-7f};
    for (const AlarmSettings& s : {AlarmSettings{}, kCustom, extremes}) {
        EXPECT_EQ(ParseAlarmsFile(FormatAlarmsFile(s)), s);
    }
}

// The number grammar is DecimalNumber's; here, the layout and the fields.
TEST(AlarmsFileText, LayoutSpacesAndLineEndsDoNotMatterButEveryFieldMust) {
    AlarmSettings halves = kCustom;
    halves.LoHum = 20;  // 20.5 to the even neighbour
    const std::string rest = "\r\n-5,40,20,96\r\n900,1040,40,250\r\n50,80";
    // clang-format off
    const std::pair<std::string, std::optional<AlarmSettings>> cases[] = {
        {"#FALSE#,#TRUE#,#TRUE#,#TRUE#,-5,40,20,96,900,1040,40,250,50,80", AlarmSettings{}},
        {"#FALSE#,#TRUE#,#TRUE#,#TRUE#\n-5,40,20,96\r900,1040,40,250\r\n\r\n  \r\n50,80", AlarmSettings{}},
        {kDefaultFile + "junk,#X#,,\r\n", AlarmSettings{}},
        {" #TRUE# ,\t#TRUE#,#TRUE#,  #FALSE#\r\n-12.50 , +35.25,20.5,99\r\n980.4,1.0305e3,.5,120.75\r\n45.1, 88.8 ", halves},
        {"", std::nullopt},
        {kDefaultFile.substr(0, kDefaultFile.size() - 5), std::nullopt},
        // A number where a flag belongs means a line went missing.
        {"0,1,1,1" + rest, std::nullopt},
        {"#false#,#TRUE#,#TRUE#,#TRUE#" + rest, std::nullopt},
        {"#FALSE#,#TRUE#,#TRUE#,#TRUE#\r\n-5,,20,96\r\n900,1040,40,250\r\n50,80", std::nullopt},
        {"#FALSE#,#TRUE#,#TRUE#,#TRUE#\r\n-5,40,20,32767.5\r\n900,1040,40,250\r\n50,80", std::nullopt},
    };
    // clang-format on
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(ParseAlarmsFile(text), expected) << "file [" << text << "]";
    }
}

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A fresh folder per test; nothing may be left in it but the alarms file.
class AlarmsFile : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }
    std::string Read() const { return ReadAll(file_); }
    void Write(const std::string& text) const { std::ofstream(file_, std::ios::binary) << text; }
    std::ptrdiff_t EntryCount() const {
        return std::distance(fs::directory_iterator(folder_), fs::directory_iterator());
    }
    const fs::path folder_ = fs::temp_directory_path() /
                             ("pluvetta-" + std::to_string(getpid()) + "-" +
                              ::testing::UnitTest::GetInstance()->current_test_info()->name());
    const fs::path file_ = folder_ / "WxAlarms.ini";
};

TEST_F(AlarmsFile, BadFileGivesDefaultsWrittenBackAndASavedFileReplacesTheOld) {
    Write("#TRUE#,#FALSE#,#FALSE#,#FALSE#\r\n1,2,3,4\r\n5,6,7,8\r\n9,x\r\n");
    const AlarmsLoad load = LoadAlarmSettings(file_);
    EXPECT_EQ(load.settings, AlarmSettings{});
    EXPECT_FALSE(load.saveFailed);
    EXPECT_EQ(Read(), kDefaultFile);

    Write(kDefaultFile + "some much longer text that a rewrite must not leave behind");
    ASSERT_TRUE(SaveAlarmSettings(kCustom, file_));
    EXPECT_EQ(Read(), kCustomFile);
    EXPECT_EQ(LoadAlarmSettings(file_).settings, kCustom);
    EXPECT_EQ(EntryCount(), 1);
}

// Root writes into read-only folders, so these paths fail for reasons that hold for root too.
TEST_F(AlarmsFile, UnwritablePathIsReportedAndDefaultsStay) {
    std::ofstream(folder_ / "plain") << "a regular file";
    fs::create_directories(file_ / "inside");
    for (const fs::path& path : {folder_ / "plain" / "WxAlarms.ini", file_}) {
        EXPECT_FALSE(SaveAlarmSettings(kCustom, path)) << path;
    }
    const AlarmsLoad load = LoadAlarmSettings(folder_ / "plain" / "WxAlarms.ini");
    EXPECT_EQ(load.settings, AlarmSettings{});
    EXPECT_TRUE(load.saveFailed);
    EXPECT_TRUE(fs::is_directory(file_ / "inside"));
    EXPECT_EQ(EntryCount(), 2);
}

TEST_F(AlarmsFile, WriteFailingHalfwayKeepsTheOldFile) {
    Write(kCustomFile);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit full = saved;
    full.rlim_cur = 16;  // bytes: the new file stops short, as on a full disk
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &full);
    const bool savedOk = SaveAlarmSettings(AlarmSettings{}, file_);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(savedOk);
    EXPECT_EQ(Read(), kCustomFile);
    EXPECT_EQ(EntryCount(), 1);
}

// Root reads through any permission, so the unreadable files here are of other kinds. A FIFO
// would block an ordinary open until a writer came; the alarm ends the test instead of hanging.
TEST_F(AlarmsFile, FileThatExistsButCannotBeReadGivesDefaultsAndStaysAsItWas) {
    const std::function<void()> makers[] = {
        [this] { ASSERT_EQ(mkfifo(file_.c_str(), 0600), 0); },
        [this] { fs::create_directory(file_); },
        [this] { fs::create_symlink(file_, file_); },
    };
    for (const auto& make : makers) {
        fs::remove_all(file_);
        make();
        const fs::file_type before = fs::symlink_status(file_).type();
        alarm(5);
        const AlarmsLoad load = LoadAlarmSettings(file_);
        alarm(0);
        EXPECT_EQ(load.settings, AlarmSettings{});
        EXPECT_TRUE(load.unreadable);
        EXPECT_FALSE(load.saveFailed);
        EXPECT_EQ(fs::symlink_status(file_).type(), before);
        EXPECT_EQ(EntryCount(), 1);
    }
}

TEST_F(AlarmsFile, SaveGoesThroughALinkToItsTargetAndKeepsItsPermissions) {
    fs::create_directories(folder_ / "elsewhere");
    const fs::path target = folder_ / "elsewhere" / "alarms.ini";
    std::ofstream(target) << "old";
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink("elsewhere/alarms.ini", file_);
    // A link to a file not there yet is followed too, to create it.
    const fs::path dangling = folder_ / "dangling.ini";
    fs::create_symlink(folder_ / "elsewhere" / "new.ini", dangling);

    ASSERT_TRUE(SaveAlarmSettings(AlarmSettings{}, file_));
    ASSERT_TRUE(SaveAlarmSettings(AlarmSettings{}, dangling));
    EXPECT_TRUE(fs::is_symlink(file_));
    EXPECT_TRUE(fs::is_symlink(dangling));
    EXPECT_EQ(ReadAll(target), kDefaultFile);
    EXPECT_EQ(ReadAll(folder_ / "elsewhere" / "new.ini"), kDefaultFile);
    EXPECT_EQ(fs::status(target).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(
        std::distance(fs::directory_iterator(folder_ / "elsewhere"), fs::directory_iterator()), 2);
}

// Random bytes and a sparse file of gigabytes read as damaged: replaced by the defaults, and
// only the start of the big one is ever read.
TEST_F(AlarmsFile, DamagedFileOfAnySizeIsReplacedByTheDefaults) {
    std::string noise(4096, '\0');
    std::uint32_t state = 12345;
    for (char& c : noise) c = static_cast<char>((state = state * 1103515245u + 12345u) >> 24);
    const std::function<void()> makers[] = {
        [&] { std::ofstream(file_, std::ios::binary) << noise; },
        [this] { std::ofstream(file_).close(), fs::resize_file(file_, std::uintmax_t{8} << 30); },
    };
    for (const auto& make : makers) {
        make();
        const AlarmsLoad load = LoadAlarmSettings(file_);
        EXPECT_EQ(load.settings, AlarmSettings{});
        EXPECT_FALSE(load.saveFailed || load.unreadable);
        EXPECT_EQ(Read(), kDefaultFile);
    }
}

// A save cut off between writing and renaming: the old file is whole and the next start
// removes the dead writer's temporary file, but not one a running program is writing.
TEST_F(AlarmsFile, TemporaryFileOfADeadWriterGoesAtTheNextStart) {
    std::ofstream(file_) << "#TRUE#,#TRUE#,#TRUE#,#TRUE#\r\n1,2,3,4\r\n5,6,7,8\r\n9,10\r\n";
    const fs::path dead = folder_ / "WxAlarms.ini.2147483647-5eed.tmp";
    const fs::path running = folder_ / ("WxAlarms.ini." + std::to_string(getppid()) + "-5eed.tmp");
    const fs::path other = folder_ / "WxAlarms.ini.notes.tmp";
    for (const fs::path& temp : {dead, running, other}) std::ofstream(temp) << "#TRUE#,#TR";
    EXPECT_EQ(LoadAlarmSettings(file_).settings.HiGust, 10.0f);
    EXPECT_FALSE(fs::exists(dead));
    EXPECT_TRUE(fs::exists(running));
    EXPECT_TRUE(fs::exists(other));
}

}  // namespace
}  // namespace pluvetta
