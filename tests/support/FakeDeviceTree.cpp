#include "support/FakeDeviceTree.h"

#include <filesystem>

namespace sartovin::test {

std::string FakeDeviceTree::addTty(const std::string& name, bool virtualTty, const char* type, bool node) {
    std::string base = m_dir.file("sys/class/tty/" + name);
    std::filesystem::create_directories(base);
    if (!virtualTty) {
        std::filesystem::create_directories(m_dir.file("sys/devices/" + name));
        std::filesystem::create_directory_symlink(m_dir.file("sys/devices/" + name), base + "/device");
    }
    if (type) writeFile(base + "/type", type);
    std::string nodePath = m_dir.file("dev/" + name);
    if (node) writeFile(nodePath, "");
    return nodePath;
}

std::string FakeDeviceTree::addSerialPort(const std::string& name, const std::string& devicePath) {
    std::string nodePath = addTty(name, false, nullptr, false);
    std::filesystem::create_directories(std::filesystem::path(nodePath).parent_path());
    std::filesystem::create_symlink(devicePath, nodePath);
    return nodePath;
}

std::string FakeDeviceTree::addLp(int n, const std::string& deviceId, bool node) {
    std::string base = m_dir.file("sys/class/usbmisc/lp" + std::to_string(n) + "/device/");
    std::filesystem::create_directories(base);
    if (!deviceId.empty()) writeFile(base + "ieee1284_id", deviceId + "\n");
    std::string nodePath = m_dir.file("dev/usb/lp" + std::to_string(n));
    if (node) writeFile(nodePath, "");
    return nodePath;
}

}  // namespace sartovin::test
