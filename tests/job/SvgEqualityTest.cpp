// Our SVG converter held equal to Inkscape's conversion: every drawing of the corpus is read both
// ways, and the two jobs must have the same layers, the same objects in the same order with the
// same colours, and every point within 0.01 mm.
//
// Inkscape turns the drawing over about the middle of everything it selected (hidden objects
// and strokes included), we turn it over about the page: the two jobs may lie at different heights
// as a whole, which no later step sees (the layout places the job by its extent). The one vertical
// shift is taken from the extents; every point must agree after it.

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <sstream>
#include <string>
#include <thread>

#include "job/InkscapeHandOver.h"
#include "platform/Files.h"
#include "platform/ScriptedInteraction.h"
#include "platform/SystemProcessList.h"
#include "support/TempDir.h"

using namespace sartovin;

namespace {

const std::string kSource = SARTOVIN_SOURCE_DIR;

struct Imported {
    Job job;
    JobState state;
    bool ok = false;
    std::vector<std::string> messages;
};

class SvgEquality : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override {
        test::writeFile(m_dir.file("texts/2000.txt"),
                        "[2000]\n2303=No objects for cutting found !\n2341=No Inkscape\n2343=No SVG\n"
                        "2490=%d text objects\n");
    }

    Imported import(const std::string& path, SvgConverterChoice choice) {
        Imported r;
        ScriptedInteraction ui;
        // Real time passes in each pause while Inkscape works.
        ui.onPump = [] { std::this_thread::sleep_for(std::chrono::milliseconds(20)); };
        JobImportContext ctx{m_texts, ui};
        r.ok = importSvgFile(path, choice, r.job, r.state, ctx, m_processes, m_dir.path() + "tmp");
        r.messages = ui.messageTexts();
        return r;
    }

    test::TempDir m_dir;
    Texts m_texts{m_dir.path() + "texts/", 2000};
    SystemProcessList m_processes;
};

// The first difference between the two jobs, or "" when they agree.
std::string difference(const Imported& ink, const Imported& own, double tolerance) {
    std::ostringstream d;
    const Job& a = ink.job;
    const Job& b = own.job;
    if (a.layers.size() != b.layers.size()) {
        d << "layers: Inkscape " << a.layers.size() << ", ours " << b.layers.size();
        return d.str();
    }
    const double dy = ink.state.extent.minY - own.state.extent.minY;
    for (std::size_t l = 0; l < a.layers.size(); ++l) {
        const JobLayer& la = a.layers[l];
        const JobLayer& lb = b.layers[l];
        if (la.name != lb.name)
            return "layer " + std::to_string(l) + ": \"" + la.name + "\" / \"" + lb.name + "\"";
        if (la.objects.size() != lb.objects.size()) {
            d << "layer \"" << la.name << "\": " << la.objects.size() << " / " << lb.objects.size()
              << " objects";
            return d.str();
        }
        for (std::size_t o = 0; o < la.objects.size(); ++o) {
            const JobObject& oa = la.objects[o];
            const JobObject& ob = lb.objects[o];
            d << "layer \"" << la.name << "\" object " << o << ": ";
            if (oa.colourName != ob.colourName || oa.fillColour != ob.fillColour)
                return d.str() + oa.colourName + " / " + ob.colourName;
            if (oa.paths.size() != ob.paths.size()) {
                d << oa.paths.size() << " / " << ob.paths.size() << " paths";
                return d.str();
            }
            for (std::size_t p = 0; p < oa.paths.size(); ++p) {
                const JobPath& pa = oa.paths[p];
                const JobPath& pb = ob.paths[p];
                if (pa.closed != pb.closed || pa.segments.size() != pb.segments.size()) {
                    d << "path " << p << ": " << pa.segments.size() << (pa.closed ? " closed" : " open")
                      << " / " << pb.segments.size() << (pb.closed ? " closed" : " open") << " segments";
                    return d.str();
                }
                for (std::size_t s = 0; s < pa.segments.size(); ++s) {
                    const PathSegment& sa = pa.segments[s];
                    const PathSegment& sb = pb.segments[s];
                    if (sa.kind != sb.kind) {
                        d << "path " << p << " segment " << s << ": kind " << sa.kind << " / " << sb.kind;
                        return d.str();
                    }
                    auto far = [&](double xa, double ya, double xb, double yb) {
                        return std::fabs(xa - xb) > tolerance || std::fabs(ya - (yb + dy)) > tolerance;
                    };
                    bool bad = far(sa.startX, sa.startY, sb.startX, sb.startY) ||
                               far(sa.endX, sa.endY, sb.endX, sb.endY);
                    if (sa.kind == kSegmentCurve)
                        bad = bad || far(sa.ctrl1X, sa.ctrl1Y, sb.ctrl1X, sb.ctrl1Y) ||
                              far(sa.ctrl2X, sa.ctrl2Y, sb.ctrl2X, sb.ctrl2Y);
                    if (bad) {
                        d << "path " << p << " segment " << s << ": (" << sa.startX << ", " << sa.startY
                          << ") → (" << sa.endX << ", " << sa.endY << ") / (" << sb.startX << ", "
                          << sb.startY + dy << ") → (" << sb.endX << ", " << sb.endY + dy << ")";
                        return d.str();
                    }
                }
            }
            d.str("");
        }
    }
    if (ink.state.marksLayerFlag != own.state.marksLayerFlag) return "marks-layer flag";
    if (std::fabs(ink.state.extent.spanX - own.state.extent.spanX) > tolerance ||
        std::fabs(ink.state.extent.spanY - own.state.extent.spanY) > tolerance)
        return "extent";
    return "";
}

TEST_P(SvgEquality, SameJobAsInkscape) {
    if (m_processes.findOnPath("inkscape").empty())
        GTEST_SKIP() << "inkscape is not installed; the equality with its conversion is not tested";
    const std::string path = kSource + "/" + GetParam();
    const Imported ink = import(path, SvgConverterChoice::Inkscape);
    ASSERT_TRUE(ink.ok) << testing::PrintToString(ink.messages);
    const Imported own = import(path, SvgConverterChoice::Own);
    ASSERT_TRUE(own.ok) << testing::PrintToString(own.messages);
    EXPECT_TRUE(own.messages.empty()) << testing::PrintToString(own.messages);
    ASSERT_GT(own.state.objectTotal, 0);
    EXPECT_EQ(own.state.objectTotal, ink.state.objectTotal);
    EXPECT_EQ(own.state.pathTotal, ink.state.pathTotal);
    EXPECT_EQ(difference(ink, own, 0.01), "");
}

INSTANTIATE_TEST_SUITE_P(Corpus, SvgEquality,
                         ::testing::Values("examples/lettering.svg",
                                           "tests/job/fixtures/corpus/shapes-px.svg",
                                           "tests/job/fixtures/corpus/transforms-mm.svg",
                                           "tests/job/fixtures/corpus/use-in.svg",
                                           "tests/job/fixtures/corpus/layers-styles.svg",
                                           "tests/job/fixtures/corpus/aspect-xMaxYMid-meet.svg",
                                           "tests/job/fixtures/corpus/aspect-none.svg",
                                           "tests/job/fixtures/corpus/aspect-xMinYMax-slice.svg"),
                         [](const testing::TestParamInfo<std::string>& info) {
                             std::string name = info.param.substr(info.param.rfind('/') + 1);
                             name = name.substr(0, name.size() - 4);
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                             return name;
                         });

}  // namespace
