#pragma once
// What the program's models are given, in a folder of the test's own: the English texts (and the
// German ones beside them), a settings file that starts empty, and an interaction that records
// every message and answers from a script.

#include <string>

#include "base/Settings.h"
#include "base/Texts.h"
#include "platform/ScriptedInteraction.h"
#include "support/TempDir.h"
#include "support/TextFiles.h"

namespace sartovin::test {

struct ModelEnvironment {
    ModelEnvironment() {
        writeEnglishTexts(dir.path());
        writeGermanTexts(dir.path());
    }

    /// The value of a "State" key as written, "<absent>" when there is none.
    std::string stateKey(const char* name) const { return settings.readString("State", name, "<absent>"); }

    TempDir dir;
    Settings settings{dir.file("Sartovin.ini")};
    Texts texts{dir.path(), 2000};
    ScriptedInteraction ui;
};

}  // namespace sartovin::test
