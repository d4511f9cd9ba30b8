// The preview at a high zoom: a 600 × 2000 mm job shown at 1000 % (37.8 pixels per millimetre on a
// 96 dpi screen) in a 1920 × 1080 window. One image of a whole copy at that zoom would take
// 22 677 × 75 591 pixels (≈6.9 GB); the preview draws only the visible area instead.
//
// Counters: window_bytes is the window's own picture; whole_copy_bytes what one copy image at this
// zoom would hold; peak_rss_growth the growth of the process's peak resident memory over the run.

#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include <cmath>
#include <fstream>
#include <string>

#include "PeakMemory.h"
#include "render/PreviewPainter.h"

using sartovin::bench::peakResidentBytes;

namespace {

using namespace sartovin;

constexpr double kJobAcrossMm = 600, kJobAlongMm = 2000;
constexpr double kPxPerMmAt1000 = 96 / 25.4 * 10;

// A sheet of 25 mm circles (four curves each) and 20 mm squares covering the whole job.
Job sheetOfShapes() {
    Job job;
    JobLayer layer;
    layer.name = "Cut";
    const double k = 0.5523 * 12.5;
    for (double x = 15; x + 15 <= kJobAlongMm; x += 30) {
        for (double y = 15; y + 15 <= kJobAcrossMm; y += 30) {
            JobObject object;
            JobPath path;
            path.closed = true;
            const bool circle = (int(x / 30) + int(y / 30)) % 2 == 0;
            if (circle) {
                const double r = 12.5;
                const double px[4] = {x + r, x, x - r, x}, py[4] = {y, y + r, y, y - r};
                for (int i = 0; i < 4; ++i) {
                    const int j = (i + 1) % 4;
                    PathSegment s;
                    s.kind = kSegmentCurve;
                    s.startX = px[i];
                    s.startY = py[i];
                    s.endX = px[j];
                    s.endY = py[j];
                    // Tangents of a circle at the quarter points.
                    s.ctrl1X = px[i] - (py[i] - y) / r * k;
                    s.ctrl1Y = py[i] + (px[i] - x) / r * k;
                    s.ctrl2X = px[j] + (py[j] - y) / r * k;
                    s.ctrl2Y = py[j] - (px[j] - x) / r * k;
                    path.segments.push_back(s);
                }
            } else {
                const double c[5][2] = {
                    {x - 10, y - 10}, {x + 10, y - 10}, {x + 10, y + 10}, {x - 10, y + 10}, {x - 10, y - 10}};
                for (int i = 0; i < 4; ++i) {
                    PathSegment s;
                    s.startX = s.ctrl1X = c[i][0];
                    s.startY = s.ctrl1Y = c[i][1];
                    s.endX = s.ctrl2X = c[i + 1][0];
                    s.endY = s.ctrl2Y = c[i + 1][1];
                    path.segments.push_back(s);
                }
            }
            object.paths.push_back(path);
            layer.objects.push_back(object);
        }
    }
    job.layers.push_back(layer);
    return job;
}

PreviewScene sceneOfOneCopy() {
    PreviewScene scene;
    scene.mediumWidth = 720;
    scene.mediumLength = 5000;
    scene.jobWidth = kJobAcrossMm;
    scene.jobLength = kJobAlongMm;
    scene.offsetRight = scene.offsetFront = 25;
    scene.cells = {PreviewCell{}};
    return scene;
}

// What the window does for one paint of its whole area at 1000 %, scrolled to the middle of the job.
void BM_PreviewWindowAt1000Percent(benchmark::State& state) {
    const Job job = sheetOfShapes();
    const PreviewScene scene = sceneOfOneCopy();
    const long long peakBefore = peakResidentBytes();
    QImage window(1920, 1080, QImage::Format_RGB32);
    // The plotter origin lies below and to the right of the window: its middle shows the job's middle.
    const QPointF origin(960 + (25 + kJobAcrossMm / 2) * kPxPerMmAt1000,
                         540 + (25 + kJobAlongMm / 2) * kPxPerMmAt1000);
    for (auto _ : state) {
        window.fill(Qt::white);
        QPainter p(&window);
        PreviewPainter::paintDirect(p, scene, job, kPxPerMmAt1000, origin, window.rect());
        benchmark::DoNotOptimize(window.constBits());
    }
    const QSize whole = PreviewPainter::copySize(scene, kPxPerMmAt1000);
    state.counters["window_bytes"] = double(window.sizeInBytes());
    state.counters["whole_copy_bytes"] = double(whole.width()) * whole.height() * 4;
    state.counters["peak_rss_growth"] = double(peakResidentBytes() - peakBefore);
}
BENCHMARK(BM_PreviewWindowAt1000Percent)->Unit(benchmark::kMillisecond);

// The same window at 100 %, where the whole job is visible at once.
void BM_PreviewWindowAt100Percent(benchmark::State& state) {
    const Job job = sheetOfShapes();
    const PreviewScene scene = sceneOfOneCopy();
    const double pxPerMm = kPxPerMmAt1000 / 10;
    QImage window(1920, 1080, QImage::Format_RGB32);
    const QPointF origin(1900, 1060);
    for (auto _ : state) {
        window.fill(Qt::white);
        QPainter p(&window);
        PreviewPainter::paintDirect(p, scene, job, pxPerMm, origin, window.rect());
        benchmark::DoNotOptimize(window.constBits());
    }
    state.counters["window_bytes"] = double(window.sizeInBytes());
}
BENCHMARK(BM_PreviewWindowAt100Percent)->Unit(benchmark::kMillisecond);

}  // namespace
