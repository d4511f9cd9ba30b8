#pragma once
// Another run of this program: the program holds one job per run, so a second start from Inkscape
// or the file manager brings the first one's window to the front instead of opening a second window
// over it.

#include <optional>
#include <string>

#include "platform/ProcessList.h"
#include "platform/WindowList.h"

namespace sartovin {

/// This run, as the process list shows it.
struct ThisRun {
    int pid = 0;
    std::string executable;  ///< the program file behind every edition's name
    std::string startName;   ///< the name it was started under (it selects the edition)
};

/// The topmost window of another process that runs the same program file under the same name
/// (the same edition), or none. Without a display there are no windows, and so none.
std::optional<WindowInfo> windowOfAnotherRun(WindowList& windows, ProcessList& processes, const ThisRun& self);

}  // namespace sartovin
