#pragma once
// Small file helpers shared by every subsystem: whole-file reads, atomic rewrites, existence tests.

#include <optional>
#include <string>
#include <vector>

namespace sartovin {

/// Reads a whole file as bytes. Returns nullopt when the file cannot be opened or read.
std::optional<std::string> readWholeFile(const std::string& path);

/// Replaces (or creates) `path` with `bytes` atomically: the bytes go to a sibling temporary file,
/// which is flushed and then renamed over the target. On any failure the old file stays whole and
/// the function returns false. An existing file keeps its permission bits; one without write
/// permission (read-only, also for root) is not replaced and gives false with errno EACCES. A
/// symbolic link is followed: the file it names is rewritten, the link stays.
bool writeFileAtomic(const std::string& path, const std::string& bytes);

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

/// Fills `names` with the entries of `folder` ("" is the current folder) without "." and "..", in
/// the order the file system gives them. False (and `names` empty) when the folder cannot be read.
bool listFolder(const std::string& folder, std::vector<std::string>& names);

/// The folder part of a path including its final "/" ("" when it has none).
std::string folderOf(const std::string& path);

/// The last path component.
std::string baseName(const std::string& path);

}  // namespace sartovin
