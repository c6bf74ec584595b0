#include "ui/window_desktop.h"

#include <QApplication>
#include <QLocale>
#include <QTime>
#include <QTimer>

#include "ui/latin1.h"
#include "ui/main_window.h"
#include "ui/message_box.h"
#include "ui/qt_locale.h"

namespace pluvetta {

void WindowDesktop::ShowWarning(const std::string& title, const std::string& text) {
    // A box raised while the setup dialog is up (a number refused on "&Conferma") stands over
    // the dialog: the main window behind it may be hidden in the tray.
    QWidget* over = window_.IsSetupDialogVisible() ? window_.Setup() : nullptr;
    messages_.Warning(FromLatin1(title), FromLatin1(text), over);
}

void WindowDesktop::ShowSetupDialog(DialogMode mode) { window_.ShowSetupDialog(mode); }

bool WindowDesktop::IsSetupDialogVisible() const { return window_.IsSetupDialogVisible(); }

void WindowDesktop::Beep() { QApplication::beep(); }

WindowState WindowDesktop::GetWindowState() const {
    // In the tray the window is hidden, and still counts as minimised.
    if (window_.IsInTray() || window_.isMinimized()) return WindowState::Minimised;
    if (window_.isMaximized()) return WindowState::Maximised;
    return WindowState::Normal;
}

void WindowDesktop::RestoreFromTray() { window_.RestoreFromTray(); }

void WindowDesktop::BringToFront() {
    window_.raise();
    window_.activateWindow();
}

void WindowDesktop::RestartElapsedTimer() { window_.ElapsedTimer().start(); }

std::string WindowDesktop::TimeOfDay() const {
    const QLocale locale = QLocale::system();
    return ToLatin1(locale.toString(QTime::currentTime(), TimeOfDayFormat(locale)));
}

}  // namespace pluvetta
