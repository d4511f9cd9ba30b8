#pragma once
// The fixture of the job report command tests: a program folder of the test's own, so the messages
// come from texts the test controls (written with CR LF, as files edited on Windows are).

#include <string>
#include <vector>

#include "support/CliTest.h"
#include "support/TextFiles.h"

namespace sartovin::test {

class JobReportFixture : public CliTest {
protected:
    JobReportFixture() { writeEnglishTexts(dir.file("prog/"), LineEnds::CrLf); }

    /// Runs "inspect" with `args` as the program in that folder; `changes` as for runCli.
    ProgramResult inspect(std::vector<std::string> args, const Environment& changes = {}) const {
        args.insert(args.begin(), {"inspect", "--program-path", dir.file("prog/sartovin")});
        return runCli(args, changes);
    }
};

}  // namespace sartovin::test
