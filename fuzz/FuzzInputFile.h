#pragma once
// The file the fuzz targets whose readers take a path hand their input through: one per process,
// in memory where the machine has /dev/shm, written plainly (a flush to disk would cost most of
// every run). The file goes when the process ends.

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace sartovin::fuzz {

inline const std::string& inputFile(const char* suffix) {
    struct Path {
        std::string path;
        ~Path() {
            ::unlink(path.c_str());
            ::unlink((path + ".lock").c_str());  // the INI writer's lock beside its file
        }
    };
    static const Path file{[suffix] {
        const char* tmp = std::getenv("TMPDIR");
        std::string folder = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : (tmp && *tmp ? tmp : "/tmp");
        return folder + "/sartovin-fuzz-" + std::to_string(::getpid()) + suffix;
    }()};
    return file.path;
}

inline bool writeInput(const std::string& path, const std::string& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

inline void require(bool condition) {
    if (!condition) __builtin_trap();
}

}  // namespace sartovin::fuzz
