#pragma once
// INI ("private profile") files read and written by the classic rules that the settings file, the
// text files and the test-cut file were made for:
//  - section and key names compare without regard to case; the first matching section and the
//    first matching key inside it win; surrounding white space of names and values is ignored and
//    a value wrapped in matching quotes loses them;
//  - a key that is absent (or has an empty value) reads as the caller's default;
//  - an integer that is not a number reads as 0 ("12abc" reads as 12, "0x10" as 16);
//  - a write changes exactly one line (or adds one), keeps every other byte of the file, and
//    replaces the file atomically; the file is created on the first write;
//  - every read-modify-write holds an exclusive advisory lock (flock) on the sibling "<file>.lock",
//    so concurrent writers in several programs never lose each other's keys, and a write that
//    changes nothing does not rewrite the file.
// Lines beginning with ";" or "#" are comments. A UTF-8 byte-order mark at the start is skipped.
// Every call looks at the file again, so a change made by another program is seen at once; a file
// that is unchanged since the last call (same inode, size and times) is not parsed again.

#include <cstddef>
#include <string>
#include <vector>

namespace sartovin {

/// Reads a string value. `maxChars` mirrors the caller's buffer size: at most maxChars - 1 bytes
/// are returned (default 6000, as the settings code uses).
std::string GetPrivateProfileString(const std::string& section, const std::string& key,
                                    const std::string& defaultValue, const std::string& path,
                                    std::size_t maxChars = 6000);

/// Reads an integer value by the rules above.
int GetPrivateProfileInt(const std::string& section, const std::string& key, int defaultValue,
                         const std::string& path);

/// Writes one value. Returns false when the file cannot be written; the old file then stays whole.
bool WritePrivateProfileString(const std::string& section, const std::string& key, const std::string& value,
                               const std::string& path);

/// One value to write.
struct ProfileEntry {
    std::string section;
    std::string key;
    std::string value;
};

/// Writes several values, in order, in one locked rewrite: the file holds all of them or, when the
/// write fails (false), none. Used where one user action stores several keys.
bool WritePrivateProfileStrings(const std::vector<ProfileEntry>& entries, const std::string& path);

/// Removes one key (its first occurrence). True when the file is as asked afterwards.
bool DeletePrivateProfileKey(const std::string& section, const std::string& key, const std::string& path);

/// The key names of the first matching section, in file order (for reading whole sections).
std::vector<std::string> GetPrivateProfileKeys(const std::string& section, const std::string& path);

/// Integer conversion by the profile rules (leading white space, sign, 0x / 0o / 0b prefixes,
/// digits up to the first other character; no digits gives 0).
int parseProfileInt(const std::string& text);

}  // namespace sartovin
