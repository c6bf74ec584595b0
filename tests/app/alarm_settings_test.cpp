#include "app/alarm_settings.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <clocale>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "app/decimal_comma_locale.h"

namespace pluvetta {

void PrintTo(const AlarmSettings& s, std::ostream* os) { *os << FormatAlarmsFile(s); }

namespace {

namespace fs = std::filesystem;

const std::string kDefaultFile =
    "#FALSE#,#TRUE#,#TRUE#,#TRUE#\r\n-5,40,20,96\r\n900,1040,40,250\r\n50,80\r\n";

AlarmSettings Custom() {
    AlarmSettings s;
    s.BeepOnData = true;
    s.FocusOnAlarm = false;
    s.LoTemp = -12.5f;
    s.HiTemp = 35.25f;
    s.LoHum = 15;
    s.HiHum = 99;
    s.LoBaro = 980.4f;
    s.HiBaro = 1030.5f;
    s.HiRainHour = 0.5f;
    s.HiRain24 = 120.75f;
    s.HiWind = 45.1f;
    s.HiGust = 88.8f;
    return s;
}
const std::string kCustomFile =
    "#TRUE#,#TRUE#,#TRUE#,#FALSE#\r\n-12.5,35.25,15,99\r\n980.4,1030.5,0.5,120.75\r\n45.1,88.8\r\n";

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteAll(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::vector<fs::path> Entries(const fs::path& folder) {
    return {fs::directory_iterator(folder), fs::directory_iterator()};
}

// A fresh folder per test, removed afterwards.
class AlarmsFile : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("pluvetta-" + std::to_string(getpid()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        file_ = folder_ / "WxAlarms.ini";
    }
    void TearDown() override { fs::remove_all(folder_); }
    fs::path folder_;
    fs::path file_;
};

TEST(FormatAlarmsFile, DefaultsAndFractionsGiveTheFixedFourLines) {
    EXPECT_EQ(FormatAlarmsFile(AlarmSettings{}), kDefaultFile);
    EXPECT_EQ(FormatAlarmsFile(Custom()), kCustomFile);
}

TEST(FormatAlarmsFile, RealsTakeShortestFormOfAtMostSevenDigits) {
    const struct {
        float value;
        std::string text;
    } cases[] = {
        {-5.0f, "-5"},
        {1040.0f, "1040"},
        {12.5f, "12.5"},
        {0.5f, "0.5"},
        {-0.5f, "-0.5"},
        {0.1f, "0.1"},
        {1013.25f, "1013.25"},
        {-0.0f, "0"},
        {1.0000001f, "1"},
        {16777216.0f, "16777220"},
        {1234567.8f, "1234568"},
        {123456789.0f, "123456800"},
        {0.00001f, "0.00001"},
        {0.000001f, "1e-06"},
        {1.5e-8f, "1.5e-08"},
        {1e20f, "1e+20"},
        {std::numeric_limits<float>::max(), "3.402823e+38"},
    };
    for (const auto& c : cases) {
        AlarmSettings s;
        s.HiGust = c.value;
        const std::string text = FormatAlarmsFile(s);
        EXPECT_EQ(text.substr(text.rfind(',') + 1), c.text + "\r\n") << "value " << c.value;
    }
}

TEST(ParseAlarmsFile, SavedValuesReadBackUnchanged) {
    AlarmSettings extremes;
    extremes.LoHum = std::numeric_limits<std::int16_t>::min();
    extremes.HiHum = std::numeric_limits<std::int16_t>::max();
    extremes.LoTemp = -0.001f;
    extremes.HiBaro = 1e20f;
    extremes.HiWind = 3.4e-7f;
    for (const AlarmSettings& s : {AlarmSettings{}, Custom(), extremes}) {
        EXPECT_EQ(ParseAlarmsFile(FormatAlarmsFile(s)), s);
    }
}

TEST(ParseAlarmsFile, LayoutSpacesAndLineEndsDoNotMatter) {
    AlarmSettings halves = Custom();
    halves.LoHum = 20;  // 20.5 to the even neighbour
    halves.HiHum = 22;  // 21.5 likewise
    const struct {
        std::string text;
        AlarmSettings expected;
    } cases[] = {
        {"#FALSE#,#TRUE#,#TRUE#,#TRUE#,-5,40,20,96,900,1040,40,250,50,80", {}},
        {"#FALSE#,#TRUE#,#TRUE#,#TRUE#\n-5,40,20,96\r900,1040,40,250\r\n\r\n  \r\n50,80", {}},
        {kDefaultFile + "junk,#X#,,\r\n", {}},
        {"#FALSE#,#TRUE#,#TRUE#,#TRUE#,-5,40,20,96,900,1040,40,250,50,80,not a number", {}},
        {" #TRUE# ,\t#TRUE#,#TRUE#,  #FALSE#\r\n-12.50 , +35.25,15,99\r\n"
         "980.4,1.0305e3,.5,120.75\r\n45.1, 88.8 \r\n",
         Custom()},
        {"#TRUE#,#TRUE#,#TRUE#,#FALSE#\r\n-12.5,35.25,20.5,21.5\r\n980.4,1030.5,0.5,120.75\r\n"
         "45.1,88.8\r\n",
         halves},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseAlarmsFile(c.text), c.expected) << "file [" << c.text << "]";
    }
}

TEST(ParseAlarmsFile, MissingOrMalformedFieldRejectsTheFile) {
    const std::string flags = "#FALSE#,#TRUE#,#TRUE#,#TRUE#\r\n";
    const std::string rest = "\r\n900,1040,40,250\r\n50,80\r\n";
    const std::string cases[] = {
        "",
        "\r\n\r\n",
        "#FALSE#,#TRUE#,#TRUE#,#TRUE#\r\n-5,40,20,96\r\n900,1040,40,250\r\n",
        "#FALSE#,#TRUE#,#TRUE#,#TRUE#\r\n-5,40,20,96\r\n900,1040,40,250\r\n50",
        "0,1,1,1\r\n-5,40,20,96" + rest,
        "#false#,#TRUE#,#TRUE#,#TRUE#\r\n-5,40,20,96" + rest,
        "TRUE,#TRUE#,#TRUE#,#TRUE#\r\n-5,40,20,96" + rest,
        flags + "-5,,20,96" + rest,
        flags + "abc,40,20,96" + rest,
        flags + "-5,12.5.3,20,96" + rest,
        flags + "-5,1 2,20,96" + rest,
        flags + "-5,0x10,20,96" + rest,
        flags + "-5,nan,20,96" + rest,
        flags + "-5,inf,20,96" + rest,
        flags + "-5,1e39,20,96" + rest,
        flags + "-5,40,20,32767.5" + rest,
        flags + "-5,40,-32769,96" + rest,
    };
    for (const auto& text : cases) {
        EXPECT_EQ(ParseAlarmsFile(text), std::nullopt) << "file [" << text << "]";
    }
}

TEST_F(AlarmsFile, MissingOrBadFileGivesDefaultsWrittenBack) {
    const std::optional<std::string> cases[] = {
        std::nullopt,
        "",
        "#TRUE#,#FALSE#,#FALSE#,#FALSE#\r\n1,2,3,4\r\n5,6,7,8\r\n",
        "#TRUE#,#FALSE#,#FALSE#,#FALSE#\r\n1,2,3,4\r\n5,6,7,8\r\n9,x\r\n",
    };
    for (const auto& content : cases) {
        fs::remove(file_);
        if (content) WriteAll(file_, *content);
        const AlarmsLoad load = LoadAlarmSettings(file_);
        EXPECT_EQ(load.settings, AlarmSettings{});
        EXPECT_FALSE(load.saveFailed);
        EXPECT_EQ(ReadAll(file_), kDefaultFile);
        EXPECT_EQ(Entries(folder_).size(), 1u) << "a temporary file was left behind";
    }
}

TEST_F(AlarmsFile, SavedFileLoadsBackAndIsLeftAlone) {
    WriteAll(file_, kDefaultFile + "some much longer text that a rewrite must not leave behind");
    ASSERT_TRUE(SaveAlarmSettings(Custom(), file_));
    EXPECT_EQ(ReadAll(file_), kCustomFile);
    const AlarmsLoad load = LoadAlarmSettings(file_);
    EXPECT_EQ(load.settings, Custom());
    EXPECT_FALSE(load.saveFailed);
    EXPECT_EQ(ReadAll(file_), kCustomFile);
    EXPECT_EQ(Entries(folder_).size(), 1u);
}

// Root writes into read-only folders, so these paths fail for reasons that hold for root too.
TEST_F(AlarmsFile, UnwritablePathIsReportedAndDefaultsStay) {
    WriteAll(folder_ / "plain", "a regular file");
    fs::create_directories(file_ / "inside");
    const fs::path cases[] = {folder_ / "no such folder" / "WxAlarms.ini",
                              folder_ / "plain" / "WxAlarms.ini", file_};
    for (const auto& path : cases) {
        EXPECT_FALSE(SaveAlarmSettings(Custom(), path)) << path;
        const AlarmsLoad load = LoadAlarmSettings(path);
        EXPECT_EQ(load.settings, AlarmSettings{}) << path;
        EXPECT_TRUE(load.saveFailed) << path;
    }
    EXPECT_TRUE(fs::is_directory(file_ / "inside"));
    EXPECT_EQ(Entries(folder_).size(), 2u) << "a temporary file was left behind";
}

// Limits the size of files this process writes, as a full disk would.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, oldHandler_);
    }

