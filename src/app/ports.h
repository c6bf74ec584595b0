#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "weather/canvas.h"

namespace pluvetta {

// The readout labels of the main window that the core writes.
enum class Label { WxData, Temp, UR, Press, Rain, WxComment, Elapsed };
inline constexpr std::size_t kLabelCount = 7;

// The trend arrow boxes beside the temperature, the humidity and the pressure.
enum class TrendBox { Temp, UR, Press };
inline constexpr TrendBox kTrendBoxes[] = {TrendBox::Temp, TrendBox::UR, TrendBox::Press};

// The wind label's caption when the window opens.
inline constexpr const char* kStartCaption = "Pluvetta v6.0";

// What the main window shows. The core writes; the shell draws. Texts are Latin-1.
class Screen {
  public:
    virtual ~Screen() = default;
    virtual void SetCaption(Label label, const std::string& text) = 0;
    virtual void SetColor(Label label, Rgb color) = 0;
    virtual void SetFontPoints(Label label, int points) = 0;
    virtual void SetCalmVisible(bool visible) = 0;
    virtual Canvas& WindRose() = 0;
    virtual Canvas& TrendPicture(TrendBox box) = 0;
    // The Rx pane: the rows of the last packet, in order (at most two).
    virtual void SetRxRows(const std::vector<std::string>& rows) = 0;
    // The history pane: the whole traffic log, scrolled so that its end is in view.
    virtual void SetLogText(const std::string& text) = 0;
    virtual void SetWindowCaption(const std::string& text) = 0;
    virtual void SetTrayTooltip(const std::string& text) = 0;
};

enum class WindowState { Normal, Minimised, Maximised };

// Modal returns once the dialog has closed; modeless returns at once.
enum class DialogMode { Modal, Modeless };

// Everything else the core asks of the desktop.
class Desktop {
  public:
    virtual ~Desktop() = default;
    // A modal message box with the exclamation icon and an OK button.
    virtual void ShowWarning(const std::string& title, const std::string& text) = 0;
    virtual void ShowSetupDialog(DialogMode mode) = 0;
    virtual bool IsSetupDialogVisible() const = 0;
    virtual void Beep() = 0;
    virtual WindowState GetWindowState() const = 0;
    // Takes the icon out of the tray, sets the window normal and shows it.
    virtual void RestoreFromTray() = 0;
    // Gives the main window the focus and brings it to the front.
    virtual void BringToFront() = 0;
    // Stops and starts the one-minute timer, so that its next tick is a full minute away.
    virtual void RestartElapsedTimer() = 0;
    // The current local time of day in the user's format, hours to seconds.
    virtual std::string TimeOfDay() const = 0;
};

}  // namespace pluvetta
