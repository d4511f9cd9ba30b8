#include "platform/PrivateFolder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

#include "platform/Files.h"

namespace sartovin {

PrivateFolder::PrivateFolder(const std::string& parent) {
    std::string base = parent.empty() ? std::string("/tmp") : parent;
    while (base.size() > 1 && base.back() == '/') base.pop_back();
    MakeSureDirectoryPathExists(base + "/");
    std::string pattern = base + "/sartovin-XXXXXX";
    std::vector<char> buf(pattern.begin(), pattern.end());
    buf.push_back('\0');
    // mkdtemp creates the folder exclusively with mode 0700; the checks guard against a parent
    // that is not what it seems (a file system that ignores the mode, a link put in its place).
    if (::mkdtemp(buf.data()) == nullptr) return;
    std::string made(buf.data());
    struct stat st {};
    if (::lstat(made.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid() ||
        (st.st_mode & 077) != 0) {
        ::rmdir(made.c_str());
        return;
    }
    m_path = made;
}

PrivateFolder::~PrivateFolder() {
    if (m_path.empty()) return;
    // remove_all does not follow links: only the folder's own entries go.
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

}  // namespace sartovin
