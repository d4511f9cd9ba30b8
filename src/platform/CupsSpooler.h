#pragma once
// The print spooler through libcups: printers from cupsGetDests2, raw documents with
// cupsCreateJob, cupsStartDocument (CUPS_FORMAT_RAW), cupsWriteRequestData and
// cupsFinishDocument. Every connection has a time-out, so a spooler that stops answering ends
// the call with a failure instead of hanging the program.

#include "platform/Spooler.h"

namespace sartovin {

class CupsSpooler : public Spooler {
public:
    /// `server` names the scheduler (host name, or the path of its local socket); empty means
    /// the user's default (CUPS_SERVER, client.conf, the local scheduler). `timeoutSeconds`
    /// bounds every wait for the scheduler.
    explicit CupsSpooler(std::string server = {}, double timeoutSeconds = 30.0)
        : m_server(std::move(server)), m_timeoutSeconds(timeoutSeconds) {}

    std::vector<PrinterInfo> printers() override;
    std::unique_ptr<PrinterHandle> openPrinter(const std::string& name) override;
    bool printerInfo(const std::string& name, PrinterInfo& info) override;
    std::string lastProblem() const override { return m_problem; }

private:
    std::string m_server;
    std::string m_problem;  // why the last call could not reach the scheduler
    double m_timeoutSeconds = 30.0;
};

}  // namespace sartovin
