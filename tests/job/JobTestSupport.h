#pragma once
// Shared pieces of the job tests: a private texts folder with message 303 and a context that
// records the messages the readers show.

#include <string>

#include "base/Texts.h"
#include "job/JobImportContext.h"
#include "platform/ScriptedInteraction.h"
#include "support/TempDir.h"

namespace sartovin::test {

inline constexpr const char* kNoObjectsText = "No objects for cutting found !";

class ReaderHarness {
public:
    ReaderHarness() {
        writeFile(dir.file("texts/2000.txt"), std::string("[2000]\r\n2303=") + kNoObjectsText + "\r\n");
    }

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
