// One pass of a laser job of 600 × 300 mm at 1000 dpi: 23 622 × 11 811 dots. A page bitmap of
// 32 bits per dot would take 1.1 GB; the job is drawn in bands instead, so memory stays bounded.
// The job is a plate with 2 000 small closed outlines (circles of four curves) left unengraved and
// the copy rectangle cut out.
//
// Counters: dots the dots rendered; block_bytes the pass's byte block; peak_rss_growth the growth
// of the process's peak resident memory over the run.

#include <benchmark/benchmark.h>

#include <fstream>
#include <string>

#include "PeakMemory.h"
#include "base/Texts.h"
#include "platform/ScriptedInteraction.h"
#include "plot/LaserJob.h"
#include "plot/ScriptedPlotProgress.h"

using sartovin::bench::peakResidentBytes;

namespace {

using namespace sartovin;

constexpr double kAcrossMm = 600, kAlongMm = 300;

// A circle of radius r around (cx, cy) as four cubic segments (job x along, y across).
JobPath circle(double cx, double cy, double r) {
    const double k = 0.5523 * r;
    auto seg = [r](double x0, double y0, double c1x, double c1y, double c2x, double c2y, double x1,
                   double y1) {
        PathSegment s;
        s.kind = kSegmentCurve;
        s.startX = x0, s.startY = y0, s.ctrl1X = c1x, s.ctrl1Y = c1y, s.ctrl2X = c2x, s.ctrl2Y = c2y;
        s.endX = x1, s.endY = y1;
        s.length = 1.5708 * r;
        return s;
    };
    JobPath p;
    p.closed = true;
    p.segments = {seg(cx + r, cy, cx + r, cy + k, cx + k, cy + r, cx, cy + r),
                  seg(cx, cy + r, cx - k, cy + r, cx - r, cy + k, cx - r, cy),
                  seg(cx - r, cy, cx - r, cy - k, cx - k, cy - r, cx, cy - r),
                  seg(cx, cy - r, cx + k, cy - r, cx + r, cy - k, cx + r, cy)};
    return p;
}

Job plate() {
    Job job;
    JobLayer layer;
    layer.name = "Platte";
    for (int i = 0; i < 40; ++i) {
        for (int j = 0; j < 50; ++j) {
            JobObject o;
            o.selected = true;
            o.paths.push_back(circle(5 + i * 7.4, 5 + j * 11.9, 3));
            layer.objects.push_back(std::move(o));
        }
    }
    job.layers.push_back(std::move(layer));
    return job;
}

void BM_LaserPassOf600x300At1000Dpi(benchmark::State& state) {
    const Job job = plate();
    PlotParameters p;
    p.startMode = 21;
    p.job = &job;
    p.jobWidth = kAcrossMm;
    p.jobHeight = kAlongMm;
    p.speed = 30;
    p.force = 60;
    p.laser.resolution = 1000;
    p.laser.raster = true;
    p.laser.outlines = true;
    p.laser.cutOut = true;
    Texts texts;
    ScriptedInteraction ui;
    ScriptedPlotProgress progress;
    PlotContext context{ui, texts, progress, nullptr};
    std::string block;
    const long long peakBefore = peakResidentBytes();
    for (auto _ : state) {
        block.clear();
        if (!writeLaser(-1, block, p, 1, context)) state.SkipWithError("the pass failed");
        benchmark::DoNotOptimize(block.data());
    }
    const LaserArea area = laserArea(p);
    state.counters["dots"] = double(area.rasterWidth) * area.rowCount;
    state.counters["block_bytes"] = double(block.size());
    state.counters["peak_rss_growth"] = double(peakResidentBytes() - peakBefore);
}
BENCHMARK(BM_LaserPassOf600x300At1000Dpi)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
