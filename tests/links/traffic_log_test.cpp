#include "links/traffic_log.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace pluvetta {
namespace {

// The size before the append, the entry, and how much of the old text (numbered, so that a
// wrong cut shows) is kept: the cut looks only at the old text, and comes before the entry.
TEST(TrafficLog, CutsOnlyALogLongerThan9999BeforeTheAppendEvenForAnEmptyEntry) {
    for (const auto& [before, added, kept] : {std::tuple{9999u, "[12:00:00] A>B:\r\n_x\r\n", 9999u},
                                              {10000u, "b", 9800u},
                                              {10000u, "", 9800u}}) {
        std::string old;
        for (std::size_t i = 0; i < before; ++i) old += static_cast<char>('0' + i % 10);
        TrafficLog log;
        log.AppendToLog(old);
        log.AppendToLog(added);
        EXPECT_EQ(log.Text(), old.substr(old.size() - kept) + added) << before;
    }
}

}  // namespace
}  // namespace pluvetta
