#include "platform/Files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
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

// Creates a unique sibling of `path` for writing; returns its descriptor (none on failure) and name.
UniqueFd makeSibling(const std::string& path, std::string& tempName) {
    std::string pattern = path + ".tmp-XXXXXX";
    std::vector<char> buf(pattern.begin(), pattern.end());
    buf.push_back('\0');
    UniqueFd fd(::mkstemp(buf.data()));
    if (fd.valid()) tempName.assign(buf.data());
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

bool writeFileAtomic(const std::string& pathIn, const std::string& bytes) {
    // A link is followed, so the file it names is rewritten and the link stays.
    std::string path = pathIn;
    struct stat link {};
    if (::lstat(pathIn.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
        char* real = ::realpath(pathIn.c_str(), nullptr);
        if (real == nullptr) return false;
        path = real;
        std::free(real);
    }
    // A file its owner made read-only stays as it is: renaming over it would ignore that.
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0 &&
        (::access(path.c_str(), W_OK) != 0 || (existing.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)) {
        errno = EACCES;
        return false;
    }
    std::string temp;
    UniqueFd fd = makeSibling(path, temp);
    if (!fd.valid()) return false;
    struct stat st {};
    mode_t mode = 0644;
    if (::stat(path.c_str(), &st) == 0) {
        mode = st.st_mode & 07777;
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    bool ok = writeAll(fd.get(), bytes.data(), bytes.size()) && ::fsync(fd.get()) == 0;
    ok = (::fchmod(fd.get(), mode) == 0) && ok;
    ok = fd.close() && ok;
    if (ok && ::rename(temp.c_str(), path.c_str()) == 0) return true;
    ::unlink(temp.c_str());
    return false;
}

AtomicFileWriter::AtomicFileWriter(std::string path) : m_path(std::move(path)) {
    struct stat st {};
    if (::stat(m_path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
        m_fd = ::open(m_path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
        return;
    }
    m_fd = makeSibling(m_path, m_temp).release();
}

AtomicFileWriter::~AtomicFileWriter() {
    if (m_fd >= 0) ::close(m_fd);
    if (!m_temp.empty()) ::unlink(m_temp.c_str());
}

bool AtomicFileWriter::write(const std::string& bytes) {
    m_ok = m_ok && m_fd >= 0 && writeAll(m_fd, bytes.data(), bytes.size());
    return m_ok;
}

bool AtomicFileWriter::commit() {
    if (m_fd < 0) return false;
    if (m_temp.empty()) {
        bool closed = ::close(m_fd) == 0;
        m_fd = -1;
        return m_ok && closed;
    }
    struct stat st {};
    mode_t mode = 0;
    if (::stat(m_path.c_str(), &st) == 0) {
        mode = st.st_mode & 07777;
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    bool ok = m_ok && ::fsync(m_fd) == 0 && ::fchmod(m_fd, mode) == 0;
    ok = ::close(m_fd) == 0 && ok;
    m_fd = -1;
    if (ok && ::rename(m_temp.c_str(), m_path.c_str()) == 0) {
        m_temp.clear();
        return true;
    }
    return false;  // the destructor removes the sibling
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
    UniqueFd fd = makeSibling(to, temp);
    if (!fd.valid()) return false;
    bool ok = writeAll(fd.get(), bytes->data(), bytes->size()) && ::fsync(fd.get()) == 0;
    ok = fd.close() && ok;
    // link() fails when the target exists, so an existing file is never replaced.
    if (ok && ::link(temp.c_str(), to.c_str()) == 0) {
        ::unlink(temp.c_str());
        return true;
    }
    int linkError = errno;
    ::unlink(temp.c_str());
    if (!ok || linkError == EEXIST) return false;
    // A file system without hard links: create the target exclusively instead.
    UniqueFd out(::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
    if (!out.valid()) return false;
    bool written = writeAll(out.get(), bytes->data(), bytes->size());
    written = out.close() && written;
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
    UniqueFd fd(::mkstemp(buf.data()));
    if (!fd.valid()) return {};
    std::string name(buf.data());
    bool ok = writeAll(fd.get(), bytes.data(), bytes.size());
    ok = fd.close() && ok;
    if (!ok) {
        ::unlink(name.c_str());
        return {};
    }
    return name;
}

int removeStaleSiblings(const std::string& path, int minAgeSeconds) {
    const std::string prefix = baseName(path) + ".tmp-";
    const std::string folder = folderOf(path);
    std::vector<std::string> names;
    if (path.empty() || !listFolder(folder, names)) return 0;
    const time_t now = ::time(nullptr);
    int removed = 0;
    for (const std::string& name : names) {
        // The six characters mkstemp puts in place of "XXXXXX".
        if (name.size() != prefix.size() + 6 || name.compare(0, prefix.size(), prefix) != 0) continue;
        const std::string sibling = folder + name;
        struct stat st {};
        if (::lstat(sibling.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid()) continue;
        if (now - st.st_mtime < minAgeSeconds) continue;
        if (::unlink(sibling.c_str()) == 0) ++removed;
    }
    return removed;
}

UniqueFd holdInUse(const std::string& path) {
    UniqueFd fd(::open((path + ".inuse").c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600));
    if (fd.valid() && ::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) fd.reset();
    return fd;
}

void removePrivateFile(const std::string& path) {
    ::unlink(path.c_str());
    ::unlink((path + ".lock").c_str());
    ::unlink((path + ".inuse").c_str());
}

int removeAbandonedPrivateFiles(const std::string& folder, const std::string& prefix, int minAgeSeconds) {
    std::string base = folder.empty() ? std::string(".") : folder;
    if (base.back() != '/') base += '/';
    const std::string start = prefix + "-";
    std::vector<std::string> names;
    if (!listFolder(base, names)) return 0;
    const time_t now = ::time(nullptr);
    int removed = 0;
    for (const std::string& name : names) {
        if (name.size() != start.size() + 6 || name.compare(0, start.size(), start) != 0) continue;
        const std::string file = base + name;
        struct stat st {};
        if (::lstat(file.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid()) continue;
        if (now - st.st_mtime < minAgeSeconds) continue;
        // A run that still uses its file holds the lock; only an abandoned one can be locked here.
        UniqueFd held = holdInUse(file);
        if (!held.valid()) continue;
        removePrivateFile(file);
        ++removed;
    }
    return removed;
}

bool listFolder(const std::string& folder, std::vector<std::string>& names) {
    names.clear();
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.empty() ? "." : folder.c_str()), ::closedir);
    if (!dir) return false;
    while (dirent* e = ::readdir(dir.get())) {
        const std::string name = e->d_name;
        if (name != "." && name != "..") names.push_back(name);
    }
    return true;
}

std::string folderOf(const std::string& path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string baseName(const std::string& path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::optional<std::uint64_t> fileSizeOf(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return std::nullopt;
    return static_cast<std::uint64_t>(st.st_size);
}

}  // namespace sartovin
