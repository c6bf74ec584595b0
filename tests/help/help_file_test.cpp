#include "help/help_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace pluvetta {
namespace {

namespace fs = std::filesystem;

// Whether the bytes are RTF is the reader's to say.
TEST(LoadHelpFile, ReadsOnlyAnExistingFileUpToTheCap) {
    const fs::path folder =
        fs::temp_directory_path() / ("pluvetta-help-" + std::to_string(getpid()));
    fs::create_directories(folder);
    std::string atCap = "{\\rtf1 Leggimi}";
    atCap.resize(kMaxHelpFileBytes, ' ');
    std::ofstream(folder / "cap.rtf") << atCap;
    std::ofstream(folder / "big.rtf") << atCap << ' ';
    EXPECT_EQ(LoadHelpFile(folder / "cap.rtf").value().paragraphs.at(0).runs.at(0).text, "Leggimi");
    EXPECT_FALSE(LoadHelpFile(folder / "big.rtf"));
    EXPECT_FALSE(LoadHelpFile(folder));
    // A pipe with no writer: opening it by name would wait for one for ever.
    ASSERT_EQ(mkfifo((folder / "fifo.rtf").c_str(), 0600), 0);
    EXPECT_FALSE(LoadHelpFile(folder / "fifo.rtf"));
    fs::remove_all(folder);
}

}  // namespace
}  // namespace pluvetta
