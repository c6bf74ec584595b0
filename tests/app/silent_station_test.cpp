#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "app/fake_ports.h"
#include "app/silent_station.h"

namespace pluvetta {
namespace {

// The threshold from the gaps between the station's reports, in seconds.
TEST(SilentStation, ThresholdIsThreeMediansOfTheLastFiveReportsWithinBounds) {
    const std::tuple<SilentMode, int, std::vector<int>, int> cases[] = {
        {SilentMode::Off, 0, {600, 600, 600, 600}, 0},
        {SilentMode::Fixed, 45, {60, 60, 60, 60}, 45},
        {SilentMode::Auto, 0, {60, 60, 60}, 30},                  // four reports
        {SilentMode::Auto, 0, {480, 720, 540, 2400}, 32},         // median 10.5 min, not the mean
        {SilentMode::Auto, 0, {601, 601, 601, 601}, 31},          // 30.05 min, rounded up
        {SilentMode::Auto, 0, {1200, 1200, 1200, 360, 360}, 39},  // the oldest gap is gone
        {SilentMode::Auto, 0, {240, 240, 240, 240}, 15},          // 12 min
        {SilentMode::Auto, 0, {2401, 2401, 2401, 2401}, 120},     // 120.05 min
    };
    for (std::size_t row = 0; row < std::size(cases); ++row) {
        const auto& [mode, fixedMinutes, gaps, threshold] = cases[row];
        SilentStation silent;
        silent.Configure(mode, fixedMinutes);
        SteadyTime at{};
        silent.Report(at);
        for (const int gap : gaps) silent.Report(at += std::chrono::seconds(gap));
        EXPECT_EQ(silent.ThresholdMinutes(), threshold) << "row " << row;
    }
}

TEST(SilentStation, SoundsAtTheThresholdThenHourlyUntilAReport) {
    SilentStation silent;
    silent.Configure(SilentMode::Fixed, 5);
    std::vector<int> sounded;
    for (int minute = 1; minute <= 131; ++minute) {
        if (silent.Tick()) sounded.push_back(minute);
        if (minute == 126 && silent.Report({})) sounded.push_back(-minute);  // ended one
    }
    EXPECT_EQ(sounded, (std::vector<int>{5, 65, 125, -126, 131}));
}

// The threshold follows the reports' rhythm on the shell's clock. The minutes label turns red
// and the window beeps and comes forward as each alarm box says, with the value labels left
// alone; the next report paints the minutes blue again. Only while a link is on.
TEST(MonitorSilentStation, MinutesTurnRedAndAlarmUntilTheNextReport) {
    testing::MonitorWithAlarms rig({.silentMode = SilentMode::Auto});
    const testing::FakeDesktop& desktop = rig.desktop;
    rig.monitor.Station().ServerEnabled = true;
    rig.monitor.Alarms() = {.FocusOnData = false, .BeepOnAlarm = true, .FocusOnAlarm = false};
    for (int report = 0; report < 5; ++report) {  // every quarter of an hour by the clock
        rig.monitor.OnClockTick(report * std::chrono::minutes(15));
        rig.monitor.ProcessWeatherReport("_10090556c220s004t077");
    }
    const auto ticks = [&rig](int count) {
        for (int minute = 0; minute < count; ++minute) rig.monitor.OnElapsedTick();
    };
    ticks(45);
    EXPECT_EQ(rig.screen.colors.at(Label::Elapsed), kAlarmRed);
    EXPECT_EQ(std::tuple(desktop.beeps, desktop.bringsToFront), std::tuple(1, 0));
    rig.monitor.Alarms() = {.FocusOnData = false, .BeepOnAlarm = false, .FocusOnAlarm = true};
    ticks(60);  // the reminder
    EXPECT_EQ(std::tuple(desktop.beeps, desktop.bringsToFront), std::tuple(1, 1));
    EXPECT_EQ(rig.screen.colors.at(Label::Temp), kNormalBlue);
    EXPECT_EQ(rig.runner.runs,
              (std::vector<std::string>{"silent;PLUVETTA_STATION=Q1XYZ-13;PLUVETTA_TEXT=45"}));
    rig.monitor.ProcessWeatherReport("_10090556c220s004t077");
    rig.monitor.Station().ServerEnabled = false;
    ticks(10);
    EXPECT_EQ(rig.screen.colors.at(Label::Elapsed), kNormalBlue);
}

}  // namespace
}  // namespace pluvetta
