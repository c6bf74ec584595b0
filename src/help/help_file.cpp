#include "help/help_file.h"

#include <fstream>
#include <string>
#include <system_error>

#include "help/rtf_reader.h"

namespace pluvetta {

std::optional<RtfDocument> LoadHelpFile(const std::filesystem::path& path) {
    std::error_code error;
    // A folder has no file size, so it fails here too.
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error || size > kMaxHelpFileBytes) return std::nullopt;
    std::ifstream file(path, std::ios::binary);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    if (!file.read(bytes.data(), static_cast<std::streamsize>(size))) return std::nullopt;
    return ReadRtf(bytes);
}

}  // namespace pluvetta
