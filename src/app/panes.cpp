#include "app/panes.h"

namespace pluvetta {

namespace {

// The frame and title bar that the outer sizes include, in twips: two borders across, and the
// title bar with two borders down.
constexpr int kFrameWidth = 105;
constexpr int kFrameHeight = 460;

}  // namespace

PaneLayout SwitchRxPane(PaneLayout layout) {
    if (layout.outerHeight == kTallOuterHeight) {
        layout.outerHeight = kShortOuterHeight;
        layout.rxVisible = false;
        if (layout.historyVisible) layout.historyHeight = kHistoryShortHeight;
    } else {
        layout.outerHeight = kTallOuterHeight;
        layout.rxVisible = true;
        if (layout.historyVisible) layout.historyHeight = kHistoryTallHeight;
    }
    return layout;
}

PaneLayout SwitchHistoryPane(PaneLayout layout) {
    if (layout.outerWidth == kWideOuterWidth) {
        layout.outerWidth = kNarrowOuterWidth;
        layout.historyVisible = false;
        // Hidden at the short height, so that showing it again in a short window fits.
        if (layout.rxVisible) layout.historyHeight = kHistoryShortHeight;
    } else {
        layout.outerWidth = kWideOuterWidth;
        layout.historyVisible = true;
        if (layout.rxVisible) layout.historyHeight = kHistoryTallHeight;
    }
    return layout;
}

int ClientWidth(int outerWidth) { return outerWidth - kFrameWidth; }

int ClientHeight(int outerHeight) { return outerHeight - kFrameHeight; }

}  // namespace pluvetta
