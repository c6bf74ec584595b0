#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "app/fake_alarm_ports.h"
#include "app/fake_ports.h"
#include "app/silent_station.h"

namespace pluvetta {
namespace {

using std::chrono::minutes;
using std::chrono::seconds;

// The threshold from the gaps between the station's reports, in seconds.
TEST(SilentStation, ThresholdIsThreeMediansOfTheLastFiveReportsWithinBounds) {
    const struct {
        SilentMode mode;
        int fixedMinutes;
        std::vector<int> gaps;
        int threshold;
    } cases[] = {
        {SilentMode::Off, 0, {600, 600, 600, 600}, 0},
        {SilentMode::Fixed, 45, {60, 60, 60, 60}, 45},
        {SilentMode::Auto, 0, {}, 30},
        {SilentMode::Auto, 0, {60, 60, 60}, 30},                  // four reports
        {SilentMode::Auto, 0, {480, 720, 540, 2400}, 32},         // median 10.5 min, not the mean
        {SilentMode::Auto, 0, {601, 601, 601, 601}, 31},          // 30.05 min, rounded up
        {SilentMode::Auto, 0, {1200, 1200, 1200, 360, 360}, 39},  // the oldest gap is gone
        {SilentMode::Auto, 0, {240, 240, 240, 240}, 15},          // 12 min
        {SilentMode::Auto, 0, {2401, 2401, 2401, 2401}, 120},     // 120.05 min
    };
    for (const auto& c : cases) {
        SilentStation silent;
        silent.Configure(c.mode, c.fixedMinutes);
        std::chrono::steady_clock::time_point at;
        silent.Report(at);
        for (const int gap : c.gaps) silent.Report(at += seconds(gap));
        EXPECT_EQ(silent.ThresholdMinutes(), c.threshold) << "row " << &c - cases;
    }
}

// The alarm sounds on reaching the threshold, then once an hour, until a report.
TEST(SilentStation, SoundsAtTheThresholdThenHourlyUntilAReport) {
    SilentStation silent;
    silent.Configure(SilentMode::Fixed, 5);
    std::vector<int> sounded;
    for (int minute = 1; minute <= 130; ++minute) {
        if (silent.Tick()) sounded.push_back(minute);
    }
    EXPECT_EQ(sounded, (std::vector<int>{5, 65, 125}));
    EXPECT_TRUE(silent.Report({}));
    EXPECT_FALSE(silent.Alarmed());
    for (int minute = 1; minute <= 4; ++minute) EXPECT_FALSE(silent.Tick());
    EXPECT_TRUE(silent.Tick());
}

// The minutes label turns red and the window beeps and comes forward as the alarm boxes say,
// with the value labels left alone; the next report paints the minutes blue again. Only while
// a link is on, and not at all with the default options.
TEST(MonitorSilentStation, MinutesTurnRedAndAlarmUntilTheNextReport) {
    testing::FakeClock clock;
    testing::FakeRunner runner;
    testing::MonitorOnFakes rig;
    rig.monitor.SetAlarmPorts(clock, runner);
    rig.monitor.Station().ServerEnabled = true;
    for (int minute = 0; minute < 200; ++minute) rig.monitor.OnElapsedTick();
    EXPECT_FALSE(rig.screen.colors.contains(Label::Elapsed));

    Options options;
    options.silentMode = SilentMode::Fixed;
    options.silentMinutes = 5;
    options.alarmCommand = "notify";
    rig.monitor.ApplyOptions(options);
    rig.monitor.Alarms().BeepOnAlarm = true;
    rig.monitor.Alarms().FocusOnAlarm = false;
    rig.monitor.ProcessWeatherReport("_10090556c220s004t077");
    const testing::FakeDesktop before = rig.desktop;
    const auto alarmed = [&] {
        return std::tuple(rig.desktop.beeps - before.beeps,
                          rig.desktop.bringsToFront - before.bringsToFront);
    };
    for (int minute = 0; minute < 4; ++minute) rig.monitor.OnElapsedTick();
    EXPECT_FALSE(rig.screen.colors.contains(Label::Elapsed));
    rig.monitor.OnElapsedTick();
    EXPECT_EQ(rig.screen.colors.at(Label::Elapsed), kAlarmRed);
    EXPECT_EQ(alarmed(), std::tuple(1, 0));
    rig.monitor.Alarms().BeepOnAlarm = false;
    rig.monitor.Alarms().FocusOnAlarm = true;
    for (int minute = 0; minute < 60; ++minute) rig.monitor.OnElapsedTick();
    EXPECT_EQ(alarmed(), std::tuple(1, 1));  // the hourly reminder
    EXPECT_EQ(rig.screen.colors.at(Label::Temp), kNormalBlue);
    EXPECT_EQ(runner.Events(), (std::vector<std::string>{"PLUVETTA_EVENT=silent;PLUVETTA_STATION="
                                                         "Q1XYZ-13;PLUVETTA_TEXT=5;"}));
    rig.monitor.ProcessWeatherReport("_10090556c220s004t077");
    EXPECT_EQ(rig.screen.colors.at(Label::Elapsed), kNormalBlue);

    rig.monitor.Station().ServerEnabled = false;
    for (int minute = 0; minute < 10; ++minute) rig.monitor.OnElapsedTick();
    EXPECT_EQ(rig.screen.colors.at(Label::Elapsed), kNormalBlue);
}

}  // namespace
}  // namespace pluvetta
