#include "ui/picture_box.h"

#include <QPainter>
#include <QPen>

#include "ui/twips.h"

namespace pluvetta {

namespace {

QPointF ToPixels(PointF twips) {
    return QPointF(twips.x / kTwipsPerPixel, twips.y / kTwipsPerPixel);
}

}  // namespace

PictureBox::PictureBox(const QColor& background, int penWidth, QWidget* parent)
    : QWidget(parent), background_(background), penWidth_(penWidth) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QImage& PictureBox::Surface() {
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = size() * ratio;
    if (image_.size() != pixels || image_.devicePixelRatio() != ratio) {
        QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(ratio);
        image.fill(background_);
        if (!image_.isNull() && !image.isNull()) QPainter(&image).drawImage(QPoint(0, 0), image_);
        image_ = std::move(image);
    }
    return image_;
}

void PictureBox::Clear() {
    Surface().fill(background_);
    update();
}

QPen PictureBox::Pen(Rgb color) const {
    // Wide lines end round, like the wind rose's 5-pixel needles.
    return QPen(QColor(color.r, color.g, color.b), penWidth_, Qt::SolidLine, Qt::RoundCap,
                Qt::RoundJoin);
}

void PictureBox::Line(PointF from, PointF to, Rgb color) {
    if (Surface().isNull()) return;
    QPainter painter(&image_);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Pen(color));
    painter.drawLine(ToPixels(from), ToPixels(to));
    update();
}

void PictureBox::Circle(PointF centre, double radius, Rgb color) {
    if (Surface().isNull()) return;
    QPainter painter(&image_);
    painter.setRenderHint(QPainter::Antialiasing);
    const double r = radius / kTwipsPerPixel;
    const double halfPen = penWidth_ / 2.0;
    if (r <= halfPen) {
        // A wide pen around a small circle covers its middle too: a disc. Stroked, the inner
        // edge of the pen would cross over and leave a hole instead.
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(color.r, color.g, color.b));
        painter.drawEllipse(ToPixels(centre), r + halfPen, r + halfPen);
    } else {
        painter.setPen(Pen(color));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(ToPixels(centre), r, r);
    }
    update();
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), Surface());
}

}  // namespace pluvetta
