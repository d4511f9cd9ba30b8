#pragma once
// A small file system that is full: a tmpfs mounted on a folder of the test's own, so that writes
// fail with ENOSPC as on a full disk. Mounting needs the right to mount (root in the test
// container); where it is missing, `mounted()` is false and the caller skips.

#include <string>

namespace sartovin::test {

class FullFileSystem {
public:
    /// Mounts a tmpfs of `bytes` on `folder` (created when missing).
    FullFileSystem(const std::string& folder, std::size_t bytes);
    ~FullFileSystem();
    FullFileSystem(const FullFileSystem&) = delete;
    FullFileSystem& operator=(const FullFileSystem&) = delete;

    bool mounted() const { return m_mounted; }
    /// Fills every free block with a filler file, so that the next write that needs a block fails.
    void fill();
    /// Removes the filler again.
    void drain();

private:
    std::string m_folder;
    bool m_mounted = false;
};

}  // namespace sartovin::test
