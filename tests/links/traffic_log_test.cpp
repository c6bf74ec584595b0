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

TEST(TrafficLog, CutsOnlyALogLongerThan9999BeforeTheAppendEvenForAnEmptyEntry) {
    struct Case {
        std::size_t before;
        const char* entry;
        std::size_t keptOfOld;
    };
    for (const Case c : {Case{9999, "[12:00:00] A>B:\r\n_x\r\n", 9999}, Case{9999, "", 9999},
                         Case{10000, "[12:00:00] A>B:\r\n_x\r\n", 9800},
                         Case{12345, "[12:00:00] A>B:\r\n_x\r\n", 9800}, Case{10000, "", 9800}}) {
        SCOPED_TRACE(c.before);
        TrafficLog log = LogOfSize(c.before);
        const std::string old = log.Text();
        log.AppendToLog(c.entry);
        EXPECT_EQ(log.Text(), old.substr(old.size() - c.keptOfOld) + c.entry);
    }
}

TEST(TrafficLog, EntriesLandAtTheEndInCallOrderAcrossCuts) {
    TrafficLog log;
    std::string expected;
    for (int i = 0; i < 400; ++i) {
        const std::string entry = "[10:00:" + std::to_string(i) + "] Q1ABC>APRS:\r\n>entry\r\n";
        if (expected.size() > 9999) {
            expected.erase(0, expected.size() - 9800);
        }
        expected += entry;
        log.AppendToLog(entry);
    }
    EXPECT_EQ(log.Text(), expected);
}

}  // namespace
}  // namespace pluvetta
