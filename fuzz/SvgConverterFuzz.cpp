// Feeds arbitrary bytes to our SVG converter and reads what it writes. Besides the sanitizers,
// its promise is checked: whatever it converts is in the reader's form, so the reader never asks
// about unknown objects nor refuses a transform, and every object it counts arrives in the job.

#include <cstdint>
#include <string>

#include "base/Texts.h"
#include "job/JobModel.h"
#include "job/SvgConverter.h"
#include "job/SvgReader.h"
#include "platform/ScriptedInteraction.h"

namespace {

using namespace sartovin;

void require(bool condition) {
    if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    SvgConversion conversion;
    if (!convertSvg(bytes, conversion)) return 0;
    require(conversion.failure == SvgConvertFailure::None && conversion.textObjects >= 0);
    const Texts texts("/nonexistent/", 2000);
    ScriptedInteraction ui;
    ui.answers = {MessageAnswer::Cancel};
    JobImportContext ctx{texts, ui};
    Job job;
    JobState state;
    const bool ok = readSvgText(conversion.text, job, state, ctx);
    // Nothing to cut is the only way the reader may fail (no objects, or all of them behind a
    // hidden layer, where the reader leaves out what follows it up to the next layer, as after
    // Inkscape); it never asks about unknown objects nor refuses a transform.
    require(ok || ctx.failure == JobReadFailure::NoSegments);
    for (const std::string& m : ui.messageTexts())
        require(m != kSvgUnknownObjects && m != kSvgMatrixRefused && m != kSvgNotReadable);
    long long objects = 0;
    for (const JobLayer& layer : job.layers) objects += static_cast<long long>(layer.objects.size());
    require(objects <= conversion.objects);
    if (conversion.objects == 0) require(!ok);
    return 0;
}
