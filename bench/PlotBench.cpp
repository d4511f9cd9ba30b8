// Generation speed of the cutter writers on large jobs, and the memory they need.
//
// Counters: segments (or curves) per second, bytes of output per segment, and the growth of the
// resident set while the stream is generated (the job itself is built before measuring).

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <unistd.h>

#include "base/Texts.h"
#include "job/Bezier.h"
#include "platform/ScriptedInteraction.h"
#include "plot/GpglWriter.h"
#include "plot/HpglWriter.h"
#include "plot/ScriptedPlotProgress.h"

namespace sartovin {
namespace {

long residentBytes() {
    long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(f);
    }
    return resident * ::sysconf(_SC_PAGESIZE);
}

PathSegment lineSegment(double x0, double y0, double x1, double y1) {
    PathSegment s;
    s.startX = s.ctrl1X = x0;
    s.startY = s.ctrl1Y = y0;
    s.endX = s.ctrl2X = x1;
    s.endY = s.ctrl2Y = y1;
    s.kind = kSegmentLine;
    s.length = std::hypot(x1 - x0, y1 - y0);
    return s;
}

// `paths` closed squares of 4 mm on a grid, one object each.
Job lineJob(int paths) {
    Job job;
    job.layers.emplace_back();
    job.layers[0].name = "Ebene 1";
    job.layers[0].objects.reserve(static_cast<std::size_t>(paths));
    for (int i = 0; i < paths; ++i) {
        const double x = (i % 300) * 5.0, y = (i / 300) * 5.0;
        JobObject o;
        o.selected = true;
        JobPath p;
        p.closed = true;
        p.segments = {lineSegment(x, y, x + 4, y), lineSegment(x + 4, y, x + 4, y + 4),
                      lineSegment(x + 4, y + 4, x, y + 4), lineSegment(x, y + 4, x, y)};
        o.paths.push_back(std::move(p));
        job.layers[0].objects.push_back(std::move(o));
    }
    return job;
}

// `paths` closed drops of two curves of about 6 mm each.
Job curveJob(int paths) {
    Job job;
    job.layers.emplace_back();
    job.layers[0].name = "Ebene 1";
    for (int i = 0; i < paths; ++i) {
        const double x = (i % 300) * 5.0, y = (i / 300) * 5.0;
        PathSegment a;
        a.startX = x, a.startY = y, a.ctrl1X = x + 2, a.ctrl1Y = y, a.ctrl2X = x + 4, a.ctrl2Y = y + 2;
        a.endX = x + 4, a.endY = y + 4, a.kind = kSegmentCurve;
        a.length = segmentLength(a);
        PathSegment b;
        b.startX = x + 4, b.startY = y + 4, b.ctrl1X = x + 2, b.ctrl1Y = y + 4, b.ctrl2X = x,
        b.ctrl2Y = y + 2;
        b.endX = x, b.endY = y, b.kind = kSegmentCurve;
        b.length = segmentLength(b);
        JobObject o;
        o.selected = true;
        o.paths.push_back(JobPath{true, {a, b}});
        job.layers[0].objects.push_back(std::move(o));
    }
    return job;
}

PlotParameters parametersFor(const Job& job, StartMode startMode, bool overcut) {
    PlotParameters p;
    p.startMode = startMode;
    p.job = &job;
    p.jobState.pathTotal = static_cast<int>(job.layers[0].objects.size());
    p.speed = 20;
    p.force = 80;
    p.toolOffset = 0.25;
    p.lineAcceleration = 3;
    p.curveAcceleration = 1;
    p.jobWidth = 1500;
    p.jobHeight = 1700;
    p.rows = 2;
    p.copyTotal = 2;
    p.distanceV = 10;
    p.overcutOn = overcut;
    p.overcut = 5;
    p.mediumHeight = 4000;
    p.mediumWidth = 1600;
    p.cuttingWidth = 1600;
    return p;
}

template <bool (*Writer)(int, std::string&, const PlotParameters&, int, PlotContext&)>
void runWriter(benchmark::State& state, const Job& job, StartMode startMode, bool overcut, double unitsPerRun,
               const char* unitName) {
    ScriptedInteraction interaction;
    ScriptedPlotProgress progress;
    Texts texts;
    PlotContext context{interaction, texts, progress, nullptr};
    PlotParameters p = parametersFor(job, startMode, overcut);
    std::string out;
    long growth = 0;
    for (auto _ : state) {
        std::string fresh;  // a new stream each run: its growth is what a plot run pays
        const long before = residentBytes();
        Writer(-1, fresh, p, 1, context);
        growth = std::max(growth, residentBytes() - before);
        benchmark::DoNotOptimize(fresh.data());
        out.swap(fresh);
    }
    state.counters[unitName] = benchmark::Counter(unitsPerRun, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["bytesPerUnit"] = static_cast<double>(out.size()) / unitsPerRun;
    state.counters["rssGrowthMB"] = static_cast<double>(growth) / (1 << 20);
    state.counters["streamMB"] = static_cast<double>(out.size()) / (1 << 20);
}

void BM_HpglLines(benchmark::State& state) {
    const int paths = static_cast<int>(state.range(0));
    static Job job = lineJob(100000);
    Job local = paths == 100000 ? Job{} : lineJob(paths);
    const Job& j = paths == 100000 ? job : local;
    runWriter<writeHpgl>(state, j, 5, state.range(1) != 0, 2.0 * 4 * paths, "segments");
}
BENCHMARK(BM_HpglLines)
    ->Args({100000, 1})
    ->Args({100000, 0})
    ->Args({25000, 1})
    ->Unit(benchmark::kMillisecond);

void BM_HpglCurves(benchmark::State& state) {
    static Job job = curveJob(100000);
    runWriter<writeHpgl>(state, job, 5, state.range(0) != 0, 2.0 * 2 * 100000, "curves");
}
BENCHMARK(BM_HpglCurves)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

void BM_GpglLines(benchmark::State& state) {
    static Job job = lineJob(100000);
    runWriter<writeGpgl>(state, job, 12, true, 2.0 * 4 * 100000, "segments");
}
BENCHMARK(BM_GpglLines)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sartovin
