#include <gtest/gtest.h>

#include "platform/RecentFiles.h"
#include "support/TempDir.h"

using namespace sartovin;

namespace {

std::string bookmark(const std::string& href, const std::string& modified) {
    return "  <bookmark href=\"" + href + "\" added=\"2024-01-01T08:00:00Z\" modified=\"" + modified +
           "\" visited=\"2024-01-01T08:00:00Z\">\n"
           "    <info><metadata owner=\"http://freedesktop.org\"><mime:mime-type type=\"image/svg+xml\"/>\n"
           "      <bookmark:applications><bookmark:application name=\"Inkscape\" exec=\"&apos;inkscape "
           "%u&apos;\" "
           "modified=\"2030-01-01T00:00:00Z\" count=\"1\"/></bookmark:applications></metadata></info>\n"
           "  </bookmark>\n";
}

std::string list(const std::string& bookmarks) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<xbel version=\"1.0\"\n"
           "      xmlns:bookmark=\"http://www.freedesktop.org/standards/desktop-bookmarks\"\n"
           "      xmlns:mime=\"http://www.freedesktop.org/standards/shared-mime-info\">\n" +
           bookmarks + "</xbel>\n";
}

}  // namespace

TEST(RecentFiles, TheSvgSavedLast) {
    test::TempDir dir;
    const std::string a = dir.file("a drawing.svg"), b = dir.file("Ünïcode & more.SVG"),
                      png = dir.file("c.png");
    for (const std::string& f : {a, b, png}) test::writeFile(f, "x");
    test::writeFile(dir.file("tmp/qxjob.svg"), "x");
    const std::string uriA = "file://" + dir.path() + "a%20drawing.svg";
    const std::string uriB = "file://" + dir.path() + "%C3%9Cn%C3%AFcode%20&amp;%20more.SVG";
    const std::string xbel = dir.file("recently-used.xbel");

    test::writeFile(
        xbel, list(bookmark(uriA, "2024-03-01T10:00:00.5Z") + bookmark(uriB, "2024-03-01T10:00:00.25Z") +
                   bookmark("file://" + png, "2025-01-01T00:00:00Z") +
                   bookmark("file://" + dir.path() + "tmp/QXJOB.svg", "2025-01-01T00:00:00Z") +
                   bookmark("file://" + dir.path() + "gone.svg", "2025-01-01T00:00:00Z") +
                   bookmark("https://example.org/x.svg", "2025-01-01T00:00:00Z")));
    // Fractions of a second count; pictures, our own copy, missing files and web addresses do not.
    EXPECT_EQ(findLastSavedSvg(xbel), a);

    test::writeFile(xbel,
                    list(bookmark(uriA, "2024-03-01T10:00:00Z") + bookmark(uriB, "2024-03-02T09:00:00Z")));
    EXPECT_EQ(findLastSavedSvg(xbel), b);

    test::writeFile(xbel, list(bookmark("file://" + dir.path() + "bad%2.svg", "2024-03-01T10:00:00Z")));
    EXPECT_EQ(findLastSavedSvg(xbel), "");
    test::writeFile(xbel, "<xbel><bookmark href=\"file://" + a);  // truncated
    EXPECT_EQ(findLastSavedSvg(xbel), "");
    EXPECT_EQ(findLastSavedSvg(dir.file("none.xbel")), "");
}

TEST(RecentFiles, ListLocation) {
    {
        test::ScopedEnv data("XDG_DATA_HOME", "/x/data");
        EXPECT_EQ(recentlyUsedListPath(), "/x/data/recently-used.xbel");
    }
    test::ScopedEnv data("XDG_DATA_HOME", std::nullopt);
    test::ScopedEnv home("HOME", "/home/u");
    EXPECT_EQ(recentlyUsedListPath(), "/home/u/.local/share/recently-used.xbel");
}
