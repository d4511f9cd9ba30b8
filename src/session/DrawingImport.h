#pragma once
// Reading a drawing file from the command line or a file hand-over: the job file in its
// Illustrator or Corel variant, or an SVG drawing, chosen by the start mode or by the file itself.

#include <optional>
#include <string>

#include "base/StartMode.h"
#include "job/InkscapeHandOver.h"
#include "job/Job.h"
#include "job/JobImportContext.h"

namespace sartovin {

class ProcessList;

enum class DrawingKind { IllustratorJob, CorelJob, Svg };

/// The kind a file is read as: with a start mode (> 0) the host decides (CorelDRAW modes the Corel
/// variant, Inkscape modes SVG, the others the Illustrator variant); without one an ".svg" name or
/// an "<svg" text is SVG, UTF-16 text the Corel variant, anything else the Illustrator variant.
DrawingKind drawingKindOf(const std::string& path, const std::string& bytes,
                          std::optional<StartMode> startMode);

struct DrawingImportOptions {
    std::optional<StartMode> startMode;                               ///< none: decide by the file
    SvgConverterChoice svgConverter = SvgConverterChoice::Automatic;  ///< SVG: whose conversion
    ProcessList* processes = nullptr;  ///< where Inkscape is looked for (default: this machine's)
    std::string tempFolder;            ///< where private copies go
};

/// What an import found out besides the job.
struct DrawingImportResult {
    DrawingKind kind = DrawingKind::IllustratorJob;  ///< what the file was read as
    std::string why;                                 ///< after a failure: a short reason for the command line
};

/// Reads `path` into an empty job. The Corel reader deletes what it reads, so it is given a private
/// copy: the user's file is never removed. Returns false with ctx.failure set (or the reader's
/// message shown) when the file gives no job; `result` says what the file was read as and, after a
/// failure, why it gave no job.
bool importDrawing(const std::string& path, const DrawingImportOptions& options, Job& job, JobState& state,
                   JobImportContext& ctx, DrawingImportResult& result);

}  // namespace sartovin
