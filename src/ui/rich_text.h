#pragma once

#include <QTextCursor>
#include <QTextFormat>
#include <chrono>
#include <cstddef>
#include <optional>

#include "help/rtf_document.h"

class QTextDocument;

namespace pluvetta {

// Puts the paragraphs and runs of an RTF document into a text document a slice at a time, so
// that a window can show the beginning of a long guide while the rest is still going in. Runs
// without a font or a colour of their own take the document's default font and the view's
// text colour. The target must outlive the fill.
class TextDocumentFill {
  public:
    // Clears `target`; nothing of `doc` is in it until the first Continue().
    TextDocumentFill(QTextDocument& target, RtfDocument doc);

    // Adds paragraphs until about `budget` has passed; true once every paragraph is in.
    bool Continue(std::chrono::milliseconds budget);

  private:
    RtfDocument doc_;
    QStringList fonts_;
    QTextCursor cursor_;
    std::size_t next_ = 0;
    // Neighbouring paragraphs and runs mostly look alike: a format is built once per change,
    // which a guide of many short paragraphs would otherwise pay for at every one.
    const RtfParagraph* lastParagraph_ = nullptr;
    QTextBlockFormat blockFormat_;
    std::optional<RtfCharFormat> lastRun_;
    QTextCharFormat charFormat_;
};

// Replaces what `target` holds by the whole of `doc` at once.
void FillTextDocument(QTextDocument& target, const RtfDocument& doc);

}  // namespace pluvetta
