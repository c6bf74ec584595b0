#include "help/help_file.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <string>

namespace pluvetta {
namespace {

namespace fs = std::filesystem;

class LoadHelpFileTest : public ::testing::Test {
  protected:
    void SetUp() override { fs::create_directories(folder_); }
    void TearDown() override { fs::remove_all(folder_); }

    fs::path Write(const std::string& name, const std::string& bytes) {
        std::ofstream(folder_ / name, std::ios::binary) << bytes;
        return folder_ / name;
    }

    const fs::path folder_ =
        fs::temp_directory_path() / ("pluvetta-help-" + std::to_string(::getpid()));
};

// A file that is missing, unreadable, too large, empty or not RTF gives nothing; up to the
// size cap an RTF file is read.
TEST_F(LoadHelpFileTest, GivesADocumentOnlyForAReadableRtfFileWithinTheCap) {
    const std::string rtf = "{\\rtf1 Leggimi}";
    std::string padded = rtf;
    padded.resize(kMaxHelpFileBytes, ' ');
    const struct {
        const char* what;
        fs::path path;
        bool read;
    } cases[] = {
        {"missing", folder_ / "Manca.rtf", false},
        {"a folder", folder_, false},
        {"empty", Write("empty.rtf", ""), false},
        {"plain text", Write("plain.rtf", "Leggimi"), false},
        {"RTF", Write("ok.rtf", rtf), true},
        {"RTF at the cap", Write("cap.rtf", padded), true},
        {"RTF past the cap", Write("big.rtf", padded + " "), false},
    };
    for (const auto& c : cases) {
        const std::optional<RtfDocument> doc = LoadHelpFile(c.path);
        EXPECT_EQ(doc.has_value(), c.read) << c.what;
    }
    EXPECT_EQ(LoadHelpFile(folder_ / "ok.rtf")->paragraphs.at(0).runs.at(0).text, "Leggimi");
}

}  // namespace
}  // namespace pluvetta
