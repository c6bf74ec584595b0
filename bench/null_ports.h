#pragma once

// Ports that do nothing, or only keep what a window would keep, for running the Monitor in a
// benchmark.

#include <cstdint>
#include <string>
#include <vector>

#include "app/ports.h"
#include "links/socket.h"

namespace pluvetta {

class NullCanvas : public Canvas {
  public:
    void Clear() override {}
    void Line(PointF, PointF, Rgb) override {}
    void Circle(PointF, double, Rgb) override {}
};

// Keeps copies of the Rx rows and the log, as the window's list and text box would.
class RowsScreen : public Screen {
  public:
    void SetCaption(Label, const std::string&) override {}
    void SetColor(Label, Rgb) override {}
    void SetFontPoints(Label, int) override {}
    void SetCalmVisible(bool) override {}
    Canvas& WindRose() override { return canvas_; }
    Canvas& TrendPicture(TrendBox) override { return canvas_; }
    void SetRxRows(const std::vector<std::string>& rows) override { rows_ = rows; }
    void SetLogText(const std::string& text) override { log_ = text; }
    void SetWindowCaption(const std::string&) override {}
    void SetTrayTooltip(const std::string&) override {}

  private:
    NullCanvas canvas_;
    std::vector<std::string> rows_;
    std::string log_;
};

class NullDesktop : public Desktop {
  public:
    void ShowWarning(const std::string&, const std::string&) override {}
    void ShowSetupDialog(DialogMode) override {}
    bool IsSetupDialogVisible() const override { return false; }
    void Beep() override {}
    WindowState GetWindowState() const override { return WindowState::Normal; }
    void RestoreFromTray() override {}
    void BringToFront() override {}
    void RestartElapsedTimer() override {}
    std::string TimeOfDay() const override { return "15:02:00"; }
};

class NullSocket : public Socket {
  public:
    void Connect(const std::string&, std::uint16_t) override {}
    void Close() override {}
    void Send(const std::string&) override {}
};

}  // namespace pluvetta
