#pragma once

#include "app/ports.h"

namespace pluvetta {

class MainWindow;
class MessageBox;

// The core's `Desktop` over the main window, its timer and tray icon, the message boxes and
// the system's clock, beep and locale.
class WindowDesktop : public Desktop {
  public:
    WindowDesktop(MainWindow& window, MessageBox& messages)
        : window_(window), messages_(messages) {}

    void ShowWarning(const std::string& title, const std::string& text) override;
    void ShowSetupDialog(DialogMode mode) override;
    bool IsSetupDialogVisible() const override;
    void Beep() override;
    WindowState GetWindowState() const override;
    void RestoreFromTray() override;
    void BringToFront() override;
    void RestartElapsedTimer() override;
    std::string TimeOfDay() const override;

  private:
    MainWindow& window_;
    MessageBox& messages_;
};

}  // namespace pluvetta
