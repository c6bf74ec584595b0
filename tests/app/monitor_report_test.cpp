#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/fake_ports.h"
#include "app/monitor.h"

namespace pluvetta {
namespace {

using testing::FakeDesktop;
using testing::FakeScreen;
using testing::FakeSocket;
using Kind = RecordingCanvas::Kind;

constexpr const char* kWorkedExample =
    "!4903.50N/07201.75W_220/004g005t077r000p000P000h50b09900wRSW";
constexpr const char* kPositionless = "_10090556c220s004g005t077r000p000P000h50b09900wRSW";

NumberFormat Italian() { return {",", ".", "-"}; }

// A monitor on fakes that has run its start-up with a call sign; no alarms file is involved
// because the reports only read the settings in memory.
struct Rig {
    explicit Rig(NumberFormat format = {}) : monitor(screen, desktop, agw, server, format) {
        monitor.Station().StationCall = "Q1XYZ-13";
    }
    FakeScreen screen;
    FakeDesktop desktop;
    FakeSocket agw;
    FakeSocket server;
    Monitor monitor;
};

std::string Caption(const FakeScreen& screen, Label label) {
    auto it = screen.captions.find(label);
    return it == screen.captions.end() ? "<unset>" : it->second;
}

TEST(ProcessWeatherReport, WorkedExampleFillsTheWholeReadout) {
    for (const char* info : {kWorkedExample, kPositionless}) {
        SCOPED_TRACE(info);
        Rig rig;
        rig.monitor.ProcessWeatherReport(info);
        const FakeScreen& s = rig.screen;
        EXPECT_EQ(Caption(s, Label::WxData), "220\xB0  6 / 8 km/h");
        EXPECT_EQ(Caption(s, Label::Temp),
                  "25.0\xB0"
                  "C");
        EXPECT_EQ(Caption(s, Label::UR), "50%");
        EXPECT_EQ(Caption(s, Label::Press), "990.0 mb");
        EXPECT_EQ(Caption(s, Label::Rain),
                  "0mm/h 0mm/24h\r\n0mm/Day Dp 13.8\xB0"
                  "C  11.5g/m\xB3");
        EXPECT_EQ(s.fontPoints.at(Label::Rain), 8);
        EXPECT_EQ(Caption(s, Label::WxComment), " wRSW");
        EXPECT_EQ(Caption(s, Label::Elapsed), "00");
        for (Label l : {Label::WxData, Label::Temp, Label::UR, Label::Press, Label::Rain}) {
            EXPECT_EQ(s.colors.at(l), kNormalBlue);
        }
        EXPECT_EQ(s.trayTooltip,
                  "Q1XYZ-13 220\xB0  6 / 8 km/h 25.0\xB0"
                  "C 50% 990.0 mb 0mm/h 0mm/24h\r\n"
                  "0mm/Day Dp 13.8\xB0"
                  "C  11.5g/m\xB3");
        EXPECT_FALSE(s.calmVisible);
        // Clear, green dot, red gust needle, yellow speed needle on top.
        ASSERT_EQ(s.rose.calls.size(), 4u);
        EXPECT_EQ(s.rose.calls[0].kind, Kind::Clear);
        EXPECT_EQ(s.rose.calls[1].color, (Rgb{0, 255, 0}));
        EXPECT_EQ(s.rose.calls[2].color, (Rgb{255, 0, 0}));
        EXPECT_EQ(s.rose.calls[3].color, (Rgb{255, 255, 0}));
        // First report: the trend boxes are cleared but get no arrow.
        for (const RecordingCanvas& box : s.trend) {
            ASSERT_EQ(box.calls.size(), 1u);
            EXPECT_EQ(box.calls[0].kind, Kind::Clear);
        }
        EXPECT_FALSE(rig.monitor.ReportGate());
        EXPECT_TRUE(rig.monitor.TrendReady());
        EXPECT_EQ(rig.desktop.timerRestarts, 1);
        EXPECT_EQ(rig.desktop.bringsToFront, 1);  // FocusOnData is on by default
        EXPECT_EQ(rig.desktop.beeps, 0);
    }
}

TEST(ProcessWeatherReport, NumbersFollowTheUsersFormat) {
    Rig english;
    Rig italian(Italian());
    const char* info = "_10090556c045s012g020t-05h07b10132";
    english.monitor.ProcessWeatherReport(info);
    italian.monitor.ProcessWeatherReport(info);
    EXPECT_EQ(Caption(english.screen, Label::Press), "1,013.2 mb");
    EXPECT_EQ(Caption(italian.screen, Label::Press), "1.013,2 mb");
    EXPECT_EQ(Caption(english.screen, Label::Temp),
              "-20.6\xB0"
              "C");
    EXPECT_EQ(Caption(italian.screen, Label::Temp),
              "-20,6\xB0"
              "C");
    EXPECT_EQ(Caption(italian.screen, Label::WxData), "045\xB0  19 / 32 km/h");
}

TEST(ProcessWeatherReport, CalmAirShowsTheCalmLabelAndText) {
    Rig rig;
    rig.monitor.ProcessWeatherReport("_10090556c270s000g000t050");
    EXPECT_TRUE(rig.screen.calmVisible);
    EXPECT_EQ(Caption(rig.screen, Label::WxData), "Calma di vento");
    EXPECT_EQ(rig.screen.rose.SinceLastClear().size(), 0u);
    // Speed 0 with a gust is not calm: needles are drawn and the gust is shown.
    rig.monitor.ProcessWeatherReport("_10090556c270s000g010t050");
    EXPECT_FALSE(rig.screen.calmVisible);
    EXPECT_EQ(Caption(rig.screen, Label::WxData), "270\xB0  0 / 16 km/h");
}

TEST(ProcessWeatherReport, AbsentValuesKeepCaptionColourAndArrow) {
    Rig rig;
    rig.monitor.Alarms().HiTemp = 20.0f;
    rig.monitor.ProcessWeatherReport(kWorkedExample);  // 25 C: in alarm
    rig.monitor.ProcessWeatherReport("_10090556c220s004t077");
    ASSERT_EQ(rig.screen.trend[0].SinceLastClear().size(), 2u);  // the same again: level sign
    const auto arrow = rig.screen.trend[0].calls;
    rig.monitor.ProcessWeatherReport("_10090556c...s...r010");  // no temperature, no wind
    EXPECT_EQ(Caption(rig.screen, Label::Temp),
              "25.0\xB0"
              "C");
    EXPECT_EQ(rig.screen.colors.at(Label::Temp), kAlarmRed);
    EXPECT_EQ(rig.screen.trend[0].calls, arrow);
    EXPECT_EQ(Caption(rig.screen, Label::WxData), "220\xB0  6 km/h");
    EXPECT_EQ(Caption(rig.screen, Label::Rain), "3mm/h ");
    EXPECT_EQ(Caption(rig.screen, Label::WxComment), " ...s...");  // no wind: nothing dropped
    EXPECT_EQ(rig.screen.trayTooltip,
              "Q1XYZ-13 220\xB0  6 km/h 25.0\xB0"
              "C 50% 990.0 mb 3mm/h ");
}

TEST(ProcessWeatherReport, ArrowsFollowTheChangeSincePreviousReport) {
    struct Case {
        const char* second;
        int box;
        int expectedLines;  // up and down arrows are 4 lines, the level sign 2
        float shaftTopY;    // where the first line starts
    };
    const std::vector<Case> cases = {
        {"_10090556c220s004b10133", 2, 4, 200},  // 1013.2 -> 1013.3: up
        {"_10090556c220s004b10132", 2, 2, 100},  // equal: level
        {"_10090556c220s004h49", 1, 4, 35},      // 50 -> 49: down
        {"_10090556c220s004t078", 0, 4, 200},    // warmer: up
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.second);
        Rig rig;
        rig.monitor.ProcessWeatherReport("_10090556c220s004t077h50b10132");
        rig.monitor.ProcessWeatherReport(c.second);
        const auto shown = rig.screen.trend[static_cast<std::size_t>(c.box)].SinceLastClear();
        ASSERT_EQ(shown.size(), static_cast<std::size_t>(c.expectedLines));
        EXPECT_EQ(shown[0].from.y, c.shaftTopY);
        EXPECT_EQ(shown[0].color, kNormalBlue);
    }
}

TEST(ProcessWeatherReport, AlarmsRaiseAndBeepOnceWhateverTheirNumber) {
    struct Case {
        WindowState state;
        int restores;
        int bringsToFront;
    };
    for (const Case& c : std::vector<Case>{{WindowState::Normal, 0, 1},
                                           {WindowState::Minimised, 1, 0},
                                           {WindowState::Maximised, 1, 0}}) {
        Rig rig;
        rig.monitor.Alarms().FocusOnData = false;
        rig.monitor.Alarms().BeepOnData = true;
        rig.desktop.state = c.state;
        // Wind 80 km/h, gust over 80, hot, humid and low pressure: five alarms at once.
        rig.monitor.ProcessWeatherReport("_10090556c220s050g060t110h99b08800");
        EXPECT_EQ(rig.desktop.beeps, 1);
        EXPECT_EQ(rig.desktop.restores, c.restores);
        EXPECT_EQ(rig.desktop.bringsToFront, c.bringsToFront);
        for (Label l : {Label::WxData, Label::Temp, Label::UR, Label::Press}) {
            EXPECT_EQ(rig.screen.colors.at(l), kAlarmRed);
        }
    }
}

TEST(ProcessWeatherReport, OnlyReportsWithWindDataCloseTheGateAndBeepForData) {
    Rig rig;
    rig.monitor.Alarms().BeepOnData = true;
    rig.monitor.Alarms().FocusOnData = true;
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
    ASSERT_FALSE(rig.monitor.ReportGate());
    rig.monitor.OnElapsedTick();
    EXPECT_TRUE(rig.monitor.ReportGate());
    EXPECT_EQ(Caption(rig.screen, Label::Elapsed), "01");
    for (int i = 0; i < 120; ++i) rig.monitor.OnElapsedTick();
    EXPECT_EQ(rig.monitor.MinutesSinceReport(), 99);
    EXPECT_EQ(Caption(rig.screen, Label::Elapsed), "99");
    rig.monitor.ProcessWeatherReport(kWorkedExample);
    EXPECT_EQ(Caption(rig.screen, Label::Elapsed), "00");
    EXPECT_EQ(rig.monitor.MinutesSinceReport(), 0);
}

}  // namespace
}  // namespace pluvetta

