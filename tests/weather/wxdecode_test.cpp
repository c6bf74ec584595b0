#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <utility>

namespace {

// Runs the built wxdecode with `args` on `input`; gives its exit code and standard output.
std::pair<int, std::string> RunWxdecode(const std::string& args, const std::string& input) {
    const std::string path = ::testing::TempDir() + "wxdecode_test_" + std::to_string(getpid());
    std::ofstream(path, std::ios::binary) << input;
    FILE* pipe =
        popen(("'" PLUVETTA_BIN_DIR "/wxdecode' " + args + " < '" + path + "'").c_str(), "r");
    if (pipe == nullptr) return {-1, ""};
    std::string out;
    char buffer[4096];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, got);
    const int status = pclose(pipe);
    std::remove(path.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

TEST(Wxdecode, PrintsOneObjectPerLineWithEveryKeyInOrder) {
    // An information field with nothing to decode: every value keeps its absent mark.
    const std::string empty =
        R"({"wind_direction":-999,"wind_speed":0,"wind_gust":-16091.86,"temperature":-5572.778,)"
        R"("rain_last_hour":-2539.776,"rain_since_midnight":-2539.776,"rain_24_hours":-2539.776,)"
        R"("pressure":-999.9,"humidity":-9999,"pressure_change_4h":-999,"remainder":"",)"
        R"("wind_chill":-999,"dew_point":null,"absolute_humidity":-999,"readout":{"wind":null,)"
        R"("temp":null,"hum":null,"press":null,"rain":"","rain_font_pt":10,"comment":" "}})"
        "\n";
    EXPECT_EQ(RunWxdecode("--info", "\r\n"), std::pair(0, empty));
    EXPECT_EQ(RunWxdecode("--info", ""), std::pair(0, std::string()));
    // The information starts after the first ':' behind the first '>'; without them it is empty.
    EXPECT_EQ(RunWxdecode("", "no packet here\n\nN0CALL>APRS\n"),
              std::pair(0, empty + empty + empty));
    const std::string field = "_10090556c220s004t077h50 a>b:c";
    EXPECT_EQ(RunWxdecode("", "A:B_1>APRS,X:" + field + "\r\n"),
              RunWxdecode("--info", field + "\n"));
}

TEST(Wxdecode, WritesTextAsEscapedUtf8AndComputedValuesAsNumbers) {
    const auto [exitCode, out] =
        RunWxdecode("--info", "_10090556c220s004t077p000h50 \"q\"\\\x01\t\xB0\xFF\n");
    EXPECT_EQ(exitCode, 0);
    // Latin-1 comes out as UTF-8; the CR LF of the rain caption is escaped like the remainder.
    for (const std::string part :
         {R"("remainder":" \"q\"\\\u0001\t°ÿ",)", R"("dew_point":13.847684,)",
          R"("temp":"25.0°C",)", R"("rain":"0mm/24h\r\n Dp 13.8°C  11.5g/m³",)"}) {
        EXPECT_NE(out.find(part), std::string::npos) << part << "\n" << out;
    }
}

TEST(Wxdecode, HelpSucceedsAndUnknownOptionFailsWithoutOutput) {
    const auto [exitCode, help] = RunWxdecode("--help", "");
    EXPECT_EQ(exitCode, 0);
    EXPECT_NE(help.find("--info"), std::string::npos) << help;
    EXPECT_EQ(RunWxdecode("--bogus 2>/dev/null", "x\n"), std::pair(2, std::string()));
}

}  // namespace
