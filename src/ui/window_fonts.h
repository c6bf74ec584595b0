#pragma once

#include <QFont>

namespace pluvetta {

// The window's faces, asked for by the point sizes its layout was drawn with (a sans serif
// of 9.75 points, say). Where the desktop has the Liberation faces, which set text as wide as
// the faces the layout was measured in, they are used at those sizes; else DejaVu faces,
// scaled down to the same width.

// The proportional face of the readout, bold or regular.
QFont SansFont(double points, bool bold);
// The fixed-pitch face of the comment line.
QFont FixedFont(double points);
// The serif face of the calm label, bold.
QFont SerifFont(double points);
// The small face of the Rx and history panes.
QFont SmallFont(double points);

// A font of SansFont at another size.
QFont ResizedSansFont(const QFont& font, double points);

}  // namespace pluvetta
