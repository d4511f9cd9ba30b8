#pragma once
// The channels a delivery can use besides the serial port (which it opens itself by name).

#include "platform/DeviceFiles.h"
#include "platform/GccUsbPortApi.h"
#include "platform/Spooler.h"

namespace sartovin {

struct DeviceChannels {
    Spooler& spooler;          ///< printer queues (port kind 3, and the laser edition)
    GccUsbPortApi& gccUsb;     ///< GCC USB ports (port kind 2)
    DeviceFiles& deviceFiles;  ///< USB printer device nodes (port kind 4)
};

}  // namespace sartovin
