#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "help/rtf_document.h"

namespace pluvetta {

// Help files larger than this are not read: no help text comes near it, and reading it
// would hold the window up.
inline constexpr std::uintmax_t kMaxHelpFileBytes = std::uintmax_t{16} << 20;

// The bytes of the help file at `path`, or nothing when it is missing, cannot be read, is not
// a regular file or is larger than kMaxHelpFileBytes. Never waits on a pipe or a device.
std::optional<std::string> ReadHelpFileBytes(const std::filesystem::path& path);

// Reads the RTF help file at `path` (a relative path is taken from the working folder).
// Gives nothing when the file is missing, cannot be read, is larger than kMaxHelpFileBytes,
// or is not RTF, an empty file included.
std::optional<RtfDocument> LoadHelpFile(const std::filesystem::path& path);

}  // namespace pluvetta
