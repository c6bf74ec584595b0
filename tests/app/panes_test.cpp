#include "app/panes.h"

#include <gtest/gtest.h>

#include <string_view>
#include <utility>

namespace pluvetta {
namespace {

// From the window that opens; 'R' is a plain right click on the comment line, 'H' a modified one.
TEST(PaneSwitching, ClickSequencesGiveSizesPanesAndHistoryHeight) {
    const PaneLayout rx{.outerHeight = kTallOuterHeight, .rxVisible = true};
    const PaneLayout history{.outerWidth = kWideOuterWidth, .historyVisible = true};
    const PaneLayout both{kWideOuterWidth, kTallOuterHeight, true, true, kHistoryTallHeight};
    // History shown in a tall window, or the window grown while it shows, is tall; hidden or
    // shrunk, it takes the short height, so that it fits when shown again in a short window.
    const std::pair<std::string_view, PaneLayout> cases[] = {
        {"R", rx}, {"H", history}, {"RH", both}, {"HR", both}, {"HRH", rx}, {"HRR", history}};
    for (const auto& [clicks, expected] : cases) {
        PaneLayout layout;
        for (const char click : clicks) {
            layout = click == 'R' ? SwitchRxPane(layout) : SwitchHistoryPane(layout);
        }
        EXPECT_EQ(layout, expected) << "clicks " << clicks;
    }
    // Sizes other than the exact states count as short and narrow.
    const PaneLayout odd{.outerWidth = kWideOuterWidth - 1, .outerHeight = kTallOuterHeight + 1};
    EXPECT_EQ(SwitchRxPane(odd), (PaneLayout{kWideOuterWidth - 1, kTallOuterHeight, true, false}));
    EXPECT_EQ(SwitchHistoryPane(odd), (PaneLayout{kWideOuterWidth, odd.outerHeight, false, true}));
}

}  // namespace
}  // namespace pluvetta
