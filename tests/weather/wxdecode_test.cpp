#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>

namespace {

struct ToolRun {
    int exitCode = -1;
    std::string out;
};

// Runs the built wxdecode with `args`, feeding `input` through a temporary file.
ToolRun RunWxdecode(const std::string& args, const std::string& input) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("wxdecode_test_" + std::to_string(getpid()) + ".txt");
    std::ofstream(path, std::ios::binary) << input;
    const std::string command =
        std::string("'") + PLUVETTA_BIN_DIR + "/wxdecode' " + args + " < '" + path.string() + "'";
    ToolRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return run;
    char buffer[4096];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, got);
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::filesystem::remove(path);
    return run;
}

const std::string kWorkedJson =
    R"({"wind_direction":220,"wind_speed":6.437388,"wind_gust":8.046735,"temperature":25,)"
    R"("rain_last_hour":0,"rain_since_midnight":0,"rain_24_hours":0,"pressure":990,)"
    R"("humidity":50,"pressure_change_4h":-999,"remainder":"wRSW","wind_chill":-999,)"
    R"("dew_point":13.847684,"absolute_humidity":11.494727,"readout":{"wind":"220°  6 / 8 km/h",)"
    R"("temp":"25.0°C","hum":"50%","press":"990.0 mb",)"
    R"("rain":"0mm/h 0mm/24h\r\n0mm/Day Dp 13.8°C  11.5g/m³","rain_font_pt":8,)"
    R"("comment":" wRSW"}})"
    "\n";

// An information field with nothing to decode: every value keeps its absent mark.
const std::string kEmptyJson =
    R"({"wind_direction":-999,"wind_speed":0,"wind_gust":-16091.86,"temperature":-5572.778,)"
    R"("rain_last_hour":-2539.776,"rain_since_midnight":-2539.776,"rain_24_hours":-2539.776,)"
    R"("pressure":-999.9,"humidity":-9999,"pressure_change_4h":-999,"remainder":"",)"
    R"("wind_chill":-999,"dew_point":null,"absolute_humidity":-999,"readout":{"wind":null,)"
    R"("temp":null,"hum":null,"press":null,"rain":"","rain_font_pt":10,"comment":" "}})"
    "\n";

TEST(Wxdecode, PrintsOneExactObjectPerLineInBothModes) {
    const std::string complete = "!4903.50N/07201.75W_220/004g005t077r000p000P000h50b09900wRSW";
    const std::string positionless = "_10090556c220s004g005t077r000p000P000h50b09900wRSW";
    // Arguments, input, output.
    const std::tuple<std::string, std::string, std::string> cases[] = {
        {"--info", positionless + "\r\n" + complete, kWorkedJson + kWorkedJson},
        {"", "N0CALL-13>APRS,WIDE2-1:" + complete + "\r\n", kWorkedJson},
        // The information starts after the first ':' behind the first '>'.
        {"", "A:B_1>APRS,qAR,X:" + positionless + "\n", kWorkedJson},
        {"", "no packet here\n\nN0CALL>APRS\n", kEmptyJson + kEmptyJson + kEmptyJson},
        {"--info", "", ""},
    };
    for (const auto& [args, input, expected] : cases) {
        SCOPED_TRACE(args + " " + input);
        const ToolRun run = RunWxdecode(args, input);
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.out, expected);
    }
}

TEST(Wxdecode, EscapesRemainderAsJsonAndLatin1AsUtf8) {
    const ToolRun run = RunWxdecode("--info", "_..._h50 \"q\"\\\x01\t\xB0\xFF\n");
    EXPECT_EQ(run.exitCode, 0);
    const std::string remainder = R"("remainder":"..._ \"q\"\\\u0001\t)"
                                  "\xC2\xB0\xC3\xBF\",";
    EXPECT_NE(run.out.find(remainder), std::string::npos) << run.out;
}

TEST(Wxdecode, HelpSucceedsAndUnknownOptionFails) {
    const ToolRun help = RunWxdecode("--help", "");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("--info"), std::string::npos) << help.out;

    const ToolRun wrong = RunWxdecode("--bogus 2>/dev/null", "x\n");
    EXPECT_EQ(wrong.exitCode, 2);
    EXPECT_EQ(wrong.out, "");
}

}  // namespace
