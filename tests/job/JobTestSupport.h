#pragma once
// Shared pieces of the job tests: a private texts folder (written with CR LF line ends, as files
// edited on Windows have them) and a context that records the messages the readers show.

#include <initializer_list>
#include <string>

#include "base/Texts.h"
#include "job/JobImportContext.h"
#include "platform/ScriptedInteraction.h"
#include "support/TempDir.h"
#include "support/TextFiles.h"

namespace sartovin::test {

class ReaderHarness {
public:
    ReaderHarness() { writeEnglishTexts(dir.file("texts/"), LineEnds::CrLf); }

    TempDir dir;
    Texts texts{dir.file("texts/"), 2000};
    ScriptedInteraction ui;
    JobImportContext ctx{texts, ui};
};

/// Joins lines with CR LF, as the plug-in writes them.
inline std::string crlf(std::initializer_list<const char*> lines) {
    std::string out;
    for (const char* l : lines) {
        out += l;
        out += "\r\n";
    }
    return out;
}

}  // namespace sartovin::test
