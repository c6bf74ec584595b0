#include "ui/window_screen.h"

#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSystemTrayIcon>

#include "ui/latin1.h"
#include "ui/main_window.h"
#include "ui/picture_box.h"
#include "ui/window_fonts.h"

namespace pluvetta {

namespace {

// The core ends lines with CR LF; Qt's widgets break lines at LF alone.
QString ShownText(const std::string& text) {
    return FromLatin1(text).replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

}  // namespace

WindowScreen::WindowScreen(MainWindow& window) : window_(window) {}

void WindowScreen::SetCaption(Label label, const std::string& text) {
    window_.ReadoutLabel(label).setText(ShownText(text));
}

void WindowScreen::SetColor(Label label, Rgb color) {
    QLabel& target = window_.ReadoutLabel(label);
    QPalette palette = target.palette();
    palette.setColor(QPalette::WindowText, QColor(color.r, color.g, color.b));
    target.setPalette(palette);
}

void WindowScreen::SetFontPoints(Label label, int points) {
    QLabel& target = window_.ReadoutLabel(label);
    target.setFont(ResizedSansFont(target.font(), points));
}

void WindowScreen::SetCalmVisible(bool visible) { window_.CalmLabel().setVisible(visible); }

Canvas& WindowScreen::WindRose() { return window_.WindRose(); }

Canvas& WindowScreen::TrendPicture(TrendBox box) { return window_.TrendPicture(box); }

void WindowScreen::SetRxRows(const std::vector<std::string>& rows) {
    QListWidget& list = window_.RxList();
    list.clear();
    for (const std::string& row : rows) list.addItem(ShownText(row));
}

void WindowScreen::SetLogText(const std::string& text) {
    pendingLog_ = text;
    if (logPending_) return;
    logPending_ = true;
    // Posted events run in order, so the redraw comes before anything the same turn queued
    // after it, such as closing the window.
    QMetaObject::invokeMethod(
        logRedraw_.get(), [this] { ShowLog(); }, Qt::QueuedConnection);
}

void WindowScreen::ShowLog() {
    logPending_ = false;
    QPlainTextEdit& history = window_.History();
    history.setPlainText(ShownText(pendingLog_));
    // The newest entry is the one to see.
    history.moveCursor(QTextCursor::End);
    history.ensureCursorVisible();
}

void WindowScreen::SetWindowCaption(const std::string& text) {
    window_.setWindowTitle(ShownText(text));
}

void WindowScreen::SetTrayTooltip(const std::string& text) {
    window_.Tray().setToolTip(ShownText(text));
}

}  // namespace pluvetta
