#pragma once
// A folder of this run's own below a shared temporary folder, for files that other programs are
// handed (a drawing to convert, a profile, their output): made fresh with an unpredictable name,
// readable only by this user, and removed with everything in it when its owner goes. A folder
// another user made beforehand under a guessed name is never used.

#include <string>

namespace sartovin {

class PrivateFolder {
public:
    /// Creates "<parent>/sartovin-XXXXXX" (mode 0700) and checks that it is a directory of this
    /// user that nobody else can enter. `parent` is created when missing.
    explicit PrivateFolder(const std::string& parent);
    ~PrivateFolder();
    PrivateFolder(const PrivateFolder&) = delete;
    PrivateFolder& operator=(const PrivateFolder&) = delete;

    /// False when no such folder could be made.
    bool valid() const { return !m_path.empty(); }
    /// The folder, without a final "/" ("" when not valid).
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

}  // namespace sartovin
