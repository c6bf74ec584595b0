#pragma once

#include <string>
#include <vector>

#include "app/alarm_ports.h"

namespace pluvetta::testing {

struct FakeClock : Clock {
    std::chrono::steady_clock::time_point Now() const override { return now; }
    std::chrono::steady_clock::time_point now;
};

// Keeps every start, to be ended by the test; nothing runs.
struct FakeRunner : CommandRunner {
    struct Run {
        std::vector<std::string> words;
        Environment environment;
        Ended ended;
    };
    void Start(const std::vector<std::string>& words, const Environment& environment,
               Ended ended) override {
        runs.push_back({words, environment, std::move(ended)});
    }
    void Complain(const std::string& line) override { complaints.push_back(line); }
    // The environment of each run as NAME=value lines.
    std::vector<std::string> Events() const {
        std::vector<std::string> events;
        for (const Run& run : runs) {
            std::string lines;
            for (const auto& [name, value] : run.environment) lines += name + "=" + value + ";";
            events.push_back(lines);
        }
        return events;
    }

    std::vector<Run> runs;
    std::vector<std::string> complaints;
};

}  // namespace pluvetta::testing
