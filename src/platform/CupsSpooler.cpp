#include "platform/CupsSpooler.h"

#include <cups/cups.h>
#include <time.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <vector>

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

// A connection to the scheduler; when there is none, `problem` says why (the scheduler's name and
// the system's reason), else it is cleared.
Connection connectTo(const std::string& server, double timeoutSeconds, std::string& problem) {
    const char* host = server.empty() ? cupsServer() : server.c_str();
    int msec = static_cast<int>(timeoutSeconds * 1000);
    // A scheduler that is busy (starting, or reloading its configuration) may refuse one
    // connection; a second and third try cost nothing when it is simply not there.
    http_t* http = nullptr;
    for (int attempt = 0; attempt < 3 && !http; ++attempt)
        http = httpConnect2(host, ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, msec, nullptr);
    if (http) {
        httpSetTimeout(http, timeoutSeconds, giveUpOnTimeout, nullptr);
        problem.clear();
    } else {
        const int error = errno;
        char buf[256];
        const char* why = error != 0 ? ::strerror_r(error, buf, sizeof buf) : cupsLastErrorString();
        problem = std::string(host ? host : "") + ": " + (why ? why : "");
    }
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

    PrintJobState jobState(int waitMs) override {
        // Asked every tenth of a second until the job has ended or the time is up.
        constexpr int kStepMs = 100;
        for (int waited = 0;; waited += kStepMs) {
            const PrintJobState state = askOnce(std::max(waitMs - waited, kStepMs));
            if (state.stage != PrintJobState::Stage::Waiting || waited + kStepMs >= waitMs) return state;
            const timespec step{0, kStepMs * 1000000L};
            ::nanosleep(&step, nullptr);
        }
    }

    PrintJobState askOnce(int timeoutMs) {
        PrintJobState state;
        if (m_jobId <= 0 || !m_ended) return state;
        // This question may not wait as long as a document transfer may.
        httpSetTimeout(m_connection.get(), timeoutMs / 1000.0, giveUpOnTimeout, nullptr);
        Ipp job(
            request(IPP_OP_GET_JOB_ATTRIBUTES, "job-uri", "/jobs/" + std::to_string(m_jobId),
                    {"job-state", "job-state-message", "job-printer-state-message", "time-at-processing"}));
        const ipp_status_t jobStatus = cupsLastError();
        Ipp printer(request(IPP_OP_GET_PRINTER_ATTRIBUTES, "printer-uri", "/printers/" + m_info.name,
                            {"printer-state", "printer-state-message"}));
        const ipp_status_t printerStatus = cupsLastError();
        httpSetTimeout(m_connection.get(), m_timeoutSeconds, giveUpOnTimeout, nullptr);

        if (jobStatus == IPP_STATUS_ERROR_NOT_FOUND || printerStatus == IPP_STATUS_ERROR_NOT_FOUND) {
            // The queue was deleted, and its jobs with it.
            state.stage = PrintJobState::Stage::Failed;
            return state;
        }
        if (!job || jobStatus > IPP_STATUS_OK_EVENTS_COMPLETE) return state;  // no answer: unknown
        state.reason = text(printer.get(), "printer-state-message");
        if (state.reason.empty()) state.reason = text(job.get(), "job-printer-state-message");
        if (state.reason.empty()) state.reason = text(job.get(), "job-state-message");
        const int jobState = number(job.get(), "job-state");
        const int printerState = number(printer.get(), "printer-state");
        // A job that was handed to the device and is back in the queue (held for a later try)
        // failed on the way to it.
        const bool triedAndBack = (jobState == IPP_JSTATE_PENDING || jobState == IPP_JSTATE_HELD) &&
                                  integer(job.get(), "time-at-processing") > 0;
        switch (jobState) {
            case IPP_JSTATE_COMPLETED:
                state.stage = PrintJobState::Stage::Completed;
                return state;
            case IPP_JSTATE_CANCELED:
            case IPP_JSTATE_ABORTED:
                state.stage = PrintJobState::Stage::Failed;
                return state;
            default:
                break;
        }
        // A job that waits on a stopped queue, or for another try after the device's backend
        // failed, never goes out by itself now. It is withdrawn as the failure is reported, so
        // that the cutter does not start on it later, unasked, after the user has sent it again.
        if (jobState == IPP_JSTATE_STOPPED || printerState == IPP_PSTATE_STOPPED || triedAndBack) {
            state.stage = PrintJobState::Stage::Failed;
            cupsCancelJob2(m_connection.get(), m_info.name.c_str(), m_jobId, 0);
        } else {
            state.stage = PrintJobState::Stage::Waiting;
        }
        return state;
    }

    void setTimeout(double seconds) { m_timeoutSeconds = seconds; }

private:
    struct IppDeleter {
        void operator()(ipp_t* ipp) const { ippDelete(ipp); }
    };
    using Ipp = std::unique_ptr<ipp_t, IppDeleter>;

    // One IPP request about `resource` ("/jobs/12", "/printers/Cutter") naming it by `uriAttribute`.
    ipp_t* request(ipp_op_t op, const char* uriAttribute, const std::string& resource,
                   std::initializer_list<const char*> attributes) {
        char uri[HTTP_MAX_URI];
        httpAssembleURI(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(),
                        resource.c_str());
        ipp_t* req = ippNewRequest(op);
        ippAddString(req, IPP_TAG_OPERATION, IPP_TAG_URI, uriAttribute, nullptr, uri);
        ippAddString(req, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
        std::vector<const char*> names(attributes);
        ippAddStrings(req, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                      static_cast<int>(names.size()), nullptr, names.data());
        return cupsDoRequest(m_connection.get(), req, "/");  // frees the request
    }
    static std::string text(ipp_t* ipp, const char* name) {
        ipp_attribute_t* a = ipp ? ippFindAttribute(ipp, name, IPP_TAG_TEXT) : nullptr;
        const char* v = a ? ippGetString(a, 0, nullptr) : nullptr;
        return v ? v : "";
    }
    static int number(ipp_t* ipp, const char* name) {
        ipp_attribute_t* a = ipp ? ippFindAttribute(ipp, name, IPP_TAG_ENUM) : nullptr;
        return a ? ippGetInteger(a, 0) : 0;
    }
    static int integer(ipp_t* ipp, const char* name) {
        ipp_attribute_t* a = ipp ? ippFindAttribute(ipp, name, IPP_TAG_INTEGER) : nullptr;
        return a ? ippGetInteger(a, 0) : 0;
    }

    Connection m_connection;
    PrinterInfo m_info;
    double m_timeoutSeconds = 30.0;
    int m_jobId = 0;
    bool m_started = false;
    bool m_ended = false;
};

}  // namespace

std::vector<PrinterInfo> CupsSpooler::printers() {
    Connection http = connectTo(m_server, m_timeoutSeconds, m_problem);
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
    Connection http = connectTo(m_server, m_timeoutSeconds, m_problem);
    if (!http) return nullptr;
    for (auto& p : readPrinters(http.get())) {
        if (p.name == name) {
            auto printer = std::make_unique<CupsPrinter>(std::move(http), std::move(p));
            printer->setTimeout(m_timeoutSeconds);
            return printer;
        }
    }
    return nullptr;
}

}  // namespace sartovin
