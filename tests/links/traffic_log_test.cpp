#include "links/traffic_log.h"

#include <gtest/gtest.h>

#include <string>

namespace pluvetta {
namespace {

// A log whose text is `size` characters, numbered so that a cut in the wrong place shows.
TrafficLog LogOfSize(std::size_t size) {
    TrafficLog log;
    std::string text;
    for (std::size_t i = 0; i < size; ++i) {
        text += static_cast<char>('0' + i % 10);
    }
    log.AppendToLog(text);
    return log;
}

TEST(TrafficLog, CutsOnlyALogLongerThan9999BeforeTheAppend) {
    struct Case {
        std::size_t before;
        std::size_t keptOfOld;
    };
    for (const Case c :
         {Case{9998, 9998}, Case{9999, 9999}, Case{10000, 9800}, Case{12345, 9800}}) {
        SCOPED_TRACE(c.before);
        TrafficLog log = LogOfSize(c.before);
        const std::string old = log.Text();
        log.AppendToLog("[12:00:00] A>B:\r\n_x\r\n");
        EXPECT_EQ(log.Text(), old.substr(old.size() - c.keptOfOld) + "[12:00:00] A>B:\r\n_x\r\n");
    }
}

TEST(TrafficLog, EmptyEntryStillPerformsADueCut) {
    TrafficLog small = LogOfSize(50);
    small.AppendToLog("");
    EXPECT_EQ(small.Text().size(), 50u);

    TrafficLog big = LogOfSize(10000);
    const std::string old = big.Text();
    big.AppendToLog("");
    EXPECT_EQ(big.Text(), old.substr(200));
}

TEST(TrafficLog, EntriesLandAtTheEndInCallOrderAcrossCuts) {
    TrafficLog log;
    std::string expected;
    for (int i = 0; i < 400; ++i) {
        const std::string entry = "[10:00:" + std::to_string(i) + "] Q1ABC>APRS:\r\n>entry\r\n";
        if (expected.size() > TrafficLog::kTrimThreshold) {
            expected.erase(0, expected.size() - TrafficLog::kKeptTail);
        }
        expected += entry;
        log.AppendToLog(entry);
    }
    EXPECT_EQ(log.Text(), expected);
    EXPECT_LE(log.Text().size(), TrafficLog::kTrimThreshold + 40);
    log.Clear();
    EXPECT_EQ(log.Text(), "");
}

}  // namespace
}  // namespace pluvetta
