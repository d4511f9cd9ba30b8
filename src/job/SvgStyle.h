#pragma once
// Style values of SVG documents as the converter needs them: colours and paints, CSS declaration
// lists, and style sheets with the selectors drawings use (type, class, id, attribute, universal,
// descendant and child), applied in CSS's order of precedence.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace sartovin {

struct SvgColour {
    int red = 0, green = 0, blue = 0;
};

/// Reads a colour: "#rgb", "#rrggbb", the CSS colour names, "rgb(…)" with numbers or percentages,
/// "hsl(…)". Anything after the colour (an ICC colour) is ignored. False for other text.
bool parseColour(std::string_view text, SvgColour& colour);

enum class PaintKind {
    None,          ///< "none"
    Colour,        ///< a colour
    CurrentColor,  ///< "currentColor": the colour property's value
    Other,         ///< a gradient, pattern or other server ("url(…)")
    Inherit,       ///< "inherit"
    Invalid,       ///< nothing this program can read: the declaration is ignored
};

struct SvgPaint {
    PaintKind kind = PaintKind::Invalid;
    SvgColour colour;
};

SvgPaint parsePaint(std::string_view text);

/// One declaration of a declaration list ("fill: red !important").
struct StyleDeclaration {
    std::string_view name;
    std::string_view value;  ///< trimmed, without "!important"
    bool important = false;
};

/// Splits a CSS declaration list into its declarations (names as written, comments left out).
void forEachDeclaration(std::string_view list, const std::function<void(const StyleDeclaration&)>& f);

/// What a selector needs to know of an element: its name, id and classes, an attribute's value,
/// and its parent.
class StyleSubject {
public:
    virtual ~StyleSubject() = default;
    virtual std::string_view localName() const = 0;
    virtual bool attribute(std::string_view name, std::string& value) const = 0;
    /// The parent element, or nullptr at the root. Owned by the subject.
    virtual const StyleSubject* parent() const = 0;
};

/// The rules of the document's style elements, in document order.
class SvgStyleSheet {
public:
    /// Adds the rules of one style element's text. At-rules and rules with selectors this program
    /// cannot read (pseudo-classes, sibling combinators) are left out.
    void add(std::string_view css);
    bool empty() const { return m_rules.empty(); }

    /// Calls `f` with each declaration of every rule matching `subject`, with the rule's
    /// specificity (ids · 65536 + classes and attributes · 256 + types) and order.
    void forEachMatch(const StyleSubject& subject,
                      const std::function<void(const StyleDeclaration&, std::uint32_t specificity,
                                               std::size_t order)>& f) const;

private:
    struct Simple {        // one compound selector
        std::string type;  // "" or "*": any
        std::string id;
        std::vector<std::string> classes;
        std::vector<std::pair<std::string, std::string>> attributes;  // value "\x01" = present
    };
    struct Rule {
        std::vector<Simple> compounds;  // rightmost last
        std::vector<char> combinators;  // between compounds: ' ' descendant, '>' child
        std::uint32_t specificity = 0;
        std::string declarations;
    };
    static bool matches(const Simple& s, const StyleSubject& e);
    static bool matchesFrom(const Rule& r, std::size_t index, const StyleSubject& e);

    std::vector<Rule> m_rules;
};

}  // namespace sartovin
