#pragma once
// A print spooler for the tests: queues with scripted behaviour (a refused document start, a number
// of bytes taken per write) that keep every document they receive. With a ScriptedInteraction as
// clock each write notes the virtual time it came at, so the spooler write's one-second retries are
// seen without waiting.

#include <algorithm>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/ScriptedInteraction.h"
#include "platform/Spooler.h"

namespace sartovin::test {

class FakeSpooler : public Spooler {
public:
    struct Queue {
        PrinterInfo info;
        bool startFails = false;             ///< the document start is refused
        std::deque<std::size_t> takes;       ///< bytes taken by each write in turn; empty: all
        /// What each question about the ended job answers in turn (the last one stays); empty:
        /// completed at once.
        std::deque<PrintJobState> jobStates;
        int jobStateQuestions = 0;
        std::string documentName;            ///< the name of the last document started
        std::string document;                ///< the bytes of the current (or last) document
        std::vector<std::string> documents;  ///< every document that was ended
        std::vector<std::pair<long long, std::size_t>> writes;  ///< (time, offset) of each write
        bool ended = false;                                     ///< the last document was ended
    };
    std::map<std::string, Queue> queues;
    ScriptedInteraction* clock = nullptr;  ///< gives the writes their time; may be null

    /// Adds a queue; the default port name is that of a network queue (no USB, GCC USB or COM port).
    Queue& add(const std::string& name, const std::string& portName = "SOCKET:") {
        Queue& q = queues[name];
        q.info.name = name;
        q.info.portName = portName;
        return q;
    }

    std::vector<PrinterInfo> printers() override {
        std::vector<PrinterInfo> out;
        for (auto& [n, q] : queues) out.push_back(q.info);
        return out;
    }
    bool printerInfo(const std::string& name, PrinterInfo& info) override {
        auto it = queues.find(name);
        if (it == queues.end()) return false;
        info = it->second.info;
        return true;
    }
    std::unique_ptr<PrinterHandle> openPrinter(const std::string& name) override {
        auto it = queues.find(name);
        if (it == queues.end()) return nullptr;
        return std::make_unique<Handle>(it->second, clock);
    }

private:
    struct Handle : PrinterHandle {
        Handle(Queue& q, ScriptedInteraction* c) : queue(q), clock(c) {}
        bool startDocument(const std::string& name) override {
            if (queue.startFails) return false;
            queue.documentName = name;
            queue.document.clear();
            queue.ended = false;
            return started = true;
        }
        bool write(const char* data, std::size_t length, std::size_t& written) override {
            queue.writes.push_back({clock ? clock->nowMs : 0, queue.document.size()});
            written = length;
            if (!queue.takes.empty()) {
                written = std::min(length, queue.takes.front());
                queue.takes.pop_front();
            }
            queue.document.append(data, written);
            return true;
        }
        bool endDocument() override {
            if (!started) return false;
            queue.ended = true;
            queue.documents.push_back(queue.document);
            return true;
        }
        PrintJobState jobState(int) override {
            ++queue.jobStateQuestions;
            if (queue.jobStates.empty()) return {PrintJobState::Stage::Completed, ""};
            PrintJobState s = queue.jobStates.front();
            if (queue.jobStates.size() > 1) queue.jobStates.pop_front();
            return s;
        }
        Queue& queue;
        ScriptedInteraction* clock;
        bool started = false;
    };
};

}  // namespace sartovin::test
