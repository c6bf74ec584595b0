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
    const char* entry = "[12:00:00] A>B:\r\n_x\r\n";
    for (const Case c : {Case{9999, entry, 9999}, Case{9999, "", 9999}, Case{10000, entry, 9800},
                         Case{12345, entry, 9800}, Case{10000, "", 9800}}) {
        SCOPED_TRACE(c.before);
        TrafficLog log = LogOfSize(c.before);
        const std::string old = log.Text();
        log.AppendToLog(c.entry);
        EXPECT_EQ(log.Text(), old.substr(old.size() - c.keptOfOld) + c.entry);
    }
}

TEST(TrafficLog, EntriesLandAtTheEndInCallOrderAcrossACut) {
    const std::string twenty = "aaaaaaaaaaaaaaaaaaaa";
    TrafficLog log = LogOfSize(9990);
    const std::string beforeB = log.Text() + twenty;  // 10010 characters: cut before "b"
    for (const std::string& entry : {twenty, std::string("b"), std::string("c")}) {
        log.AppendToLog(entry);
    }
    EXPECT_EQ(log.Text(), beforeB.substr(10010 - 9800) + "bc");
}

}  // namespace
}  // namespace pluvetta
