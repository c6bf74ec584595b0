#pragma once

#include <fstream>
#include <string>

// The highest resident memory of this process so far, in KiB, as the kernel counts it.
inline long PeakResidentKb() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("VmHWM:")) return std::stol(line.substr(6));
    }
    return 0;
}
