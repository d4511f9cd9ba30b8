#include "platform/SerialPortList.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "platform/Files.h"
#include "platform/UniqueFd.h"

namespace sartovin {

bool naturalLess(const std::string& a, const std::string& b) {
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (std::isdigit(static_cast<unsigned char>(a[i])) &&
            std::isdigit(static_cast<unsigned char>(b[j]))) {
            std::size_t ei = i, ej = j;
            while (ei < a.size() && std::isdigit(static_cast<unsigned char>(a[ei]))) ++ei;
            while (ej < b.size() && std::isdigit(static_cast<unsigned char>(b[ej]))) ++ej;
            std::string na = a.substr(i, ei - i), nb = b.substr(j, ej - j);
            na.erase(0, std::min(na.find_first_not_of('0'), na.size()));
            nb.erase(0, std::min(nb.find_first_not_of('0'), nb.size()));
            if (na.size() != nb.size()) return na.size() < nb.size();
            if (na != nb) return na < nb;
            i = ei;
            j = ej;
            continue;
        }
        if (a[i] != b[j]) return a[i] < b[j];
        ++i;
        ++j;
    }
    return a.size() - i < b.size() - j;
}

bool uartPresentOfType(const std::string& type) { return std::atoi(type.c_str()) != 0; }

std::vector<std::string> listSerialPorts(const std::string& sysRoot, const std::string& devRoot) {
    std::vector<std::string> names;
    std::string classDir = sysRoot + "/class/tty";
    UniqueDir dir(::opendir(classDir.c_str()));
    if (!dir) return {};
    while (dirent* e = ::readdir(dir.get())) {
        std::string name = e->d_name;
        if (name == "." || name == "..") continue;
        std::string base = classDir + "/" + name;
        struct stat st {};
        if (::stat((base + "/device").c_str(), &st) != 0) continue;
        if (name.rfind("ttyS", 0) == 0) {
            auto type = readWholeFile(base + "/type");
            if (!type || !uartPresentOfType(*type)) continue;
        }
        if (::stat((devRoot + "/" + name).c_str(), &st) != 0) continue;
        names.push_back(name);
    }
    std::sort(names.begin(), names.end(), naturalLess);
    std::vector<std::string> paths;
    for (const auto& n : names) paths.push_back(devRoot + "/" + n);
    return paths;
}

}  // namespace sartovin
