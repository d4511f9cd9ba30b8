#include "platform/SystemProcessList.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <map>

#include "platform/Files.h"

extern char** environ;

namespace sartovin {

namespace {

bool allDigits(const char* s) {
    if (!*s) return false;
    for (; *s; ++s)
        if (*s < '0' || *s > '9') return false;
    return true;
}

std::string readLink(const std::string& path) {
    char buf[4096];
    ssize_t n = ::readlink(path.c_str(), buf, sizeof buf - 1);
    if (n <= 0) return {};
    return executableOfLinkTarget(std::string(buf, static_cast<std::size_t>(n)));
}

// The process state letter from /proc/<pid>/stat ('Z' for a zombie); 0 when the process is gone.
char processState(int pid) {
    return processStateOfStat(readWholeFile("/proc/" + std::to_string(pid) + "/stat").value_or(""));
}

// The file actions of one spawn, destroyed with their owner.
class SpawnFileActions {
public:
    SpawnFileActions() : m_ready(posix_spawn_file_actions_init(&m_actions) == 0) {}
    ~SpawnFileActions() {
        if (m_ready) posix_spawn_file_actions_destroy(&m_actions);
    }
    SpawnFileActions(const SpawnFileActions&) = delete;
    SpawnFileActions& operator=(const SpawnFileActions&) = delete;

    bool ready() const { return m_ready; }
    posix_spawn_file_actions_t* get() { return &m_actions; }

private:
    posix_spawn_file_actions_t m_actions;
    bool m_ready = false;
};

}  // namespace

char processStateOfStat(const std::string& stat) {
    const std::string line = stat.substr(0, stat.find('\n'));
    const std::size_t close = line.rfind(')');
    if (close == std::string::npos || close + 2 >= line.size()) return 0;
    return line[close + 2];
}

std::string processNameOfComm(const std::string& comm) { return comm.substr(0, comm.find('\n')); }

std::vector<std::string> splitCommandLine(const std::string& cmdline) {
    std::vector<std::string> args;
    std::size_t from = 0;
    while (from < cmdline.size()) {
        const std::size_t end = cmdline.find('\0', from);
        if (end == std::string::npos) {
            args.push_back(cmdline.substr(from));
            break;
        }
        args.push_back(cmdline.substr(from, end - from));
        from = end + 1;
    }
    return args;
}

std::string executableOfLinkTarget(std::string target) {
    const std::string deleted = " (deleted)";
    if (target.size() > deleted.size() &&
        target.compare(target.size() - deleted.size(), deleted.size(), deleted) == 0)
        target.resize(target.size() - deleted.size());
    return target;
}

std::vector<ProcessInfo> SystemProcessList::processes() {
    std::vector<ProcessInfo> out;
    std::vector<std::string> entries;
    if (!listFolder("/proc", entries)) return out;
    for (const std::string& entry : entries) {
        if (!allDigits(entry.c_str())) continue;
        ProcessInfo info;
        info.pid = std::atoi(entry.c_str());
        // A program that has ended but whose parent has not collected it yet runs no more.
        const char state = processState(info.pid);
        if (state == 'Z' || state == 'X') continue;
        const std::string base = "/proc/" + entry;
        info.executable = readLink(base + "/exe");
        if (!info.executable.empty()) {
            info.name = baseName(info.executable);
        } else {
            // Another user's process: its exe link is closed to us, its short name is not.
            info.name = processNameOfComm(readWholeFile(base + "/comm").value_or(""));
        }
        if (info.name.empty()) continue;
        out.push_back(std::move(info));
    }
    return out;
}

bool SystemProcessList::isRunning(int pid) {
    if (pid <= 0) return false;
    int status = 0;
    pid_t r = ::waitpid(pid, &status, WNOHANG);
    if (r == pid) return false;  // our child, ended and now collected
    const char state = processState(pid);
    return state != 0 && state != 'Z' && state != 'X';
}

int SystemProcessList::start(const std::string& program, const std::vector<std::string>& arguments,
                             const EnvironmentChanges& environment, const std::string& outputPath) {
    std::vector<std::string> argvStore;
    argvStore.push_back(program);
    argvStore.insert(argvStore.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& a : argvStore) argv.push_back(a.data());
    argv.push_back(nullptr);

    std::map<std::string, std::string> env;
    for (char** e = environ; e && *e; ++e) {
        const char* eq = std::strchr(*e, '=');
        if (eq) env[std::string(*e, static_cast<std::size_t>(eq - *e))] = eq + 1;
    }
    for (const auto& [name, value] : environment) {
        if (value.empty())
            env.erase(name);
        else
            env[name] = value;
    }
    std::vector<std::string> envStore;
    for (const auto& [name, value] : env) envStore.push_back(name + "=" + value);
    std::vector<char*> envp;
    for (std::string& e : envStore) envp.push_back(e.data());
    envp.push_back(nullptr);

    SpawnFileActions actions;
    if (!actions.ready()) return -1;
    const std::string out = outputPath.empty() ? "/dev/null" : outputPath;
    // A redirection that cannot be set up would let the program write into our own output.
    if (posix_spawn_file_actions_addopen(actions.get(), 0, "/dev/null", O_RDONLY, 0) != 0 ||
        posix_spawn_file_actions_addopen(actions.get(), 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600) !=
            0 ||
        posix_spawn_file_actions_adddup2(actions.get(), 1, 2) != 0)
        return -1;

    pid_t pid = -1;
    if (::posix_spawn(&pid, program.c_str(), actions.get(), nullptr, argv.data(), envp.data()) != 0)
        return -1;
    m_started.push_back(static_cast<int>(pid));
    return static_cast<int>(pid);
}

std::string SystemProcessList::findOnPath(const std::string& name) {
    if (name.empty() || name.find('/') != std::string::npos) return {};
    const char* path = std::getenv("PATH");
    std::string folders = path ? path : "/usr/local/bin:/usr/bin:/bin";
    std::size_t from = 0;
    while (from <= folders.size()) {
        std::size_t colon = folders.find(':', from);
        std::string folder =
            folders.substr(from, colon == std::string::npos ? std::string::npos : colon - from);
        if (folder.empty()) folder = ".";
        std::string candidate = folder + "/" + name;
        struct stat st {};
        if (::stat(candidate.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
            ::access(candidate.c_str(), X_OK) == 0)
            return candidate;
        if (colon == std::string::npos) break;
        from = colon + 1;
    }
    return {};
}

std::string SystemProcessList::executableOf(int pid) {
    if (pid <= 0) return {};
    return readLink("/proc/" + std::to_string(pid) + "/exe");
}

}  // namespace sartovin

namespace sartovin {

std::vector<std::string> SystemProcessList::commandLineOf(int pid) {
    if (pid <= 0) return {};
    return splitCommandLine(readWholeFile("/proc/" + std::to_string(pid) + "/cmdline").value_or(""));
}

void SystemProcessList::stop(int pid) {
    if (pid <= 0 || std::find(m_started.begin(), m_started.end(), pid) == m_started.end()) return;
    ::kill(pid, SIGTERM);
    int status = 0;
    ::waitpid(pid, &status, WNOHANG);
}

}  // namespace sartovin
