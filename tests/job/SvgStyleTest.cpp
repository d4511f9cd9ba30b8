#include <gtest/gtest.h>

#include <map>

#include "job/SvgStyle.h"

using namespace sartovin;

namespace {

std::string rgb(std::string_view text) {
    SvgColour c;
    if (!parseColour(text, c)) return "none";
    return std::to_string(c.red) + "," + std::to_string(c.green) + "," + std::to_string(c.blue);
}

// A small element tree for the selectors.
class Element : public StyleSubject {
public:
    Element(std::string name, std::map<std::string, std::string> attributes, const Element* parent = nullptr)
        : m_name(std::move(name)), m_attributes(std::move(attributes)), m_parent(parent) {}
    std::string_view localName() const override { return m_name; }
    bool attribute(std::string_view name, std::string& value) const override {
        auto it = m_attributes.find(std::string(name));
        if (it == m_attributes.end()) return false;
        value = it->second;
        return true;
    }
    const StyleSubject* parent() const override { return m_parent; }

private:
    std::string m_name;
    std::map<std::string, std::string> m_attributes;
    const Element* m_parent;
};

// The fill declarations matching `e`, as "value/specificity" in sheet order.
std::vector<std::string> fills(const SvgStyleSheet& sheet, const StyleSubject& e) {
    std::vector<std::string> out;
    sheet.forEachMatch(e, [&](const StyleDeclaration& d, std::uint32_t spec, std::size_t) {
        if (d.name == "fill")
            out.push_back(std::string(d.value) + (d.important ? "!" : "") + "/" + std::to_string(spec));
    });
    return out;
}

}  // namespace

TEST(SvgStyle, Colours) {
    EXPECT_EQ(rgb("#abc"), "170,187,204");
    EXPECT_EQ(rgb(" #A0b1C2 "), "160,177,194");
    EXPECT_EQ(rgb("#ff0000 icc-color(x, 1)"), "255,0,0");
    EXPECT_EQ(rgb("Red"), "255,0,0");
    EXPECT_EQ(rgb("lightgoldenrodyellow"), "250,250,210");
    EXPECT_EQ(rgb("rgb(10, 20 ,30)"), "10,20,30");
    EXPECT_EQ(rgb("rgb(50%,20%,10%)"), "127,51,25");  // fractions cut off, as Inkscape
    EXPECT_EQ(rgb("rgb(300,-5,0)"), "255,0,0");
    EXPECT_EQ(rgb("hsl(120,100%,25%)"), "0,127,0");
    EXPECT_EQ(rgb("hsl(0, 0%, 100%)"), "255,255,255");
    for (const char* bad : {"", "#ab", "#abcd", "#ggg", "rgb(1,2)", "notacolour", "rgb(1,2,3"})
        EXPECT_EQ(rgb(bad), "none") << bad;

    EXPECT_EQ(parsePaint("none").kind, PaintKind::None);
    EXPECT_EQ(parsePaint("currentColor").kind, PaintKind::CurrentColor);
    EXPECT_EQ(parsePaint("url(#g) #f00").kind, PaintKind::Other);
    EXPECT_EQ(parsePaint("inherit").kind, PaintKind::Inherit);
    EXPECT_EQ(parsePaint("rgba(1,2,3,0.5)").kind, PaintKind::Invalid);
}

TEST(SvgStyle, Declarations) {
    std::vector<std::string> seen;
    forEachDeclaration(
        " fill : red ; stroke:url(\"a;b\") ;; font-family:'x;y';display:none !important ; bare",
        [&](const StyleDeclaration& d) {
            seen.push_back(std::string(d.name) + "=" + std::string(d.value) + (d.important ? "!" : ""));
        });
    EXPECT_EQ(seen, (std::vector<std::string>{"fill=red", "stroke=url(\"a;b\")", "font-family='x;y'",
                                              "display=none!"}));
}

TEST(SvgStyle, SheetsAndSelectors) {
    SvgStyleSheet sheet;
    sheet.add(
        "/* comment { fill: x } */ .a { fill: #100 } rect.a.b { fill: #200 }\n"
        "#i { fill: #300 !important } g > rect { fill: #400 } svg rect { fill: #500 }\n"
        "@media print { rect { fill: #600 } } rect:hover { fill: #700 } * { fill: #800 }\n"
        "[data-x] , [data-y=\"1\"] { fill: #900 } a + rect { fill: #a00 }");
    const Element svg("svg", {});
    const Element g("g", {}, &svg);
    const Element r("rect", {{"class", "b  a"}, {"id", "i"}, {"data-y", "1"}}, &g);
    EXPECT_EQ(fills(sheet, r), (std::vector<std::string>{"#100/256", "#200/513", "#300!/65536", "#400/2",
                                                         "#500/2", "#800/0", "#900/256"}));
    const Element loose("rect", {}, &svg);
    EXPECT_EQ(fills(sheet, loose), (std::vector<std::string>{"#500/2", "#800/0"}));
}
