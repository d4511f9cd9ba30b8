#pragma once
// A print scheduler of the test's own: cupsd on a local socket inside a temporary folder, with
// its own configuration, spool and state folders, and a "capture" backend that appends every job
// it is given to the file named in its device URI ("capture:/path/to/file"; a name ending in
// ".slow" is written after 3 s, a URI that names no absolute path fails the job). Queues are added
// with the real administration commands. A raw job to a "file:" URI would never be written, so
// the backend does the capturing.

#include <string>

#include "support/TempDir.h"

namespace sartovin::test {

class PrivateCupsd {
public:
    /// True when a cupsd program is installed (the fixture cannot work without one).
    static bool installed();

    PrivateCupsd();   ///< starts the scheduler and waits (at most 10 s) until it answers
    ~PrivateCupsd();  ///< stops it
    PrivateCupsd(const PrivateCupsd&) = delete;
    PrivateCupsd& operator=(const PrivateCupsd&) = delete;

    /// False when the scheduler did not come up; `problem()` says why.
    bool running() const { return m_pid > 0 && m_problem.empty(); }
    const std::string& problem() const { return m_problem; }

    /// The scheduler's socket path, to give to the spooler as its server.
    const std::string& socketPath() const { return m_socket; }
    /// A file below the fixture's folder.
    std::string file(const std::string& relative) const { return m_dir.file(relative); }

    /// Adds an enabled, accepting raw queue; true on success.
    bool addQueue(const std::string& name, const std::string& deviceUri);
    /// Adds a queue that captures its jobs into the returned file.
    std::string addCaptureQueue(const std::string& name);
    /// Runs a cups client command with "-h <socket>" put after its name (cupsdisable, cupsreject,
    /// lpstat ...); true when it exits with 0.
    bool admin(const std::string& command, const std::string& arguments);
    /// What the last admin command printed.
    const std::string& lastOutput() const { return m_lastOutput; }
    /// Waits (at most `timeoutMs`) until `path` holds `size` bytes; returns its content then.
    std::string waitForFile(const std::string& path, std::size_t size, int timeoutMs = 10000) const;

private:
    TempDir m_dir;
    std::string m_socket;
    int m_pid = -1;
    std::string m_problem;
    std::string m_lastOutput;
};

}  // namespace sartovin::test
