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

TEST(PaneSwitching, ClickSequencesGiveSizesPanesAndHistoryHeight) {
    const std::pair<const char*, PaneLayout> cases[] = {
        {"R", {kNarrowOuterWidth, kTallOuterHeight, true, false, 1500}},
        {"H", {kWideOuterWidth, kShortOuterHeight, false, true, 1500}},
        // History shown in a tall window, or the window grown while it shows.
        {"RH", {kWideOuterWidth, kTallOuterHeight, true, true, 1850}},
        {"HR", {kWideOuterWidth, kTallOuterHeight, true, true, 1850}},
        // Hidden while tall it takes the short height, so that shown again in a short window
        // it fits.
        {"RHHRH", {kWideOuterWidth, kShortOuterHeight, false, true, 1500}},
        {"HRH", {kNarrowOuterWidth, kTallOuterHeight, true, false, 1500}},
        {"HRR", {kWideOuterWidth, kShortOuterHeight, false, true, 1500}},
    };
    for (const auto& [clicks, expected] : cases) {
        SCOPED_TRACE(std::string("clicks \"") + clicks + "\"");
        EXPECT_EQ(Click(PaneLayout{}, clicks), expected);
    }
}

TEST(PaneSwitching, SizesOtherThanTheExactStatesCountAsShortAndNarrow) {
    const PaneLayout odd{kWideOuterWidth - 1, kTallOuterHeight + 1, false, false, 1500};
    EXPECT_EQ(SwitchRxPane(odd),
              (PaneLayout{kWideOuterWidth - 1, kTallOuterHeight, true, false, 1500}));
    EXPECT_EQ(SwitchHistoryPane(odd),
              (PaneLayout{kWideOuterWidth, kTallOuterHeight + 1, false, true, 1500}));
}

}  // namespace
}  // namespace pluvetta
