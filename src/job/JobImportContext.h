#pragma once
// What the job readers need from their surroundings: the texts for their messages, the interface
// that shows them, and a place to say why a read failed.

#include <set>
#include <string>

#include "base/Texts.h"
#include "platform/Interaction.h"

namespace sartovin {

/// Why an import returned false (the readers show only the "no objects" message themselves; the
/// caller decides what the other failures mean to the user).
enum class JobReadFailure {
    None,          ///< the import succeeded
    CannotOpen,    ///< the file could not be opened or read
    BadEncoding,   ///< the text could not be converted (no converter for the code page)
    NoPageRecord,  ///< the text holds no "QXSeite"
    NoSegments,    ///< nothing to cut: message 303 was shown
    TextLeftOut,   ///< the user would not have the drawing without its text (SVG without Inkscape)
};

struct JobImportContext {
    const Texts& texts;
    Interaction& ui;
    /// Set by every import: None on success, else the reason of the failure.
    JobReadFailure failure = JobReadFailure::None;
    /// The ids of the objects selected in the drawing program (SVG drawings): the paths they stand
    /// for are imported as selected. Empty: nothing is selected.
    std::set<std::string> selectedIds = {};
};

/// A short English description of a failure, for the command line and logs.
const char* describeJobReadFailure(JobReadFailure failure);

}  // namespace sartovin
