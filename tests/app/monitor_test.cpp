#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "app/alarms_file.h"
#include "app/fake_ports.h"
#include "app/monitor.h"

namespace pluvetta {
namespace {

namespace fs = std::filesystem;
using testing::Journal;
using testing::MonitorOnFakes;
using testing::TempFolder;
using enum LinkKind;

std::string Warning(const fs::path& file, const char* text) {
    return "warning [" + file.string() + "] Unable to " + text;
}

// A start connects the link the command line names and takes the alarms file beside the
// executable, or opens the setup without a call; a file that cannot be written or read is told
// once. The shutdown closes both links and saves with SAVE only, not over a file it could not
// read unless the user changed the values, and tells a failed save only to a user who closed.
TEST(MonitorStartAndShutdown, AlarmsFileIsSavedWithSaveOnlyAndItsFaultsAreToldOnce) {
    TempFolder folder;
    const fs::path file = folder.path / "WxAlarms.ini";
    MonitorOnFakes nocall;
    nocall.monitor.Start("  ", folder.path / "gone");
    nocall.monitor.Alarms().HiTemp = 35.5f;
    EXPECT_TRUE(nocall.monitor.Shutdown());  // without SAVE, no save into the missing folder
    EXPECT_EQ(nocall.Take(),
              (Journal{Warning(folder.path / "gone" / "WxAlarms.ini", "save Wx Alarm values"),
                       "setup modal", "agw close", "server close"}));
    EXPECT_EQ(nocall.monitor.SetupFilling().call, "NOCALL");

    MonitorOnFakes saving;
    ASSERT_TRUE(SaveAlarmSettings({.LoTemp = -7.5f}, file));
    saving.monitor.Start("Q1XYZ S:hosta:14580 SAVE", folder.path);
    EXPECT_EQ(saving.monitor.Alarms().LoTemp, -7.5f);
    saving.monitor.Alarms().HiTemp = 35.5f;
    EXPECT_TRUE(saving.monitor.Shutdown());
    EXPECT_EQ(saving.Take(), (Journal{"server connect hosta:14580", "agw close", "server close"}));
    EXPECT_EQ(LoadAlarmSettings(file).settings.HiTemp, 35.5f);

    fs::remove(file);
    fs::create_symlink(file, file);  // a loop: it exists, but cannot be opened
    MonitorOnFakes unread;
    // A logout while the box is up: a save over the loop would fail.
    unread.desktop.whileWarningUp = [&unread] {
        EXPECT_TRUE(unread.monitor.Shutdown(Monitor::ShutdownBy::Signal));
    };
    unread.monitor.Start("Q1XYZ A:hostb SAVE", folder.path);
    EXPECT_EQ(unread.Take(),
              (Journal{Warning(file, "read Wx Alarm values: the defaults are in use"), "agw close",
                       "server close", "agw connect hostb:8000"}));
    unread.monitor.Alarms().HiTemp = 35.5f;
    EXPECT_FALSE(unread.monitor.Shutdown(Monitor::ShutdownBy::Signal));
    EXPECT_FALSE(unread.monitor.Shutdown());
    EXPECT_EQ(unread.Take(), (Journal{"agw close", "server close", "agw close", "server close",
                                      Warning(file, "save Wx Alarm values")}));
}

TEST(MonitorLinks, ConnectNamesTheStationAndStartBlanksTheReadoutInOrder) {
    MonitorOnFakes rig;
    rig.monitor.Station().ServerHost = "hosta";
    rig.monitor.ProcessWeatherReport("_10090556c220s004t077h50b10132");
    rig.monitor.ProcessWeatherReport("_10090556c220s004t078h51b10133");  // three arrows
    rig.monitor.OnElapsedTick();
    rig.Take();
    rig.monitor.Server().OnConnected();
    EXPECT_EQ(rig.Take(),
              (Journal{"lblWxComment=Pluvetta connected to hosta", "caption=Q1XYZ-13 Wx Station",
                       "traytip=Q1XYZ-13 Wx Station", "lblWxData=Pluvetta v6",
                       "lblPress=", "lblTemp=", "lblUR=", "lblRain=", "lblElapsed=00"}));
    for (const RecordingCanvas& box : rig.screen.trend) EXPECT_TRUE(box.SinceLastClear().empty());
    EXPECT_EQ(std::tuple(rig.monitor.TrendReady(), rig.monitor.MinutesSinceReport()),
              std::tuple(false, 0));

    // The AGWPE link leaves the comment line to the engine's version reply.
    rig.monitor.Connected(Agw);
    rig.monitor.EngineVersion(2005, 17);
    rig.monitor.RadioPorts("2");
    EXPECT_EQ(rig.Take(), (Journal{"caption=Q1XYZ-13 Wx Station", "traytip=Q1XYZ-13 Wx Station",
                                   "lblWxComment=Pluvetta connesso a AGWPE v2005.17",
                                   "lblRain=Porte Radio : 2"}));
}

// A failed link warns, is closed and switched off, and opens the setup unless it is open; a
// lost one only says so on the comment line, so as not to hold up a user away from the screen.
TEST(MonitorLinks, FailedOrLostLinkIsClosedAndSwitchedOff) {
    const std::string box = "warning [Errore collegamento ";
    const std::tuple<LinkKind, bool, bool, Journal> cases[] = {
        {Server, true, false, {box + "TCP [Q1XYZ-13]] refused", "server close", "setup modal"}},
        {Agw, true, true, {box + "con AGWPE [Q1XYZ-13]] refused", "agw close"}},
        {Server, false, false, {"server close", "lblWxComment=Aprs Server Disconnected"}},
        {Agw, false, false, {"agw close", "lblWxComment=AGWPE Disconnected"}}};
    for (const auto& [link, failed, setupOpen, journal] : cases) {
        MonitorOnFakes rig;
        StationSettings& station = rig.monitor.Station();
        station.AgwEnabled = station.ServerEnabled = true;
        rig.desktop.setupVisible = setupOpen;
        failed ? rig.monitor.Failed(link, "refused") : rig.monitor.Lost(link);
        EXPECT_EQ(rig.Take(), journal);
        EXPECT_EQ(station.ServerEnabled, link != Server);
        EXPECT_EQ(station.AgwEnabled, link != Agw);
    }
}

// A box belongs to the connection attempt that failed: answered after the user has connected
// the link again, it leaves the new connection alone.
TEST(MonitorLinks, BoxAnsweredAfterAReconnectLeavesTheNewConnection) {
    MonitorOnFakes rig;
    rig.monitor.Station().AgwEnabled = rig.monitor.Station().ServerEnabled = true;
    rig.desktop.whileWarningUp = [&rig] {
        rig.monitor.Failed(Server, "refused");  // answered at once: the setup opens
        SetupForm form = rig.monitor.SetupFilling();
        form.Number(SetupField::AgwPort) = "8001";
        rig.monitor.AcceptSetup(form);
        rig.Take();
    };
    rig.monitor.Failed(Agw, "refused");
    EXPECT_EQ(std::tuple(rig.Take(), rig.monitor.Station().AgwEnabled),
              std::tuple(Journal{}, true));
}

// Every packet with rows shows them; the watched station's, while the gate is open, is logged
// (two rows, a missing one empty, a server line with the time added) and decoded if weather.
const std::string wx = "_10090556c220s004t077", head = "[12:34:56] H:\r\n";

TEST(MonitorLinks, PacketsOfTheWatchedStationAreLoggedAndDecodedWhileTheGateIsOpen) {
    struct Case {
        LinkKind link = Server;
        const char* call = "Q1XYZ-13";
        const char* sender = "Q1XYZ-13";
        std::vector<std::string_view> rows = {"H:", wx};
        bool hasRows = true, gateOpen = true, decoded = false;
        std::string log{};
        Options options{};
        std::string kept = "Q1XYZ-13 aprsis";
    };
    const std::string hot = "_10090556c220s004t095h50";
    const Case cases[] = {
        {.decoded = true, .log = head + wx + "\r\n"},
        {.link = Agw,
         .rows = {"1:", wx},
         .decoded = true,
         .log = "1:\r\n" + wx + "\r\n",
         .kept = "Q1XYZ-13 agwpe"},
        // Kept with the formulas chosen, and not at all when the options say so.
        {.rows = {"H:", hot},
         .decoded = true,
         .log = head + hot + "\r\n",
         .options = {.formulas = {.heatIndex = true}},
         .kept = "Q1XYZ-13 aprsis hi"},
        {.decoded = true,
         .log = head + wx + "\r\n",
         .options = {.historyRecord = false},
         .kept = ""},
        {.link = Agw, .rows = {}, .log = "\r\n\r\n"},
        {.link = Agw, .hasRows = false, .log = "old\r\nrows\r\n"},
        {.gateOpen = false},
        {.sender = "q1xyz-13"},
        {.sender = "Q1XYZ"},
        {.call = "", .sender = ""},  // an empty call matches nothing
    };
    const std::vector<std::string_view> old = {"old", "rows"};
    // Each decoded report is also kept, with the call and the link it came by.
    struct Recorder : ReportRecorder {
        void Record(ReportRow row) override {
            rows.push_back(row.station + " " + row.link + (row[Value::HeatIndex] ? " hi" : ""));
        }
        std::vector<std::string> rows;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(&c - cases);
        MonitorOnFakes rig;
        rig.monitor.Station().StationCall = c.call;
        Recorder recorder;
        rig.monitor.RecordReportsTo(&recorder);
        rig.monitor.ApplyOptions(c.options);
        rig.monitor.Packet(Server, {.sender = "Q2ABC", .hasRows = true, .rows = old});
        if (!c.gateOpen) rig.monitor.ProcessWeatherReport("_10090556c220s004");
        rig.monitor.Packet(c.link, {.sender = c.sender, .hasRows = c.hasRows, .rows = c.rows});
        const auto& shown = c.hasRows ? c.rows : old;
        EXPECT_EQ(rig.screen.rxRows, std::vector<std::string>(shown.begin(), shown.end()));
        EXPECT_EQ(rig.screen.logText, c.log);
        EXPECT_EQ(rig.screen.Caption(Label::Temp) != "<unset>", c.decoded);
        EXPECT_EQ(recorder.rows,
                  c.decoded && !c.kept.empty() ? std::vector{c.kept} : std::vector<std::string>{});
    }
}

// Only wind data restarts the minute timer and closes the gate until the next tick; the ticks
// count the minutes since the last report up to 99.
TEST(ProcessWeatherReport, ReportsWithWindDataDrawTheRoseAndCloseTheGateForAMinute) {
    MonitorOnFakes rig;
    const testing::FakeScreen& s = rig.screen;
    rig.monitor.Alarms().BeepOnData = true;
    rig.monitor.ProcessWeatherReport("_10090556c...s...t077");
    // FocusOnData, on by default, takes every report.
    EXPECT_EQ(std::tuple(rig.monitor.ReportGate(), rig.desktop.timerRestarts, rig.desktop.beeps,
                         rig.desktop.bringsToFront),
              std::tuple(true, 0, 0, 1));
    // The first report after a start clears its trend boxes but draws no arrow.
    EXPECT_EQ(s.trend[0].calls, std::vector<RecordingCanvas::Call>{{}});
    // -99 is wind data, though no direction to draw.
    rig.monitor.ProcessWeatherReport("_10090556c-99s000t077");
    EXPECT_EQ(std::tuple(rig.monitor.ReportGate(), rig.desktop.timerRestarts, rig.desktop.beeps,
                         s.rose.calls.empty()),
              std::tuple(false, 1, 1, true));
    for (int i = 0; i < 120; ++i) rig.monitor.OnElapsedTick();
    EXPECT_EQ(std::tuple(rig.monitor.ReportGate(), s.Caption(Label::Elapsed)),
              std::tuple(true, "99"));

    rig.monitor.ProcessWeatherReport("_10090556c220s004g005t077r000p000P000h50b09900");
    EXPECT_EQ(std::tuple(s.rose.calls.empty(), s.calmVisible, s.fontPoints.at(Label::Rain),
                         s.Caption(Label::Elapsed)),
              std::tuple(false, false, 8, "00"));
    rig.monitor.OnElapsedTick();
    EXPECT_EQ(s.Caption(Label::Elapsed), "01");
    rig.monitor.ProcessWeatherReport("_10090556c270s000g000");
    EXPECT_TRUE(s.calmVisible);
}

// Each box compares with the last value it showed (an arrow up starts at 200, one down at 35);
// a value the report lacks keeps its caption, colour and arrow, which the tooltip reads too.
TEST(ProcessWeatherReport, ArrowsCompareWithTheLastShownValueAndAbsentValuesKeepTheirs) {
    MonitorOnFakes rig(NumberFormat{",", ".", "-"});
    const testing::FakeScreen& s = rig.screen;
    const auto shaftTop = [&s](TrendBox box) {
        return s.trend[static_cast<std::size_t>(box)].SinceLastClear().at(0).from.y;
    };
    rig.monitor.Alarms().HiTemp = 20.0f;
    rig.monitor.ProcessWeatherReport("_10090556c220s004t077h50b10132");
    rig.monitor.ProcessWeatherReport("_10090556c220s004t078h49b10133");
    EXPECT_EQ(
        std::tuple(shaftTop(TrendBox::Temp), shaftTop(TrendBox::UR), shaftTop(TrendBox::Press)),
        std::tuple(200, 35, 200));
    const auto arrow = s.trend[0].calls;
    rig.monitor.ProcessWeatherReport("_10090556c...s...r010");  // no temperature, no wind
    EXPECT_EQ(s.colors.at(Label::Temp), kAlarmRed);
    EXPECT_EQ(s.trend[0].calls, arrow);
    EXPECT_THAT(
        rig.Take(),
        ::testing::Contains("traytip=Q1XYZ-13 220\260  6 km/h 25,6\260C 49% 1.013,3 mb 3mm/h "));
    rig.monitor.ProcessWeatherReport("_10090556c220s004t077");
    EXPECT_EQ(shaftTop(TrendBox::Temp), 35);
}

// Five alarms at once: wind 80 km/h, gust over 80, hot, humid and low pressure. The window is
// raised, out of the tray when it is not shown normally, and beeps once.
TEST(ProcessWeatherReport, AlarmsRaiseAndBeepOnceWhateverTheirNumber) {
    MonitorOnFakes rig;
    rig.monitor.Alarms().FocusOnData = false;
    for (const WindowState state :
         {WindowState::Normal, WindowState::Minimised, WindowState::Maximised}) {
        rig.desktop.state = state;
        rig.monitor.ProcessWeatherReport("_10090556c220s050g060t110h99b08800");
    }
    EXPECT_EQ(std::tuple(rig.desktop.beeps, rig.desktop.restores, rig.desktop.bringsToFront),
              std::tuple(3, 2, 1));
    EXPECT_EQ(rig.screen.colors.at(Label::WxData), kAlarmRed);
    // The wind label turns blue on every report, also one that keeps its caption.
    rig.monitor.ProcessWeatherReport("_10090556c-99s000");
    EXPECT_EQ(rig.screen.colors.at(Label::WxData), kNormalBlue);
}

}  // namespace
}  // namespace pluvetta
