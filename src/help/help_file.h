#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

#include "help/rtf_document.h"

namespace pluvetta {

// Help files larger than this are not read: no help text comes near it, and reading it
// would hold the window up.
inline constexpr std::uintmax_t kMaxHelpFileBytes = std::uintmax_t{16} << 20;

// Reads the RTF help file at `path` (a relative path is taken from the working folder).
// Gives nothing when the file is missing, cannot be read, is larger than kMaxHelpFileBytes,
// or is not RTF, an empty file included.
std::optional<RtfDocument> LoadHelpFile(const std::filesystem::path& path);

}  // namespace pluvetta
