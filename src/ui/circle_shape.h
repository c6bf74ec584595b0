#pragma once

#include <QColor>
#include <QWidget>

namespace pluvetta {

// A fixed circle drawn over a picture: a one-pixel outline, filled or not, filling the widget.
// It takes no mouse input.
class CircleShape : public QWidget {
    Q_OBJECT

  public:
    // An invalid `fill` leaves the inside transparent.
    CircleShape(const QColor& border, const QColor& fill, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QColor border_;
    QColor fill_;
};

}  // namespace pluvetta
