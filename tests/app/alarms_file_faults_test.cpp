#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "app/alarms_file.h"

namespace pluvetta {
namespace {

namespace fs = std::filesystem;

constexpr const char* kDefaultFile =
    "#FALSE#,#TRUE#,#TRUE#,#TRUE#\r\n-5,40,20,96\r\n900,1040,40,250\r\n50,80\r\n";

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class AlarmsFileFaults : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::remove_all(folder_);
        fs::create_directories(folder_ / "elsewhere");
    }
    void TearDown() override { fs::remove_all(folder_); }
    const fs::path folder_ = fs::temp_directory_path() /
                             ("pluvetta-faults-" + std::to_string(getpid()) + "-" +
                              ::testing::UnitTest::GetInstance()->current_test_info()->name());
    const fs::path file_ = folder_ / "WxAlarms.ini";
};

// Root reads through any permission, so the unreadable files here are of other kinds. A FIFO
// would block an ordinary open until a writer came; the alarm ends the test instead of hanging.
TEST_F(AlarmsFileFaults, FileThatExistsButCannotBeReadGivesDefaultsAndStaysAsItWas) {
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
        EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 2);
    }
}

TEST_F(AlarmsFileFaults, SaveGoesThroughALinkToItsTargetAndKeepsItsPermissions) {
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
TEST_F(AlarmsFileFaults, DamagedFileOfAnySizeIsReplacedByTheDefaults) {
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
        EXPECT_EQ(ReadAll(file_), kDefaultFile);
    }
}

// A save cut off between writing and renaming: the old file is whole and the next start
// removes the dead writer's temporary file, but not one a running program is writing.
TEST_F(AlarmsFileFaults, TemporaryFileOfADeadWriterGoesAtTheNextStart) {
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
