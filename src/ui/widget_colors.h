#pragma once

#include <QColor>
#include <QPalette>
#include <QWidget>

namespace pluvetta {

// The colours both windows paint with.
inline const QColor kBlue(0x00, 0x00, 0xFF);
inline const QColor kRed(0xFF, 0x00, 0x00);
inline const QColor kLightYellow(0xFF, 0xFF, 0xC0);

// Background and text colour through the palette; an invalid background stays transparent, an
// invalid text colour stays the system's.
inline void SetColors(QWidget& widget, const QColor& background, const QColor& text) {
    QPalette palette = widget.palette();
    if (background.isValid()) {
        palette.setColor(QPalette::Window, background);
        palette.setColor(QPalette::Base, background);
        widget.setAutoFillBackground(true);
    }
    if (text.isValid()) {
        palette.setColor(QPalette::WindowText, text);
        palette.setColor(QPalette::Text, text);
    }
    widget.setPalette(palette);
}

}  // namespace pluvetta
