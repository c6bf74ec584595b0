#pragma once

namespace pluvetta {

// Outer sizes of the main window in twips, frame and title bar included. Only these exact
// values count as wide or tall; any other size is narrow or short.
inline constexpr int kNarrowOuterWidth = 3270;
inline constexpr int kWideOuterWidth = 6540;
inline constexpr int kShortOuterHeight = 1930;
inline constexpr int kTallOuterHeight = 2310;

// Height in twips of the history pane while the window is short, and while it is tall.
inline constexpr int kHistoryShortHeight = 1500;
inline constexpr int kHistoryTallHeight = 1850;

// The main window's two optional panes and the outer size that goes with them. The Rx pane
// shows exactly when the window is tall, the history pane exactly when it is wide.
struct PaneLayout {
    int outerWidth = kNarrowOuterWidth;
    int outerHeight = kShortOuterHeight;
    bool rxVisible = false;
    bool historyVisible = false;
    int historyHeight = kHistoryShortHeight;

    friend bool operator==(const PaneLayout&, const PaneLayout&) = default;
};

// A plain right click on the comment line: a tall window becomes short and hides the Rx
// pane, any other grows tall and shows it; a visible history pane follows the new height.
PaneLayout SwitchRxPane(PaneLayout layout);

// A right click with Shift, Ctrl or Alt on the comment line: a wide window becomes narrow and
// hides the history pane, any other grows wide and shows it, sized to the window's height.
PaneLayout SwitchHistoryPane(PaneLayout layout);

// The client size in twips that an outer size stands for, less the frame and title bar it
// counts (3270 -> 3165 and 6540 -> 6435 wide, 1930 -> 1470 and 2310 -> 1850 high).
int ClientWidth(int outerWidth);
int ClientHeight(int outerHeight);

}  // namespace pluvetta
