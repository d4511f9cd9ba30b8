#pragma once
// The globals block: 32 bytes from the host's block suite that outlive an unload of the plug-in's
// code. It keeps what start-up settled about the menus.

#include <cstdint>

namespace sartovin {

struct PluginGlobals {
    std::int32_t standardOffset = 0;  ///< menu language offset of the standard settings file
    std::int32_t hobbyOffset = 0;     ///< menu language offset of the hobby settings file
    std::int32_t installGridPlotter = 0;
    std::int32_t installLaserCutter = 0;
    std::int32_t installHobbyPlotter = 0;
    std::int32_t reserved[3] = {0, 0, 0};
};
static_assert(sizeof(PluginGlobals) == 32, "the globals block is 32 bytes");

}  // namespace sartovin
