// From an SVG file to HP-GL bytes with our own converter: reading the file, converting it, reading
// the converted drawing into the job model, and writing the cutter's stream, on the generated
// drawings of 10 000, 50 000 and 200 000 paths (the same drawings scripts/bench-peers.sh gives the
// other programs).
//
// Counters: paths per second, and the peak resident set of the run (the process's high-water
// mark is reset before each run, so each size shows what it needs itself).

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>

#include "PeakMemory.h"
#include "SvgBenchDrawing.h"
#include "base/Texts.h"
#include "job/InkscapeHandOver.h"
#include "job/SvgConverter.h"
#include "platform/Files.h"
#include "platform/ScriptedInteraction.h"
#include "platform/SystemProcessList.h"
#include "plot/HpglWriter.h"
#include "plot/ScriptedPlotProgress.h"

using sartovin::bench::peakResidentBytes;
using sartovin::bench::resetPeak;

namespace sartovin {
namespace {

std::string drawingFile(int paths) {
    const std::string path =
        "/tmp/sartovin-bench-" + std::to_string(::getpid()) + "-" + std::to_string(paths) + ".svg";
    if (!fileExists(path)) writeFileAtomic(path, bench::svgBenchDrawing(paths));
    return path;
}

PlotParameters parametersFor(const Job& job, const JobState& state) {
    PlotParameters p;
    p.startMode = 5;
    p.job = &job;
    p.jobState = state;
    p.speed = 20;
    p.force = 80;
    p.toolOffset = 0.25;
    p.jobWidth = state.extent.spanX;
    p.jobHeight = state.extent.spanY;
    p.copyTotal = 1;
    p.mediumHeight = 4000;
    p.mediumWidth = 1600;
    p.cuttingWidth = 1600;
    return p;
}

void BM_SvgFileToHpgl(benchmark::State& state) {
    const int paths = static_cast<int>(state.range(0));
    const std::string file = drawingFile(paths);
    ScriptedInteraction ui;
    ScriptedPlotProgress progress;
    Texts texts;
    SystemProcessList processes;
    PlotContext context{ui, texts, progress, nullptr};
    std::size_t streamBytes = 0;
    long long peak = 0;
    for (auto _ : state) {
        resetPeak();
        Job job;
        JobState jobState;
        JobImportContext ctx{texts, ui};
        if (!importSvgFile(file, SvgConverterChoice::Own, job, jobState, ctx, processes, "/tmp")) {
            state.SkipWithError("the drawing was not read");
            break;
        }
        std::string stream;
        writeHpgl(-1, stream, parametersFor(job, jobState), 1, context);
        streamBytes = stream.size();
        peak = std::max(peak, peakResidentBytes());
        benchmark::DoNotOptimize(stream.data());
    }
    removeFile(file);
    state.counters["paths"] = benchmark::Counter(paths, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["peakMB"] = static_cast<double>(peak) / (1 << 20);
    state.counters["streamMB"] = static_cast<double>(streamBytes) / (1 << 20);
}
BENCHMARK(BM_SvgFileToHpgl)
    ->Arg(10000)
    ->Arg(50000)
    ->Arg(200000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// The conversion alone (file bytes in memory to the reader's form).
void BM_SvgConvert(benchmark::State& state) {
    const int paths = static_cast<int>(state.range(0));
    const std::string bytes = bench::svgBenchDrawing(paths);
    for (auto _ : state) {
        SvgConversion c;
        convertSvg(bytes, c);
        benchmark::DoNotOptimize(c.text.data());
    }
    state.counters["paths"] = benchmark::Counter(paths, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["inputMB"] = static_cast<double>(bytes.size()) / (1 << 20);
}
BENCHMARK(BM_SvgConvert)->Arg(10000)->Arg(50000)->Arg(200000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sartovin
