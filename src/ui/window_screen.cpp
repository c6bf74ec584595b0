#include "ui/window_screen.h"

#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSystemTrayIcon>

#include "ui/design_fonts.h"
#include "ui/main_window.h"
#include "ui/picture_box.h"

namespace pluvetta {

namespace {

QString FromLatin1(const std::string& text) {
    QString converted = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    converted.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return converted;
}

}  // namespace

void WindowScreen::SetCaption(Label label, const std::string& text) {
    window_.ReadoutLabel(label).setText(FromLatin1(text));
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

Canvas& WindowScreen::TrendBox(int index) { return window_.TrendBox(index); }

void WindowScreen::SetRxRows(const std::string& header, const std::string& information) {
    QListWidget& list = window_.RxList();
    list.clear();
    list.addItem(FromLatin1(header));
    list.addItem(FromLatin1(information));
}

void WindowScreen::SetLogText(const std::string& text) {
    QPlainTextEdit& history = window_.History();
    history.setPlainText(FromLatin1(text));
    // The newest entry is the one to see.
    history.moveCursor(QTextCursor::End);
    history.ensureCursorVisible();
}

void WindowScreen::SetWindowCaption(const std::string& text) {
    window_.setWindowTitle(FromLatin1(text));
}

void WindowScreen::SetTrayTooltip(const std::string& text) {
    window_.Tray().setToolTip(FromLatin1(text));
}

}  // namespace pluvetta
