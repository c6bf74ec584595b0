#pragma once

#include <optional>
#include <string_view>

#include "help/rtf_document.h"

namespace pluvetta {

// Reads the bytes of an RTF file into a document. Gives nothing when the bytes do not start
// with "{\rtf"; anything after that is read as far as it goes: unknown control words are
// ignored, a missing closing brace keeps what was read, and what follows the document's last
// closing brace is ignored. Reads each byte once and nests groups on a stack of its own.
std::optional<RtfDocument> ReadRtf(std::string_view bytes);

}  // namespace pluvetta
