#include "ui/wx_icon.h"

#include <QFont>
#include <QPainter>
#include <QPixmap>

namespace pluvetta {

namespace {

QPixmap DrawWx(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 255));
    painter.drawEllipse(QRectF(0.5, 0.5, size - 1.0, size - 1.0));

    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(size * 9 / 20);
    // Narrower letters keep "WX" inside the disc at small sizes.
    font.setStretch(QFont::SemiCondensed);
    painter.setFont(font);
    painter.setPen(QColor(255, 255, 0));
    painter.drawText(QRect(0, 0, size, size), Qt::AlignCenter, QStringLiteral("WX"));
    return pixmap;
}

}  // namespace

QIcon WxIcon() {
    QIcon icon;
    for (int size : {16, 32, 64}) icon.addPixmap(DrawWx(size));
    return icon;
}

}  // namespace pluvetta
