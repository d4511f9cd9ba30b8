// Plays the cutter's side of a query over a GCC USB port with arbitrary bytes: the input is cut
// into the transfers the port hands out, each with quiet looks before it, what the port says is
// waiting (the true count, an estimate of 1, a wild count, or nothing) and a failing call now and
// then. The reply collected goes through the readers of the media query. Besides the sanitizers,
// the query's promises are checked: the reply is text, no longer than its reads, and the query
// ends in bounded (virtual) time.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <deque>
#include <string>

#include "FuzzInputFile.h"
#include "device/GccUsbQuery.h"
#include "device/MediaQueryReplies.h"
#include "platform/GccUsbPortApi.h"
#include "platform/ScriptedInteraction.h"

using namespace sartovin;

namespace {

struct Transfer {
    std::string bytes;
    int quietLooks = 0;  // looks that find nothing before this transfer is there
    int says = 0;        // 0 the true count, 1 an estimate of 1, 2 a wild count, 3 nothing at all
    bool lookFails = false;
    bool readFails = false;
};

class ScriptedPort : public GccUsbPortApi {
public:
    // Records of [length][flags][length bytes]; the first byte says whether the bytes are waiting
    // before the command goes out (left over from an earlier exchange).
    ScriptedPort(const std::uint8_t* data, std::size_t size) {
        if (size == 0) return;
        m_written = (data[0] & 1) != 0;
        std::size_t pos = 1;
        while (pos + 2 <= size) {
            const std::size_t n = std::min<std::size_t>(data[pos], size - pos - 2);
            const std::uint8_t flags = data[pos + 1];
            Transfer t;
            t.bytes.assign(reinterpret_cast<const char*>(data + pos + 2), n);
            t.quietLooks = flags & 7;
            t.says = (flags >> 3) & 3;
            t.lookFails = (flags & 0xe0) == 0xe0;
            t.readFails = (flags & 0xe0) == 0xc0;
            m_transfers.push_back(std::move(t));
            pos += 2 + n;
        }
    }

    GccUsbHandle open(int) override { return 1; }
    void close(GccUsbHandle) override {}
    int write(GccUsbHandle, const char*, unsigned count) override {
        m_written = true;
        return static_cast<int>(count);
    }
    int bytesAvailable(GccUsbHandle, unsigned& count) override {
        count = 0;
        if (!m_written || m_transfers.empty()) return 0;
        Transfer& t = m_transfers.front();
        if (t.lookFails) return -1;
        if (t.quietLooks > 0) {
            --t.quietLooks;
            return 0;
        }
        static const unsigned kWild = 0xfffffff0u;
        count = t.says == 0   ? static_cast<unsigned>(t.bytes.size())
                : t.says == 1 ? 1
                : t.says == 2 ? kWild
                              : 0;
        return 0;
    }
    int read(GccUsbHandle, char* buffer, unsigned capacity, unsigned& count) override {
        count = 0;
        if (m_transfers.empty()) return 0;
        Transfer& t = m_transfers.front();
        if (t.readFails) return -1;
        const std::size_t n = std::min<std::size_t>(capacity, t.bytes.size());
        std::memcpy(buffer, t.bytes.data(), n);
        t.bytes.erase(0, n);
        count = static_cast<unsigned>(n);
        if (t.bytes.empty()) m_transfers.pop_front();
        return 0;
    }

private:
    std::deque<Transfer> m_transfers;
    bool m_written = false;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ScriptedPort port(data, size);
    ScriptedInteraction ui;
    std::string reply;
    const bool ok = gccUsbQuery(port, 1, kIdentificationCommand, ui, reply);
    // A port that fails part-way leaves what came so far, but the query has failed.
    fuzz::require(!ok || !reply.empty());
    // The reply is text, at most 20 reads of 99 bytes.
    fuzz::require(reply.find('\0') == std::string::npos && reply.size() <= 20 * 99);
    // Drain 20 looks, wait 20, then at most 20 reads, each after at most 20 quiet looks, 100 ms apart.
    fuzz::require(ui.nowMs <= (20 + 20 + 20 * 21 + 1) * 100 * 2);

    std::array<std::int32_t, 7> values{};
    (void)parseSettingsReply(reply, values);
    (void)firmwareFromIdentification(reply);
    (void)connectedModelAcceptable("Jaguar V 132", connectedModelForCheck(reply));
    unsigned long height = 0, width = 0;
    (void)parseHardClipReply(reply, height, width);
    (void)replyComplete(reply);
    return 0;
}
