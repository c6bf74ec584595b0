#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "weather/canvas.h"

namespace pluvetta {

// The readout labels of the main window that the core writes.
enum class Label { WxData, Temp, UR, Press, Rain, WxComment, Elapsed };
inline constexpr std::size_t kLabelCount = 7;

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
    // Index 0 temperature, 1 humidity, 2 pressure.
    virtual Canvas& TrendBox(int index) = 0;
    // The Rx pane: the header and the information of the last packet, in that order.
    virtual void SetRxRows(const std::string& header, const std::string& information) = 0;
    // The history pane: the whole traffic log, scrolled so that its end is in view.
    virtual void SetLogText(const std::string& text) = 0;
    virtual void SetWindowCaption(const std::string& text) = 0;
    virtual void SetTrayTooltip(const std::string& text) = 0;
};

enum class WindowState { Normal, Minimised, Maximised };

// Everything else the core asks of the desktop.
class Desktop {
  public:
    virtual ~Desktop() = default;
    // A modal message box with the exclamation icon and an OK button.
    virtual void ShowWarning(const std::string& title, const std::string& text) = 0;
    virtual void ShowSetupDialog(bool modal) = 0;
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

// A TCP client socket. Connect returns at once; the outcome arrives later as an event of the
// shell, which forwards it to the Monitor.
class Socket {
  public:
    virtual ~Socket() = default;
    virtual void Connect(const std::string& host, std::int16_t port) = 0;
    // May be called in any state, also when never connected.
    virtual void Close() = 0;
    virtual void Send(const std::string& bytes) = 0;
};

}  // namespace pluvetta
