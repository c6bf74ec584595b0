#pragma once

#include <array>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "app/alarm_ports.h"
#include "app/monitor.h"
#include "app/options.h"
#include "app/ports.h"
#include "links/socket.h"
#include "weather/recording_canvas.h"

namespace pluvetta::testing {

// What the fakes were told, in order, as short texts ("lblTemp=25.0", "agw close").
using Journal = std::vector<std::string>;

struct FakeScreen : Screen {
    explicit FakeScreen(Journal& notes) : journal(notes) {}
    void SetCaption(Label label, const std::string& text) override {
        static const char* const names[] = {"lblWxData", "lblTemp",      "lblUR",     "lblPress",
                                            "lblRain",   "lblWxComment", "lblElapsed"};
        captions[label] = text;
        journal.push_back(names[static_cast<int>(label)] + ("=" + text));
    }
    void SetColor(Label label, Rgb color) override { colors[label] = color; }
    void SetFontPoints(Label label, int points) override { fontPoints[label] = points; }
    void SetCalmVisible(bool visible) override { calmVisible = visible; }
    Canvas& WindRose() override { return rose; }
    Canvas& TrendPicture(TrendBox box) override { return trend.at(static_cast<std::size_t>(box)); }
    void SetRxRows(const std::vector<std::string>& rows) override { rxRows = rows; }
    void SetLogText(const std::string& text) override {
        logText = text;
        if (text.empty()) journal.push_back("log emptied");
    }
    void SetWindowCaption(const std::string& text) override {
        journal.push_back("caption=" + text);
    }
    void SetTrayTooltip(const std::string& text) override { journal.push_back("traytip=" + text); }
    std::string Caption(Label label) const {
        return captions.contains(label) ? captions.at(label) : "<unset>";
    }

    Journal& journal;
    std::map<Label, std::string> captions;
    std::map<Label, Rgb> colors;
    std::map<Label, int> fontPoints;
    bool calmVisible = false;
    RecordingCanvas rose;
    std::array<RecordingCanvas, 3> trend;
    std::vector<std::string> rxRows;
    std::string logText;
};

struct FakeDesktop : Desktop {
    explicit FakeDesktop(Journal& notes) : journal(notes) {}
    void ShowWarning(const std::string& title, const std::string& text) override {
        journal.push_back("warning [" + title + "] " + text);
        if (whileWarningUp) std::exchange(whileWarningUp, {})();
    }
    void ShowSetupDialog(DialogMode mode) override {
        journal.push_back(mode == DialogMode::Modal ? "setup modal" : "setup modeless");
    }
    bool IsSetupDialogVisible() const override { return setupVisible; }
    void Beep() override { ++beeps; }
    WindowState GetWindowState() const override { return state; }
    void RestoreFromTray() override { ++restores; }
    void BringToFront() override { ++bringsToFront; }
    void RestartElapsedTimer() override { ++timerRestarts; }
    std::string TimeOfDay() const override { return "12:34:56"; }

    Journal& journal;
    // What happens, once, while the next warning box is up: the event loop runs meanwhile.
    std::function<void()> whileWarningUp;
    bool setupVisible = false;
    WindowState state = WindowState::Normal;
    int beeps = 0, restores = 0, bringsToFront = 0, timerRestarts = 0;
};

struct FakeSocket : Socket {
    FakeSocket(Journal& notes, std::string socketName) : journal(notes), name(socketName) {}
    void Connect(const std::string& host, std::uint16_t port) override {
        journal.push_back(name + " connect " + host + ":" + std::to_string(port));
    }
    void Close() override { journal.push_back(name + " close"); }
    void Send(const std::string& bytes) override { journal.push_back(name + " send " + bytes); }

    Journal& journal;
    std::string name;
};

// Watches Q1XYZ-13 until a start says otherwise.
struct MonitorOnFakes {
    explicit MonitorOnFakes(NumberFormat format = {})
        : monitor(screen, desktop, agw, server, std::move(format)) {
        monitor.Station().StationCall = "Q1XYZ-13";
    }
    Journal Take() { return std::exchange(journal, {}); }

    Journal journal;
    FakeScreen screen{journal};
    FakeDesktop desktop{journal};
    FakeSocket agw{journal, "agw"};
    FakeSocket server{journal, "server"};
    Monitor monitor;
};

// Notes each start as "EVENT;NAME=value;..." after the first variable; nothing runs until the
// test calls its `ended`.
struct FakeRunner : CommandRunner {
    void Start(const std::vector<std::string>& words, const Environment& environment,
               Ended end) override {
        std::string run = environment.at(0).second;
        for (std::size_t i = 1; i < environment.size(); ++i) {
            run += ";" + environment[i].first + "=" + environment[i].second;
        }
        runs.push_back(run);
        lastWords = words;
        ended.push_back(std::move(end));
    }
    void Complain(const std::string& line) override { complaints.push_back(line); }

    std::vector<std::string> runs, complaints, lastWords;
    std::vector<Ended> ended;
};

struct TempFolder {
    TempFolder() {
        std::string name = (std::filesystem::temp_directory_path() / "pluvetta-XXXXXX").string();
        if (::mkdtemp(name.data()) == nullptr) throw std::runtime_error("no temporary folder");
        path = name;
    }
    ~TempFolder() { std::filesystem::remove_all(path, ignored); }
    std::filesystem::path path;
    std::error_code ignored;
};

}  // namespace pluvetta::testing
