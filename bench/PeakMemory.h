#pragma once
// The benchmarks' memory figures: the process's peak resident set from /proc/self/status.

#include <fstream>
#include <string>

namespace sartovin::bench {

/// The peak resident set of this process (VmHWM) in bytes, 0 when unknown.
inline long long peakResidentBytes() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmHWM:") {
            long long kb = 0;
            status >> kb;
            return kb * 1024;
        }
        std::getline(status, key);
    }
    return 0;
}

/// Lets the high-water mark start again from what is resident now.
inline void resetPeak() {
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
}

}  // namespace sartovin::bench
