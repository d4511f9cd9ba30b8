#pragma once
// Opens device nodes for the USB channels; the real one opens files, tests may give their own.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/DeviceHandle.h"

namespace sartovin {

enum class DeviceAccess { Read, Write, ReadWrite };

class DeviceFiles {
public:
    virtual ~DeviceFiles() = default;
    /// Opens `path`; nullptr on failure with `error` set (2 missing, 5 denied, 170 busy, ...).
    virtual std::unique_ptr<DeviceHandle> open(const std::string& path, DeviceAccess access,
                                               std::int32_t& error) = 0;
};

}  // namespace sartovin
