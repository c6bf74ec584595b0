#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

#include "weather/canvas.h"

namespace pluvetta {

// A picture the core draws on in twips. The drawing is kept in an image, so it survives
// repaints and trips to the tray; child widgets (shapes, labels) are painted over it.
class PictureBox : public QWidget, public Canvas {
    Q_OBJECT

  public:
    // `penWidth` is in pixels, the same for every line and circle drawn here.
    PictureBox(const QColor& background, int penWidth, QWidget* parent);

    void Clear() override;
    void Line(PointF from, PointF to, Rgb color) override;
    void Circle(PointF centre, double radius, Rgb color) override;

    // What has been drawn, for a test to look at.
    const QImage& Image() const { return image_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    // The image at the widget's current size and pixel ratio, carrying over what it held.
    QImage& Surface();
    QPen Pen(Rgb color) const;

    QColor background_;
    int penWidth_;
    QImage image_;
};

}  // namespace pluvetta
