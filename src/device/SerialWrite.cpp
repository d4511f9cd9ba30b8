#include "device/SerialWrite.h"

#include "platform/SystemErrorCodes.h"

namespace sartovin {

std::int32_t serialWriteAll(CSerial& serial, const std::string& bytes, Interaction& ui,
                            const std::function<bool()>& cancelled, std::uint32_t& written) {
    written = 0;
    // Ctrl-C or a terminate signal on the command line stops the write like the cancel button.
    struct StopScope {
        explicit StopScope(Interaction& ui) : ui(ui) { ui.allowStop(true); }
        ~StopScope() { ui.allowStop(false); }
        Interaction& ui;
    } stopScope(ui);
    const auto total = static_cast<std::uint32_t>(bytes.size());
    int stalledMs = 0;
    while (written < total) {
        std::uint32_t took = 0;
        std::int32_t rc = serial.WriteAvailable(bytes.data() + written, total - written, took);
        if (rc != 0) return rc;
        written += took;
        if (took > 0) stalledMs = 0;
        if (written == total) break;
        const bool stop = (cancelled && cancelled()) || ui.stopRequested();
        if (stop || stalledMs >= kSerialStallMs) {
            serial.Purge();
            return stop ? kSerialWriteCancelled : kErrorTimeout;
        }
        ui.pump();
        ui.pause(kSerialRetryMs);
        ui.pump();
        stalledMs += kSerialRetryMs;
    }
    return 0;
}

}  // namespace sartovin
