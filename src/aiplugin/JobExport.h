#pragma once
// The export of the current document into the job file: the visible layers with art, every path
// of them (group and compound path children each an object of their own), and the glyph outlines
// of text frames as one object per frame. The file format is the job writer's (job/).

#include <string>
#include <vector>

#include "aiplugin/PluginSystem.h"
#include "aiplugin/SuiteTable.h"
#include "job/IllustratorJobWriter.h"

namespace sartovin {

/// Bounds flags the host is asked for: the skip test uses plain bounds, the object's written
/// bounds include the stroke when there is one.
inline constexpr std::int32_t kTestBoundsFlags = 0;
inline constexpr std::int32_t kObjectBoundsFlags = 6;
inline constexpr std::int32_t kStrokedObjectBoundsFlags = 38;

/// The job file's name in the temporary folder.
inline constexpr const char* kJobFileName = "qxjob.qxj";

class JobExport {
public:
    JobExport(const SuiteTable& suites, PluginSystem& system) : m_suites(suites), m_system(system) {}

    enum class Outcome {
        Written,     ///< the job file was written
        NoLayers,    ///< the document has no layers: nothing written, nothing to start
        HostError,   ///< a suite call failed; error() tells which
        FileFailed,  ///< the job file could not be written (no temporary folder, no room, ...)
    };

    /// Writes "<temp>\qxjob.qxj": the page size and, for each visible layer that holds art, the
    /// layer's title and its paths. Each exported layer is made current and editable while its art
    /// is walked (text outlines are made inside it) and gets its editable state back afterwards.
    Outcome writeJobFile();

    /// The layers as the writer takes them, without writing the file (what writeJobFile writes).
    SPErr collect(PointRect& page, std::vector<ExportLayer>& layers, bool& hasLayers);

    SPErr error() const { return m_error; }
    const std::string& jobPath() const { return m_jobPath; }

private:
    SPErr walkArt(AIArtHandle first, std::vector<ExportPath>& out);
    SPErr walkTextFrame(AIArtHandle frame, std::vector<ExportPath>& out);
    SPErr walkGlyphs(AIArtHandle outline, AIArtHandle frame, std::vector<ExportPath>& out);
    /// Appends the path unless it has no length or is an unpainted guide; `written` tells which.
    SPErr writePath(AIArtHandle path, AIArtHandle boundsArt, AIArtHandle styleArt, bool startsObject,
                    std::vector<ExportPath>& out, bool& written);
    SPErr fillColour(AIArtHandle styleArt, ExportColour& colour);

    const SuiteTable& m_suites;
    PluginSystem& m_system;
    SPErr m_error = kSPNoError;
    std::string m_jobPath;
};

}  // namespace sartovin
