#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/monitor_rig.h"

namespace pluvetta {
namespace {

using Kind = RecordingCanvas::Kind;

constexpr const char* kWorkedExample =
    "!4903.50N/07201.75W_220/004g005t077r000p000P000h50b09900wRSW";

using Rig = testing::MonitorRig;

// The captions themselves are the readout's; here: what the monitor does around them.
TEST(ProcessWeatherReport, WindReportDrawsTheRoseClosesTheGateAndRaisesTheWindow) {
    Rig rig;
    rig.monitor.ProcessWeatherReport(kWorkedExample);
    const testing::FakeScreen& s = rig.screen;
    // Cleared, then the direction dot and the two needles.
    ASSERT_EQ(s.rose.calls.size(), 4u);
    EXPECT_EQ(s.rose.calls[0].kind, Kind::Clear);
    EXPECT_FALSE(s.calmVisible);
    EXPECT_EQ(s.fontPoints.at(Label::Rain), 8);
    EXPECT_EQ(s.Caption(Label::Elapsed), "00");
    // The first report after a start clears the trend boxes but draws no arrow.
    for (const RecordingCanvas& box : s.trend) {
        EXPECT_EQ(box.calls, (std::vector<RecordingCanvas::Call>{{}}));
    }
    EXPECT_FALSE(rig.monitor.ReportGate());
    EXPECT_TRUE(rig.monitor.TrendReady());
    EXPECT_EQ(rig.desktop.timerRestarts, 1);
    EXPECT_EQ(rig.desktop.bringsToFront, 1);  // FocusOnData is on by default
    EXPECT_EQ(rig.desktop.beeps, 0);
}

TEST(ProcessWeatherReport, NumbersFollowTheUsersFormat) {
    Rig italian(NumberFormat{",", ".", "-"});
    italian.monitor.ProcessWeatherReport("_10090556c045s012g020t-05h07b10132");
    EXPECT_EQ(italian.screen.Caption(Label::Press), "1.013,2 mb");
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

TEST(ProcessWeatherReport, ArrowsCompareWithTheLastShownValueOfTheirBox) {
    struct Case {
        const char* second;
        TrendBox box;
        std::size_t lines;  // up and down arrows are 4 lines, the level sign 2
        double shaftTopY;   // 200 for an arrow up, 35 for one down
    };
    const Case cases[] = {
        {"_10090556c220s004b10133", TrendBox::Press, 4, 200},
        {"_10090556c220s004b10132", TrendBox::Press, 2, 100},
        {"_10090556c220s004h49", TrendBox::UR, 4, 35},
        {"_10090556c220s004t078", TrendBox::Temp, 4, 200},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.second);
        Rig rig;
        rig.monitor.ProcessWeatherReport("_10090556c220s004t077h50b10132");
        rig.monitor.ProcessWeatherReport(c.second);
        const auto shown = rig.screen.trend[static_cast<std::size_t>(c.box)].SinceLastClear();
        ASSERT_EQ(shown.size(), c.lines);
        EXPECT_EQ(shown[0].from.y, c.shaftTopY);
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
