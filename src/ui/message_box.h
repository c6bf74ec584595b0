#pragma once

#include <QMessageBox>
#include <QString>
#include <QWidget>
#include <memory>
#include <vector>

namespace pluvetta {

// The modal message boxes of the program. A test can answer them in advance: the boxes are
// then built as usual and recorded, but not shown, so nothing waits for a click.
class MessageBox {
  public:
    explicit MessageBox(QWidget* parent) : parent_(parent) {}

    // A warning with the exclamation icon and an OK button, over `over` if given, else over
    // the parent; returns when the user closed it.
    void Warning(const QString& title, const QString& text, QWidget* over = nullptr);
    // An error with the critical icon and an OK button; returns when the user closed it.
    void Critical(const QString& title, const QString& text);

    // From now on every box is recorded instead of shown.
    void AnswerInAdvance() { answerInAdvance_ = true; }

    struct Shown {
        QString title;
        QString text;
        QMessageBox::Icon icon;
        QMessageBox::StandardButtons buttons;
    };
    const std::vector<Shown>& Recorded() const { return recorded_; }

  private:
    void Show(QMessageBox::Icon icon, const QString& title, const QString& text, QWidget* over);

    QWidget* parent_;
    bool answerInAdvance_ = false;
    std::vector<Shown> recorded_;
};

}  // namespace pluvetta
