#include "layout/RegistrationMarkDrawing.h"

#include <gtest/gtest.h>

#include "layout/RegistrationMarks.h"
#include "support/CatalogRecords.h"
#include "support/JobBuilders.h"
#include "support/TextFiles.h"

namespace sartovin {
namespace {

constexpr double k = kMarkPointsPerMm;

MarkRect artMm(double left, double bottom, double right, double top) {
    return {left * k, top * k, right * k, bottom * k};
}

// The marks as the cutting program reads them back: one rectangle object per mark on the marks
// layer, in mm, its identity in K of a CMYK fill.
Job jobOf(const std::vector<MarkRectangle>& marks) {
    Job job;
    JobLayer layer;
    layer.name = kMarksLayerName;
    for (const MarkRectangle& m : marks) {
        const std::uint32_t fill =
            (100u << 24) | (100u << 16) | (100u << 8) | static_cast<std::uint32_t>(m.identity);
        layer.objects.push_back(test::rectangle(m.rect.left / k, m.rect.bottom / k, m.rect.right / k,
                                                m.rect.top / k, fill, kColourCmyk));
    }
    job.layers.push_back(layer);
    return job;
}

TEST(RegistrationMarkDrawing, DefaultStandardMarksAroundAHundredMillimetreSquare) {
    const MarksResult r = registrationMarks(MarksVariant::Standard, MarkSettings{}, artMm(0, 0, 100, 100));
    ASSERT_TRUE(r.fits);
    ASSERT_EQ(r.rectangles.size(), 10u);
    // Rows 3 and 4 meet in the lower-left corner point of the marks: 5 mm margin + 25 mm arm.
    const MarkRect& bar = r.rectangles[2].rect;
    EXPECT_NEAR(bar.left / k, -30, 1e-9);
    EXPECT_NEAR((bar.top + bar.bottom) / 2 / k, -30, 1e-9);
    EXPECT_NEAR(bar.right / k, -5, 1e-9);
    // Rows 1 and 2 reach 3 mm further out; row 1 is the one the cutter starts from.
    EXPECT_EQ(r.rectangles[0].identity, 1);
    EXPECT_NEAR(r.rectangles[0].rect.left / k, -33, 1e-6);
    EXPECT_NEAR(r.rectangles[1].rect.bottom / k, -33, 1e-6);
    std::vector<int> ids;
    for (const MarkRectangle& m : r.rectangles) ids.push_back(m.identity);
    EXPECT_EQ(ids, (std::vector<int>{1, 2, 4, 3, 7, 0, 0, 8, 0, 0}));
    for (const MarkRectangle& m : r.rectangles) {
        EXPECT_LT(m.rect.left, m.rect.right);
        EXPECT_GT(m.rect.top, m.rect.bottom);
    }

    // What the cutting program measures from them.
    const MarkMeasurements mm = RegistrationMarks::measure(jobOf(r.rectangles), 2);
    EXPECT_NEAR(mm.markOriginX, -30, 1e-6);
    EXPECT_NEAR(mm.firstMarkWidth, 3, 1e-6);
    EXPECT_NEAR(mm.markDistanceX, 160, 1e-6);
    EXPECT_NEAR(mm.markOriginY, -30, 1e-6);
    EXPECT_NEAR(mm.markLineLength, 25, 1e-6);
    EXPECT_NEAR(mm.markStrokeX, 1, 1e-6);
}

TEST(RegistrationMarkDrawing, SegmentMarksOnlyWhereTheStepFitsTheArtwork) {
    MarkSettings s;
    s.useVertSegmentMarks = true;
    s.useHorSegmentMarks = true;
    // 500 mm steps on 400 mm artwork: the step does not fit, no crosses.
    EXPECT_EQ(registrationMarks(MarksVariant::Standard, s, artMm(0, 0, 400, 400)).rectangles.size(), 10u);

    // 200 mm steps on 1000 × 700 mm: crosses at x = 200, 400, 600, 800 (each < 1000 − 50) and
    // y = 200, 400, 600 (each < 700 − 50), four bars per step.
    s.xStep = s.yStep = 200;
    const MarksResult r = registrationMarks(MarksVariant::Standard, s, artMm(0, 0, 1000, 700));
    ASSERT_EQ(r.rectangles.size(), 10u + 3 * 4 + 4 * 4);
    const MarkRectangle& firstLeft = r.rectangles[10];
    EXPECT_EQ(firstLeft.identity, 6);
    EXPECT_NEAR(firstLeft.rect.left / k, -30, 1e-6);
    EXPECT_NEAR(firstLeft.rect.right / k, -5, 1e-6);
    EXPECT_NEAR((firstLeft.rect.top + firstLeft.rect.bottom) / 2 / k, 200, 1e-6);
    const MarkRectangle& firstBottom = r.rectangles[10 + 3 * 4];
    EXPECT_EQ(firstBottom.identity, 5);
    EXPECT_NEAR((firstBottom.rect.left + firstBottom.rect.right) / 2 / k, 200, 1e-6);
    EXPECT_NEAR(firstBottom.rect.top / k, -5, 1e-6);
    int marked = 0;
    for (const MarkRectangle& m : r.rectangles) marked += m.identity != 0;
    EXPECT_EQ(marked, 8);  // 1, 2, 3, 4, 7, 8 and the first bar of each row of crosses

    const MarkMeasurements mm = RegistrationMarks::measure(jobOf(r.rectangles), 2);
    EXPECT_NEAR(mm.markOffsetX, 230, 1e-6);  // 200 − 0.5 − (−30.5)
    EXPECT_NEAR(mm.markOffsetY, 230, 1e-6);

    // A step of 0 (a hand-edited file) draws no crosses instead of looping for ever.
    s.xStep = s.yStep = 0;
    EXPECT_EQ(registrationMarks(MarksVariant::Standard, s, artMm(0, 0, 1000, 700)).rectangles.size(), 10u);
}

TEST(RegistrationMarkDrawing, HobbySheetFormats) {
    EXPECT_EQ(hobbySheetArea("Letter Paysage").width, 257);
    EXPECT_EQ(hobbySheetArea("Letter Paysage").height, 184);
    EXPECT_EQ(hobbySheetArea("A4 hoch").height, 265);
    EXPECT_EQ(hobbySheetArea("A4 Landscape").width, 277);
    EXPECT_EQ(hobbySheetArea("12\" x 12\"").width, 282);
    EXPECT_EQ(hobbySheetArea("A5 Portrait").width, 126);
    // The names are looked for inside the text, in the table's order: "A4 quer" before "A3".
    EXPECT_EQ(hobbySheetArea("Bogen A4 quer (A3 halbiert)").width, 277);
    EXPECT_FALSE(hobbySheetArea("a4 hoch").known);
    EXPECT_FALSE(hobbySheetArea("").known);
}

TEST(RegistrationMarkDrawing, HobbyMarksCentreTheArtworkOnTheSheet) {
    MarkSettings s;
    s.format = "Letter Paysage";
    s.thickness = 10;  // tenths of a millimetre: 1 mm bars
    const MarksResult r = registrationMarks(MarksVariant::Hobby, s, artMm(0, 0, 100, 100));
    ASSERT_TRUE(r.fits);
    ASSERT_EQ(r.rectangles.size(), 7u);
    // u = (257 − 100) / 2, w = (184 − 100) / 2: the corner points lie there.
    EXPECT_NEAR(r.rectangles[0].rect.left / k, -78.5, 1e-6);
    EXPECT_NEAR((r.rectangles[0].rect.top + r.rectangles[0].rect.bottom) / 2 / k, -42, 1e-6);
    std::vector<int> ids;
    for (const MarkRectangle& m : r.rectangles) ids.push_back(m.identity);
    EXPECT_EQ(ids, (std::vector<int>{4, 3, 7, 9, 8, 0, 10}));
    // The Cameo square: bar thickness + 5 mm on each side, from the corner less half a bar.
    const MarkRect& square = r.rectangles[4].rect;
    EXPECT_NEAR((square.right - square.left) / k, 6, 1e-6);
    EXPECT_NEAR((square.top - square.bottom) / k, 6, 1e-6);
    EXPECT_NEAR(square.left / k, -79, 1e-6);

    const MarkMeasurements mm = RegistrationMarks::measure(jobOf(r.rectangles), 14);
    EXPECT_TRUE(mm.extraMark);
    EXPECT_NEAR(mm.markOriginX, -78.5, 1e-6);
    EXPECT_NEAR(mm.markOriginY, -42, 1e-6);
    EXPECT_NEAR(mm.markDistanceX, 257, 1e-6);
    EXPECT_NEAR(mm.markDistanceY, 184, 1e-6);
}

TEST(RegistrationMarkDrawing, HobbyMarksWithoutAKnownFormatOrTooLarge) {
    MarkSettings s;
    s.format = "Sonderformat";
    s.isCameo = false;
    MarksResult r = registrationMarks(MarksVariant::Hobby, s, artMm(0, 0, 100, 100));
    ASSERT_TRUE(r.fits);
    ASSERT_EQ(r.rectangles.size(), 8u);
    EXPECT_EQ(r.rectangles[3].identity, 13);  // an unknown format marks the lower-right corner 13
    EXPECT_NEAR(r.rectangles[0].rect.left / k, -5, 1e-6);  // the margin is the distance
    EXPECT_EQ(r.rectangles[4].identity, 0);
    EXPECT_EQ(r.rectangles[5].identity, 8);

    // Wider than an A4 portrait sheet's usable 188 mm: nothing is drawn.
    s.format = "A4 hoch";
    r = registrationMarks(MarksVariant::Hobby, s, artMm(0, 0, 188, 100));
    EXPECT_FALSE(r.fits);
    EXPECT_TRUE(r.rectangles.empty());
    // A margin of 0 leaves no room either.
    s.format = "";
    s.margin = 0;
    EXPECT_FALSE(registrationMarks(MarksVariant::Hobby, s, artMm(0, 0, 10, 10)).fits);
}

TEST(RegistrationMarkDrawing, SettingsAreReadWithTheirDefaults) {
    const MarkSettings defaults =
        readMarkSettings([](const char*, int def) { return def; },
                         [](const char*, const char* def) { return std::string(def); });
    EXPECT_EQ(defaults.length, 25);
    EXPECT_EQ(defaults.thickness, 1);
    EXPECT_EQ(defaults.margin, 5);
    EXPECT_EQ(defaults.xStep, 500);
    EXPECT_TRUE(defaults.isCameo);
    EXPECT_EQ(defaults.format, "A4 hoch");
    const MarkSettings set = readMarkSettings(
        [](const char* key, int def) { return std::string(key) == "UseVertSegmentMarks" ? 1 : def; },
        [](const char*, const char*) { return std::string("A3"); });
    EXPECT_TRUE(set.useVertSegmentMarks);
    EXPECT_FALSE(set.useHorSegmentMarks);
    EXPECT_EQ(set.format, "A3");
}

}  // namespace
}  // namespace sartovin
