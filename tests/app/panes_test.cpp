#include "app/panes.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <utility>

namespace pluvetta {

// Prints a layout in failure messages instead of its bytes.
void PrintTo(const PaneLayout& l, std::ostream* out) {
    *out << l.outerWidth << "x" << l.outerHeight << " rx " << l.rxVisible << " history "
         << l.historyVisible << " of " << l.historyHeight;
}

namespace {

// Applies right clicks on the comment line: 'R' plain, 'H' with a modifier.
PaneLayout Click(PaneLayout layout, const std::string& clicks) {
    for (char click : clicks) {
        layout = click == 'R' ? SwitchRxPane(layout) : SwitchHistoryPane(layout);
    }
    return layout;
}

// From the narrow, short window without panes that opens.
TEST(PaneSwitching, ClickSequencesGiveSizesPanesAndHistoryHeight) {
    const PaneLayout rx{.outerHeight = kTallOuterHeight, .rxVisible = true};
    const PaneLayout history{.outerWidth = kWideOuterWidth, .historyVisible = true};
    const PaneLayout both{kWideOuterWidth, kTallOuterHeight, true, true, kHistoryTallHeight};
    // History shown in a tall window, or the window grown while it shows, is tall; hidden or
    // shrunk, it takes the short height, so that it fits when shown again in a short window.
    const std::pair<const char*, PaneLayout> cases[] = {
        {"R", rx}, {"H", history}, {"RH", both}, {"HR", both}, {"HRH", rx}, {"HRR", history}};
    for (const auto& [clicks, expected] : cases) {
        EXPECT_EQ(Click(PaneLayout{}, clicks), expected) << "clicks " << clicks;
    }
}

TEST(PaneSwitching, SizesOtherThanTheExactStatesCountAsShortAndNarrow) {
    const PaneLayout odd{.outerWidth = kWideOuterWidth - 1, .outerHeight = kTallOuterHeight + 1};
    EXPECT_EQ(SwitchRxPane(odd),
              (PaneLayout{kWideOuterWidth - 1, kTallOuterHeight, true, false, 1500}));
    EXPECT_EQ(SwitchHistoryPane(odd),
              (PaneLayout{kWideOuterWidth, kTallOuterHeight + 1, false, true, 1500}));
}

}  // namespace
}  // namespace pluvetta
