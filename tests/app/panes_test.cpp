#include "app/panes.h"

#include <gtest/gtest.h>

#include <string>

namespace pluvetta {
namespace {

// Applies right clicks on the comment line: 'R' plain, 'H' with a modifier.
PaneLayout Click(PaneLayout layout, const std::string& clicks) {
    for (char click : clicks) {
        layout = click == 'R' ? SwitchRxPane(layout) : SwitchHistoryPane(layout);
    }
    return layout;
}

struct PaneCase {
    const char* clicks;
    PaneLayout expected;
};

constexpr int kNarrow = kNarrowOuterWidth;
constexpr int kWide = kWideOuterWidth;
constexpr int kShort = kShortOuterHeight;
constexpr int kTall = kTallOuterHeight;

TEST(PaneSwitching, ClickSequencesGiveSizesPanesAndHistoryHeight) {
    const PaneCase cases[] = {
        {"", {kNarrow, kShort, false, false, 1500}},
        {"R", {kNarrow, kTall, true, false, 1500}},
        {"RR", {kNarrow, kShort, false, false, 1500}},
        {"H", {kWide, kShort, false, true, 1500}},
        {"HH", {kNarrow, kShort, false, false, 1500}},
        // History shown in a tall window, or the window grown while it shows.
        {"RH", {kWide, kTall, true, true, 1850}},
        {"HR", {kWide, kTall, true, true, 1850}},
        // Tall with history, then short: the history pane shrinks with it.
        {"RHR", {kWide, kShort, false, true, 1500}},
        {"HRR", {kWide, kShort, false, true, 1500}},
        // Hidden while tall, window made short, shown again: short height.
        {"RHHRH", {kWide, kShort, false, true, 1500}},
        // Hidden while tall and shown again while still tall.
        {"RHHH", {kWide, kTall, true, true, 1850}},
        {"HRH", {kNarrow, kTall, true, false, 1500}},
        // Hidden while short, window grown, shown again: tall height.
        {"HHRH", {kWide, kTall, true, true, 1850}},
    };
    for (const PaneCase& c : cases) {
        SCOPED_TRACE(std::string("clicks \"") + c.clicks + "\"");
        const PaneLayout got = Click(PaneLayout{}, c.clicks);
        EXPECT_EQ(got.outerWidth, c.expected.outerWidth);
        EXPECT_EQ(got.outerHeight, c.expected.outerHeight);
        EXPECT_EQ(got.rxVisible, c.expected.rxVisible);
        EXPECT_EQ(got.historyVisible, c.expected.historyVisible);
        EXPECT_EQ(got.historyHeight, c.expected.historyHeight);
    }
}

// Whatever the order of clicks, the panes follow the two size states and a shown history pane
// is as high as the window allows.
TEST(PaneSwitching, EveryOrderKeepsPanesInStepWithTheSize) {
    constexpr int kLength = 7;
    for (int order = 0; order < (1 << kLength); ++order) {
        PaneLayout layout;
        std::string clicks;
        for (int step = 0; step < kLength; ++step) {
            const bool plain = ((order >> step) & 1) == 0;
            clicks += plain ? 'R' : 'H';
            layout = plain ? SwitchRxPane(layout) : SwitchHistoryPane(layout);
            SCOPED_TRACE("clicks " + clicks);
            const bool tall = layout.outerHeight == kTall;
            const bool wide = layout.outerWidth == kWide;
            EXPECT_EQ(layout.rxVisible, tall);
            EXPECT_EQ(layout.historyVisible, wide);
            if (layout.historyVisible) {
                EXPECT_EQ(layout.historyHeight, tall ? 1850 : 1500);
            }
        }
    }
}

TEST(PaneSwitching, SizesOtherThanTheExactStatesCountAsShortAndNarrow) {
    PaneLayout odd;
    odd.outerWidth = kWide - 1;
    odd.outerHeight = kTall + 1;
    const PaneLayout taller = SwitchRxPane(odd);
    EXPECT_EQ(taller.outerHeight, kTall);
    EXPECT_TRUE(taller.rxVisible);
    const PaneLayout wider = SwitchHistoryPane(odd);
    EXPECT_EQ(wider.outerWidth, kWide);
    EXPECT_TRUE(wider.historyVisible);
}

}  // namespace
}  // namespace pluvetta
