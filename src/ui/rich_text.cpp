#include "ui/rich_text.h"

#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <optional>

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

bool SameLook(const RtfParagraph& a, const RtfParagraph& b) {
    return a.alignment == b.alignment && a.leftIndent == b.leftIndent &&
           a.firstIndent == b.firstIndent && a.spaceBefore == b.spaceBefore &&
           a.spaceAfter == b.spaceAfter;
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
    // Neighbouring paragraphs and runs mostly look alike: a format is built once per change,
    // which a guide of many short paragraphs would otherwise pay for at every one.
    const RtfParagraph* lastParagraph = nullptr;
    QTextBlockFormat blockFormat;
    std::optional<RtfCharFormat> lastRun;
    QTextCharFormat charFormat;
    for (const RtfParagraph& paragraph : doc.paragraphs) {
        if (lastParagraph == nullptr || !SameLook(*lastParagraph, paragraph)) {
            blockFormat = BlockFormat(paragraph);
        }
        if (lastParagraph == nullptr) {
            cursor.setBlockFormat(blockFormat);
        } else {
            cursor.insertBlock(blockFormat);
        }
        lastParagraph = &paragraph;
        for (const RtfRun& run : paragraph.runs) {
            if (lastRun != run.format) {
                charFormat = CharFormat(run.format, fonts);
                lastRun = run.format;
            }
            // A '\n' would start a new paragraph here; within one it is a line separator.
            QString text = QString::fromStdString(run.text);
            text.replace(QLatin1Char('\n'), QChar::LineSeparator);
            cursor.insertText(text, charFormat);
        }
    }
    cursor.endEditBlock();
}

}  // namespace pluvetta
