#pragma once
// The job file readers: the Illustrator variant (Windows-1252 text written by our plug-in) and the
// Corel variant (UTF-16 little-endian text written by the export macro inside CorelDRAW).

#include <string>

#include "job/Job.h"
#include "job/JobImportContext.h"

namespace sartovin {

enum class JobFileVariant { Illustrator, Corel };

/// Reads an Illustrator-variant job file into `job` (emptied first) and `state` (totals, extent,
/// marks-layer flag and marks mode; the mark sensor flag is only read). False when the file cannot
/// be read, holds no "QXSeite", or holds no segment (then message 303 was shown); ctx.failure says
/// which. After a failure the job may hold what was read; the caller releases it.
bool readIllustratorJob(const std::string& path, Job& job, JobState& state, JobImportContext& ctx);

/// Reads a Corel-variant job file the same way. The file is deleted once its content has been read
/// (the macro writes a fresh one for every hand-over), whatever the parse then finds.
bool readCorelJob(const std::string& path, Job& job, JobState& state, JobImportContext& ctx);

/// The parse behind both readers, on text already converted to UTF-8 (commas are turned into
/// points here). Runs finishImport at the end.
bool parseJobText(std::string text, JobFileVariant variant, Job& job, JobState& state, JobImportContext& ctx);

}  // namespace sartovin
