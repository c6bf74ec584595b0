#include "links/traffic_log.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace pluvetta {
namespace {

// A log whose text is `size` characters, numbered so that a cut in the wrong place shows.
TrafficLog LogOfSize(std::size_t size) {
    TrafficLog log;
    std::string text;
    for (std::size_t i = 0; i < size; ++i) text += static_cast<char>('0' + i % 10);
    log.AppendToLog(text);
    return log;
}

// The size before the append, the entry, and how much of the old text is kept: the cut looks
// only at the old text, and comes before the entry.
TEST(TrafficLog, CutsOnlyALogLongerThan9999BeforeTheAppendEvenForAnEmptyEntry) {
    for (const auto& [before, added, kept] : {std::tuple{9999u, "[12:00:00] A>B:\r\n_x\r\n", 9999u},
                                              {10000u, "b", 9800u},
                                              {10000u, "", 9800u}}) {
        TrafficLog log = LogOfSize(before);
        const std::string old = log.Text();
        log.AppendToLog(added);
        EXPECT_EQ(log.Text(), old.substr(old.size() - kept) + added) << before;
    }
}

}  // namespace
}  // namespace pluvetta
