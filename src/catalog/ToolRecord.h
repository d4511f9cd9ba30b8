#pragma once
// A cutting tool (blade holder or pen) of the tools catalog.

#include <string>

namespace sartovin {

struct ToolRecord {
    std::string idName;  ///< "IDName", the key media refer to
    std::string displayNameGerman;
    std::string displayNameEnglish;
    double offset = 0;  ///< blade offset, mm (hobby tools: whole blade-setting units)
};

}  // namespace sartovin
