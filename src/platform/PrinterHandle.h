#pragma once
// One printer opened for a raw document: start it, write bytes, end it. Closing is destruction;
// a document that was started and not ended is withdrawn then.

#include <cstddef>
#include <string>

namespace sartovin {

/// What became of an ended document, as far as the spooler tells at one moment.
struct PrintJobState {
    enum class Stage {
        Waiting,    ///< queued or being sent to the device
        Completed,  ///< the device took the whole job
        Failed,     ///< stopped, cancelled or aborted, or the queue stopped or went away
        Unknown,    ///< the spooler did not answer in time
    };
    Stage stage = Stage::Unknown;
    std::string reason;  ///< the spooler's words on the queue or job ("" when it gave none)
};

class PrinterHandle {
public:
    virtual ~PrinterHandle() = default;
    /// Starts a raw document named `documentName`. False when the queue is stopped, does not
    /// accept jobs, or the spooler refuses.
    virtual bool startDocument(const std::string& documentName) = 0;
    /// Hands bytes to the spooler; `written` receives how many it took. False on failure.
    virtual bool write(const char* data, std::size_t length, std::size_t& written) = 0;
    /// Ends the document; true when the spooler took the whole job.
    virtual bool endDocument() = 0;
    /// What became of the ended document: waits up to `waitMs` for it to reach an end (or for
    /// the queue to stop), then says where it stands. Unknown when the spooler does not answer.
    virtual PrintJobState jobState(int waitMs) = 0;
};

}  // namespace sartovin
