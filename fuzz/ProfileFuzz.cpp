// Feeds arbitrary bytes to the INI reader that reads the settings, the text files and the test-cut
// file: typed reads, the key listing, and a write and a removal on top, whose result is read back.
// The first byte picks the names asked for, so matching and missing sections and keys both occur.

#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzInputFile.h"
#include "platform/Profile.h"

using namespace sartovin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string& path = fuzz::inputFile(".ini");
    const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    if (!fuzz::writeInput(path, bytes)) return 0;
    static const char* const kSections[] = {"State", "state", "Medien", "2000", "", "Sable 60", "]", "a b"};
    static const char* const kKeys[] = {"Language", "PortType", "2305", "", "x", "Medium", "=", "Port"};
    const char* section = kSections[data[0] & 7];
    const char* key = kKeys[(data[0] >> 3) & 7];

    (void)GetPrivateProfileString(section, key, "default ", path);
    (void)GetPrivateProfileString(section, key, "", path, 1 + data[0] % 16);
    (void)GetPrivateProfileInt(section, key, -1, path);
    (void)GetPrivateProfileKeys(section, path);
    (void)parseProfileInt(bytes.substr(0, 64));

    // A write is read back as written, whatever the file held before it.
    if (data[0] & 0x40) {
        if (WritePrivateProfileString("State", "Written", "v123", path))
            fuzz::require(GetPrivateProfileString("State", "Written", "", path) == "v123");
        if (DeletePrivateProfileKey("State", "Written", path))
            fuzz::require(GetPrivateProfileString("State", "Written", "gone", path) != "v123");
    }
    return 0;
}
