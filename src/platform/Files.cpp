#include "platform/Files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/UniqueFd.h"

namespace sartovin {

namespace {

bool writeAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

// Creates a unique sibling of `path` for writing; returns its descriptor and name.
int makeSibling(const std::string& path, std::string& tempName) {
    std::string pattern = path + ".tmp-XXXXXX";
    std::vector<char> buf(pattern.begin(), pattern.end());
    buf.push_back('\0');
    int fd = ::mkstemp(buf.data());
    if (fd >= 0) tempName.assign(buf.data());
    return fd;
}

}  // namespace

std::optional<std::string> readWholeFile(const std::string& path) {
    UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.valid()) return std::nullopt;
    struct stat st {};
    if (::fstat(fd.get(), &st) == 0 && S_ISDIR(st.st_mode)) return std::nullopt;
    std::string out;
    char buf[65536];
    for (;;) {
        ssize_t n = ::read(fd.get(), buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) continue;
            return std::nullopt;
        }
        if (n == 0) break;
        out.append(buf, static_cast<size_t>(n));
    }
    return out;
}

bool writeFileAtomic(const std::string& path, const std::string& bytes) {
    std::string temp;
    int fd = makeSibling(path, temp);
    if (fd < 0) return false;
    struct stat st {};
    mode_t mode = 0644;
    if (::stat(path.c_str(), &st) == 0) {
        mode = st.st_mode & 07777;
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    bool ok = writeAll(fd, bytes.data(), bytes.size()) && ::fsync(fd) == 0;
    ok = (::fchmod(fd, mode) == 0) && ok;
    ok = (::close(fd) == 0) && ok;
    if (ok && ::rename(temp.c_str(), path.c_str()) == 0) return true;
    ::unlink(temp.c_str());
    return false;
}

bool fileExists(const std::string& path) {
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool directoryExists(const std::string& path) {
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool removeFile(const std::string& path) { return ::unlink(path.c_str()) == 0 || errno == ENOENT; }

bool MakeSureDirectoryPathExists(const std::string& path) {
    std::string dir = folderOf(path);
    if (dir.empty()) return true;
    std::string partial;
    size_t pos = 0;
    while (pos < dir.size()) {
        size_t next = dir.find('/', pos);
        if (next == std::string::npos) next = dir.size();
        partial = dir.substr(0, next);
        if (!partial.empty() && !directoryExists(partial)) {
            if (::mkdir(partial.c_str(), 0755) != 0 && errno != EEXIST) return false;
        }
        pos = next + 1;
    }
    return directoryExists(dir.size() > 1 && dir.back() == '/' ? dir.substr(0, dir.size() - 1) : dir);
}

bool copyFileNoOverwrite(const std::string& from, const std::string& to) {
    if (from.empty() || to.empty() || fileExists(to)) return false;
    auto bytes = readWholeFile(from);
    if (!bytes) return false;
    std::string temp;
    int fd = makeSibling(to, temp);
    if (fd < 0) return false;
    bool ok = writeAll(fd, bytes->data(), bytes->size()) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    // link() fails when the target exists, so an existing file is never replaced.
    if (ok && ::link(temp.c_str(), to.c_str()) == 0) {
        ::unlink(temp.c_str());
        return true;
    }
    int linkError = errno;
    ::unlink(temp.c_str());
    if (!ok || linkError == EEXIST) return false;
    // A file system without hard links: create the target exclusively instead.
    int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (out < 0) return false;
    bool written = writeAll(out, bytes->data(), bytes->size());
    written = (::close(out) == 0) && written;
    if (!written) ::unlink(to.c_str());
    return written;
}

std::string writePrivateTempFile(const std::string& folder, const std::string& prefix,
                                 const std::string& bytes) {
    std::string base = folder.empty() ? std::string(".") : folder;
    if (base.back() != '/') base += '/';
    std::string pattern = base + prefix + "-XXXXXX";
    std::vector<char> buf(pattern.begin(), pattern.end());
    buf.push_back('\0');
    // mkstemp creates the file exclusively with mode 0600.
    int fd = ::mkstemp(buf.data());
    if (fd < 0) return {};
    std::string name(buf.data());
    bool ok = writeAll(fd, bytes.data(), bytes.size());
    ok = (::close(fd) == 0) && ok;
    if (!ok) {
        ::unlink(name.c_str());
        return {};
    }
    return name;
}

std::string folderOf(const std::string& path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string baseName(const std::string& path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace sartovin
