#include "help/help_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>

namespace pluvetta {
namespace {

namespace fs = std::filesystem;

// A missing file, a folder, a file over the size cap or one that is not RTF gives nothing; up
// to the cap an RTF file is read.
TEST(LoadHelpFile, GivesADocumentOnlyForAReadableRtfFileWithinTheCap) {
    const fs::path folder =
        fs::temp_directory_path() / ("pluvetta-help-" + std::to_string(getpid()));
    fs::create_directories(folder);
    std::string atCap = "{\\rtf1 Leggimi}";
    atCap.resize(kMaxHelpFileBytes, ' ');
    for (const auto& [name, bytes, read] : {std::tuple{"plain.rtf", std::string("Leggimi"), false},
                                            {"cap.rtf", atCap, true},
                                            {"big.rtf", atCap + " ", false}}) {
        std::ofstream(folder / name) << bytes;
        EXPECT_EQ(LoadHelpFile(folder / name).has_value(), read) << name;
    }
    EXPECT_FALSE(LoadHelpFile(folder / "missing.rtf"));
    EXPECT_FALSE(LoadHelpFile(folder));
    EXPECT_EQ(LoadHelpFile(folder / "cap.rtf")->paragraphs.at(0).runs.at(0).text, "Leggimi");
    fs::remove_all(folder);
}

}  // namespace
}  // namespace pluvetta
