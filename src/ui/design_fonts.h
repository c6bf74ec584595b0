#pragma once

#include <QFont>

namespace pluvetta {

// The faces that stand in for the window design's fonts, by the design's point sizes: faces
// as wide as the design's where the desktop has them, else DejaVu faces scaled to that width.

// The proportional face of the readout (the design's sans serif), bold or regular.
QFont SansFont(double designPoints, bool bold);
// The fixed-pitch face of the comment line.
QFont FixedFont(double designPoints);
// The serif face of the calm label, bold.
QFont SerifFont(double designPoints);
// The small face of the Rx and history panes.
QFont SmallFont(double designPoints);

// A font of SansFont at another design size.
QFont ResizedSansFont(const QFont& font, double designPoints);

}  // namespace pluvetta
