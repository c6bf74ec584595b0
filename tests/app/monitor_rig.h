#pragma once

#include <filesystem>
#include <string>
#include <utility>

#include "app/fake_ports.h"
#include "app/monitor.h"

namespace pluvetta::testing {

// A monitor on fakes that share one journal, watching Q1XYZ-13 until a start says otherwise,
// with its executable folder in a fresh temporary folder.
struct MonitorRig {
    explicit MonitorRig(NumberFormat format = {})
        : monitor(screen, desktop, agw, server, std::move(format)) {
        monitor.Station().StationCall = "Q1XYZ-13";
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
    }
    ~MonitorRig() { std::filesystem::remove_all(folder); }

    // What the fakes noted since the last call.
    Journal Take() { return std::exchange(journal, {}); }

    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() /
        ("pluvetta-monitor-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
         ::testing::UnitTest::GetInstance()->current_test_info()->name());
    Journal journal;
    FakeScreen screen{journal};
    FakeDesktop desktop{journal};
    FakeSocket agw{journal, "agw"};
    FakeSocket server{journal, "server"};
    Monitor monitor;
};

}  // namespace pluvetta::testing
