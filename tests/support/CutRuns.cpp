#include "support/CutRuns.h"

#include <cctype>
#include <cstdlib>

namespace sartovin::test {

namespace {

// The integers of `args` in order ("400,-800" → 400, -800); decimals are cut at the point.
std::vector<long> numbersIn(const std::string& args) {
    std::vector<long> out;
    const char* p = args.c_str();
    while (*p) {
        if (*p == '-' || std::isdigit(static_cast<unsigned char>(*p))) {
            char* end = nullptr;
            out.push_back(std::strtol(p, &end, 10));
            p = end;
            while (*p == '.' || std::isdigit(static_cast<unsigned char>(*p))) ++p;
        } else {
            ++p;
        }
    }
    return out;
}

}  // namespace

std::vector<CutRun> hpglCutRuns(const std::string& s) {
    std::vector<CutRun> runs;
    CutRun run;
    StreamPoint at;
    bool relative = true, down = false;
    auto endRun = [&] {
        if (run.size() > 1) runs.push_back(run);
        run.clear();
    };
    std::size_t i = 0;
    while (i < s.size()) {
        if (s[i] == '\x1b') {  // an escape sequence runs to its colon
            const std::size_t colon = s.find(':', i);
            i = colon == std::string::npos ? s.size() : colon + 1;
            continue;
        }
        if (i + 1 >= s.size() || !std::isupper(static_cast<unsigned char>(s[i])) ||
            !std::isupper(static_cast<unsigned char>(s[i + 1]))) {
            ++i;
            continue;
        }
        const std::string command = s.substr(i, 2);
        std::size_t end = i + 2;
        while (end < s.size() && s[end] != ';' && s[end] != '\x1b' &&
               !std::isupper(static_cast<unsigned char>(s[end])))
            ++end;
        const std::vector<long> n = numbersIn(s.substr(i + 2, end - i - 2));
        i = end < s.size() && s[end] == ';' ? end + 1 : end;
        if (command == "PR") {
            relative = true;
        } else if (command == "PA") {
            relative = false;
        } else if (command == "IN") {
            at = {};
        } else if (command == "PU" || command == "PD") {
            down = command == "PD";
            if (!down) endRun();
        } else {
            continue;
        }
        if (down && run.empty()) run.push_back(at);
        for (std::size_t k = 0; k + 1 < n.size(); k += 2) {
            at = relative ? StreamPoint{at.x + n[k], at.y + n[k + 1]} : StreamPoint{n[k], n[k + 1]};
            if (down) run.push_back(at);
        }
    }
    endRun();
    return runs;
}

std::vector<CutRun> gpglCutRuns(const std::string& s) {
    std::vector<CutRun> runs;
    CutRun run;
    StreamPoint at;
    auto endRun = [&] {
        if (run.size() > 1) runs.push_back(run);
        run.clear();
    };
    std::size_t start = 0;
    while (start <= s.size()) {
        std::size_t etx = s.find('\x03', start);
        if (etx == std::string::npos) etx = s.size();
        const std::string record = s.substr(start, etx - start);
        // Instructions are separated by commas; "M" and "D" carry coordinate pairs.
        std::size_t p = 0;
        while (p < record.size()) {
            const bool atInstruction = p == 0 || record[p - 1] == ',';
            const char c = record[p];
            if (atInstruction && (c == 'M' || c == 'D') && p + 1 < record.size() &&
                (record[p + 1] == '-' || std::isdigit(static_cast<unsigned char>(record[p + 1])))) {
                std::size_t q = p + 1;
                while (q < record.size() && (record[q] == '-' || record[q] == ',' ||
                                             std::isdigit(static_cast<unsigned char>(record[q]))))
                    ++q;
                // The pairs end where the next instruction letter begins (after its comma).
                std::string args = record.substr(p + 1, q - p - 1);
                while (!args.empty() && args.back() == ',') args.pop_back();
                const std::vector<long> n = numbersIn(args);
                for (std::size_t k = 0; k + 1 < n.size(); k += 2) {
                    const StreamPoint next{n[k], n[k + 1]};
                    if (c == 'D') {
                        if (run.empty()) run.push_back(at);
                        run.push_back(next);
                    } else {
                        endRun();
                    }
                    at = next;
                }
                p = q;
                continue;
            }
            ++p;
        }
        if (etx == s.size()) break;
        start = etx + 1;
    }
    endRun();
    return runs;
}

}  // namespace sartovin::test
