#include "ui/rich_text.h"

#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

namespace pluvetta {

namespace {

// Twips to logical pixels, keeping fractions: Qt's margins are real numbers.
double Pixels(int twips) { return twips / 15.0; }

Qt::Alignment ToQt(RtfAlignment alignment) {
    switch (alignment) {
        case RtfAlignment::Center:
            return Qt::AlignHCenter;
        case RtfAlignment::Right:
            return Qt::AlignRight;
        case RtfAlignment::Justify:
            return Qt::AlignJustify;
        case RtfAlignment::Left:
            break;
    }
    return Qt::AlignLeft;
}

QTextBlockFormat BlockFormat(const RtfParagraph& paragraph) {
    QTextBlockFormat format;
    format.setAlignment(ToQt(paragraph.alignment));
    format.setLeftMargin(Pixels(paragraph.leftIndent));
    format.setTextIndent(Pixels(paragraph.firstIndent));
    format.setTopMargin(Pixels(paragraph.spaceBefore));
    format.setBottomMargin(Pixels(paragraph.spaceAfter));
    return format;
}

QTextCharFormat CharFormat(const RtfCharFormat& run, const QStringList& fonts) {
    QTextCharFormat format;
    format.setFontWeight(run.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(run.italic);
    format.setFontUnderline(run.underline);
    format.setFontPointSize(run.halfPoints / 2.0);
    if (run.font >= 0 && run.font < fonts.size()) format.setFontFamilies({fonts[run.font]});
    if (run.color) format.setForeground(QColor(run.color->red, run.color->green, run.color->blue));
    return format;
}

}  // namespace

void FillTextDocument(QTextDocument& target, const RtfDocument& doc) {
    QStringList fonts;
    for (const std::string& name : doc.fonts) fonts << QString::fromStdString(name);
    target.clear();
    // A read-only view has nothing to undo, and the history would double the memory.
    target.setUndoRedoEnabled(false);
    QTextCursor cursor(&target);
    // One change for the whole fill: a layout attached to the document would otherwise lay
    // out again from each insertion on, and the cost would grow with the square of the size.
    cursor.beginEditBlock();
    bool first = true;
    for (const RtfParagraph& paragraph : doc.paragraphs) {
        if (first) {
            cursor.setBlockFormat(BlockFormat(paragraph));
            first = false;
        } else {
            cursor.insertBlock(BlockFormat(paragraph));
        }
        for (const RtfRun& run : paragraph.runs) {
            // A '\n' would start a new paragraph here; within one it is a line separator.
            QString text = QString::fromStdString(run.text);
            text.replace(QLatin1Char('\n'), QChar::LineSeparator);
            cursor.insertText(text, CharFormat(run.format, fonts));
        }
    }
    cursor.endEditBlock();
}

}  // namespace pluvetta
