#pragma once
// One printer opened for a raw document: start it, write bytes, end it. Closing is destruction;
// a document that was started and not ended is withdrawn then.

#include <cstddef>
#include <string>

namespace sartovin {

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
};

}  // namespace sartovin
