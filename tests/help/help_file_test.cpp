#include "help/help_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/fake_ports.h"

namespace pluvetta {
namespace {

namespace fs = std::filesystem;

// Whether the bytes are RTF is the reader's to say.
TEST(LoadHelpFile, ReadsOnlyAnExistingFileUpToTheCap) {
    const testing::TempFolder folder;
    std::string atCap = "{\\rtf1 Leggimi}";
    atCap.resize(kMaxHelpFileBytes, ' ');
    std::ofstream(folder.path / "cap.rtf") << atCap;
    std::ofstream(folder.path / "big.rtf") << atCap << ' ';
    EXPECT_EQ(LoadHelpFile(folder.path / "cap.rtf").value().paragraphs.at(0).runs.at(0).text,
              "Leggimi");
    EXPECT_FALSE(LoadHelpFile(folder.path / "big.rtf"));
    EXPECT_FALSE(LoadHelpFile(folder.path));
    // A pipe with no writer: opening it by name would wait for one for ever.
    ASSERT_EQ(mkfifo((folder.path / "fifo.rtf").c_str(), 0600), 0);
    EXPECT_FALSE(LoadHelpFile(folder.path / "fifo.rtf"));
}

}  // namespace
}  // namespace pluvetta
