#include "ui/message_box.h"

namespace pluvetta {

void MessageBox::Warning(const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok, parent_);
    // The texts come from sockets and file paths: never read them as markup.
    box.setTextFormat(Qt::PlainText);
    if (answerInAdvance_) {
        recorded_.push_back({box.windowTitle(), box.text(), box.icon(), box.standardButtons()});
        return;
    }
    box.exec();
}

}  // namespace pluvetta
