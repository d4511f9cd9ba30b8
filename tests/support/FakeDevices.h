#pragma once
// Scripted stand-ins for the USB device nodes and the GCC USB ports: each device takes writes and
// answers them with scripted replies.

#include <deque>
#include <map>
#include <memory>
#include <string>

#include "platform/DeviceFiles.h"
#include "platform/GccUsbPortApi.h"
#include "platform/SystemErrorCodes.h"

namespace sartovin::test {

/// A device: takes writes (up to `acceptLimit` bytes per write), answers each write with the next
/// scripted reply, or floods without end. Behind FakeDeviceFiles it is a usblp node: the driver
/// cannot count its input (no FIONREAD), so "bytes available" is 1 whenever something waits;
/// `readChunk` makes reads short and `splitAt` sends a reply in two pieces with quiet polls
/// between them, as a cutter's reply may come in several USB transfers.
struct FakeDevice {
    bool openable = true;
    bool failWrites = false;
    std::size_t acceptLimit = static_cast<std::size_t>(-1);
    std::string received;             ///< everything written to the device
    std::deque<std::string> replies;  ///< one per write
    std::string pending;              ///< reply bytes waiting to be read
    bool flood = false;               ///< always has more to say
    int opens = 0;
    int openNow = 0;
    std::size_t readChunk = static_cast<std::size_t>(-1);  ///< most bytes one read returns
    std::size_t splitAt = static_cast<std::size_t>(-1);    ///< bytes of a reply sent at first
    int quietPollsBetweenPieces = 1;  ///< looks that find nothing before the rest follows
    std::string later;                ///< the rest of a split reply, not sent yet
    int quietLeft = 0;

    void took(const char* data, std::size_t n) {
        received.append(data, n);
        if (!replies.empty()) {
            const std::string& reply = replies.front();
            std::size_t first = splitAt < reply.size() ? splitAt : reply.size();
            pending += reply.substr(0, first);
            later += reply.substr(first);
            quietLeft = quietPollsBetweenPieces;
            replies.pop_front();
        }
    }
    /// One look at the device: once what was sent is read, the rest of a split reply follows
    /// after the quiet looks.
    void look() {
        if (!pending.empty() || later.empty()) return;
        if (quietLeft > 0) {
            --quietLeft;
            return;
        }
        pending.swap(later);
    }
    std::string take(std::size_t capacity) {
        look();
        if (capacity > readChunk) capacity = readChunk;
        if (flood) return std::string(capacity, 'F');
        std::string out = pending.substr(0, capacity);
        pending.erase(0, out.size());
        return out;
    }
};

class FakeDeviceFiles : public DeviceFiles {
public:
    std::map<std::string, std::shared_ptr<FakeDevice>> devices;

    std::shared_ptr<FakeDevice> add(const std::string& path) {
        return devices[path] = std::make_shared<FakeDevice>();
    }

    std::unique_ptr<DeviceHandle> open(const std::string& path, DeviceAccess, std::int32_t& error) override {
        auto it = devices.find(path);
        if (it == devices.end() || !it->second->openable) {
            error = kErrorFileNotFound;
            return nullptr;
        }
        error = 0;
        return std::make_unique<Handle>(it->second);
    }

private:
    struct Handle : DeviceHandle {
        explicit Handle(std::shared_ptr<FakeDevice> d) : dev(std::move(d)) {
            ++dev->opens;
            ++dev->openNow;
        }
        ~Handle() override { --dev->openNow; }
        std::int32_t write(const char* data, std::size_t length, std::size_t& written, int) override {
            written = 0;
            if (dev->failWrites) return kErrorDeviceNotConnected;
            written = length < dev->acceptLimit ? length : dev->acceptLimit;
            dev->took(data, written);
            return 0;
        }
        std::int32_t read(char* buffer, std::size_t capacity, std::size_t& received, int) override {
            std::string out = dev->take(capacity);
            out.copy(buffer, out.size());
            received = out.size();
            return 0;
        }
        std::int32_t bytesAvailable(std::size_t& count) override {
            // The printer class driver does not count its input: only "something is there".
            dev->look();
            count = dev->flood || !dev->pending.empty() ? 1 : 0;
            return 0;
        }
        std::shared_ptr<FakeDevice> dev;
    };
};

/// GCC USB ports 0..3 over fake devices.
class FakeGccUsbPorts : public GccUsbPortApi {
public:
    std::map<int, std::shared_ptr<FakeDevice>> ports;
    int opens = 0;
    int closes = 0;
    int lastOpenIndex = -99;

    std::shared_ptr<FakeDevice> add(int index) { return ports[index] = std::make_shared<FakeDevice>(); }

    GccUsbHandle open(int index) override {
        ++opens;
        lastOpenIndex = index;
        auto it = ports.find(index);
        if (it == ports.end() || !it->second->openable) return kGccUsbInvalidHandle;
        return 100 + index;
    }
    int write(GccUsbHandle h, const char* data, unsigned count) override {
        auto* d = dev(h);
        if (!d || d->failWrites) return -1;
        d->took(data, count);
        return static_cast<int>(count);
    }
    void close(GccUsbHandle) override { ++closes; }
    int bytesAvailable(GccUsbHandle h, unsigned& count) override {
        auto* d = dev(h);
        if (!d) return -1;
        d->look();
        count = d->flood ? 500u : static_cast<unsigned>(d->pending.size());
        return 0;
    }
    int read(GccUsbHandle h, char* buffer, unsigned capacity, unsigned& count) override {
        auto* d = dev(h);
        if (!d) return -1;
        std::string out = d->take(count < capacity ? count : capacity);
        out.copy(buffer, out.size());
        count = static_cast<unsigned>(out.size());
        return 0;
    }

private:
    FakeDevice* dev(GccUsbHandle h) {
        auto it = ports.find(static_cast<int>(h - 100));
        return it == ports.end() ? nullptr : it->second.get();
    }
};

}  // namespace sartovin::test