namespace pluvetta {
namespace {

TEST(ServerLinkInMonitor, ConnectResetsTheReadoutAndTheNextReportDrawsNoArrow) {
    Rig rig;
    rig.monitor.ProcessWeatherReport("_10090556c220s004t077h50b10132");
    rig.monitor.ProcessWeatherReport("_10090556c220s004t078h51b10133");
    ASSERT_EQ(rig.screen.trend[0].SinceLastClear().size(), 4u);

    rig.monitor.Station().ServerHost = "hosta";
    rig.monitor.OnServerConnected();
    EXPECT_EQ(Caption(rig.screen, Label::WxComment), "Pluvetta connected to hosta");
    EXPECT_EQ(rig.screen.windowCaption, "Q1XYZ-13 Wx Station");
    EXPECT_EQ(Caption(rig.screen, Label::Temp), "");
    EXPECT_FALSE(rig.monitor.TrendReady());

    // A packet line through the link once the minute is up: logged, decoded, and no arrow
    // after the connect.
    rig.monitor.OnServerData("Q1XYZ-13>APRS,TCPIP*:_10090556c220s004t081\r\n");
    EXPECT_EQ(rig.screen.logText, "");  // the gate is still closed by the last report
    rig.monitor.OnElapsedTick();
    rig.monitor.OnServerData("Q1XYZ-13>APRS,TCPIP*:_10090556c220s004t080\r\n");
    EXPECT_EQ(rig.screen.logText, "[12:34:56] Q1XYZ-13>APRS,TCPIP*:\r\n_10090556c220s004t080\r\n");
    EXPECT_EQ(Caption(rig.screen, Label::Temp),
              "26.7\xB0"
              "C");
    EXPECT_EQ(rig.screen.trend[0].SinceLastClear().size(), 0u);
    // The tooltip reads back what the connect wrote into the labels it did not update.
    EXPECT_EQ(rig.screen.trayTooltip,
              "Q1XYZ-13 220\xB0  6 km/h 26.7\xB0"
              "C   ");
}

}  // namespace
}  // namespace pluvetta
