// A short, deterministic run of one fuzz target without libFuzzer, so that every build with tests
// (g++ included) exercises the targets: every seed as it is, then a stream of mutations of the
// seeds until a number of inputs or a time budget is used up. The mutations come from a fixed
// generator seed, so a failing input is found again by running the same command; it is also saved
// (--save) and its iteration printed.
//
// Usage: <target> [--seconds S] [--runs N] [--seed N] [--max-len BYTES] [--input-timeout S]
//                 [--save FILE] SEED_FOLDER_OR_FILE...
//        <target> --replay FILE     runs one input, as libFuzzer's "<target> FILE" does

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);
// Present in sanitizer builds: called when a sanitizer ends the process after its report.
extern "C" __attribute__((weak)) void __sanitizer_set_death_callback(void (*callback)(void));

namespace {

// ---- what a crash handler reports: set before every input, read only by the handlers ----------

std::string g_current;          // the input being run
std::uint64_t g_iteration = 0;  // its number: seeds first, then the mutations
std::uint64_t g_seed = 0;       // the generator seed of this run
char g_savePath[4096] = "";     // where the failing input goes ("" = nowhere)
volatile sig_atomic_t g_reported = 0;

void writeAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        ssize_t n = ::write(fd, data, size);
        if (n <= 0) return;
        data += n;
        size -= static_cast<std::size_t>(n);
    }
}

void writeText(const char* text) { writeAll(2, text, std::strlen(text)); }

void writeNumber(std::uint64_t value) {
    char buf[24];
    int i = sizeof buf;
    do {
        buf[--i] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    writeAll(2, buf + i, sizeof buf - static_cast<std::size_t>(i));
}

// Async-signal-safe: only write(2), open(2) and plain memory reads.
void reportFailure(const char* what) {
    if (g_reported) return;
    g_reported = 1;
    writeText("\n== fuzz smoke run: ");
    writeText(what);
    writeText(" at iteration ");
    writeNumber(g_iteration);
    writeText(" (generator seed ");
    writeNumber(g_seed);
    writeText(", ");
    writeNumber(g_current.size());
    writeText(" bytes)\n== input (C escapes, first 512 bytes): \"");
    static const char hex[] = "0123456789abcdef";
    const std::size_t shown = std::min<std::size_t>(g_current.size(), 512);
    for (std::size_t i = 0; i < shown; ++i) {
        const unsigned char c = static_cast<unsigned char>(g_current[i]);
        if (c == '\\' || c == '"') {
            const char e[2] = {'\\', static_cast<char>(c)};
            writeAll(2, e, 2);
        } else if (c >= 0x20 && c < 0x7f) {
            writeAll(2, reinterpret_cast<const char*>(&c), 1);
        } else {
            const char e[4] = {'\\', 'x', hex[c >> 4], hex[c & 15]};
            writeAll(2, e, 4);
        }
    }
    writeText("\"\n== the same command runs the same inputs; --seconds 1e9 makes sure it gets this far\n");
    if (g_savePath[0]) {
        int fd = ::open(g_savePath, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (fd >= 0) {
            writeAll(fd, g_current.data(), g_current.size());
            ::close(fd);
            writeText("== saved to ");
            writeText(g_savePath);
            writeText(" (rerun it with --replay)\n");
        }
    }
}

void onSignal(int sig) {
    reportFailure(sig == SIGALRM ? "input timed out" : "crash");
    ::signal(sig, SIG_DFL);
    if (sig == SIGALRM) sig = SIGABRT;
    ::raise(sig);
}

void onSanitizerDeath() { reportFailure("sanitizer report"); }

void installHandlers() {
    // Under a sanitizer its own handlers report faults (with the stack) and then call back.
    const bool sanitized = __sanitizer_set_death_callback != nullptr;
    for (int sig : {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT, SIGALRM}) {
        if (sanitized && (sig == SIGSEGV || sig == SIGBUS || sig == SIGFPE)) continue;
        struct sigaction sa {};
        sa.sa_handler = onSignal;
        sigemptyset(&sa.sa_mask);
        sa.sa_flags = SA_NODEFER;
        ::sigaction(sig, &sa, nullptr);
    }
    if (sanitized) __sanitizer_set_death_callback(onSanitizerDeath);
}

// ---- inputs -----------------------------------------------------------------------------------

bool readFile(const std::string& path, std::string& out) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    out.clear();
    char buf[65536];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) out.append(buf, n);
    const bool ok = !std::ferror(f);
    std::fclose(f);
    return ok;
}

