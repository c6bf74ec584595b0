#include "ui/circle_shape.h"

#include <QPainter>

namespace pluvetta {

CircleShape::CircleShape(const QColor& border, const QColor& fill, QWidget* parent)
    : QWidget(parent), border_(border), fill_(fill) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void CircleShape::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(border_, 1));
    painter.setBrush(fill_.isValid() ? QBrush(fill_) : QBrush(Qt::NoBrush));
    // Half a pixel in, so the whole outline lies inside the widget.
    painter.drawEllipse(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}

}  // namespace pluvetta