  private:
    rlimit saved_{};
    void (*oldHandler_)(int) = nullptr;
};

TEST_F(AlarmsFile, WriteFailingHalfwayKeepsTheOldFile) {
    WriteAll(file_, kCustomFile);
    bool saved = true;
    {
        FileSizeLimit limit(16);
        saved = SaveAlarmSettings(AlarmSettings{}, file_);
    }
    EXPECT_FALSE(saved);
    EXPECT_EQ(ReadAll(file_), kCustomFile);
    EXPECT_EQ(Entries(folder_).size(), 1u) << "a temporary file was left behind";
}

TEST_F(AlarmsFile, DecimalCommaLocaleKeepsThePoint) {
    testing::DecimalCommaLocale locale;
    ASSERT_TRUE(locale.CLocaleSet())
        << testing::DecimalCommaLocale::kName << " missing: run scripts/install-deps.sh";
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    std::ostringstream cppSide;
    cppSide << 12.5;
    ASSERT_EQ(cppSide.str(), "12,5");

    ASSERT_TRUE(SaveAlarmSettings(Custom(), file_));
    EXPECT_EQ(ReadAll(file_), kCustomFile);
    EXPECT_EQ(LoadAlarmSettings(file_).settings, Custom());
}

}  // namespace
}  // namespace pluvetta
