#include "session/DrawingImport.h"

#include <algorithm>

#include "base/StartMode.h"
#include "job/InkscapeHandOver.h"
#include "job/JobModel.h"
#include "job/JobFileReader.h"
#include "platform/Files.h"
#include "platform/SystemProcessList.h"

namespace sartovin {

namespace {

bool endsWithNoCase(const std::string& s, const std::string& suffix) {
    if (s.size() < suffix.size()) return false;
    for (std::size_t i = 0; i < suffix.size(); ++i) {
        char a = s[s.size() - suffix.size() + i];
        if (a >= 'A' && a <= 'Z') a = static_cast<char>(a - 'A' + 'a');
        if (a != suffix[i]) return false;
    }
    return true;
}

// A UTF-16 little-endian text starts with the byte-order mark FF FE, or has mostly zero high
// bytes (every ASCII character is one byte and a zero).
bool looksLikeUtf16(const std::string& bytes) {
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE)
        return true;
    std::size_t pairs = std::min<std::size_t>(bytes.size() / 2, 4096);
    if (pairs == 0) return false;
    std::size_t zeros = 0;
    for (std::size_t i = 0; i < pairs; ++i)
        if (bytes[2 * i + 1] == '\0') ++zeros;
    return zeros * 2 >= pairs;
}

}  // namespace

DrawingKind drawingKindOf(const std::string& path, const std::string& bytes,
                          std::optional<StartMode> startMode) {
    if (startMode) {
        if (startMode->isCorel()) return DrawingKind::CorelJob;
        if (startMode->isInkscape()) return DrawingKind::Svg;
        return DrawingKind::IllustratorJob;
    }
    if (endsWithNoCase(path, ".svg") || bytes.find("<svg") != std::string::npos) return DrawingKind::Svg;
    if (looksLikeUtf16(bytes)) return DrawingKind::CorelJob;
    return DrawingKind::IllustratorJob;
}

bool importDrawing(const std::string& path, const DrawingImportOptions& options, Job& job, JobState& state,
                   JobImportContext& ctx, DrawingImportResult& result) {
    std::string& why = result.why;
    if (drawingTooLarge(path, ctx)) {
        beginImport(state);
        why = describeJobReadFailure(ctx.failure);
        return false;
    }
    auto bytes = readWholeFile(path);
    if (!bytes) {
        why = "cannot read the file";
        return false;
    }
    result.kind = drawingKindOf(path, *bytes, options.startMode);
    bool ok = false;
    switch (result.kind) {
        case DrawingKind::CorelJob: {
            std::string copy = writePrivateTempFile(options.tempFolder, "sartovin-job", *bytes);
            if (copy.empty()) {
                why = "cannot make a private copy in " + options.tempFolder;
                return false;
            }
            ok = readCorelJob(copy, job, state, ctx);
            removeFile(copy);
            break;
        }
        case DrawingKind::IllustratorJob:
            ok = readIllustratorJob(path, job, state, ctx);
            break;
        case DrawingKind::Svg: {
            SystemProcessList systemProcesses;
            ProcessList& processes = options.processes ? *options.processes : systemProcesses;
            ok = importSvgFile(path, options.svgConverter, job, state, ctx, processes, options.tempFolder);
            break;
        }
    }
    if (!ok)
        why = ctx.failure != JobReadFailure::None ? describeJobReadFailure(ctx.failure)
                                                  : "the drawing holds nothing the program can cut";
    return ok;
}

}  // namespace sartovin
