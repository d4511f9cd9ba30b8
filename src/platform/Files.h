#pragma once
// Small file helpers shared by every subsystem: whole-file reads, atomic rewrites, existence tests.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/UniqueFd.h"

namespace sartovin {

/// Reads a whole file as bytes. Returns nullopt when the file cannot be opened or read.
std::optional<std::string> readWholeFile(const std::string& path);

/// The size in bytes of the file `path` names (links followed); nullopt when it cannot be examined.
std::optional<std::uint64_t> fileSizeOf(const std::string& path);

/// Replaces (or creates) `path` with `bytes` atomically: the bytes go to a sibling temporary file,
/// which is flushed and then renamed over the target. On any failure the old file stays whole and
/// the function returns false. An existing file keeps its permission bits; one without write
/// permission (read-only, also for root) is not replaced and gives false with errno EACCES. A
/// symbolic link is followed: the file it names is rewritten, the link stays.
bool writeFileAtomic(const std::string& path, const std::string& bytes);

/// A file written piece by piece into a sibling ("<name>.tmp-XXXXXX") and renamed over `path` by
/// commit(), so that `path` holds either its old content or the whole new one, never a part. An
/// existing target keeps its permission bits. Without a successful commit() the sibling is removed.
/// A target that exists and is no regular file (a device node, a pipe) is written in place.
class AtomicFileWriter {
public:
    explicit AtomicFileWriter(std::string path);
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    /// False when the file could not be created.
    bool valid() const { return m_fd >= 0; }
    /// Appends bytes; false on any write error (ENOSPC included).
    bool write(const std::string& bytes);
    /// Flushes and puts the file in place; false when that fails (the sibling is removed then).
    bool commit();

private:
    std::string m_path;
    std::string m_temp;  // empty when writing in place
    int m_fd = -1;
    bool m_ok = true;
};

/// True when `path` names an existing regular file (or a link to one).
bool fileExists(const std::string& path);

/// True when `path` names an existing directory.
bool directoryExists(const std::string& path);

/// Deletes a file; true when it is gone afterwards (also when it never existed).
bool removeFile(const std::string& path);

/// Creates every missing directory of `path`. A path ending in "/" names a directory; otherwise the
/// last component is taken as a file name and only its parents are created (the rule of the
/// classic "make sure the directory path exists" call). True when the directories exist afterwards.
bool MakeSureDirectoryPathExists(const std::string& path);

/// Copies `from` to `to` only when `to` does not exist yet; never overwrites. The copy is written to
/// a sibling temporary file and renamed into place without replacing, so a concurrent writer or a
/// crash never leaves a half file under the target name. True when a new file was made.
bool copyFileNoOverwrite(const std::string& from, const std::string& to);

/// Writes `bytes` to a new file of its own in `folder` (a unique name beginning with `prefix`,
/// created exclusively and readable only by this user) and returns its path, or "" on failure.
/// The caller removes the file when done.
std::string writePrivateTempFile(const std::string& folder, const std::string& prefix,
                                 const std::string& bytes);

/// Removes the write siblings of `path` ("<name>.tmp-XXXXXX", as writeFileAtomic and
/// copyFileNoOverwrite make them) that a crash left behind: only regular files of this user whose
/// last change is at least `minAgeSeconds` old, so that a write in progress elsewhere keeps its
/// sibling. Returns how many were removed.
int removeStaleSiblings(const std::string& path, int minAgeSeconds = 60);

/// Marks a private file as in use: an exclusive advisory lock on "<path>.inuse" (made for it),
/// held by the returned descriptor (none on failure). While it is open,
/// removeAbandonedPrivateFiles leaves the file alone; the lock stays with the name when the file
/// itself is rewritten. The owner removes "<path>.inuse" with the file (releaseInUse).
UniqueFd holdInUse(const std::string& path);

/// Removes `path` and the "<path>.lock" and "<path>.inuse" files that went with it.
void removePrivateFile(const std::string& path);

/// Removes the files that writePrivateTempFile made in `folder` with `prefix` and a crashed run
/// left behind: regular files of this user, at least `minAgeSeconds` old, that no running program
/// holds (holdInUse), with their companions. Returns how many were removed.
int removeAbandonedPrivateFiles(const std::string& folder, const std::string& prefix, int minAgeSeconds = 60);

/// Fills `names` with the entries of `folder` ("" is the current folder) without "." and "..", in
/// the order the file system gives them. False (and `names` empty) when the folder cannot be read.
bool listFolder(const std::string& folder, std::vector<std::string>& names);

/// The folder part of a path including its final "/" ("" when it has none).
std::string folderOf(const std::string& path);

/// The last path component.
std::string baseName(const std::string& path);

}  // namespace sartovin
