#include "app/alarm_settings.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/decimal_comma_locale.h"

namespace pluvetta {

void PrintTo(const AlarmSettings& s, std::ostream* os) { *os << FormatAlarmsFile(s); }

namespace {

namespace fs = std::filesystem;

const std::string kDefaultFile =
    "#FALSE#,#TRUE#,#TRUE#,#TRUE#\r\n-5,40,20,96\r\n900,1040,40,250\r\n50,80\r\n";
// kCustomFile's settings, field for field.
const AlarmSettings kCustom{true, true,   true,    false, -12.5f,  35.25f, 15,
                            99,   980.4f, 1030.5f, 0.5f,  120.75f, 45.1f,  88.8f};
const std::string kCustomFile =
    "#TRUE#,#TRUE#,#TRUE#,#FALSE#\r\n-12.5,35.25,15,99\r\n980.4,1030.5,0.5,120.75\r\n45.1,88.8\r\n";

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteAll(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::size_t EntryCount(const fs::path& folder) {
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

// A fresh folder per test, removed afterwards.
class AlarmsFile : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }
    const fs::path folder_ = fs::temp_directory_path() /
                             ("pluvetta-" + std::to_string(getpid()) + "-" +
                              ::testing::UnitTest::GetInstance()->current_test_info()->name());
    const fs::path file_ = folder_ / "WxAlarms.ini";
};

TEST(FormatAlarmsFile, RealsTakeShortestFormOfAtMostSevenDigits) {
    const float max = std::numeric_limits<float>::max();
    const std::pair<float, std::string> cases[] = {
        {-0.5f, "-0.5"},         {-0.0f, "0"},
        {1.0000001f, "1"},       {16777216.0f, "16777220"},
        {1234567.8f, "1234568"}, {123456789.0f, "123456800"},
        {0.00001f, "0.00001"},   {0.000001f, "1e-06"},
        {1.5e-8f, "1.5e-08"},    {1e20f, "1e+20"},
        {max, "3.402823e+38"},
    };
    for (const auto& [value, expected] : cases) {
        AlarmSettings s;
        s.HiGust = value;
        const std::string text = FormatAlarmsFile(s);
        EXPECT_EQ(text.substr(text.rfind(',') + 1), expected + "\r\n") << "value " << value;
    }
}

TEST(ParseAlarmsFile, SavedValuesReadBackUnchanged) {
    const AlarmSettings extremes{.LoTemp = -0.001f,
                                 .LoHum = std::numeric_limits<std::int16_t>::min(),
                                 .HiHum = std::numeric_limits<std::int16_t>::max(),
                                 .HiBaro = 1e20f,
                                 .HiWind = 3.4e-7f};
    for (const AlarmSettings& s : {AlarmSettings{}, kCustom, extremes}) {
        EXPECT_EQ(ParseAlarmsFile(FormatAlarmsFile(s)), s);
    }
}

TEST(ParseAlarmsFile, LayoutSpacesAndLineEndsDoNotMatter) {
    AlarmSettings halves = kCustom;
    halves.LoHum = 20;  // 20.5 to the even neighbour
    halves.HiHum = 22;  // 21.5 likewise
    const std::pair<std::string, AlarmSettings> cases[] = {
        {"#FALSE#,#TRUE#,#TRUE#,#TRUE#,-5,40,20,96,900,1040,40,250,50,80", {}},
        {"#FALSE#,#TRUE#,#TRUE#,#TRUE#\n-5,40,20,96\r900,1040,40,250\r\n\r\n  \r\n50,80", {}},
        {kDefaultFile + "junk,#X#,,\r\n", {}},
        {" #TRUE# ,\t#TRUE#,#TRUE#,  #FALSE#\r\n-12.50 , +35.25,20.5,21.5\r\n"
         "980.4,1.0305e3,.5,120.75\r\n45.1, 88.8 \r\n",
         halves},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(ParseAlarmsFile(text), expected) << "file [" << text << "]";
    }
}

TEST(ParseAlarmsFile, MissingOrMalformedFieldRejectsTheFile) {
    const std::string flags = "#FALSE#,#TRUE#,#TRUE#,#TRUE#\r\n",
                      rest = "\r\n900,1040,40,250\r\n50,80";
    std::vector<std::string> cases = {"", "\r\n\r\n", flags + "-5,40,20,96\r\n900,1040,40,250\r\n",
                                      flags + "-5,40,20,96\r\n900,1040,40,250\r\n50"};
    for (const char* first :
         {"0,1,1,1", "#false#,#TRUE#,#TRUE#,#TRUE#", "TRUE,#TRUE#,#TRUE#,#TRUE#"}) {
        cases.push_back(first + ("\r\n-5,40,20,96" + rest));
    }
    for (const char* second :
         {"-5,,20,96", "abc,40,20,96", "-5,12.5.3,20,96", "-5,1 2,20,96", "-5,0x10,20,96",
          "-5,nan,20,96", "-5,inf,20,96", "-5,1e39,20,96", "-5,40,20,32767.5", "-5,40,-32769,96"}) {
        cases.push_back(flags + second + rest);
    }
    for (const auto& text : cases) {
        EXPECT_EQ(ParseAlarmsFile(text), std::nullopt) << "file [" << text << "]";
    }
}

// A missing file gets the same treatment; the monitor's start-up test covers it.
TEST_F(AlarmsFile, BadFileGivesDefaultsWrittenBack) {
    for (const char* content :
         {"", "#TRUE#,#FALSE#,#FALSE#,#FALSE#\r\n1,2,3,4\r\n5,6,7,8\r\n",
          "#TRUE#,#FALSE#,#FALSE#,#FALSE#\r\n1,2,3,4\r\n5,6,7,8\r\n9,x\r\n"}) {
        WriteAll(file_, content);
        const AlarmsLoad load = LoadAlarmSettings(file_);
        EXPECT_EQ(load.settings, AlarmSettings{});
        EXPECT_FALSE(load.saveFailed);
        EXPECT_EQ(ReadAll(file_), kDefaultFile);
        EXPECT_EQ(EntryCount(folder_), 1u) << "a temporary file was left behind";
    }
}

// The process locale writes a decimal comma, as on an Italian desktop; the file keeps the point.
TEST_F(AlarmsFile, SavedFileReplacesTheOldOneAndLoadsBackWhateverTheLocale) {
    testing::DecimalCommaLocale locale;
    ASSERT_EQ(locale.Fault(), "");
    WriteAll(file_, kDefaultFile + "some much longer text that a rewrite must not leave behind");
    ASSERT_TRUE(SaveAlarmSettings(kCustom, file_));
    EXPECT_EQ(ReadAll(file_), kCustomFile);
    const AlarmsLoad load = LoadAlarmSettings(file_);
    EXPECT_EQ(load.settings, kCustom);
    EXPECT_FALSE(load.saveFailed);
    EXPECT_EQ(ReadAll(file_), kCustomFile);
    EXPECT_EQ(EntryCount(folder_), 1u);
}

// Root writes into read-only folders, so these paths fail for reasons that hold for root too.
TEST_F(AlarmsFile, UnwritablePathIsReportedAndDefaultsStay) {
    WriteAll(folder_ / "plain", "a regular file");
    fs::create_directories(file_ / "inside");
    for (const fs::path& path :
         {folder_ / "no such folder" / "WxAlarms.ini", folder_ / "plain" / "WxAlarms.ini", file_}) {
        EXPECT_FALSE(SaveAlarmSettings(kCustom, path)) << path;
        const AlarmsLoad load = LoadAlarmSettings(path);
        EXPECT_EQ(load.settings, AlarmSettings{}) << path;
        EXPECT_TRUE(load.saveFailed) << path;
    }
    EXPECT_TRUE(fs::is_directory(file_ / "inside"));
    EXPECT_EQ(EntryCount(folder_), 2u) << "a temporary file was left behind";
}

TEST_F(AlarmsFile, WriteFailingHalfwayKeepsTheOldFile) {
    WriteAll(file_, kCustomFile);
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
    EXPECT_EQ(ReadAll(file_), kCustomFile);
    EXPECT_EQ(EntryCount(folder_), 1u) << "a temporary file was left behind";
}

}  // namespace
}  // namespace pluvetta
