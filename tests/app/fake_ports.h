#pragma once

#include <array>
#include <map>
#include <string>
#include <vector>

#include "app/ports.h"
#include "links/socket.h"
#include "weather/recording_canvas.h"

namespace pluvetta::testing {

// What the fakes were asked to do, in order, as short texts ("lblTemp=25.0", "close"): the
// captions, window caption and tooltip written, the boxes and dialogs shown, the socket calls.
using Journal = std::vector<std::string>;

// The part every fake shares: notes go into one journal.
class Noting {
  public:
    explicit Noting(Journal& journal) : journal_(journal) {}

  protected:
    void Note(std::string text) const { journal_.push_back(std::move(text)); }

  private:
    Journal& journal_;
};

inline const char* LabelName(Label label) {
    static const char* const names[] = {"lblWxData", "lblTemp",      "lblUR",     "lblPress",
                                        "lblRain",   "lblWxComment", "lblElapsed"};
    return names[static_cast<int>(label)];
}

// The main window as the core sees it: every caption, colour and pane it was told to show.
class FakeScreen : public Screen, Noting {
  public:
    using Noting::Noting;

    void SetCaption(Label label, const std::string& text) override {
        captions[label] = text;
        Note(std::string(LabelName(label)) + "=" + text);
    }
    void SetColor(Label label, Rgb color) override { colors[label] = color; }
    void SetFontPoints(Label label, int points) override { fontPoints[label] = points; }
    void SetCalmVisible(bool visible) override { calmVisible = visible; }
    Canvas& WindRose() override { return rose; }
    Canvas& TrendPicture(TrendBox box) override { return trend.at(static_cast<std::size_t>(box)); }
    void SetRxRows(const std::vector<std::string>& rows) override { rxRows = rows; }
    void SetLogText(const std::string& text) override { logText = text; }
    void SetWindowCaption(const std::string& text) override {
        windowCaption = text;
        Note("caption=" + text);
    }
    void SetTrayTooltip(const std::string& text) override {
        trayTooltip = text;
        Note("traytip=" + text);
    }

    // The caption last written, or "<unset>".
    std::string Caption(Label label) const {
        const auto it = captions.find(label);
        return it == captions.end() ? "<unset>" : it->second;
    }

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

class FakeDesktop : public Desktop, Noting {
  public:
    using Noting::Noting;

    void ShowWarning(const std::string& title, const std::string& text) override {
        Note("warning [" + title + "] " + text);
    }
    void ShowSetupDialog(DialogMode mode) override {
        Note(mode == DialogMode::Modal ? "setup modal" : "setup modeless");
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

    bool setupVisible = false;
    int beeps = 0;
    WindowState state = WindowState::Normal;
    int restores = 0;
    int bringsToFront = 0;
    int timerRestarts = 0;
};

// Notes its calls with its name in front ("agw connect localhost:8000").
class FakeSocket : public Socket, Noting {
  public:
    FakeSocket(Journal& journal, std::string name) : Noting(journal), name_(std::move(name)) {}

    void Connect(const std::string& host, std::int16_t port) override {
        Note(name_ + " connect " + host + ":" + std::to_string(port));
    }
    void Close() override { Note(name_ + " close"); }
    void Send(const std::string& bytes) override { Note(name_ + " send " + bytes); }

  private:
    std::string name_;
};

}  // namespace pluvetta::testing
