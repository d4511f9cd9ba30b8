// Feeds arbitrary bytes to the reader of the desktop's list of recently used files
// ("recently-used.xbel"), which picks the SVG drawing saved last.

#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzInputFile.h"
#include "platform/RecentFiles.h"

using namespace sartovin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string& path = fuzz::inputFile(".xbel");
    if (!fuzz::writeInput(path, std::string(reinterpret_cast<const char*>(data), size))) return 0;
    (void)findLastSavedSvg(path);
    return 0;
}
