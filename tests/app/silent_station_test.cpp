#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "app/silent_station.h"

namespace pluvetta {
namespace {

// The threshold from the gaps between the station's reports, in seconds.
TEST(SilentStation, ThresholdIsThreeMediansOfTheLastFiveReportsWithinBounds) {
    const std::tuple<SilentMode, std::vector<int>, int> cases[] = {
        {SilentMode::Off, {600, 600, 600, 600}, 0},
        {SilentMode::Auto, {60, 60, 60}, 30},                  // four reports
        {SilentMode::Auto, {480, 720, 540, 2400}, 32},         // median 10.5 min, not the mean
        {SilentMode::Auto, {601, 601, 601, 601}, 31},          // 30.05 min, rounded up
        {SilentMode::Auto, {1200, 1200, 1200, 360, 360}, 39},  // the oldest gap is gone
        {SilentMode::Auto, {240, 240, 240, 240}, 15},          // 12 min
        {SilentMode::Auto, {2401, 2401, 2401, 2401}, 120},     // 120.05 min
    };
    for (std::size_t row = 0; row < std::size(cases); ++row) {
        const auto& [mode, gaps, threshold] = cases[row];
        SilentStation silent;
        silent.Configure(mode, 0);
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

}  // namespace
}  // namespace pluvetta
