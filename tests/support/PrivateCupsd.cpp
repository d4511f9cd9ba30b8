#include "support/PrivateCupsd.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>
#include <vector>

#include "support/RunProgram.h"

extern char** environ;

namespace sartovin::test {

namespace {

const char* kCupsd = "/usr/sbin/cupsd";

void sleepMs(int ms) {
    timespec ts{ms / 1000, (ms % 1000) * 1000000L};
    nanosleep(&ts, nullptr);
}

std::vector<std::string> splitWords(const std::string& s) {
    std::istringstream in(s);
    std::vector<std::string> out;
    for (std::string w; in >> w;) out.push_back(w);
    return out;
}

}  // namespace

bool PrivateCupsd::installed() { return ::access(kCupsd, X_OK) == 0; }

PrivateCupsd::PrivateCupsd() {
    namespace fs = std::filesystem;
    const std::string d = m_dir.path();
    m_socket = d + "cups.sock";
    for (const char* sub : {"conf", "spool", "cache", "state", "log", "tmp", "bin/backend", "bin/daemon"})
        fs::create_directories(d + sub);
    std::error_code ec;
    fs::create_symlink("/usr/lib/cups/daemon/cups-exec", d + "bin/daemon/cups-exec", ec);
    fs::create_directory_symlink("/usr/lib/cups/filter", d + "bin/filter", ec);
    // Backends run as root only when nobody else may write or run them.
    const std::string backend =
        "#!/bin/sh\n"
        "[ $# -eq 0 ] && exit 0\n"
        "out=\"${DEVICE_URI#capture:}\"\n"
        "case \"$out\" in /*) ;; *) exit 1 ;; esac\n"
        "case \"$out\" in *.slow) sleep 3 ;; esac\n"
        "if [ -n \"$6\" ]; then cat \"$6\" >> \"$out\"; else cat >> \"$out\"; fi\n";
    for (const char* name : {"capture", "usb", "serial"}) {
        writeFile(d + "bin/backend/" + name, backend);
        ::chmod((d + "bin/backend/" + name).c_str(), 0700);
    }
    writeFile(
        d + "conf/cupsd.conf",
        "Listen " + m_socket +
            "\n"
            "LogLevel warn\n"
            "Browsing Off\n"
            "WebInterface No\n"
            "DefaultAuthType None\n"
            "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
            "<Policy default>\n  <Limit All>\n    Order deny,allow\n    Allow all\n  </Limit>\n</Policy>\n");
    writeFile(d + "conf/cups-files.conf", "ServerRoot " + d +
                                              "conf\n"
                                              "RequestRoot " +
                                              d +
                                              "spool\n"
                                              "CacheDir " +
                                              d +
                                              "cache\n"
                                              "StateDir " +
                                              d +
                                              "state\n"
                                              "ServerBin " +
                                              d +
                                              "bin\n"
                                              "DataDir /usr/share/cups\n"
                                              "ErrorLog " +
                                              d +
                                              "log/error_log\n"
                                              "AccessLog " +
                                              d +
                                              "log/access_log\n"
                                              "PageLog " +
                                              d +
                                              "log/page_log\n"
                                              "TempDir " +
                                              d +
                                              "tmp\n"
                                              "Sandboxing relaxed\n");

    std::string conf = d + "conf/cupsd.conf", files = d + "conf/cups-files.conf";
    std::vector<char*> argv{const_cast<char*>(kCupsd),
                            const_cast<char*>("-f"),
                            const_cast<char*>("-c"),
                            conf.data(),
                            const_cast<char*>("-s"),
                            files.data(),
                            nullptr};
    pid_t pid = -1;
    // The scheduler must not hold the test's output open: it gets /dev/null for all three.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    int spawned = posix_spawn(&pid, kCupsd, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        m_problem = "cupsd could not be started";
        return;
    }
    m_pid = pid;
    for (int waited = 0; waited < 10000; waited += 50) {
        // lpstat -r exits with 0 either way; its words tell.
        if (admin("lpstat", "-r") && m_lastOutput.find("scheduler is running") != std::string::npos) return;
        int status = 0;
        if (::waitpid(m_pid, &status, WNOHANG) == m_pid) {
            m_pid = -1;
            m_problem = "cupsd ended at once; see " + d + "log/error_log";
            return;
        }
        sleepMs(50);
    }
    m_problem = "cupsd did not answer within 10 s";
}

PrivateCupsd::~PrivateCupsd() {
    if (m_pid > 0) {
        ::kill(m_pid, SIGTERM);
        int status = 0;
        for (int waited = 0; waited < 5000; waited += 20) {
            if (::waitpid(m_pid, &status, WNOHANG) == m_pid) return;
            sleepMs(20);
        }
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, &status, 0);
    }
}

bool PrivateCupsd::admin(const std::string& command, const std::string& arguments) {
    std::string program = command;
    for (const char* dir : {"/usr/sbin/", "/usr/bin/", "/sbin/", "/bin/"}) {
        if (command.find('/') == std::string::npos && ::access((dir + command).c_str(), X_OK) == 0) {
            program = dir + command;
            break;
        }
    }
    std::vector<std::string> argv{program, "-h", m_socket};
    for (auto& w : splitWords(arguments)) argv.push_back(w);
    // The client programs talk to our scheduler only, in English whatever the tests run under:
    // their words are read.
    // A scheduler busy with its own start sometimes refuses a connection; the command is given
    // again then, a bounded number of times.
    for (int attempt = 0;; ++attempt) {
        ProgramResult r = runProgram(argv, {{"CUPS_SERVER", m_socket}, {"LC_ALL", "C"}, {"LANG", "C"}});
        m_lastOutput = r.out + r.err;
        if (r.exitCode == 0) return true;
        if (attempt >= 10 || m_lastOutput.find("Unable to connect") == std::string::npos) return false;
        sleepMs(100);
    }
}

bool PrivateCupsd::addQueue(const std::string& name, const std::string& deviceUri) {
    return admin("lpadmin", "-p " + name + " -E -v " + deviceUri);
}

std::string PrivateCupsd::addCaptureQueue(const std::string& name) {
    std::string out = m_dir.file(name + ".out");
    return addQueue(name, "capture:" + out) ? out : std::string();
}

std::string PrivateCupsd::waitForFile(const std::string& path, std::size_t size, int timeoutMs) const {
    std::string content;
    for (int waited = 0; waited <= timeoutMs; waited += 50) {
        content = readFile(path);
        if (content.size() >= size) return content;
        sleepMs(50);
    }
    return content;
}

}  // namespace sartovin::test