// The files of a folder in name order (or the file itself), so that a run does not depend on the
// order the file system lists them in.
bool collectSeeds(const std::string& path, std::vector<std::string>& seeds) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return false;
    if (!S_ISDIR(st.st_mode)) {
        std::string bytes;
        if (!readFile(path, bytes)) return false;
        seeds.push_back(std::move(bytes));
        return true;
    }
    std::vector<std::string> names;
    if (DIR* dir = ::opendir(path.c_str())) {
        while (dirent* e = ::readdir(dir))
            if (e->d_name[0] != '.') names.push_back(e->d_name);
        ::closedir(dir);
    }
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
        std::string bytes;
        if (readFile(path + "/" + name, bytes)) seeds.push_back(std::move(bytes));
    }
    return true;
}

// ---- mutations --------------------------------------------------------------------------------

// splitmix64: the same stream on every platform and library.
class Generator {
public:
    explicit Generator(std::uint64_t seed) : m_state(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (m_state += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }
    /// 0 <= result < bound (bound > 0).
    std::size_t below(std::size_t bound) { return static_cast<std::size_t>(next() % bound); }
    bool chance(unsigned percent) { return below(100) < percent; }

private:
    std::uint64_t m_state;
};

// Pieces the readers give meaning to: separators, quotes, markup, line ends and numbers at the
// edges of the integer types.
// clang-format off
const char* const kTokens[] = {
    "\n", "\r\n", "\0", ";", ":", ",", "=", "\"", "'", "[", "]", "(", ")", " ", "\t", "#", "%",
    "<", ">", "/>", "</", "&amp;", "&#", "-", "+", ".", "e", "0x", "0", "9", "-1", "255", "256",
    "32767", "32768", "-32768", "65535", "2147483647", "2147483648", "-2147483648", "4294967295",
    "4294967296", "9223372036854775807", "1e308", "1e-308", "nan", "inf", "-inf", "\xef\xbb\xbf",
    "\xc3\xa4", "\xff\xfe", "%s%n", ") ", " (deleted)", "lp", "tty", "MFG:", "MDL:", "CMD:", "usb://",
    "serial:", "://", "?", "[State]", "[Sartovin]", "<svg", "<path d=\"", "<g", "transform=\"", "M",
    "C", "A", "Z", "Inkscape ", "file://", "<bookmark href=\""};
// clang-format on

std::string token(Generator& g) {
    const char* t = kTokens[g.below(sizeof kTokens / sizeof kTokens[0])];
    return t[0] == '\0' ? std::string(1, '\0') : std::string(t);
}

void mutateOnce(std::string& s, const std::vector<std::string>& seeds, Generator& g, std::size_t maxLen) {
    const std::size_t n = s.size();
    switch (g.below(11)) {
        case 0:  // flip a bit
            if (n) s[g.below(n)] ^= static_cast<char>(1u << g.below(8));
            break;
        case 1:  // set a byte
            if (n) s[g.below(n)] = static_cast<char>(g.below(256));
            break;
        case 2:  // insert bytes
            s.insert(g.below(n + 1), g.below(4) + 1, static_cast<char>(g.below(256)));
            break;
        case 3:  // delete a range
            if (n) {
                const std::size_t at = g.below(n);
                s.erase(at, g.below(std::min<std::size_t>(n - at, 64)) + 1);
            }
            break;
        case 4:  // insert a token
        case 5:
            s.insert(g.below(n + 1), token(g));
            break;
        case 6:  // overwrite with a token
            if (n) {
                const std::string t = token(g);
                const std::size_t at = g.below(n);
                s.replace(at, std::min(t.size(), n - at), t);
            }
            break;
        case 7:  // copy a piece of the input elsewhere in it
            if (n) {
                const std::size_t from = g.below(n);
                const std::string piece = s.substr(from, g.below(std::min<std::size_t>(n - from, 256)) + 1);
                s.insert(g.below(n + 1), piece);
            }
            break;
        case 8: {  // splice: this input's head, another seed's tail
            const std::string& other = seeds[g.below(seeds.size())];
            s = s.substr(0, g.below(n + 1)) + other.substr(g.below(other.size() + 1));
            break;
        }
        case 9:  // truncate
            s.resize(g.below(n + 1));
            break;
        default:  // a few random bytes, now and then everything
            if (g.chance(5)) {
                s.assign(g.below(64), '\0');
                for (char& c : s) c = static_cast<char>(g.below(256));
            } else {
                for (std::size_t i = 0, k = g.below(8) + 1; i < k && n; ++i)
                    s[g.below(n)] = static_cast<char>(g.below(256));
            }
            break;
    }
    if (s.size() > maxLen) s.resize(maxLen);
}

// ---- the run ----------------------------------------------------------------------------------

void runOne(const std::string& input, unsigned timeoutSeconds) {
    g_current = input;
    if (timeoutSeconds) ::alarm(timeoutSeconds);
    // A copy of its own, exactly as long as the input, so that reads past the end are caught.
    std::unique_ptr<std::uint8_t[]> bytes(new std::uint8_t[input.size()]);
    std::memcpy(bytes.get(), input.data(), input.size());
    LLVMFuzzerTestOneInput(bytes.get(), input.size());
    if (timeoutSeconds) ::alarm(0);
    ++g_iteration;
}

int usage() {
    std::fputs(
        "usage: <target> [--seconds S] [--runs N] [--seed N] [--max-len BYTES] [--input-timeout S]\n"
        "                [--save FILE] SEED_FOLDER_OR_FILE...\n"
        "       <target> --replay FILE\n",
        stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    double seconds = 3;
    std::uint64_t runs = 1000000;
    std::size_t maxLen = 65536;
    unsigned inputTimeout = 10;
    std::string replay;
    std::vector<std::string> seedPaths;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const bool hasValue = i + 1 < argc;
        if (a == "--seconds" && hasValue)
            seconds = std::atof(argv[++i]);
        else if (a == "--runs" && hasValue)
            runs = std::strtoull(argv[++i], nullptr, 10);
        else if (a == "--seed" && hasValue)
            g_seed = std::strtoull(argv[++i], nullptr, 10);
        else if (a == "--max-len" && hasValue)
            maxLen = std::max<std::size_t>(1, std::strtoull(argv[++i], nullptr, 10));
        else if (a == "--input-timeout" && hasValue)
            inputTimeout = static_cast<unsigned>(std::strtoul(argv[++i], nullptr, 10));
        else if (a == "--save" && hasValue)
            std::snprintf(g_savePath, sizeof g_savePath, "%s", argv[++i]);
        else if (a == "--replay" && hasValue)
            replay = argv[++i];
        else if (a.rfind("--", 0) == 0)
            return usage();
        else
            seedPaths.push_back(a);
    }
    if (replay.empty() && seedPaths.empty()) return usage();

    installHandlers();
    if (LLVMFuzzerInitialize) LLVMFuzzerInitialize(&argc, &argv);

    if (!replay.empty()) {
        std::string input;
        if (!readFile(replay, input)) {
            std::fprintf(stderr, "cannot read %s\n", replay.c_str());
            return 2;
        }
        runOne(input, inputTimeout);
        std::fprintf(stderr, "%s: ran %zu bytes without a fault\n", replay.c_str(), input.size());
        return 0;
    }

    std::vector<std::string> seeds;
    for (const std::string& p : seedPaths)
        if (!collectSeeds(p, seeds)) {
            std::fprintf(stderr, "cannot read the seeds %s\n", p.c_str());
            return 2;
        }
    // No seeds at all: the empty input is where the mutations begin.
    if (seeds.empty()) seeds.emplace_back();

    const auto start = std::chrono::steady_clock::now();
    auto elapsed = [&] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    };
    // The seeds themselves, and the empty input, always run in full.
    for (const std::string& s : seeds) runOne(s.substr(0, maxLen), inputTimeout);
    runOne(std::string(), inputTimeout);

    Generator g(g_seed);
    std::string input;
    std::uint64_t mutated = 0;
    while (mutated < runs && (mutated % 16 != 0 || elapsed() < seconds)) {
        // Mostly a fresh seed with a few changes, sometimes more changes on the last input.
        if (input.empty() || !g.chance(30)) input = seeds[g.below(seeds.size())];
        for (std::size_t k = 0, count = g.below(5) + 1; k < count; ++k) mutateOnce(input, seeds, g, maxLen);
        runOne(input, inputTimeout);
        ++mutated;
    }
    std::fprintf(stderr,
                 "fuzz smoke run: %zu seeds and %llu mutations in %.1f s, no fault (generator seed %llu)\n",
                 seeds.size(), static_cast<unsigned long long>(mutated), elapsed(),
                 static_cast<unsigned long long>(g_seed));
    return 0;
}
