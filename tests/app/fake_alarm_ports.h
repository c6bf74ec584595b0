#pragma once

#include <string>
#include <vector>

#include "app/alarm_ports.h"

namespace pluvetta::testing {

struct FakeClock : Clock {
    std::chrono::steady_clock::time_point Now() const override { return now; }
    std::chrono::steady_clock::time_point now;
};

// Notes each start as "EVENT;NAME=value;..." after the first variable; nothing runs until the
// test calls its `ended`.
struct FakeRunner : CommandRunner {
    void Start(const std::vector<std::string>& words, const Environment& environment,
               Ended end) override {
        std::string run = environment.at(0).second;
        for (std::size_t i = 1; i < environment.size(); ++i) {
            run += ";" + environment[i].first + "=" + environment[i].second;
        }
        runs.push_back(run);
        lastWords = words;
        ended.push_back(std::move(end));
    }
    void Complain(const std::string& line) override { complaints.push_back(line); }

    std::vector<std::string> runs, complaints, lastWords;
    std::vector<Ended> ended;
};

}  // namespace pluvetta::testing
