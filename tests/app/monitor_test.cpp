#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>

#include "app/fake_ports.h"
#include "app/monitor.h"

namespace pluvetta {
namespace {

namespace fs = std::filesystem;
using testing::Journal;

// A monitor on fakes that share one journal, watching Q1XYZ-13 until a start says otherwise,
// with its executable folder in a fresh temporary folder.
struct Rig : testing::MonitorOnFakes {
    explicit Rig(NumberFormat format = {}) : MonitorOnFakes(std::move(format)) {
        monitor.Station().StationCall = "Q1XYZ-13";
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
    }
    ~Rig() { std::filesystem::remove_all(folder); }

    // What the fakes noted since the last call.
    Journal Take() { return std::exchange(journal, {}); }

    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() /
        ("pluvetta-monitor-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
         ::testing::UnitTest::GetInstance()->current_test_info()->name());
};

constexpr const char* kDefaultAlarmsFile =
    "#FALSE#,#TRUE#,#TRUE#,#TRUE#\r\n-5,40,20,96\r\n900,1040,40,250\r\n50,80\r\n";

std::string ReadFile(const fs::path& path) {
    std::stringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

TEST(MonitorStart, ConnectsTheLinksTheCommandLineAsksForOrAsksForTheSetup) {
    const std::pair<const char*, Journal> cases[] = {
        {"  ", {"setup modal"}},
        {"q1xyz-13", {"agw connect localhost:8000"}},
        {"Q1XYZ S:hosta:14580", {"server connect hosta:14580"}},
    };
    for (const auto& [commandLine, journal] : cases) {
        Rig rig;
        rig.monitor.Start(commandLine, rig.folder);
        EXPECT_EQ(rig.Take(), journal);
        EXPECT_TRUE(rig.monitor.ReportGate());
        EXPECT_EQ(ReadFile(rig.folder / "WxAlarms.ini"), kDefaultAlarmsFile);
    }
    // Where the alarms file cannot be written, the defaults stay and the user is told once.
    Rig rig;
    rig.monitor.Start("", rig.folder / "gone");
    EXPECT_EQ(rig.Take(), (Journal{"warning [" + (rig.folder / "gone" / "WxAlarms.ini").string() +
                                       "] Unable to save Wx Alarm values",
                                   "setup modal"}));
    EXPECT_EQ(rig.monitor.Station().StationCall, "NOCALL");
    EXPECT_EQ(rig.monitor.Alarms(), AlarmSettings{});
}

TEST(MonitorShutdown, ClosesBothLinksAndSavesOnlyWithSave) {
    Rig rig;
    rig.monitor.Start("Q1XYZ", rig.folder);
    rig.monitor.Alarms().HiTemp = 35.5f;
    rig.monitor.Shutdown();
    EXPECT_EQ(rig.Take(), (Journal{"agw connect localhost:8000", "agw close", "server close"}));
    EXPECT_EQ(ReadFile(rig.folder / "WxAlarms.ini"), kDefaultAlarmsFile);

    rig.monitor.Start("Q1XYZ A:hostb SAVE", rig.folder);
    rig.monitor.Alarms().HiTemp = 35.5f;
    rig.monitor.Shutdown();
    EXPECT_EQ(ReadFile(rig.folder / "WxAlarms.ini"),
              "#FALSE#,#TRUE#,#TRUE#,#TRUE#\r\n-5,35.5,20,96\r\n900,1040,40,250\r\n50,80\r\n");

    // The folder turns into a plain file: the save fails and says so, once.
    rig.Take();
    fs::remove_all(rig.folder);
    std::ofstream(rig.folder) << "not a folder";
    EXPECT_FALSE(rig.monitor.Shutdown());
    EXPECT_EQ(rig.Take(), (Journal{"agw close", "server close",
                                   "warning [" + (rig.folder / "WxAlarms.ini").string() +
                                       "] Unable to save Wx Alarm values"}));
    // A session ending under a signal has nobody to answer a box.
    EXPECT_FALSE(rig.monitor.Shutdown(Monitor::ShutdownBy::Signal));
    EXPECT_EQ(rig.Take(), (Journal{"agw close", "server close"}));
}

TEST(MonitorShutdown, AlarmsFileThatCouldNotBeReadIsToldOnceAndNotSavedOver) {
    Rig rig;
    const fs::path file = rig.folder / "WxAlarms.ini";
    fs::create_symlink(file, file);  // a loop: it exists, but cannot be opened
    rig.monitor.Start("Q1XYZ A:hostb SAVE", rig.folder);
    EXPECT_EQ(rig.Take(), (Journal{"warning [" + file.string() +
                                       "] Unable to read Wx Alarm values: the defaults are in use",
                                   "agw connect hostb:8000"}));
    EXPECT_EQ(rig.monitor.Alarms(), AlarmSettings{});
    EXPECT_TRUE(rig.monitor.Shutdown());
    EXPECT_TRUE(fs::is_symlink(file));
    // Values the user set in this run are worth more than the file nobody could read.
    rig.monitor.Alarms().HiTemp = 35.5f;
    EXPECT_FALSE(rig.monitor.Shutdown());
}

TEST(MonitorLinks, ConnectNamesTheStationAndStartResetsTheReadoutInOrder) {
    Rig rig;
    rig.monitor.Station().ServerHost = "hosta";
    rig.monitor.ProcessWeatherReport("_10090556c220s004t077h50b10132");
    rig.Take();
    rig.monitor.Server().OnConnected();
    EXPECT_EQ(rig.Take(),
              (Journal{"lblWxComment=Pluvetta connected to hosta", "caption=Q1XYZ-13 Wx Station",
                       "traytip=Q1XYZ-13 Wx Station", "lblWxData=Pluvetta v6",
                       "lblPress=", "lblTemp=", "lblUR=", "lblRain=", "lblElapsed=00"}));
    for (const RecordingCanvas& box : rig.screen.trend) EXPECT_TRUE(box.SinceLastClear().empty());
    EXPECT_FALSE(rig.monitor.TrendReady());
    EXPECT_EQ(rig.monitor.MinutesSinceReport(), 0);

    // The AGWPE link leaves the comment line to the engine's version reply.
    rig.monitor.Connected(LinkKind::Agw);
    rig.monitor.EngineVersion(2005, 17);
    rig.monitor.RadioPorts("2");
    EXPECT_EQ(rig.Take(), (Journal{"caption=Q1XYZ-13 Wx Station", "traytip=Q1XYZ-13 Wx Station",
                                   "lblWxComment=Pluvetta connesso a AGWPE v2005.17",
                                   "lblRain=Porte Radio : 2"}));
}

// A failed link warns, then is closed and switched off, and the setup opens unless it is open;
// a lost one is closed and switched off without a box, so that nobody away from the screen is
// held up by one.
TEST(MonitorLinks, FailedOrLostLinkIsClosedAndSwitchedOff) {
    const std::string box = "warning [Errore collegamento ";
    // clang-format off
    const std::tuple<LinkKind, bool, bool, Journal> cases[] = {
        {LinkKind::Server, true, false, {box + "TCP [Q1XYZ-13]] refused", "server close", "setup modal"}},
        {LinkKind::Agw, true, true, {box + "con AGWPE [Q1XYZ-13]] refused", "agw close"}},
        {LinkKind::Server, false, false, {"server close", "lblWxComment=Aprs Server Disconnected"}},
        {LinkKind::Agw, false, false, {"agw close", "lblWxComment=AGWPE Disconnected"}},
    };
    // clang-format on
    for (const auto& [link, failed, setupOpen, journal] : cases) {
        Rig rig;
        StationSettings& station = rig.monitor.Station();
        station.AgwEnabled = station.ServerEnabled = true;
        rig.desktop.setupVisible = setupOpen;
        failed ? rig.monitor.Failed(link, "refused") : rig.monitor.Lost(link);
        EXPECT_EQ(rig.Take(), journal);
        EXPECT_EQ(station.ServerEnabled, link != LinkKind::Server);
        EXPECT_EQ(station.AgwEnabled, link != LinkKind::Agw);
    }
}

// Every packet with rows shows them; the watched station's, while the gate is open, is also
// logged and, when it carries weather, decoded. {"-"} stands for a packet without rows.
TEST(MonitorLinks, PacketsOfTheWatchedStationAreLoggedAndDecodedWhileTheGateIsOpen) {
    const std::string wx = "_10090556c220s004t077";
    const std::string head = "[12:34:56] H:\r\n";
    using enum LinkKind;
    // clang-format off
    const std::tuple<LinkKind, const char*, std::vector<std::string_view>, bool, std::string, bool> cases[] = {
        {Server, "Q1XYZ-13", {"H:", wx}, true, head + wx + "\r\n", true},
        {Agw, "Q1XYZ-13", {"1: Q1XYZ-13 To APRS", wx}, true, "1: Q1XYZ-13 To APRS\r\n" + wx + "\r\n", true},
        {Server, "Q1XYZ-13", {"H:", wx}, false, "", false},
        {Server, "q1xyz-13", {"H:", wx}, true, "", false},
        {Server, "Q1XYZ-1", {"H:", wx}, true, "", false},
        {Server, "Q1XYZ", {"H:", wx}, true, "", false},
        {Server, "Q1XYZ-13", {"H:", "!4903.50N/07201.75W-"}, true, head + "!4903.50N/07201.75W-\r\n", false},
        {Server, "Q1XYZ-13", {"H:", ">status _"}, true, head + ">status _\r\n", false},
        // The information is the last row; the log takes two, a missing one as empty.
        {Agw, "Q1XYZ-13", {wx}, true, wx + "\r\n\r\n", true},
        {Agw, "Q1XYZ-13", {}, true, "\r\n\r\n", false},
        {Agw, "Q1XYZ-13", {"-"}, true, "old\r\nrows\r\n", false},
    };
    // clang-format on
    for (const auto& [link, sender, rows, gateOpen, log, decoded] : cases) {
        SCOPED_TRACE(std::string(sender) + " " + std::to_string(rows.size()));
        Rig rig;
        const std::array<std::string_view, 2> old = {"old", "rows"};
        rig.monitor.Packet(Server, {.sender = "Q2ABC", .hasRows = true, .rows = old});
        if (!gateOpen) rig.monitor.ProcessWeatherReport("_10090556c220s004");
        const bool keepsRows = rows.size() == 1 && rows[0] == "-";
        rig.monitor.Packet(link, {.sender = sender, .hasRows = !keepsRows, .rows = rows});
        const auto& shown =
            keepsRows ? std::vector<std::string_view>(old.begin(), old.end()) : rows;
        EXPECT_EQ(rig.screen.rxRows, std::vector<std::string>(shown.begin(), shown.end()));
        EXPECT_EQ(rig.screen.logText, log);
        EXPECT_EQ(rig.screen.Caption(Label::Temp) != "<unset>", decoded);
    }
}

constexpr const char* kWorkedExample =
    "!4903.50N/07201.75W_220/004g005t077r000p000P000h50b09900wRSW";

// The captions themselves are the readout's; here: what the monitor does around them, with
// numbers in the user's format.
TEST(ProcessWeatherReport, WindReportDrawsTheRoseClosesTheGateAndRaisesTheWindow) {
    Rig rig(NumberFormat{",", ".", "-"});
    rig.monitor.ProcessWeatherReport(kWorkedExample);
    const testing::FakeScreen& s = rig.screen;
    EXPECT_EQ(s.Caption(Label::Press), "990,0 mb");
    // Cleared, then the direction dot and the two needles.
    ASSERT_EQ(s.rose.calls.size(), 4u);
    EXPECT_EQ(s.rose.calls[0].kind, RecordingCanvas::Kind::Clear);
    EXPECT_FALSE(s.calmVisible);
    EXPECT_EQ(s.fontPoints.at(Label::Rain), 8);
    EXPECT_EQ(s.Caption(Label::Elapsed), "00");
    // The first report after a start clears the trend boxes but draws no arrow.
    for (const RecordingCanvas& box : s.trend) EXPECT_EQ(box.calls.size(), 1u);
    EXPECT_FALSE(rig.monitor.ReportGate());
    EXPECT_TRUE(rig.monitor.TrendReady());
    EXPECT_EQ(rig.desktop.timerRestarts, 1);
    EXPECT_EQ(rig.desktop.bringsToFront, 1);  // FocusOnData is on by default
    EXPECT_EQ(rig.desktop.beeps, 0);
}

TEST(ProcessWeatherReport, CalmAirShowsTheCalmLabelWithoutNeedles) {
    Rig rig;
    rig.monitor.ProcessWeatherReport("_10090556c270s000g000t050");
    EXPECT_TRUE(rig.screen.calmVisible);
    EXPECT_EQ(rig.screen.rose.SinceLastClear().size(), 0u);
    rig.monitor.ProcessWeatherReport("_10090556c270s000g010t050");  // a gust is not calm
    EXPECT_FALSE(rig.screen.calmVisible);
    EXPECT_EQ(rig.screen.rose.SinceLastClear().size(), 3u);
}

// A value the report lacks keeps its caption, colour and arrow; the tooltip reads the
// captions the labels hold, kept ones included.
TEST(ProcessWeatherReport, AbsentValuesKeepCaptionColourArrowAndTooltipText) {
    Rig rig;
    rig.monitor.Alarms().HiTemp = 20.0f;
    rig.monitor.ProcessWeatherReport(kWorkedExample);  // 25 C: in alarm
    rig.monitor.ProcessWeatherReport("_10090556c220s004t077");
    ASSERT_EQ(rig.screen.trend[0].SinceLastClear().size(), 2u);  // the same again: level sign
    const auto arrow = rig.screen.trend[0].calls;
    rig.monitor.ProcessWeatherReport("_10090556c...s...r010");  // no temperature, no wind
    EXPECT_EQ(rig.screen.Caption(Label::Temp), "25.0\260C");
    EXPECT_EQ(rig.screen.colors.at(Label::Temp), kAlarmRed);
    EXPECT_EQ(rig.screen.trend[0].calls, arrow);
    EXPECT_EQ(rig.screen.trayTooltip, "Q1XYZ-13 220\260  6 km/h 25.0\260C 50% 990.0 mb 3mm/h ");
}

// The second report, its box, the lines drawn there (4 for an arrow, 2 for the level sign)
// and where the first starts (200 for an arrow up, 35 for one down).
TEST(ProcessWeatherReport, ArrowsCompareWithTheLastShownValueOfTheirBox) {
    const std::tuple<const char*, TrendBox, std::size_t, double> cases[] = {
        {"_10090556c220s004b10133", TrendBox::Press, 4, 200},
        {"_10090556c220s004b10132", TrendBox::Press, 2, 100},
        {"_10090556c220s004h49", TrendBox::UR, 4, 35},
        {"_10090556c220s004t078", TrendBox::Temp, 4, 200},
    };
    for (const auto& [second, box, lines, shaftTopY] : cases) {
        Rig rig;
        rig.monitor.ProcessWeatherReport("_10090556c220s004t077h50b10132");
        rig.monitor.ProcessWeatherReport(second);
        const auto shown = rig.screen.trend[static_cast<std::size_t>(box)].SinceLastClear();
        ASSERT_EQ(shown.size(), lines) << second;
        EXPECT_EQ(shown[0].from.y, shaftTopY) << second;
    }
}

TEST(ProcessWeatherReport, AlarmsRaiseAndBeepOnceWhateverTheirNumber) {
    for (const WindowState state :
         {WindowState::Normal, WindowState::Minimised, WindowState::Maximised}) {
        Rig rig;
        rig.monitor.Alarms().FocusOnData = false;
        rig.desktop.state = state;
        // Wind 80 km/h, gust over 80, hot, humid and low pressure: five alarms at once.
        rig.monitor.ProcessWeatherReport("_10090556c220s050g060t110h99b08800");
        EXPECT_EQ(rig.desktop.beeps, 1);
        EXPECT_EQ(rig.desktop.restores, state == WindowState::Normal ? 0 : 1);
        EXPECT_EQ(rig.desktop.bringsToFront, state == WindowState::Normal ? 1 : 0);
        EXPECT_EQ(rig.screen.colors.at(Label::Press), kAlarmRed);
    }
}

TEST(ProcessWeatherReport, OnlyReportsWithWindDataCloseTheGateAndBeepForData) {
    Rig rig;
    rig.monitor.Alarms().BeepOnData = true;
    rig.monitor.ProcessWeatherReport("_10090556c...s...t077");
    EXPECT_TRUE(rig.monitor.ReportGate());
    EXPECT_EQ(rig.desktop.timerRestarts, 0);
    EXPECT_EQ(rig.desktop.beeps, 0);
    EXPECT_EQ(rig.desktop.bringsToFront, 1);  // raise on data applies to every report
    rig.monitor.ProcessWeatherReport("_10090556c-99s000t077");  // -99 is wind data, not a direction
    EXPECT_FALSE(rig.monitor.ReportGate());
    EXPECT_EQ(rig.desktop.timerRestarts, 1);
    EXPECT_EQ(rig.desktop.beeps, 1);
    EXPECT_TRUE(rig.screen.rose.calls.empty());
}

TEST(ElapsedTick, CountsToNinetyNineAndReopensTheGate) {
    Rig rig;
    rig.monitor.ProcessWeatherReport(kWorkedExample);
    rig.monitor.OnElapsedTick();
    EXPECT_TRUE(rig.monitor.ReportGate());
    EXPECT_EQ(rig.screen.Caption(Label::Elapsed), "01");
    for (int i = 0; i < 120; ++i) rig.monitor.OnElapsedTick();
    EXPECT_EQ(rig.screen.Caption(Label::Elapsed), "99");
    rig.monitor.ProcessWeatherReport(kWorkedExample);
    EXPECT_EQ(rig.screen.Caption(Label::Elapsed), "00");
    EXPECT_EQ(rig.monitor.MinutesSinceReport(), 0);
}

}  // namespace
}  // namespace pluvetta
