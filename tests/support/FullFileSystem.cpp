#include "support/FullFileSystem.h"

#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

#include <filesystem>
#include <vector>

namespace sartovin::test {

namespace {
std::string fillerOf(const std::string& folder) { return folder + "/.filler"; }
}  // namespace

FullFileSystem::FullFileSystem(const std::string& folder, std::size_t bytes) : m_folder(folder) {
    std::filesystem::create_directories(folder);
    std::string options = "size=" + std::to_string(bytes) + ",mode=0755";
    m_mounted = ::mount("tmpfs", folder.c_str(), "tmpfs", 0, options.c_str()) == 0;
}

FullFileSystem::~FullFileSystem() {
    if (m_mounted) ::umount2(m_folder.c_str(), MNT_DETACH);
}

void FullFileSystem::fill() {
    int fd = ::open(fillerOf(m_folder).c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    if (fd < 0) return;
    std::vector<char> block(4096, 'x');
    while (::write(fd, block.data(), block.size()) > 0) {}
    // The last partial block.
    while (::write(fd, block.data(), 1) > 0) {}
    ::close(fd);
}

void FullFileSystem::drain() { ::unlink(fillerOf(m_folder).c_str()); }

}  // namespace sartovin::test
