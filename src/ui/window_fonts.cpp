#include "ui/window_fonts.h"

#include <QFontDatabase>
#include <QString>

namespace pluvetta {

namespace {

// The Liberation faces set text as wide as the layout's own faces, so they are used at the
// layout's sizes. Only WIND CALM, at 9.75 points, runs two pixels past the edge of the wind
// rose; 9 points is the nearest size that fits.
const char* const kMetricSans = "Liberation Sans";
const char* const kMetricSerif = "Liberation Serif";
constexpr double kMetricSansScale = 1.0;
constexpr double kMetricSerifScale = 0.92;
// DejaVu comes with every Debian desktop but sets text wider: at the layout's sizes a
// temperature such as -12.5°C overflows its label, the rain totals wrap onto a third line
// and WIND CALM runs out of the wind rose. Scaled by these factors they fit again.
const char* const kWideSans = "DejaVu Sans";
const char* const kWideSerif = "DejaVu Serif";
constexpr double kWideSansScale = 0.85;
constexpr double kWideSerifScale = 0.8;
// Fixed pitch and small text fit at the layout's sizes in either family.
const char* const kFixedFamily = "DejaVu Sans Mono";
const char* const kSmallFamily = "DejaVu Sans";

struct Face {
    QString family;
    double scale;
};

Face Pick(const Face& metric, const Face& wide) {
    return QFontDatabase::hasFamily(metric.family) ? metric : wide;
}

Face SansFace() {
    return Pick({QString::fromLatin1(kMetricSans), kMetricSansScale},
                {QString::fromLatin1(kWideSans), kWideSansScale});
}

Face SerifFace() {
    return Pick({QString::fromLatin1(kMetricSerif), kMetricSerifScale},
                {QString::fromLatin1(kWideSerif), kWideSerifScale});
}

double ScaleFor(const QString& family) {
    if (family == QLatin1String(kWideSans)) return kWideSansScale;
    if (family == QLatin1String(kMetricSerif)) return kMetricSerifScale;
    if (family == QLatin1String(kWideSerif)) return kWideSerifScale;
    return 1.0;
}

QFont MakeFont(const QString& family, double points, bool bold, QFont::StyleHint hint) {
    QFont font(family);
    font.setStyleHint(hint);
    font.setBold(bold);
    font.setPointSizeF(points);
    return font;
}

}  // namespace

QFont SansFont(double points, bool bold) {
    const Face face = SansFace();
    return MakeFont(face.family, points * face.scale, bold, QFont::SansSerif);
}

QFont FixedFont(double points) {
    QFont font = MakeFont(QString::fromLatin1(kFixedFamily), points, false, QFont::TypeWriter);
    font.setFixedPitch(true);
    return font;
}

QFont SerifFont(double points) {
    const Face face = SerifFace();
    return MakeFont(face.family, points * face.scale, true, QFont::Serif);
}

QFont SmallFont(double points) {
    return MakeFont(QString::fromLatin1(kSmallFamily), points, false, QFont::SansSerif);
}

QFont ResizedSansFont(const QFont& font, double points) {
    QFont resized = font;
    resized.setPointSizeF(points * ScaleFor(font.family()));
    return resized;
}

}  // namespace pluvetta
