#pragma once
// Test helpers: a private temporary folder removed after the test, file helpers, and a scoped
// environment variable.

#include <optional>
#include <string>

namespace sartovin::test {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    /// The folder, ending in "/".
    const std::string& path() const { return m_path; }
    /// path() + relative.
    std::string file(const std::string& relative) const { return m_path + relative; }

private:
    std::string m_path;
};

/// Writes `bytes` to `path`, creating missing parent folders.
void writeFile(const std::string& path, const std::string& bytes);
/// Reads a whole file ("" when missing).
std::string readFile(const std::string& path);

/// Sets (or, with nullopt, unsets) an environment variable for the lifetime of the object.
class ScopedEnv {
public:
    ScopedEnv(const char* name, std::optional<std::string> value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string m_name;
    std::optional<std::string> m_old;
};

}  // namespace sartovin::test
