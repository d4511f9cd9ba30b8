#include "platform/CupsSpooler.h"

#include <cups/cups.h>

#include <algorithm>
#include <memory>

namespace sartovin {

namespace {

// A connection to the scheduler, closed when it goes.
struct HttpCloser {
    void operator()(http_t* http) const {
        if (http) httpClose(http);
    }
};
using Connection = std::unique_ptr<http_t, HttpCloser>;

// The destinations of one cupsGetDests2 call, freed when they go.
class Destinations {
public:
    explicit Destinations(http_t* http) : m_count(cupsGetDests2(http, &m_dests)) {}
    ~Destinations() { cupsFreeDests(m_count, m_dests); }
    Destinations(const Destinations&) = delete;
    Destinations& operator=(const Destinations&) = delete;
    int count() const { return m_count; }
    const cups_dest_t& operator[](int i) const { return m_dests[i]; }

private:
    cups_dest_t* m_dests = nullptr;
    int m_count = 0;
};

// Gives up a wait that ran past the connection's time-out.
int giveUpOnTimeout(http_t*, void*) { return 0; }

Connection connectTo(const std::string& server, double timeoutSeconds) {
    const char* host = server.empty() ? cupsServer() : server.c_str();
    int msec = static_cast<int>(timeoutSeconds * 1000);
    // A scheduler that is busy (starting, or reloading its configuration) may refuse one
    // connection; a second and third try cost nothing when it is simply not there.
    http_t* http = nullptr;
    for (int attempt = 0; attempt < 3 && !http; ++attempt)
        http = httpConnect2(host, ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, msec, nullptr);
    if (http) httpSetTimeout(http, timeoutSeconds, giveUpOnTimeout, nullptr);
    return Connection(http);
}

std::string optionOf(const cups_dest_t& dest, const char* name) {
    const char* v = cupsGetOption(name, dest.num_options, dest.options);
    return v ? v : "";
}

std::vector<PrinterInfo> readPrinters(http_t* http) {
    std::vector<PrinterInfo> out;
    {
        const Destinations dests(http);
        for (int i = 0; i < dests.count(); ++i) {
            if (dests[i].instance) continue;  // instances are option sets of a queue, not printers
            PrinterInfo p;
            p.name = dests[i].name;
            p.deviceUri = optionOf(dests[i], "device-uri");
            p.description = optionOf(dests[i], "printer-info");
            std::string accepting = optionOf(dests[i], "printer-is-accepting-jobs");
            p.accepting = !(accepting == "false" || accepting == "0");
            p.stopped = optionOf(dests[i], "printer-state") == "5";  // IPP printer-state "stopped"
            out.push_back(std::move(p));
        }
    }
    std::vector<std::string> uris;
    for (const auto& p : out) uris.push_back(p.deviceUri);
    for (auto& p : out) p.portName = printerPortName(p.deviceUri, uris);
    std::sort(out.begin(), out.end(),
              [](const PrinterInfo& a, const PrinterInfo& b) { return a.name < b.name; });
    return out;
}

class CupsPrinter : public PrinterHandle {
public:
    CupsPrinter(Connection http, PrinterInfo info) : m_connection(std::move(http)), m_info(std::move(info)) {}
    ~CupsPrinter() override {
        // A job whose document never ended is withdrawn; the connection closes with the object.
        if (m_jobId > 0 && !m_ended) cupsCancelJob2(m_connection.get(), m_info.name.c_str(), m_jobId, 0);
    }

    bool startDocument(const std::string& documentName) override {
        if (m_jobId > 0 || m_info.stopped || !m_info.accepting) return false;
        m_jobId = cupsCreateJob(m_connection.get(), m_info.name.c_str(), documentName.c_str(), 0, nullptr);
        if (m_jobId <= 0) return false;
        if (cupsStartDocument(m_connection.get(), m_info.name.c_str(), m_jobId, documentName.c_str(),
                              CUPS_FORMAT_RAW, 1) != HTTP_STATUS_CONTINUE) {
            // The job exists but no document will follow: end the request, withdraw the job.
            cupsFinishDocument(m_connection.get(), m_info.name.c_str());
            cupsCancelJob2(m_connection.get(), m_info.name.c_str(), m_jobId, 0);
            m_ended = true;
            return false;
        }
        m_started = true;
        return true;
    }

    bool write(const char* data, std::size_t length, std::size_t& written) override {
        written = 0;
        if (!m_started || m_ended) return false;
        if (length == 0) return true;
        if (cupsWriteRequestData(m_connection.get(), data, length) != HTTP_STATUS_CONTINUE) return false;
        written = length;
        return true;
    }

    bool endDocument() override {
        if (!m_started || m_ended) return false;
        m_ended = true;
        return cupsFinishDocument(m_connection.get(), m_info.name.c_str()) == IPP_STATUS_OK;
    }

private:
    Connection m_connection;
    PrinterInfo m_info;
    int m_jobId = 0;
    bool m_started = false;
    bool m_ended = false;
};

}  // namespace

std::vector<PrinterInfo> CupsSpooler::printers() {
    Connection http = connectTo(m_server, m_timeoutSeconds);
    if (!http) return {};
    return readPrinters(http.get());
}

bool CupsSpooler::printerInfo(const std::string& name, PrinterInfo& info) {
    for (auto& p : printers()) {
        if (p.name == name) {
            info = p;
            return true;
        }
    }
    return false;
}

std::unique_ptr<PrinterHandle> CupsSpooler::openPrinter(const std::string& name) {
    if (name.empty()) return nullptr;
    Connection http = connectTo(m_server, m_timeoutSeconds);
    if (!http) return nullptr;
    for (auto& p : readPrinters(http.get())) {
        if (p.name == name) return std::make_unique<CupsPrinter>(std::move(http), std::move(p));
    }
    return nullptr;
}

}  // namespace sartovin
