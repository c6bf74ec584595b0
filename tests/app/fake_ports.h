#pragma once

#include <array>
#include <map>
#include <string>
#include <vector>

#include "app/ports.h"
#include "weather/recording_canvas.h"

namespace pluvetta::testing {

// The main window as the core sees it: every caption, colour and pane it was told to show.
class FakeScreen : public Screen {
  public:
    void SetCaption(Label label, const std::string& text) override { captions[label] = text; }
    void SetColor(Label label, Rgb color) override { colors[label] = color; }
    void SetFontPoints(Label label, int points) override { fontPoints[label] = points; }
    void SetCalmVisible(bool visible) override { calmVisible = visible; }
    Canvas& WindRose() override { return rose; }
    Canvas& TrendBox(int index) override { return trend.at(static_cast<std::size_t>(index)); }
    void SetRxRows(const std::string& header, const std::string& information) override {
        rxRows = {header, information};
    }
    void SetLogText(const std::string& text) override { logText = text; }
    void SetWindowCaption(const std::string& text) override { windowCaption = text; }
    void SetTrayTooltip(const std::string& text) override { trayTooltip = text; }

    std::map<Label, std::string> captions;
    std::map<Label, Rgb> colors;
    std::map<Label, int> fontPoints;
    bool calmVisible = false;
    RecordingCanvas rose;
    std::array<RecordingCanvas, 3> trend;
    std::vector<std::string> rxRows;
    std::string logText;
    std::string windowCaption;
    std::string trayTooltip;
};

struct Warning {
    std::string title;
    std::string text;
    friend bool operator==(const Warning&, const Warning&) = default;
};

class FakeDesktop : public Desktop {
  public:
    void ShowWarning(const std::string& title, const std::string& text) override {
        warnings.push_back({title, text});
    }
    void ShowSetupDialog(bool modal) override {
        dialogShows.push_back(modal);
        setupVisible = true;
    }
    bool IsSetupDialogVisible() const override { return setupVisible; }
    void Beep() override { ++beeps; }
    WindowState GetWindowState() const override { return state; }
    void RestoreFromTray() override {
        ++restores;
        state = WindowState::Normal;
    }
    void BringToFront() override { ++bringsToFront; }
    void RestartElapsedTimer() override { ++timerRestarts; }
    std::string TimeOfDay() const override { return "12:34:56"; }

    std::vector<Warning> warnings;
    std::vector<bool> dialogShows;  // true for a modal showing
    bool setupVisible = false;
    int beeps = 0;
    WindowState state = WindowState::Normal;
    int restores = 0;
    int bringsToFront = 0;
    int timerRestarts = 0;
};

class FakeSocket : public Socket {
  public:
    void Connect(const std::string& host, std::int16_t port) override {
        calls.push_back("connect " + host + ":" + std::to_string(port));
    }
    void Close() override { calls.push_back("close"); }
    void Send(const std::string& bytes) override { sent += bytes; }

    std::vector<std::string> calls;
    std::string sent;
};

}  // namespace pluvetta::testing
