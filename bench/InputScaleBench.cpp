// How the readers of outside input grow with their input: an SVG drawing of 10 000 and 100 000
// layers (one small path each) through our converter and the drawing reader, a job file of 12 and
// 120 MB, and the settings reads of a plot run on a settings file holding one 10 MB line.
//
// Counters: items (layers, megabytes, reads) per second — equal rates at both sizes mean linear
// time — and the peak resident set of the run over the input's size.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>

#include "PeakMemory.h"
#include "base/Texts.h"
#include "job/InkscapeHandOver.h"
#include "job/JobFileReader.h"
#include "job/JobModel.h"
#include "platform/Files.h"
#include "platform/Profile.h"
#include "platform/ScriptedInteraction.h"

using sartovin::bench::peakResidentBytes;
using sartovin::bench::resetPeak;

namespace sartovin {
namespace {

std::string layeredDrawing(int layers) {
    std::string svg =
        "<svg xmlns=\"http://www.w3.org/2000/svg\" "
        "xmlns:inkscape=\"http://www.inkscape.org/namespaces/inkscape\" width=\"1000mm\" height=\"1000mm\" "
        "viewBox=\"0 0 1000 1000\">\n";
    for (int i = 0; i < layers; ++i) {
        const std::string x = std::to_string(i % 900), y = std::to_string((i / 900) % 900);
        svg += "<g inkscape:groupmode=\"layer\" inkscape:label=\"L" + std::to_string(i) + "\"><path d=\"M " +
               x + "," + y + " h 5 v 5 h -5 z\"/></g>\n";
    }
    return svg + "</svg>\n";
}

void BM_SvgLayers(benchmark::State& state) {
    const int layers = static_cast<int>(state.range(0));
    const std::string svg = layeredDrawing(layers);
    Texts texts("/nonexistent/", 2000);
    ScriptedInteraction ui;
    resetPeak();
    for (auto _ : state) {
        Job job;
        JobState jobState;
        JobImportContext ctx{texts, ui};
        bool textNeedsInkscape = false;
        if (!convertAndReadSvg(svg, false, textNeedsInkscape, job, jobState, ctx) ||
            job.layers.size() != static_cast<std::size_t>(layers)) {
            state.SkipWithError("the drawing was not read whole");
            return;
        }
    }
    state.counters["layers/s"] = benchmark::Counter(layers, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["peakRSS/input"] =
        static_cast<double>(peakResidentBytes()) / static_cast<double>(svg.size());
}
BENCHMARK(BM_SvgLayers)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(2);

// A job file as the plug-in writes it, of about `megabytes` MB: many closed paths of 16 anchors.
std::string jobFileText(int megabytes) {
    std::string text = "Sartovin Daten von AI.\r\nQXSeite\r\n1000.000 1000.000\r\nQXEbene\r\nEbene 1\r\n";
    const std::size_t target = static_cast<std::size_t>(megabytes) << 20;
    text.reserve(target + 4096);
    for (int n = 0; text.size() < target; ++n) {
        const int x = n % 900, y = (n / 900) % 900;
        text += "QXObjekt\r\nQXAuswahl\r\nnein\r\nQXKoordinaten\r\n" + std::to_string(x) + ".000 " +
                std::to_string(y + 10) + ".000 " + std::to_string(x + 10) + ".000 " + std::to_string(y) +
                ".000\r\nQXFuellfarbe\r\nkeine\r\n\r\n\r\nQXStart\r\nQXGeschlossen\r\nja\r\n";
        for (int k = 0; k < 16; ++k) {
            char anchor[128];
            const double ax = x + (k % 4) * 2.5, ay = y + (k / 4) * 2.5;
            std::snprintf(anchor, sizeof anchor, "C %.3f %.3f %.3f %.3f %.3f %.3f\r\n", ax, ay, ax, ay, ax,
                          ay);
            text += anchor;
        }
        text += "QXEnde\r\n";
    }
    return text;
}

void BM_JobFile(benchmark::State& state) {
    const int megabytes = static_cast<int>(state.range(0));
    const std::string path = "/tmp/sartovin-bench-job-" + std::to_string(::getpid()) + ".qxj";
    std::size_t size = 0;
    {
        const std::string text = jobFileText(megabytes);
        size = text.size();
        if (!writeFileAtomic(path, text)) {
            state.SkipWithError("cannot write the job file");
            return;
        }
    }
    Texts texts("/nonexistent/", 2000);
    ScriptedInteraction ui;
    resetPeak();
    const long before = peakResidentBytes();
    for (auto _ : state) {
        Job job;
        JobState jobState;
        JobImportContext ctx{texts, ui};
        if (!readIllustratorJob(path, job, jobState, ctx)) state.SkipWithError("the job file was not read");
    }
    removeFile(path);
    state.counters["MB/s"] = benchmark::Counter(megabytes, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["peakRSS/input"] =
        static_cast<double>(peakResidentBytes() - before) / static_cast<double>(size);
}
// Sizes tenfold apart, the larger near the 128 MB a job file may have.
BENCHMARK(BM_JobFile)->Arg(12)->Arg(120)->Unit(benchmark::kMillisecond)->Iterations(1);

// The settings reads of one plot run (about 110 keys) on a file with a 10 MB line in it.
void BM_SettingsReads(benchmark::State& state) {
    const std::string path = "/tmp/sartovin-bench-ini-" + std::to_string(::getpid()) + ".ini";
    writeFileAtomic(path,
                    "[State]\nLanguage=2000\nJunk=" + std::string(10 << 20, 'x') + "\n[Cutter]\nPort=COM1\n");
    // A settings file in use is seconds old at least; its times tell the reader it is unchanged.
    ::sleep(3);
    constexpr int kReads = 110;
    for (auto _ : state) {
        int sum = 0;
        for (int i = 0; i < kReads; ++i)
            sum += GetPrivateProfileInt(i % 2 ? "State" : "Cutter", i % 2 ? "Language" : "PortType", 1, path);
        benchmark::DoNotOptimize(sum);
    }
    removeFile(path);
    state.counters["reads/s"] = benchmark::Counter(kReads, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_SettingsReads)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace sartovin
