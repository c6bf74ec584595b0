#include "ui/message_box.h"

namespace pluvetta {

void MessageBox::Warning(const QString& title, const QString& text) {
    Show(QMessageBox::Warning, title, text);
}

void MessageBox::Critical(const QString& title, const QString& text) {
    Show(QMessageBox::Critical, title, text);
}

void MessageBox::Show(QMessageBox::Icon icon, const QString& title, const QString& text) {
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent_);
    // The texts come from sockets and file paths: never read them as markup.
    box.setTextFormat(Qt::PlainText);
    if (answerInAdvance_) {
        recorded_.push_back({box.windowTitle(), box.text(), box.icon(), box.standardButtons()});
        return;
    }
    box.exec();
}

}  // namespace pluvetta
