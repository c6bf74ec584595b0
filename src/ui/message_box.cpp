#include "ui/message_box.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QGridLayout>
#include <QSpacerItem>

namespace pluvetta {

namespace {

// Beside its title a window's title bar holds the window's icon and its buttons.
constexpr int kTitleBarRoom = 130;

}  // namespace

void MessageBox::Warning(const QString& title, const QString& text, QWidget* over) {
    Show(QMessageBox::Warning, title, text, over);
}

void MessageBox::Critical(const QString& title, const QString& text) {
    Show(QMessageBox::Critical, title, text, nullptr);
}

void MessageBox::Show(QMessageBox::Icon icon, const QString& title, const QString& text,
                      QWidget* over) {
    QMessageBox box(icon, title, text, QMessageBox::Ok, over != nullptr ? over : parent_);
    // The texts come from sockets and file paths: never read them as markup.
    box.setTextFormat(Qt::PlainText);
    // A box is only as wide as its text, and a short text ("Connection refused") would have
    // the window manager cut the title that names the link and the station. An empty row
    // across the box holds it open for the whole title in the title bar's font.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        const QFontMetrics titleFont(QFontDatabase::systemFont(QFontDatabase::TitleFont));
        const int width = titleFont.horizontalAdvance(title) + kTitleBarRoom;
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Fixed, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }
    if (answerInAdvance_) {
        recorded_.push_back({box.windowTitle(), box.text(), box.icon(), box.standardButtons()});
        return;
    }
    box.exec();
}

}  // namespace pluvetta
