#pragma once

#include "help/rtf_document.h"

class QTextDocument;

namespace pluvetta {

// Replaces what `target` holds by the paragraphs and runs of `doc`. Runs without a font or a
// colour of their own take the document's default font and the view's text colour.
void FillTextDocument(QTextDocument& target, const RtfDocument& doc);

}  // namespace pluvetta
