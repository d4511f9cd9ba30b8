#pragma once
// DeviceFiles over real nodes (usblp's /dev/usb/lpN, or the files and FIFOs of a test tree).
// Descriptors are non-blocking; every wait is a poll() with a time-out.

#include "platform/DeviceFiles.h"

namespace sartovin {

class NodeDeviceFiles : public DeviceFiles {
public:
    std::unique_ptr<DeviceHandle> open(const std::string& path, DeviceAccess access,
                                       std::int32_t& error) override;
};

}  // namespace sartovin
