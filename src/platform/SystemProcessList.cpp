#include "platform/SystemProcessList.h"

#include <dirent.h>
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
#include <fstream>
#include <map>

#include "platform/UniqueFd.h"

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
    buf[n] = '\0';
    std::string s(buf, static_cast<std::size_t>(n));
    // A replaced executable reads as "/usr/bin/inkscape (deleted)".
    const std::string deleted = " (deleted)";
    if (s.size() > deleted.size() && s.compare(s.size() - deleted.size(), deleted.size(), deleted) == 0)
        s.resize(s.size() - deleted.size());
    return s;
}

// The process state letter from /proc/<pid>/stat ('Z' for a zombie); 0 when the process is gone.
char processState(int pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(in, line)) return 0;
    // The command name is in parentheses and may itself hold ") ": the state follows the last one.
    std::size_t close = line.rfind(')');
    if (close == std::string::npos || close + 2 >= line.size()) return 0;
    return line[close + 2];
}

std::string baseNameOf(const std::string& path) {
    std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::vector<ProcessInfo> SystemProcessList::processes() {
    std::vector<ProcessInfo> out;
    UniqueDir dir(::opendir("/proc"));
    if (!dir) return out;
    while (dirent* e = ::readdir(dir.get())) {
        if (!allDigits(e->d_name)) continue;
        ProcessInfo info;
        info.pid = std::atoi(e->d_name);
        const std::string base = std::string("/proc/") + e->d_name;
        info.executable = readLink(base + "/exe");
        if (!info.executable.empty()) {
            info.name = baseNameOf(info.executable);
        } else {
            // Another user's process: its exe link is closed to us, its short name is not.
            std::ifstream comm(base + "/comm");
            std::getline(comm, info.name);
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

    posix_spawn_file_actions_t actions;
    if (posix_spawn_file_actions_init(&actions) != 0) return -1;
    const std::string out = outputPath.empty() ? "/dev/null" : outputPath;
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);

    pid_t pid = -1;
    int rc = ::posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) return -1;
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
    std::vector<std::string> args;
    if (pid <= 0) return args;
    std::ifstream in("/proc/" + std::to_string(pid) + "/cmdline", std::ios::binary);
    std::string arg;
    while (std::getline(in, arg, '\0')) args.push_back(arg);
    return args;
}

void SystemProcessList::stop(int pid) {
    if (pid <= 0 || std::find(m_started.begin(), m_started.end(), pid) == m_started.end()) return;
    ::kill(pid, SIGTERM);
    int status = 0;
    ::waitpid(pid, &status, WNOHANG);
}

}  // namespace sartovin
