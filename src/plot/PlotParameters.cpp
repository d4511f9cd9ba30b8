#include "plot/PlotParameters.h"

namespace sartovin {

std::string modelDescriptionField(const std::string& description) {
    std::size_t start = 0;
    for (int field = 0; field < 2; ++field) {
        std::size_t comma = description.find(',', start);
        if (comma == std::string::npos) return std::string();
        start = comma + 1;
    }
    std::size_t end = description.find(',', start);
    return description.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

}  // namespace sartovin
