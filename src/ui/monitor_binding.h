#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>

#include "app/monitor.h"
#include "ui/message_box.h"
#include "ui/qt_command_runner.h"
#include "ui/window_desktop.h"
#include "ui/window_screen.h"

class QTimer;

namespace pluvetta {

class MainWindow;

// Puts the core's Monitor behind the main window: the window's controls, dialogs and sockets
// serve as the Monitor's ports, and the window's events reach the Monitor's handlers.
class MonitorBinding {
  public:
    // `loginSeed` as the Monitor takes it: drawn at random once per run.
    MonitorBinding(MainWindow& window, NumberFormat numberFormat, std::uint32_t loginSeed);
    ~MonitorBinding();

    // The window's load step: runs the Monitor's start-up.
    void Start(std::string_view commandLine, const std::filesystem::path& executableFolder,
               const std::filesystem::path& configFolder = {});

    // Closes the window for a session that ends without the user: the shut-down runs as on
    // a close by the user, but a failed save goes to standard error instead of a box.
    void CloseUnattended();

    Monitor& Core() { return monitor_; }
    MessageBox& Messages() { return messages_; }

  private:
    MainWindow& window_;
    Monitor::ShutdownBy shutdownBy_ = Monitor::ShutdownBy::User;
    MessageBox messages_;
    WindowScreen screen_;
    WindowDesktop desktop_;
    QtCommandRunner commandRunner_{kCommandTimeLimit};
    Monitor monitor_;
};

}  // namespace pluvetta
