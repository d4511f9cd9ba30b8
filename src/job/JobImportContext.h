#pragma once
// What the job readers need from their surroundings: the texts for their messages, the interface
// that shows them, and a place to say why a read failed.

#include <cstdint>
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
    TooLarge,      ///< the file is larger than kMaxDrawingBytes: it was not read
};

/// The largest drawing or job file that is read: 128 MiB. The job model takes about twenty times
/// the size of a drawing (each path segment is a record of its own, kept twice for the layout), so
/// a larger file is refused with a message rather than filling the computer's memory.
inline constexpr std::uint64_t kMaxDrawingBytes = std::uint64_t{128} << 20;

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

/// True, with ctx.failure TooLarge, when the file at `path` is larger than kMaxDrawingBytes; the
/// caller then does not read it. A file that cannot be examined is left to the read to report.
bool drawingTooLarge(const std::string& path, JobImportContext& ctx);

/// The user's message for a file refused as too large (text 469, in the user's language).
std::string drawingTooLargeMessage(const Texts& texts, const std::string& path);

}  // namespace sartovin
