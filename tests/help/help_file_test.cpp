#include "help/help_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace pluvetta {
namespace {

namespace fs = std::filesystem;

// A file that is missing, unreadable, too large, empty or not RTF gives nothing; up to the
// size cap an RTF file is read.
TEST(LoadHelpFile, GivesADocumentOnlyForAReadableRtfFileWithinTheCap) {
    const fs::path folder =
        fs::temp_directory_path() / ("pluvetta-help-" + std::to_string(getpid()));
    fs::create_directories(folder);
    std::string atCap = "{\\rtf1 Leggimi}";
    atCap.resize(kMaxHelpFileBytes, ' ');
    const struct {
        const char* name;
        std::string bytes;
        bool read;
    } cases[] = {{"empty.rtf", "", false},
                 {"plain.rtf", "Leggimi", false},
                 {"cap.rtf", atCap, true},
                 {"big.rtf", atCap + " ", false},
                 {"missing.rtf", "", false}};
    for (const auto& c : cases) {
        if (c.name != std::string("missing.rtf")) std::ofstream(folder / c.name) << c.bytes;
        EXPECT_EQ(LoadHelpFile(folder / c.name).has_value(), c.read) << c.name;
    }
    EXPECT_FALSE(LoadHelpFile(folder));
    EXPECT_EQ(LoadHelpFile(folder / "cap.rtf")->paragraphs.at(0).runs.at(0).text, "Leggimi");
    fs::remove_all(folder);
}

}  // namespace
}  // namespace pluvetta
