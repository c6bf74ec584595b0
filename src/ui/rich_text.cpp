#include "ui/rich_text.h"

#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <utility>

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

TextDocumentFill::TextDocumentFill(QTextDocument& target, RtfDocument doc)
    : doc_(std::move(doc)), cursor_(&target) {
    for (const std::string& name : doc_.fonts) fonts_ << QString::fromStdString(name);
    target.clear();
    // A read-only view has nothing to undo, and the history would double the memory.
    target.setUndoRedoEnabled(false);
}

bool TextDocumentFill::Continue(std::chrono::milliseconds budget) {
    const auto until = std::chrono::steady_clock::now() + budget;
    // One change per slice: a layout attached to the document would otherwise lay out again
    // from each insertion on, and the cost would grow with the square of the size.
    cursor_.beginEditBlock();
    // The clock is read every few paragraphs only: reading it costs more than one of them.
    constexpr std::size_t kParagraphsBetweenClockReads = 256;
    for (std::size_t count = 1; next_ < doc_.paragraphs.size(); ++count) {
        if (count % kParagraphsBetweenClockReads == 0 && std::chrono::steady_clock::now() > until) {
            break;
        }
        const RtfParagraph& paragraph = doc_.paragraphs[next_++];
        if (lastParagraph_ == nullptr || !SameLook(*lastParagraph_, paragraph)) {
            blockFormat_ = BlockFormat(paragraph);
        }
        if (lastParagraph_ == nullptr) {
            cursor_.setBlockFormat(blockFormat_);
        } else {
            cursor_.insertBlock(blockFormat_);
        }
        lastParagraph_ = &paragraph;
        for (const RtfRun& run : paragraph.runs) {
            if (lastRun_ != run.format) {
                charFormat_ = CharFormat(run.format, fonts_);
                lastRun_ = run.format;
            }
            // A '\n' would start a new paragraph here; within one it is a line separator.
            QString text = QString::fromStdString(run.text);
            text.replace(QLatin1Char('\n'), QChar::LineSeparator);
            cursor_.insertText(text, charFormat_);
        }
    }
    cursor_.endEditBlock();
    return next_ == doc_.paragraphs.size();
}

void FillTextDocument(QTextDocument& target, const RtfDocument& doc) {
    TextDocumentFill fill(target, doc);
    while (!fill.Continue(std::chrono::hours(1))) {
    }
}

}  // namespace pluvetta
